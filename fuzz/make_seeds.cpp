// Makes the seed inputs of the fuzz harnesses from the test data: the GAEB files as they
// are, a D83 with its bid joined as fuzz_gaeb90_bid reads them, project files written
// from the GAEB files, the RTF long texts and a few number texts.
//   make_seeds TESTDATA OUTDIR

#include "common/safe_file.h"
#include "gaeb2000/gaeb_mapper.h"
#include "gaeb2000/gaeb_tag_tree.h"
#include "gaeb90/gaeb_converter.h"
#include "model/project_file.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

void Put(const fs::path& folder, const std::string& name, const std::string& bytes) {
    fs::create_directories(folder);
    WriteFileReplacing((folder / name).string(), bytes);
}

std::string Read(const fs::path& path) {
    std::string bytes;
    ReadWholeFile(path.string(), bytes);
    return bytes;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_seeds TESTDATA OUTDIR\n");
        return 2;
    }
    const fs::path data = argv[1], out = argv[2];
    const std::pair<const char*, const char*> gaeb90[] = {{"gaeb90/lv_basic.D83", "gaeb90/lv_basic.d84"},
                                                          {"gaeb90/lv_tblocks.D83", nullptr},
                                                          {"d84/lv_bid.D83", "d84/lv_bid_expected.D84"}};
    int n = 0;
    for (const auto& [d83, d84] : gaeb90) {
        const std::string invitation = Read(data / d83);
        const std::string bid = d84 ? Read(data / d84) : std::string();
        const std::string tag = std::to_string(n++);
        Put(out / "fuzz_gaeb90", tag, invitation);
        Put(out / "fuzz_gaeb90_bid", tag, bid + "\n-- D83 --\n" + invitation);
        CAngebotList list;
        if (CGaebConverter(list).ReadD83Data(invitation, bid)) {
            list.LinkDisplayChain();
            std::string project;
            SaveRecords(list, project);
            Put(out / "fuzz_project_file", tag, project);
        }
    }
    for (const char* p83 :
         {"p83/kita.P83", "p83/rtf_caps.P83", "gaeb2000/small.P83", "gaeb2000/caps_no_indent.P83"}) {
        const std::string text = Read(data / p83);
        const std::string tag = std::to_string(n++);
        Put(out / "fuzz_gaeb2000", tag, text);
        Put(out / "fuzz_rtf", tag, text);
        CGaebTagTree tree;
        CAngebotList list;
        if (tree.ReadTagText(text) && CGaebMapper(list, tree).MapTree()) {
            list.LinkDisplayChain();
            std::string project;
            SaveRecords(list, project);
            Put(out / "fuzz_project_file", tag, project);
        }
    }
    for (const auto& entry : fs::directory_iterator(data / "gaebxml"))
        Put(out / "fuzz_gaebxml", entry.path().filename().string(), Read(entry.path()));
    Put(out / "fuzz_rtf", "plain",
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Gr\\'f6\\'dfe\\par {\\bkmkstart TB01}x{\\bkmkend TB01}}");
    int k = 0;
    for (const char* number : {"1.234,56", "-0,5", "12e3", "999999999999,99", "1,234.5"})
        Put(out / "fuzz_numbers", std::to_string(k++), number);
    return 0;
}
