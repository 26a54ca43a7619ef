#pragma once

#include "model/angebot_list.h"
#include "ui/grid.h"

#include <string>
#include <vector>

class CDisplayTree;

// What the completeness check of a bid finds missing.
enum class CheckItem {
    UnitPrice,        // a position without a unit price (EP, or Sonstiges and Lohn)
    SurchargePercent, // a surcharge position without its percentage
    BidderQuantity,   // a position whose quantity the bidder gives, without one
    BidderText,       // a text supplement of the bidder (a make, a material) still empty
    Bidder,           // the whole bid: no bidder name
    Currency,         // the whole bid: no currency
    NoVatRate,        // the whole bid: no position carries a VAT rate
    MixedVatRates,    // the whole bid: the positions carry several rates (a hint)
};

// One finding: a gap the bid would be handed in with, or a hint the estimator may ignore.
struct SBidFinding {
    CheckItem item = CheckItem::UnitPrice;
    bool hint = false;
    int record = -1;       // the row's record; -1 for the whole bid
    int column = -1;       // the grid column of the missing entry; -1 for none (supplements, whole bid)
    int supplement = -1;   // BidderText: the supplement's row in the memo pane's list (k-th of the bidder's)
    std::string oz;        // the row's OZ as the list shows it; empty for the whole bid
    std::string shortText; // the row's short text, trimmed
    std::string what;      // German: what is missing ("Einheitspreis fehlt")

    // "what (short text)", or `what` alone when the row has no short text; Windows-1252.
    std::string Text() const;
    // "OZ  what (short text)" for a message, without the OZ for the whole bid.
    std::string Line() const;
};

// One place in a long text where the bidder fills in a text: the entries "nnB1" of the
// record's SupplementIndex (Flags[8] 'X'), with the bidder text of the same rank in BidderTexts.
struct SBidderSupplement {
    std::string number; // the supplement number, "02"
    int rank = 0;       // its row in the memo pane's list: 0 for the first bidder supplement
    std::string text;   // the bidder's text without its quotes
    bool Empty() const;
};

// The bidder supplements of a record, in the order of its directory; none when Flags[8] is
// not 'X'. A directory entry cut short is ignored; a missing text counts as empty.
std::vector<SBidderSupplement> BidderSupplements(const CAngebotList& list, int record);

// The completeness check of a bid, over what the user can fix in the grid or the memo pane: a
// cell the grid opens read-only (an omitted position, Flags[5] 'R', a contract text) gives no
// finding. Positions ("P") without a unit price where EP or Sonstiges/Lohn can be edited;
// surcharge positions (Flags[1] 'Z') without their percentage; positions with the bidder's
// quantity (Flags[3] 'X') without one; empty bidder supplements; a bid without bidder name or
// currency; no VAT rate on any position. Findings on alternative ("A") and eventual ("E")
// positions, and several VAT rates, are hints.
class CBidCheck {
public:
    void Run(const CAngebotList& list, const CDisplayTree& tree);
    // Builds the display tree of the list and runs the check.
    void Run(const CAngebotList& list);

    // The gaps: those of the whole bid first, then the rows' in tree order.
    const std::vector<SBidFinding>& Gaps() const { return m_gaps; }
    // The hints, in the same order, apart from the gaps.
    const std::vector<SBidFinding>& Hints() const { return m_hints; }
    bool Complete() const { return m_gaps.empty(); }
    // The first gap on a row; null when no gap has a row.
    const SBidFinding* FirstRowGap() const;

    // The findings of one record (gaps and hints, in the order of the row's cells, then its
    // supplements), appended to `out`. Cheap: this is what the walk to the next open entry
    // asks of each row it passes.
    static void CheckRow(const CAngebotList& list, int record, std::vector<SBidFinding>& out);
    // Whether the record has a gap (a hint does not count).
    static bool HasGap(const CAngebotList& list, int record);
    // Whether the position needs a price the user enters, and whether it has one: the unit
    // price where EP or the shares can be edited, the percentage of a surcharge position.
    static bool IsPriceable(const CAngebotList& list, int record);
    static bool IsPriced(const CAngebotList& list, int record);

    // The bidder and the currency the bid names (the first LV's information blocks; a bid read
    // back from GAEB 90 names its bidder in the bidder-side blocks); line breaks as blanks, trimmed.
    static std::string BidderOf(const CAngebotList& list, const CDisplayTree& tree);
    static std::string CurrencyOf(const CAngebotList& list, const CDisplayTree& tree);

private:
    void CheckWholeBid(const CAngebotList& list, const CDisplayTree& tree);
    void Add(SBidFinding finding);

    std::vector<SBidFinding> m_gaps;
    std::vector<SBidFinding> m_hints;
};

// F3 "Nächste offene Eingabe": the next row after `from` in tree order (expanded or not) whose
// record has a gap, wrapping from the last row to the first; `from` itself comes last, so that
// a single open row is found again. kNoRow when no row has one; from kNoRow the search starts at
// the first row. It looks at each row it passes once: the cost grows with the distance to the
// row it finds, not with the length of the list.
IGrid::Row FindNextOpenEntry(const IGrid& grid, const CAngebotList& list, IGrid::Row from);
// The row after `row` in tree order (children first, then the next sibling, else the next
// sibling of the nearest parent that has one); kNoRow after the last.
IGrid::Row NextRowInTreeOrder(const IGrid& grid, IGrid::Row row);
