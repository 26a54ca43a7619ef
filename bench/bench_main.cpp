// Benchmark: generates bills of quantities of 10,000, 100,000 and 300,000 positions and runs
// each operation in a process of its own (orvak-cli, or this program with --phase), taking the
// processor time (user + system) and the peak memory of that process from wait4. Prints one
// table per size with the targets beside the figures, then the growth from 10k to 300k.
// Not a test: it prints the figures and exits 0 unless an operation failed.
//
//   orvak-bench            the whole run (under two minutes on two cores)
//   orvak-bench --quick    10,000 positions only
//   orvak-bench --more     afterwards GAEB DA XML and the in-process benches (grid, cell
//                          entries, check)
#include "bench/bench_check.h"
#include "bench/bench_phase.h"
#include "bench/bench_position_list.h"
#include "common/heap_tuning.h"
#include "support/lv_generator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Printing before any change: pages per second of `orvak-cli pdf` with long texts, 10,000
// positions, on this machine, measured before the speed work (the goal is 1.4 times this).
constexpr double kPdfPagesPerSecondBefore = 566.0;

constexpr int kMaxRuns = 5;
// An operation is repeated until it has run kMaxRuns times or, after its first run, this many
// seconds have passed, so that the slow sizes keep the whole run under two minutes.
constexpr double kBudgetSeconds = 2.5;

double WallSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

struct SChildRun {
    bool ok = false;
    double cpu = 0;  // user + system, seconds
    long peakKb = 0; // ru_maxrss
    std::string out; // standard output when captured
};

// Runs argv[0] (a path, or a name looked up in PATH) with standard output captured or thrown
// away; standard error stays the bench's own.
SChildRun RunChild(const std::vector<std::string>& args, bool captureOutput) {
    SChildRun run;
    int pipeFds[2] = {-1, -1};
    if (captureOutput && pipe(pipeFds) != 0) return run;
    const pid_t pid = fork();
    if (pid < 0) return run;
    if (pid == 0) {
        const int target = captureOutput ? pipeFds[1] : open("/dev/null", O_WRONLY);
        if (target < 0 || dup2(target, STDOUT_FILENO) < 0) _exit(127);
        if (captureOutput) {
            close(pipeFds[0]);
            close(pipeFds[1]);
        }
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (captureOutput) {
        close(pipeFds[1]);
        char buffer[4096];
        ssize_t n;
        while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
            run.out.append(buffer, static_cast<size_t>(n));
        close(pipeFds[0]);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return run;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.cpu = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    run.peakKb = usage.ru_maxrss;
    return run;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct SMeasure {
    bool ok = false;
    int runs = 0;
    double cpu = 0;    // median of the runs
    double phase = 0;  // median of what the child reported as "phase SECONDS" (0 without)
    double peakMb = 0; // largest of the runs
};

SMeasure Measure(const std::vector<std::string>& args, bool capturePhase, int maxRuns = kMaxRuns) {
    SMeasure m;
    std::vector<double> cpu, phase;
    const auto start = std::chrono::steady_clock::now();
    while (m.runs < maxRuns && (m.runs == 0 || WallSince(start) < kBudgetSeconds)) {
        const SChildRun run = RunChild(args, capturePhase);
        if (!run.ok) {
            std::fprintf(stderr, "orvak-bench: %s failed\n", args[1].c_str());
            return m;
        }
        ++m.runs;
        cpu.push_back(run.cpu);
        m.peakMb = std::max(m.peakMb, static_cast<double>(run.peakKb) / 1024.0);
        if (capturePhase) {
            const size_t at = run.out.rfind("phase ");
            if (at != std::string::npos) phase.push_back(std::strtod(run.out.c_str() + at + 6, nullptr));
        }
    }
    m.ok = true;
    m.cpu = Median(cpu);
    m.phase = Median(phase);
    return m;
}

double MegaBytes(const std::vector<fs::path>& files) {
    double total = 0;
    for (const fs::path& f : files)
        total += static_cast<double>(fs::file_size(f));
    return total / (1024.0 * 1024.0);
}

// A row's target: processor time and/or peak memory relative to the files read (0: none).
struct STarget {
    double cpu = 0;
    double memoryFactor = 0;
};

struct SRow {
    std::string name;
    std::vector<std::string> args; // the child's command line
    std::vector<fs::path> reads;   // the files the operation reads
    bool phase = false;            // the figure is the phase the child reports, not its whole time
    STarget target;                // at 100,000 positions only
};

std::string TargetText(const STarget& t) {
    std::string text;
    char buffer[64];
    if (t.cpu > 0) {
        std::snprintf(buffer, sizeof buffer, "< %.1f s", t.cpu);
        text += buffer;
    }
    if (t.memoryFactor > 0) {
        std::snprintf(buffer, sizeof buffer, "%s< %.1f x", text.empty() ? "" : ", ", t.memoryFactor);
        text += buffer;
    }
    return text.empty() ? "-" : text;
}

struct SResult {
    double cpu = 0;
    bool ok = false;
};

// Runs the rows of one size and prints their table; returns each row's processor time by name.
std::map<std::string, SResult> RunSize(int positions, const std::vector<SRow>& rows, bool withTargets,
                                       int& failures) {
    std::printf("\n%d positions\n", positions);
    std::printf("  %-38s %8s %4s %8s %9s %8s  %-17s %s\n", "operation", "CPU s", "runs", "x wc -l", "peak MB",
                "x files", "target (100k)", "holds");
    std::map<std::string, SResult> results;
    for (const SRow& row : rows) {
        const SMeasure m = Measure(row.args, row.phase);
        if (!m.ok) {
            ++failures;
            std::printf("  %-38s failed\n", row.name.c_str());
            continue;
        }
        SMeasure wcl;
        if (!row.phase) {
            std::vector<std::string> wc = {"wc", "-l"};
            for (const fs::path& f : row.reads)
                wc.push_back(f.string());
            wcl = Measure(wc, false);
        }
        const double cpu = row.phase ? m.phase : m.cpu;
        const double files = MegaBytes(row.reads);
        const double memoryFactor = m.peakMb / files;
        bool holds = true;
        if (row.target.cpu > 0) holds = holds && cpu < row.target.cpu;
        if (row.target.memoryFactor > 0) holds = holds && memoryFactor < row.target.memoryFactor;
        const bool hasTarget = withTargets && (row.target.cpu > 0 || row.target.memoryFactor > 0);
        char ratio[32] = "-";
        if (wcl.ok && wcl.cpu > 0) std::snprintf(ratio, sizeof ratio, "%.0f", m.cpu / wcl.cpu);
        std::printf("  %-38s %8.3f %4d %8s %9.1f %8.1f  %-17s %s\n", row.name.c_str(), cpu, m.runs, ratio,
                    m.peakMb, memoryFactor, hasTarget ? TargetText(row.target).c_str() : "-",
                    hasTarget ? (holds ? "yes" : "NO") : "");
        results[row.name] = {cpu, true};
    }
    return results;
}

fs::path SelfDir() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : self.parent_path();
}

// Counts the pages of a PDF written by Qt: one "/Type /Page" object per page.
int PdfPages(const fs::path& pdf) {
    FILE* f = std::fopen(pdf.c_str(), "rb");
    if (!f) return 0;
    std::string text;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    std::fclose(f);
    int pages = 0;
    const std::string tag = "/Type /Page";
    for (size_t at = text.find(tag); at != std::string::npos; at = text.find(tag, at + tag.size()))
        if (at + tag.size() >= text.size() || text[at + tag.size()] != 's') ++pages;
    return pages;
}

struct SFiles {
    fs::path d83, d84, p83, ovf;
};

SFiles Generate(const fs::path& dir, int positions) {
    fs::create_directories(dir);
    SFiles f{dir / "lv.D83", dir / "lv.d84", dir / "lv.P83", dir / "lv.ovf"};
    const lvgen::SGaeb90Files gaeb90 = lvgen::GenerateGaeb90({positions});
    if (!lvgen::WriteFile(f.d83, gaeb90.d83) || !lvgen::WriteFile(f.d84, gaeb90.d84) ||
        !lvgen::WriteFile(f.p83, lvgen::GenerateGaeb2000({positions})))
        std::fprintf(stderr, "orvak-bench: cannot write to %s\n", dir.c_str());
    return f;
}

// GAEB DA XML (not among the targets): `orvak-cli dump` of an X83 of 10,000 items with long
// texts of about 5 KB each.
int RunXml() {
    char pattern[] = "/tmp/orvak-bench-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const fs::path x83 = fs::path(pattern) / "lv.X83";
    lvgen::GenerateGaebXml(x83, 100, 100);
    const SMeasure m = Measure({(SelfDir() / "orvak-cli").string(), "dump", x83.string()}, false);
    std::printf(
        "\nGAEB DA XML, 10000 items (%.0f MB): open, calculate, dump %.3f s CPU (%d runs), peak %.1f MB\n",
        MegaBytes({x83}), m.cpu, m.runs, m.peakMb);
    fs::remove_all(pattern);
    return m.ok ? 0 : 1;
}

int RunAll(bool quick) {
    char pattern[] = "/tmp/orvak-bench-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const fs::path root = pattern;
    const std::string cli = (SelfDir() / "orvak-cli").string();
    const std::string self = (SelfDir() / "orvak-bench").string();
    const auto start = std::chrono::steady_clock::now();

    std::printf(
        "orvak-bench: each operation in its own process; CPU = user + system time (median of up to %d "
        "runs),\npeak MB = largest resident size, x files = peak memory / size of the files read, "
        "x wc -l = CPU / CPU of `wc -l` on the same files.\n",
        kMaxRuns);

    std::map<int, std::map<std::string, SResult>> bySize;
    int failures = 0;
    const std::vector<int> sizes = quick ? std::vector<int>{10000} : std::vector<int>{10000, 100000, 300000};
    for (const int positions : sizes) {
        const fs::path dir = root / std::to_string(positions);
        const SFiles f = Generate(dir, positions);
        // The project file that the open row reads: written once beforehand.
        if (!RunChild({cli, "convert", f.d83.string(), f.ovf.string()}, false).ok) ++failures;
        const std::string out = (dir / "out").string();
        const std::vector<fs::path> bid = {f.d83, f.d84};
        std::vector<SRow> rows = {
            {"open D83+d84, calculate, dump", {cli, "dump", f.d83.string()}, bid, false, {0.4, 2.5}},
            {"convert to D84", {cli, "convert", f.d83.string(), out + ".D84"}, bid, false, {0, 3}},
            {"convert to project file", {cli, "convert", f.d83.string(), out + ".ovf"}, bid, false, {0, 3}},
            {"open project file, dump", {cli, "dump", f.ovf.string()}, {f.ovf}, false, {0.3, 3}},
            {"open P83, dump", {cli, "dump", f.p83.string()}, {f.p83}, false, {0.6, 3}},
            {"convert to P84", {cli, "convert", f.p83.string(), out + ".P84"}, {f.p83}, false, {0, 3}},
        };
        // The slowest size is for the growth only; the phases are timed at the smaller ones.
        if (positions <= 100000) {
            rows.push_back({"  write D84 (inside convert)",
                            {self, "--phase", "write", f.d83.string(), out + ".D84"},
                            bid,
                            true,
                            {0.4, 0}});
            rows.push_back({"  write P84 (inside convert)",
                            {self, "--phase", "write", f.p83.string(), out + ".P84"},
                            {f.p83},
                            true,
                            {0.4, 0}});
            rows.push_back({"  write project file (inside convert)",
                            {self, "--phase", "write", f.d83.string(), out + ".ovf"},
                            bid,
                            true,
                            {0.4, 0}});
        }
        if (positions == 100000)
            rows.push_back({"position list model filled (Qt)",
                            {self, "--phase", "list-model", f.d83.string()},
                            bid,
                            true,
                            {0.3, 0}});
        bySize[positions] = RunSize(positions, rows, positions == 100000, failures);

        if (positions == 10000) {
            // Printing: long texts, all prices, as `orvak-cli pdf` does it.
            const fs::path pdf = dir / "out.pdf";
            const SMeasure m = Measure({cli, "pdf", f.d83.string(), pdf.string()}, false, 3);
            const int pages = PdfPages(pdf);
            if (!m.ok || pages == 0) {
                ++failures;
                std::printf("  %-38s failed\n", "PDF with long texts");
            } else {
                const double rate = pages / m.cpu;
                char target[48] = "-";
                if (kPdfPagesPerSecondBefore > 0)
                    std::snprintf(target, sizeof target, ">= %.0f pages/s", 1.4 * kPdfPagesPerSecondBefore);
                std::printf("  %-38s %8.3f %4d %8s %9.1f %8s  %-17s %s\n", "PDF with long texts", m.cpu,
                            m.runs, "-", m.peakMb, "-", target,
                            kPdfPagesPerSecondBefore > 0
                                ? (rate >= 1.4 * kPdfPagesPerSecondBefore ? "yes" : "NO")
                                : "");
                std::printf("  %-38s %d pages, %.0f pages/s\n", "", pages, rate);
            }
        }
        fs::remove_all(dir);
    }

    if (!quick) {
        std::printf("\ngrowth 300k / 10k (target <= 35)\n");
        for (const auto& [name, small] : bySize[10000]) {
            const auto large = bySize[300000].find(name);
            if (large == bySize[300000].end() || small.cpu <= 0) continue;
            const double ratio = large->second.cpu / small.cpu;
            std::printf("  %-38s %8.1f  %s\n", name.c_str(), ratio, ratio <= 35 ? "yes" : "NO");
        }
    }
    fs::remove_all(root);
    std::printf("\nwhole run: %.0f s\n", WallSince(start));
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    // The phases stand for the application's own work, so the heap is set up as orvak sets it up.
    TuneHeap(argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "--phase") return RunPhase(argc, argv, {args.begin() + 1, args.end()});
    bool quick = false, more = false;
    for (const std::string& a : args) {
        if (a == "--quick") {
            quick = true;
        } else if (a == "--more") {
            more = true;
        } else {
            std::fprintf(stderr, "usage: orvak-bench [--quick] [--more]\n");
            return 2;
        }
    }
    const int status = RunAll(quick);
    if (more) {
        if (RunXml() != 0) return 1;
        BenchPositionList(argc, argv);
        BenchCheck();
    }
    return status;
}
