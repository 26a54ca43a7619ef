#include "cli/pdf_module.h"

#include "cli/pdf_command.h"

#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

#ifndef ORVAK_PDF_MODULE_DIR
#define ORVAK_PDF_MODULE_DIR "../lib/orvak"
#endif

namespace {

// The folder of the running program, whatever name it was started by.
fs::path ProgramDir() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self.parent_path();
}

} // namespace

int RunPdfModule(const std::vector<std::string>& args) {
    const fs::path dir = ProgramDir();
    const fs::path candidates[] = {dir / kPdfModuleFile,
                                   (dir / ORVAK_PDF_MODULE_DIR / kPdfModuleFile).lexically_normal()};
    const fs::path* found = nullptr;
    for (const fs::path& candidate : candidates) {
        std::error_code ec;
        if (fs::is_regular_file(candidate, ec)) {
            found = &candidate;
            break;
        }
    }
    if (!found) {
        std::fprintf(
            stderr, "Der PDF-Export ist nicht installiert: %s wurde weder in %s noch in %s gefunden.\n",
            kPdfModuleFile, candidates[0].parent_path().c_str(), candidates[1].parent_path().c_str());
        return 1;
    }
    // Kept loaded until the program ends: Qt's clean-up runs at exit.
    void* module = dlopen(found->c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        std::fprintf(stderr, "Der PDF-Export (%s) konnte nicht geladen werden: %s\n", found->c_str(),
                     dlerror());
        return 1;
    }
    const auto entry = reinterpret_cast<PdfCommandEntry>(dlsym(module, kPdfEntryName));
    if (!entry) {
        std::fprintf(stderr, "Der PDF-Export (%s) ist unvollst\xc3\xa4ndig: %s fehlt.\n", found->c_str(),
                     kPdfEntryName);
        return 1;
    }
    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    argv.push_back(nullptr);
    return entry(static_cast<int>(args.size()), argv.data());
}
