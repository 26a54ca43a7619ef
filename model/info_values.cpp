#include "model/info_values.h"

#include "common/text_util.h"
#include "model/info_blocks.h"

#include <algorithm>
#include <vector>

namespace {

constexpr size_t kInfoLineWidth = 72;
constexpr int kMaxProjectLines = 10;
constexpr const char* kCurrencyKey = "W\xe4hrung";

// How a key's value is read from and written to its block.
enum class Form {
    Line,         // the first line after the heading
    ProjectLines, // up to ten non-empty lines after the heading; written as a whole
    Currency,     // read: the user's setting; written: the line after the heading
    OzKey,        // the key of record 00 (columns 63-71), "0" read as blank
    TextVersion,  // "KURZ"/"LANG" from column 13 of record 00, if the file asks to hide it
    Columns,      // fixed columns of the heading's first line
};

// Which blocks hold the value: InfoText, BidderTexts, or BidderTexts with InfoText as fallback.
enum class Side { Client, Bidder, BidderFirst };

struct KeyRow {
    const char* getKey;
    const char* setKey;
    Form form;
    Side side;
    const char* heading;
    size_t pos = 0;
    size_t width = 0;
};

const KeyRow kKeys[] = {
    {"00", "00", Form::Line, Side::Client, InfoKey::Opening},
    {"01", "01", Form::Line, Side::Client, InfoKey::Lv},
    {"02", "02", Form::ProjectLines, Side::Client, InfoKey::Project},
    {"ProjektInfo", "ProjektInfo", Form::ProjectLines, Side::Client, InfoKey::Project},
    {"03", "03", Form::Line, Side::Client, InfoKey::Client},
    {"04", "04", Form::Line, Side::BidderFirst, InfoKey::Bidder},
    {"06", "06", Form::Line, Side::Client, InfoKey::Components},
    {"07", "07", Form::Line, Side::Client, InfoKey::Assignment},
    {"08", "08", Form::Currency, Side::Client, InfoKey::Currency},
    {kCurrencyKey, kCurrencyKey, Form::Currency, Side::Client, InfoKey::Currency},
    {"OZSchluessel", "OZSchluessel", Form::OzKey, Side::Client, InfoKey::Opening, 60, 9},
    {"TextFassung", "TextFassung", Form::TextVersion, Side::Client, InfoKey::Opening, 10, 1},
    {"VergabeAG", "VergabeAG", Form::Columns, Side::Client, InfoKey::Opening, 11, 15},
    {"DVNrAG", "DVNrAG", Form::Columns, Side::Client, InfoKey::Opening, 26, 8},
    {"LVBezeichnung", "LVBezeichnung", Form::Columns, Side::Client, InfoKey::Lv, 0, 40},
    {"LVDatum", "LVDatum", Form::Columns, Side::Client, InfoKey::Lv, 40, 8},
    {"AbgabeDatum", "AbgabeDatum", Form::Columns, Side::Client, InfoKey::Lv, 48, 8},
    {"Abgabezeit", "AbgabeZeit", Form::Columns, Side::Client, InfoKey::Lv, 56, 5},
    {"ZuschlagsFrist", "ZuschlagsFrist", Form::Columns, Side::Client, InfoKey::Lv, 61, 8},
    {"BieterW", "BieterW", Form::Line, Side::Bidder, InfoKey::Currency},
    {"BieterNummer", "BieterNummer", Form::Columns, Side::Bidder, InfoKey::Opening, 34, 3},
    {"VergabeNrAN", "VergabeNrAN", Form::Columns, Side::Bidder, InfoKey::Opening, 37, 15},
    {"DVNrAN", "DVNrAN", Form::Columns, Side::Bidder, InfoKey::Opening, 52, 8},
};

const KeyRow* FindKey(std::string_view key, bool forSet) {
    for (const KeyRow& row : kKeys)
        if (key == (forSet ? row.setKey : row.getKey)) return &row;
    return nullptr;
}

// A heading line of a block ("#...:").
bool IsHeading(const std::string& line) {
    return line.size() > 1 && line[0] == '#';
}

// The first line after the heading; false when the heading is missing or is the last line.
bool LineAfter(const std::vector<std::string>& lines, std::string_view heading, std::string& out) {
    const int h = FindLine(lines, heading);
    if (h < 0 || static_cast<size_t>(h) + 1 >= lines.size()) return false;
    out = lines[static_cast<size_t>(h) + 1];
    return true;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string ProjectLines(const std::vector<std::string>& lines) {
    std::string out;
    const int h = FindLine(lines, InfoKey::Project);
    if (h < 0) return out;
    int taken = 0;
    for (size_t i = static_cast<size_t>(h) + 1; i < lines.size() && taken < kMaxProjectLines; ++i) {
        if (IsHeading(lines[i])) break;
        if (lines[i].empty()) continue;
        if (taken++ > 0) out += "\r\n";
        out += lines[i];
    }
    return out;
}

// The value brought to the width of its columns: the bidder number left-padded with "0",
// ten-character dates shortened to two year digits (dd.mm.yyyy -> dd.mm.yy).
std::string FitColumnValue(const KeyRow& row, std::string value) {
    const std::string_view key = row.setKey;
    if (key == "BieterNummer" && value.size() < 3) value.insert(0, 3 - value.size(), '0');
    if ((key == "LVDatum" || key == "AbgabeDatum" || key == "ZuschlagsFrist") && value.size() == 10)
        value = value.substr(0, 6) + value.substr(8, 2);
    value.resize(row.width, ' ');
    return value;
}

std::string ReplaceColumns(const std::string& line, size_t pos, size_t width, const std::string& value) {
    const std::string padded = PadRight(line, kInfoLineWidth);
    return padded.substr(0, pos) + value + SafeSubstr(padded, pos + width);
}

std::string GetByRow(const CAngebotList& list, int lv, const KeyRow& row, std::string_view currencySetting) {
    std::vector<std::string> a, b;
    SplitInfoLines(list.GetText(lv, Fld::InfoText), a);
    SplitInfoLines(list.GetText(lv, Fld::BidderTexts), b);
    const std::vector<std::string>& lines = row.side == Side::Client ? a : b;
    std::string out;
    switch (row.form) {
    case Form::Line:
        if (!LineAfter(lines, row.heading, out) && row.side == Side::BidderFirst)
            LineAfter(a, row.heading, out);
        return out;
    case Form::ProjectLines:
        return ProjectLines(a);
    case Form::Currency:
        return currencySetting.empty() ? std::string("EUR") : std::string(currencySetting);
    case Form::OzKey: {
        out = GetInfoValue(list, lv, "OZ14Schluessel", currencySetting);
        if (!out.empty()) return out;
        std::string line;
        if (LineAfter(a, row.heading, line)) {
            out = PadRight(line, kInfoLineWidth).substr(row.pos, row.width);
            std::replace(out.begin(), out.end(), '0', ' ');
        }
        return out;
    }
    case Form::TextVersion: {
        std::string marker, line;
        if (!LineAfter(a, InfoKey::HideTextVersion, marker)) return out;
        LineAfter(a, row.heading, line);
        return PadRight(line, kInfoLineWidth)[row.pos] == 'K' ? "KURZ" : "LANG";
    }
    case Form::Columns: {
        std::string line;
        if (LineAfter(lines, row.heading, line))
            out = PadRight(line, kInfoLineWidth).substr(row.pos, row.width);
        if (std::string_view(row.getKey) == "BieterNummer" && out.empty()) out = "999";
        return out;
    }
    }
    return out;
}

} // namespace

int InfoLvRecord(const CAngebotList& list, int index) {
    for (int steps = 0; steps <= list.Count(); ++steps) {
        if (index < 0 || index >= list.Count()) return -1;
        if (TrimRight(list.GetText(index, Fld::Kind)) == "L" || list.GetDouble(index, Fld::RecordId) == 1.0)
            return index;
        index = list.FindRecord(Fld::RecordId, FieldValue(list.GetDouble(index, Fld::ParentId)));
    }
    return -1;
}

std::string GetInfoValue(const CAngebotList& list, int index, std::string_view key,
                         std::string_view currencySetting) {
    const int lv = InfoLvRecord(list, index);
    if (lv < 0) return std::string();
    if (const KeyRow* row = FindKey(key, false)) return GetByRow(list, lv, *row, currencySetting);
    // Any other key: the line after the heading "#<key>:".
    std::vector<std::string> a;
    SplitInfoLines(list.GetText(lv, Fld::InfoText), a);
    std::string out;
    LineAfter(a, "#" + std::string(key) + ":", out);
    return out;
}

void SetInfoValue(CAngebotList& list, int index, std::string_view key, const std::string& value) {
    const int lv = InfoLvRecord(list, index);
    if (lv < 0) return;

    const KeyRow* row = FindKey(key, true);
    const bool bidder = row && (row->side == Side::Bidder || row->side == Side::BidderFirst);
    const std::string heading = row ? std::string(row->heading) : "#" + std::string(key) + ":";
    const Fld field = bidder ? Fld::BidderTexts : Fld::InfoText;
    std::string text = list.GetText(lv, field);
    std::vector<std::string> lines;
    SplitInfoLines(text, lines);

    // A column value replaces its columns in the heading's first line; other values are lines.
    std::vector<std::string> newLines;
    const Form form = row ? row->form : Form::Line;
    const bool columnValue = form == Form::Columns || form == Form::OzKey || form == Form::TextVersion;
    if (columnValue) {
        std::string fitted;
        if (form == Form::Columns) {
            fitted = FitColumnValue(*row, value);
        } else if (form == Form::OzKey) {
            // Written back with "0" for blanks, as reading turns them into blanks.
            fitted = PadRight(SafeSubstr(value, 0, row->width), row->width);
            std::replace(fitted.begin(), fitted.end(), ' ', '0');
        } else {
            fitted = ToUpperAscii(SafeSubstr(value, 0, 1));
            fitted.resize(1, ' ');
        }
        std::string old;
        LineAfter(lines, heading, old);
        newLines.assign(1, ReplaceColumns(old, row->pos, row->width, fitted));
    } else {
        SplitInfoLines(value, newLines);
    }

    const int h = FindLine(lines, heading);
    if (h >= 0) {
        const size_t first = static_cast<size_t>(h) + 1;
        if (form == Form::ProjectLines) {
            size_t end = first;
            while (end < lines.size() && !IsHeading(lines[end]))
                ++end;
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(first),
                        lines.begin() + static_cast<std::ptrdiff_t>(end));
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(first), newLines.begin(),
                         newLines.end());
        } else {
            // Value lines are replaced one by one; a following heading is never overwritten.
            for (size_t i = 0; i < newLines.size(); ++i) {
                const size_t at = first + i;
                if (at < lines.size() && !IsHeading(lines[at]))
                    lines[at] = newLines[i];
                else
                    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), newLines[i]);
            }
        }
        list.SetText(lv, field, JoinLines(lines));
        return;
    }

    if (value.empty() && key != "02" && key != "03") return;
    if (!text.empty() && !(text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)) text += "\r\n";
    text += heading;
    text += "\r\n";
    text += columnValue ? newLines.front() : value;
    list.SetText(lv, field, text);
}
