#pragma once

#include <string>
#include <string_view>

// Field numbers of a bid record. They are the interface between all parts of the
// program and fix the order of the project file.
enum class Fld : int {
    ParentId = 0,
    RecordId = 1,
    SortNo = 2,
    RefMark = 3,
    Level = 4,
    Kind = 5,
    PosType = 6,
    Label = 7,
    OZ = 8,
    OZKey = 9,
    ShortText = 10,
    LongText = 11,
    Unit = 12,
    SubKind = 13,
    Flags = 14,
    GroupRef = 15,
    RepeatRef = 16,
    StdTextKey = 17,
    ShortTextIndex = 18,
    SupplementIndex = 19,
    Quantity = 20,
    OtherShare = 21,
    WageShare = 22,
    UnitPrice = 23,
    TotalPrice = 24,
    SurchargePct = 25,
    TotalNet = 26,
    VatPct = 27,
    TotalGross = 28,
    BidderTexts = 29,
    Reserved30 = 30,
    InfoText = 31,
};

constexpr int kFieldCount = 32;

// The field of a number 0..31 (callers check the range).
constexpr Fld FieldOf(int number) {
    return static_cast<Fld>(number);
}
constexpr int FieldNumber(Fld field) {
    return static_cast<int>(field);
}
constexpr bool IsValidField(Fld field) {
    return FieldNumber(field) >= 0 && FieldNumber(field) < kFieldCount;
}

enum class FieldType { Double, Int, Text };

// 0-2 double, 3 text, 4 integer, 5-19 text, 20-28 double, 29-31 text.
constexpr FieldType TypeOfField(Fld field) {
    const int n = FieldNumber(field);
    if (n <= FieldNumber(Fld::SortNo) ||
        (n >= FieldNumber(Fld::Quantity) && n <= FieldNumber(Fld::TotalGross)))
        return FieldType::Double;
    if (field == Fld::Level) return FieldType::Int;
    return FieldType::Text;
}

// Record kinds (field Kind).
namespace Kind {
constexpr char Project = 'X';
constexpr char Folder = 'O';
constexpr char Lv = 'L';
constexpr char Element = 'E';
constexpr char Title = 'T';
constexpr char Position = 'P';
constexpr char Remark = 'B';
constexpr char Sum = 'S';
constexpr char CostSum = 'K';
} // namespace Kind

// Position types and section markers (field PosType).
namespace PosType {
constexpr char SupplementTech = 'T';
constexpr char SupplementClient = 'B';
constexpr char Payment = 'Z';
constexpr char Base = 'G';
constexpr char Alternative = 'A';
constexpr char Eventual = 'E';
constexpr char Contingency = 'F';
constexpr char ContractText = 'C';
constexpr char Omitted = 'D';
constexpr char HourlyRate = 'S';
constexpr char Normal = 'N';
} // namespace PosType

// Sub-kinds (field SubKind).
namespace SubKind {
constexpr char Lead = 'L';      // positions: "Leit-"
constexpr char Sub = 'H';       // positions: "Unter-"
constexpr char Gaeb2000 = 'N';  // positions read from GAEB 2000
constexpr char SubDesc = 'L';   // remarks: "Unterbeschreibung"
constexpr char ExecDesc = 'A';  // remarks: "Ausf.-beschreibung"
constexpr char Block = 'B';     // remarks: "Block"
constexpr char MainPos = 'H';   // remarks: "Haupt-Pos."
constexpr char TitleDesc = 'T'; // remarks: "-Titel"
} // namespace SubKind

// Character positions in the field Flags, counted from 0.
namespace FlagPos {
constexpr int SplitPrice = 0;     // 'X': unit price = other share + wage share
constexpr int Surcharge = 1;      // 'E': basis of surcharge positions, 'Z': surcharge position
constexpr int DescRef = 2;        // 'B', 'W', 'A'
constexpr int BidderQuantity = 3; // 'X': the bidder enters the quantity
constexpr int StdText = 4;        // '1', '2'
constexpr int Omitted = 5;        // 'R': read-only, omitted
constexpr int ClientSupp = 7;     // 'X': long text has client supplements
constexpr int BidderSupp = 8;     // 'X': long text has bidder supplements
constexpr int HourlyRate = 10;    // '1'
constexpr int Status = 11;        // '1'..'8' status of a supplement position
constexpr int Marked = 12;        // '1': marked with " (*)"
} // namespace FlagPos

// The flag character at a position, or '\0' beyond the end of the text.
inline char FlagAt(std::string_view flags, int pos) {
    return pos >= 0 && static_cast<size_t>(pos) < flags.size() ? flags[static_cast<size_t>(pos)] : '\0';
}
