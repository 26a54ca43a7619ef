#include "model/angebot_list.h"
#include "support/record_builder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> ChainOrder(CAngebotList& list) {
    std::vector<int> order;
    for (int i = list.FirstInChain(); i != -1 && order.size() <= static_cast<size_t>(list.Count());
         i = list.NextInChain(i))
        order.push_back(i);
    return order;
}

} // namespace

TEST(AngebotList, InsertGroupSumsWithNestedGroups) {
    // Outer group whose last child is itself a group: the outer S goes directly
    // behind that inner group record, before the inner group's children.
    CAngebotList list;
    AddRec(list, "L", 1, 0, 1);  // 0
    AddPos(list, 2, 1, 2, 1, 1); // 1
    AddRec(list, "T", 3, 1, 2);  // 2
    AddPos(list, 4, 3, 3, 1, 1); // 3
    AddRec(list, "T", 5, 0, 1);  // 4 second top-level group
    AddPos(list, 6, 5, 2, 1, 1); // 5
    list.LinkDisplayChain();
    list.InsertGroupSums();
    ASSERT_EQ(list.Count(), 9);
    const std::vector<int> order = ChainOrder(list);
    std::vector<std::string> kinds;
    for (int i : order)
        kinds.push_back(list.GetText(i, Fld::Kind) + std::to_string(list.GetInt(i, Fld::Level)));
    EXPECT_EQ(kinds, (std::vector<std::string>{"L1", "P2", "T2", "S2", "P3", "S3", "T1", "P2", "S2"}));
}

// The label composes the words of kind, position type, sub-kind, flags and group reference.
TEST(AngebotList, BuildLabelComposesWords) {
    const struct {
        const char *kind, *posType, *subKind, *flags, *groupRef;
        int level;
        const char* expected;
    } cases[] = {
        {"P", "G", "L", "X", " 01", 2, "  Grund-Leit-Pos. MP/LP [01]"},
        {"S", "", "", "", "", 3, "  Summe/Ende"},
        {"P", "N", "", "", "", 1, " "}, // a position without sub-kind
        {"P", "N", "N", " Z X", "", 1, " Pos. Zuschlag Bietermenge"},
        {"P", "A", "N", "", "02", 0, "Alt.-Pos. [02]"},
        {"P", "T", "N", "           3", "", 0, "NT tech. [angeboten] Pos."},
        {"P", "B", "N", "           4", "", 0,
         "NT Bauh. [zur\xfc"
         "ckgezogen] Pos."},
        {"P", "D", "N", "     R", "", 0, "entf. Pos."},
        {"P", "N", "H", "     R    1 1", "", 0, "entf. Stdl.-Unter-Pos. (*)"},
        {"P", "N", "N", " EA", "", 0, "Pos. (f. Zschl.) Bzg. Ausf.-Beschr."},
        {"B", "", "A", "", "3", 1, " Ausf.-beschreibung [3]"},
        {"B", "", "Q", "", "", 1, " "}, // a remark of an unknown sub-kind
        {"B", "", "", "", "", 1, " Bemerkung"},
        {"L", "C", "", "", "", 1, " Text-Verzeichnis"},
        {"T", "", "", "", "", 2, "  Titel"},
        {"K", "", "", "", "", 1, "Kosten"},
        {"Q", "", "", "", "", 0, ""}, // an unknown kind
    };
    for (const auto& c : cases) {
        CAngebotList list;
        const int i = AddRec(list, c.kind, 1, 0, c.level, c.posType);
        list.SetText(i, Fld::SubKind, c.subKind);
        list.SetText(i, Fld::Flags, c.flags);
        list.SetText(i, Fld::GroupRef, c.groupRef);
        EXPECT_EQ(list.BuildLabel(i), c.expected)
            << c.kind << c.posType << c.subKind << "|" << c.flags << "|";
    }
}
