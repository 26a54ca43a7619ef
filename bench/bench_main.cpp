// Benchmark: generates large bills of quantities and times opening, calculating and
// saving them. Not a test: it prints the times and exits 0.
#include "app/bid_document.h"
#include "app/record_dump.h"
#include "bench/bench_check.h"
#include "bench/bench_position_list.h"
#include "model/calculation.h"
#include "model/project_file.h"
#include "support/lv_generator.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

class CSilentShell : public IShell {
public:
    Answer MessageBox(const std::string& text, const std::string&, Buttons, Icon) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return Answer::Ok;
    }
    void SetWindowTitle(const std::string&) override {}
    bool OpenFileDialog(const std::string&, std::string&, int&) override { return false; }
    bool SaveFileDialog(const std::string&, const std::string&, const std::string&, CBidderFields&,
                        std::string&) override {
        return false;
    }
};

// Processor time of the process so far, in seconds: on a machine that other work keeps busy
// it shows what an operation costs apart from the waiting.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char* argv[]) {
    const fs::path dir = fs::temp_directory_path() / "orvak_bench";
    fs::create_directories(dir);
    const fs::path d83 = dir / "bench.D83";
    const lvgen::SGaeb90Files gaeb90 = lvgen::GenerateGaeb90({20000});
    if (!lvgen::WriteFile(d83, gaeb90.d83) || !lvgen::WriteFile(dir / "bench.d84", gaeb90.d84)) return 1;

    CSilentShell shell;
    CMemorySettingsStore store;
    CAppSettings settings(store);
    CBidDocument doc(shell, settings);

    auto t = std::chrono::steady_clock::now();
    if (!doc.OpenFile(d83.string(), OpenType::Gaeb90)) return 1;
    std::printf("GAEB 90 open with d84 and calculation: %d records in %.3f s\n", doc.List().Count(),
                Seconds(t));

    t = std::chrono::steady_clock::now();
    const Totals totals = CalcAll(doc.List());
    std::printf("calculation: %.3f s (total %.2f)\n", Seconds(t), totals.gp);

    t = std::chrono::steady_clock::now();
    const size_t dumpSize = DumpRecords(doc.List()).size();
    std::printf("dump: %.3f s (%zu bytes)\n", Seconds(t), dumpSize);

    t = std::chrono::steady_clock::now();
    const fs::path ovf = dir / "bench.ovf";
    if (!doc.SaveTo(ovf.string(), OpenType::Project, nullptr)) return 1;
    std::printf("project file save: %.3f s\n", Seconds(t));

    t = std::chrono::steady_clock::now();
    CAngebotList back;
    if (!LoadRecords(back, ovf.string())) return 1;
    std::printf("project file load: %d records in %.3f s\n", back.Count(), Seconds(t));

    t = std::chrono::steady_clock::now();
    if (!doc.SaveTo((dir / "bench.D84").string(), OpenType::Gaeb90, nullptr)) return 1;
    std::printf("D84 write: %.3f s\n", Seconds(t));

    const fs::path p83 = dir / "bench.P83";
    fs::remove(dir / "bench.P84");
    if (!lvgen::WriteFile(p83, lvgen::GenerateGaeb2000({20000}))) return 1;
    t = std::chrono::steady_clock::now();
    if (!doc.OpenFile(p83.string(), OpenType::Gaeb2000)) return 1;
    std::printf("GAEB 2000 open, mapping and calculation: %d records in %.3f s\n", doc.List().Count(),
                Seconds(t));
    t = std::chrono::steady_clock::now();
    if (!doc.SaveTo((dir / "bench.P84").string(), OpenType::Gaeb2000, nullptr)) return 1;
    std::printf("P84 write: %.3f s\n", Seconds(t));
    fs::remove(dir / "bench.P84");

    // GAEB DA XML: open and calculate 10,000 and 100,000 items; write the X84 of 10,000.
    for (const int areas : {100, 1000}) {
        const fs::path x83 = dir / ("bench_" + std::to_string(areas) + ".X83");
        fs::remove(dir / ("bench_" + std::to_string(areas) + ".X84"));
        lvgen::GenerateGaebXml(x83, areas, 100);
        const double megabytes = static_cast<double>(fs::file_size(x83)) / 1e6;
        t = std::chrono::steady_clock::now();
        double cpu = CpuSeconds();
        if (!doc.OpenFile(x83.string(), OpenType::GaebXml)) return 1;
        std::printf(
            "GAEB DA XML open and calculation, %d items (%.0f MB): %d records in %.3f s (processor %.3f s)\n",
            areas * 100, megabytes, doc.List().Count(), Seconds(t), CpuSeconds() - cpu);
        if (areas == 100) {
            t = std::chrono::steady_clock::now();
            cpu = CpuSeconds();
            if (!doc.SaveTo((dir / "bench_100.X84").string(), OpenType::GaebXml, nullptr)) return 1;
            std::printf("X84 write, %d items: %.3f s (processor %.3f s)\n", areas * 100, Seconds(t),
                        CpuSeconds() - cpu);
            fs::remove(dir / "bench_100.X84");
        }
        fs::remove(x83);
    }

    BenchPositionList(argc, argv);
    BenchCheck();
    return 0;
}
