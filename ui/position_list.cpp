#include "ui/position_list.h"

#include "common/number_format.h"
#include "common/text_util.h"
#include "model/display_tree.h"

#include <vector>

namespace {

const SPositionColumn kColumns[kPositionColumnCount] = {
    {"Position", ColumnAlign::Left, 150, 0},
    {"Pos.-Nr.", ColumnAlign::Left, 100, 0},
    {"Kurztext", ColumnAlign::Left, 180, 0},
    {"Menge", ColumnAlign::Right, 50, 3},
    {"Dimension", ColumnAlign::Left, 50, 0},
    {kOtherShareTitle, ColumnAlign::Right, 50, 2},
    {kWageShareTitle, ColumnAlign::Right, 50, 2},
    {"EP", ColumnAlign::Right, 50, 2},
    {"GP", ColumnAlign::Right, 50, 2},
    {"% Zu/Abschlag", ColumnAlign::Right, 50, 2},
    {"GP eff.", ColumnAlign::Right, 50, 2},
    {"% MWSt.", ColumnAlign::Right, 60, 2},
    {"GP brt.", ColumnAlign::Right, 50, 2},
};

std::string FormatField(const CAngebotList& list, int record, Fld field, int decimals) {
    CNumberFormat format;
    std::string text;
    format.FormatNumber(CNumberFormat::RoundTo(list.GetDouble(record, field), decimals), decimals, text);
    return text;
}

bool IsSumKind(char kind) {
    return kind == Kind::Sum || kind == Kind::CostSum;
}

bool HasSplitPrice(const CAngebotList& list, int record) {
    return FlagAt(list.GetTextView(record, Fld::Flags), FlagPos::SplitPrice) == 'X';
}

void SetNumber(IGrid& grid, IGrid::Row row, const CAngebotList& list, int record, PosCol column, Fld field) {
    grid.SetItemText(row, ColumnNumber(column),
                     FormatField(list, record, field, column == PosCol::Quantity ? 3 : 2));
}

} // namespace

const SPositionColumn& PositionColumn(PosCol column) {
    return kColumns[ColumnNumber(column)];
}

int RowImageOfKind(char kind) {
    switch (kind) {
    case Kind::Project:
        return 0;
    case Kind::Folder:
        return 1;
    case Kind::Lv:
    case Kind::Element:
        return 2;
    case Kind::Title:
        return 3;
    case Kind::Position:
        return 4;
    case Kind::Sum:
    case Kind::CostSum:
        return 6;
    default:
        return 5;
    }
}

bool IsBoldKind(char kind) {
    switch (kind) {
    case Kind::Project:
    case Kind::Folder:
    case Kind::Lv:
    case Kind::Element:
    case Kind::Title:
    case Kind::Sum:
    case Kind::CostSum:
        return true;
    default:
        return false;
    }
}

void SetupPositionColumns(IGrid& grid) {
    for (const SPositionColumn& c : kColumns)
        grid.InsertColumn(c.title, c.align, c.width, c.editorKind);
}

std::string PositionCellText(const CAngebotList& list, int record, PosCol column) {
    const char kind = list.GetChar(record, Fld::Kind);
    const bool position = kind == Kind::Position;
    switch (column) {
    case PosCol::Position:
        return TrimLeft(list.GetTextView(record, Fld::Label));
    case PosCol::OZ:
        return TrimRight(list.GetTextView(record, Fld::OZ));
    case PosCol::ShortText:
        return TrimRight(list.GetTextView(record, Fld::ShortText));
    case PosCol::Quantity:
        return position ? FormatField(list, record, Fld::Quantity, 3) : std::string();
    case PosCol::Unit:
        return position ? TrimRight(list.GetTextView(record, Fld::Unit)) : std::string();
    case PosCol::OtherShare:
        return HasSplitPrice(list, record) ? FormatField(list, record, Fld::OtherShare, 2) : std::string();
    case PosCol::WageShare:
        return HasSplitPrice(list, record) ? FormatField(list, record, Fld::WageShare, 2) : std::string();
    case PosCol::UnitPrice:
        return position ? FormatField(list, record, Fld::UnitPrice, 2) : std::string();
    case PosCol::TotalPrice:
        return FormatField(list, record, Fld::TotalPrice, 2);
    case PosCol::SurchargePct:
        return IsSumKind(kind) ? std::string() : FormatField(list, record, Fld::SurchargePct, 2);
    case PosCol::TotalNet:
        return FormatField(list, record, Fld::TotalNet, 2);
    case PosCol::VatPct:
        return IsSumKind(kind) ? std::string() : FormatField(list, record, Fld::VatPct, 2);
    case PosCol::TotalGross:
        return FormatField(list, record, Fld::TotalGross, 2);
    }
    return std::string();
}

void FillList(IGrid& grid, const CAngebotList& list, const std::string& title1, const std::string& title2) {
    // Share names of the previous file must not stay when this one has none.
    const bool named = !title1.empty() && !title2.empty();
    grid.SetColumnTitle(ColumnNumber(PosCol::OtherShare), named ? title1 : kOtherShareTitle);
    grid.SetColumnTitle(ColumnNumber(PosCol::WageShare), named ? title2 : kWageShareTitle);

    grid.BeginFill();
    const CDisplayTree tree(list);
    for (const int record : tree.Order()) {
        const char kind = list.GetChar(record, Fld::Kind);
        const int parent = tree.Parent(record);
        const IGrid::Row parentRow = parent == -1 ? IGrid::kNoRow : grid.FindItemByRecord(parent);
        const IGrid::Row row = grid.InsertItem(parentRow, PositionCellText(list, record, PosCol::Position),
                                               RowImageOfKind(kind));
        grid.SetItemRecord(row, record);
        if (IsBoldKind(kind)) grid.SetItemBold(row, true);
        for (int c = 1; c < kPositionColumnCount; ++c)
            grid.SetItemText(row, c, PositionCellText(list, record, static_cast<PosCol>(c)));
    }
    grid.ExpandAll();
    grid.EndFill();
    grid.SelectRow(grid.FirstRow());
}

void RefreshNumbers(IGrid& grid, const CAngebotList& list, IGrid::Row first) {
    if (first == IGrid::kNoRow) first = grid.FirstRow();
    grid.BeginUpdate();
    std::vector<IGrid::Row> pending;
    for (IGrid::Row r = first; r != IGrid::kNoRow; r = grid.NextSibling(r))
        pending.push_back(r);
    // Depth first without recursion; the order of the rows does not matter here.
    while (!pending.empty()) {
        const IGrid::Row row = pending.back();
        pending.pop_back();
        for (IGrid::Row c = grid.FirstChild(row); c != IGrid::kNoRow; c = grid.NextSibling(c))
            pending.push_back(c);
        ShowRowNumbers(grid, list, row);
    }
    grid.EndUpdate();
}

void ShowRowNumbers(IGrid& grid, const CAngebotList& list, IGrid::Row row) {
    const int record = grid.GetItemRecord(row);
    if (record < 0 || record >= list.Count()) return;
    if (list.GetChar(record, Fld::Kind) == Kind::Position) {
        SetNumber(grid, row, list, record, PosCol::Quantity, Fld::Quantity);
        SetNumber(grid, row, list, record, PosCol::UnitPrice, Fld::UnitPrice);
    }
    if (HasSplitPrice(list, record)) {
        SetNumber(grid, row, list, record, PosCol::OtherShare, Fld::OtherShare);
        SetNumber(grid, row, list, record, PosCol::WageShare, Fld::WageShare);
    }
    SetNumber(grid, row, list, record, PosCol::TotalPrice, Fld::TotalPrice);
    SetNumber(grid, row, list, record, PosCol::SurchargePct, Fld::SurchargePct);
    SetNumber(grid, row, list, record, PosCol::TotalNet, Fld::TotalNet);
    SetNumber(grid, row, list, record, PosCol::VatPct, Fld::VatPct);
    SetNumber(grid, row, list, record, PosCol::TotalGross, Fld::TotalGross);
}
