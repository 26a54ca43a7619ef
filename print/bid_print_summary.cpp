#include "print/bid_print_summary.h"

#include "model/display_tree.h"

#include <vector>

namespace {

bool IsBidLv(const CAngebotList& list, int index) {
    return list.GetChar(index, Fld::Kind) == Kind::Lv &&
           list.GetChar(index, Fld::PosType) != PosType::ContractText;
}

bool IsGroupBesideLv(char kind) {
    return kind == Kind::Project || kind == Kind::Folder || kind == Kind::Title;
}

// The last child of a record, -1 when it has none.
int LastChild(const CDisplayTree& tree, int index) {
    int last = -1;
    for (int c = tree.FirstChild(index); c != -1; c = tree.NextSibling(c))
        last = c;
    return last;
}

} // namespace

BidPrintSummary SummarizeForPrint(const CAngebotList& list, const CDisplayTree& tree) {
    BidPrintSummary summary;
    summary.vat = FindBidVatRate(list, tree);

    // The outermost LVs in tree order: an LV's descendants follow it directly in the order.
    std::vector<int> lvs;
    const std::vector<int>& order = tree.Order();
    for (size_t pos = 0; pos < order.size(); ++pos) {
        const int r = order[pos];
        if (!IsBidLv(list, r)) continue;
        lvs.push_back(r);
        pos += static_cast<size_t>(tree.DescendantCount(r));
    }

    const auto add = [&](int index) {
        summary.net += list.GetDouble(index, Fld::TotalNet);
        summary.gross += list.GetDouble(index, Fld::TotalGross);
    };
    if (lvs.empty()) {
        if (!order.empty()) summary.title = list.GetText(order.front(), Fld::ShortText);
        for (int r : tree.Roots()) {
            const char kind = list.GetChar(r, Fld::Kind);
            if (kind == Kind::Position || IsGroupBesideLv(kind)) add(r); // LVs here are contract blocks
        }
        return summary;
    }
    summary.title = list.GetText(lvs.front(), Fld::ShortText);
    if (lvs.size() == 1) {
        const int closing = LastChild(tree, lvs.front());
        add(closing != -1 && list.GetChar(closing, Fld::Kind) == Kind::Sum ? closing : lvs.front());
        return summary;
    }
    for (int lv : lvs)
        add(lv);
    return summary;
}
