#pragma once

// Helpers shared by the tests of the P83 mapping and the P84 writer.

#include "common/text_util.h"
#include "gaeb2000/gaeb_mapper.h"
#include "gaeb2000/gaeb_tag_tree.h"
#include "model/calculation.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace p83test {

namespace fs = std::filesystem;

inline std::string DataPath(const char* name) {
    return std::string(ORVAK_TEST_DATA) + "/p83/" + name;
}

// The running test's own folder.
inline fs::path TempDir() {
    return testsupport::TestDir();
}

// The real files of a samples folder with the extension (any case); none when the
// folder is absent.
inline std::vector<fs::path> SampleFiles(const char* folder = "gaeb2000", const char* ext = ".p83") {
    return testsupport::SampleFiles(folder, ext);
}

// A document as the GAEB 2000 open leaves it: tree read and mapped, display chain,
// group sums, labels and totals.
struct Doc {
    CGaebTagTree tree;
    CAngebotList list;
    bool mixed = false;

    bool Finish(const CIoResult& read) {
        if (!read) return false;
        CGaebMapper mapper(list, tree);
        if (!mapper.MapTree()) return false;
        mixed = mapper.mixedSeparators;
        list.LinkDisplayChain();
        list.InsertGroupSums();
        list.BuildAllLabels();
        CalcAll(list);
        return true;
    }
    bool Open(const std::string& path) { return Finish(tree.ReadTagFile(path)); }
    bool OpenText(const std::string& text) { return Finish(tree.ReadTagText(text)); }

    // The first record of a kind whose OZ (blanks removed) is `oz`; -1 if none.
    int ByOz(const std::string& oz, const char* kind = "P") const {
        for (int i = 0; i < list.Count(); ++i)
            if (list.GetText(i, Fld::Kind) == kind && Trim(list.GetText(i, Fld::OZ)) == oz) return i;
        return -1;
    }
    std::vector<int> OfKind(const char* kind) const {
        std::vector<int> found;
        for (int i = 0; i < list.Count(); ++i)
            if (list.GetText(i, Fld::Kind) == kind) found.push_back(i);
        return found;
    }
    std::string Text(int r, Fld field) const { return list.GetText(r, field); }
    // Sets numbers of a position and calculates it again.
    void Price(int r, std::initializer_list<std::pair<Fld, double>> values) {
        for (const auto& [field, value] : values)
            list.SetDouble(r, field, value);
        RecalcPosition(list, r);
    }
    // Text fields of a record, each followed by "|", to compare them in one go.
    std::string Texts(int r, std::initializer_list<Fld> fields) const {
        std::string joined;
        for (Fld field : fields)
            joined += Text(r, field) + "|";
        return joined;
    }
    double Num(int r, Fld field) const { return list.GetDouble(r, field); }
};

// A value's line breaks at its very end are not written (its last line ends with "[end]").
inline std::string WithoutFinalBreaks(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

// Every record of `b` equals the record of `a` at the same index, with the parent
// compared as a list index (ids are node indices, which move when nodes are added);
// the information texts of the LV records are left to the caller.
inline void ExpectSameRecords(const CAngebotList& a, const CAngebotList& b) {
    ASSERT_EQ(a.Count(), b.Count());
    for (int i = 0; i < a.Count(); ++i) {
        const bool lv = a.GetText(i, Fld::Kind) == "L";
        for (int n = 0; n < kFieldCount; ++n) {
            const Fld f = FieldOf(n);
            if (f == Fld::RecordId || f == Fld::ParentId ||
                (lv && (f == Fld::InfoText || f == Fld::BidderTexts)))
                continue;
            if (f == Fld::LongText) {
                EXPECT_EQ(WithoutFinalBreaks(a.GetText(i, f)), WithoutFinalBreaks(b.GetText(i, f)))
                    << "record " << i;
                continue;
            }
            FieldValue x, y;
            a.GetField(i, f, x);
            b.GetField(i, f, y);
            EXPECT_TRUE(x == y) << "record " << i << " field " << n << ": " << a.GetText(i, f) << " / "
                                << b.GetText(i, f);
        }
        EXPECT_EQ(a.FindRecord(Fld::RecordId, FieldValue(a.GetDouble(i, Fld::ParentId))),
                  b.FindRecord(Fld::RecordId, FieldValue(b.GetDouble(i, Fld::ParentId))))
            << "parent of record " << i;
    }
}

// A file of `positions` positions in two LV areas, each with a description.
inline std::string GeneratedLv(int positions) {
    std::string text = "#begin[GAEB]\r\n #begin[Vergabe]\r\n  #begin[AG]\r\n   #begin[Adresse]\r\n"
                       "    [Name1]Stadt[end]\r\n   #end[Adresse]\r\n  #end[AG]\r\n  #begin[LV]\r\n";
    for (int area = 0; area < 2; ++area) {
        text += "   #begin[LVBereich]\r\n    [OZ]0" + std::to_string(area + 1) + "[end]\r\n";
        for (int p = 0; p < positions / 2; ++p) {
            text +=
                "    #begin[Position]\r\n     [OZ]" + std::to_string(p) + "[end]\r\n     [Menge]1,5[end]\r\n";
            text += "     #begin[Beschreibung]\r\n      [Langtext]Zeile eins\r\n      Zeile zwei[end]\r\n"
                    "     #end[Beschreibung]\r\n    #end[Position]\r\n";
        }
        text += "   #end[LVBereich]\r\n";
    }
    return text + "  #end[LV]\r\n #end[Vergabe]\r\n#end[GAEB]\r\n";
}

// A small P83 around the given lines of one position block (LV with one area).
inline std::string PositionFile(const std::string& positionLines, const char* block = "Position") {
    return "#begin[GAEB]\n #begin[Vergabe]\n  #begin[LV]\n   #begin[LVBereich]\n    [OZ]01[end]\n    "
           "#begin[" +
           std::string(block) + "]\n" + positionLines +
           (positionLines.empty() || positionLines.back() == '\n' ? "" : "\n") + "    #end[" + block +
           "]\n   #end[LVBereich]\n  #end[LV]\n #end[Vergabe]\n#end[GAEB]\n";
}

} // namespace p83test
