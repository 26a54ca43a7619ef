#include "bench/bench_phase.h"

#include "app/bid_document.h"
#include "common/text_util.h"
#include "ui/position_list.h"
#include "ui/qt/tlst_model.h"
#include "ui/qt/tlst_tree.h"

#include <QApplication>

#include <cstdio>
#include <ctime>

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

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace

int RunPhase(int argc, char* argv[], const std::vector<std::string>& args) {
    const bool write = args.size() == 3 && args[0] == "write";
    const bool listModel = args.size() == 2 && args[0] == "list-model";
    if (!write && !listModel) {
        std::fprintf(stderr, "usage: orvak-bench --phase write IN OUT | --phase list-model IN\n");
        return 2;
    }
    CSilentShell shell;
    CMemorySettingsStore store;
    CAppSettings settings(store);
    CBidDocument doc(shell, settings);
    const std::string& in = args[1];
    if (!doc.OpenFile(in, CBidDocument::TypeForPath(in))) return 1;

    double cpu = 0;
    if (write) {
        const std::string& out = args[2];
        // As `orvak-cli convert` chooses the writer.
        const OpenType writer = EndsWithNoCase(out, ".ovf") ? OpenType::Project : doc.GetOpenType();
        const double start = CpuSeconds();
        if (!doc.SaveTo(out, writer, nullptr)) return 1;
        cpu = CpuSeconds() - start;
    } else {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        CTLstModel model;
        SetupPositionColumns(model);
        CTLstTree tree;
        tree.setModel(&model);
        tree.resize(1200, 700);
        const double start = CpuSeconds();
        FillList(model, doc.List(), doc.ShareTitle1(), doc.ShareTitle2());
        QCoreApplication::processEvents();
        cpu = CpuSeconds() - start;
    }
    std::printf("phase %.6f\n", cpu);
    return 0;
}
