// Text handling of CGaebConverter: the shared text helpers, the keyed information
// values of an LV record, the text records 25, 26 and 28 and the long-text
// post-processing.

#include "common/number_format.h"
#include "common/text_util.h"
#include "gaeb90/gaeb_columns.h"
#include "gaeb90/gaeb_converter.h"
#include "model/info_blocks.h"

#include <algorithm>
#include <cstring>

using gaeb90::Cols;
using gaeb90::ColsTrim;

namespace {

constexpr size_t kInfoLineWidth = 72;
constexpr int kMaxProjectLines = 10;

std::string PadRight(std::string text, size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

// A heading line of an information section ("#...:").
bool IsHeading(const std::string& line) {
    return line.size() > 1 && line[0] == '#';
}

// The first line after the heading; false when the heading is missing or is the last line.
bool LineAfter(const std::vector<std::string>& lines, const std::string& heading, std::string& out) {
    const int h = CGaebConverter::FindLine(lines, heading);
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

// A value at fixed positions of the 00 line ("#ERÖFFNUNGSSATZ...") or of the 01 line
// ("#INFORMATION ZU LEISTUNGSVERZEICHNIS:") of the LV or of the bidder.
struct ColumnKey {
    const char* getKey;
    const char* setKey;
    bool bidder; // BidderTexts instead of InfoText
    bool lvLine; // the 01 line instead of the 00 line
    size_t pos;
    size_t width;
};

const ColumnKey kColumnKeys[] = {
    {"VergabeAG", "VergabeAG", false, false, 11, 15},
    {"DVNrAG", "DVNrAG", false, false, 26, 8},
    {"LVBezeichnung", "LVBezeichnung", false, true, 0, 40},
    {"LVDatum", "LVDatum", false, true, 40, 8},
    {"AbgabeDatum", "AbgabeDatum", false, true, 48, 8},
    {"Abgabezeit", "AbgabeZeit", false, true, 56, 5},
    {"ZuschlagsFrist", "ZuschlagsFrist", false, true, 61, 8},
    {"BieterNummer", "BieterNummer", true, false, 34, 3},
    {"VergabeNrAN", "VergabeNrAN", true, false, 37, 15},
    {"DVNrAN", "DVNrAN", true, false, 52, 8},
};

const ColumnKey* FindColumnKey(const std::string& key, bool forSet) {
    for (const ColumnKey& column : kColumnKeys)
        if (key == (forSet ? column.setKey : column.getKey)) return &column;
    return nullptr;
}

const char* ColumnHeading(const ColumnKey& column) {
    return column.lvLine ? CGaebConverter::kHeadingLv : CGaebConverter::kHeadingOpening;
}

// The value brought to the width of its columns.
std::string FitColumnValue(const ColumnKey& column, std::string value) {
    const std::string key = column.setKey;
    if (key == "BieterNummer" && value.size() < 3) value.insert(0, 3 - value.size(), '0');
    if ((key == "LVDatum" || key == "AbgabeDatum" || key == "ZuschlagsFrist") && value.size() == 10)
        value = value.substr(0, 6) + value.substr(8, 2); // dd.mm.yyyy -> dd.mm.yy
    value.resize(column.width, ' ');
    return value;
}

std::string ReplaceColumns(const std::string& line, size_t pos, size_t width, const std::string& value) {
    const std::string padded = PadRight(line, kInfoLineWidth);
    return padded.substr(0, pos) + value + SafeSubstr(padded, pos + width);
}

const char* const kCurrencyKey = "W\xe4hrung";

} // namespace

void CGaebConverter::SplitLines(std::string_view text, std::vector<std::string>& lines) {
    SplitInfoLines(text, lines);
}

int CGaebConverter::FindLine(const std::vector<std::string>& lines, std::string_view what) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find(what) != std::string::npos) return static_cast<int>(i);
    return -1;
}

void CGaebConverter::GetToken(std::string_view text, std::string& out, std::string_view sep, int n) {
    out.clear();
    if (sep.empty() || n < 0) return;
    std::string_view rest = text;
    for (int i = 0;; ++i) {
        const size_t found = rest.find(sep);
        if (found == std::string_view::npos) return;
        rest = rest.substr(found + sep.size());
        if (i == n) {
            out = std::string(rest.substr(0, rest.find(sep)));
            return;
        }
    }
}

// The LV record that contains the current record: up the parents until a record of kind
// "L" or the record with id 1. -1 when the chain breaks off.
int CGaebConverter::FindLvRecord() const {
    int index = currentIndex;
    for (int steps = 0; steps <= m_list.Count(); ++steps) {
        if (index < 0 || index >= m_list.Count()) return -1;
        if (TrimRight(m_list.GetText(index, Fld::Kind)) == "L" ||
            m_list.GetDouble(index, Fld::RecordId) == 1.0)
            return index;
        index = m_list.FindRecord(Fld::RecordId, FieldValue(m_list.GetDouble(index, Fld::ParentId)));
    }
    return -1;
}

void CGaebConverter::GetInfoValue(const std::string& key, std::string& out) {
    out.clear();
    const int lv = FindLvRecord();
    if (lv < 0) return;
    std::vector<std::string> a, b;
    SplitLines(m_list.GetText(lv, Fld::InfoText), a);
    SplitLines(m_list.GetText(lv, Fld::BidderTexts), b);

    if (key == "00") {
        LineAfter(a, kHeadingOpening, out);
    } else if (key == "01") {
        LineAfter(a, kHeadingLv, out);
    } else if (key == "02" || key == "ProjektInfo") {
        const int h = FindLine(a, kHeadingProject);
        if (h < 0) return;
        int taken = 0;
        for (size_t i = static_cast<size_t>(h) + 1; i < a.size() && taken < kMaxProjectLines; ++i) {
            if (IsHeading(a[i])) break;
            if (a[i].empty()) continue;
            if (taken++ > 0) out += "\r\n";
            out += a[i];
        }
    } else if (key == "03") {
        LineAfter(a, kHeadingClient, out);
    } else if (key == "04") {
        if (!LineAfter(b, kHeadingBidder, out)) LineAfter(a, kHeadingBidder, out);
    } else if (key == "06") {
        LineAfter(a, kHeadingComponents, out);
    } else if (key == "07") {
        LineAfter(a, kHeadingAssignment, out);
    } else if (key == "08" || key == kCurrencyKey) {
        out = currencySetting.empty() ? "EUR" : currencySetting;
    } else if (key == "OZSchluessel") {
        GetInfoValue("OZ14Schluessel", out);
        if (!out.empty()) return;
        std::string line;
        if (LineAfter(a, kHeadingOpening, line)) {
            out = PadRight(line, kInfoLineWidth).substr(60, 9);
            std::replace(out.begin(), out.end(), '0', ' ');
        }
    } else if (key == "TextFassung") {
        std::string marker, line;
        if (LineAfter(a, kHeadingHideTextVersion, marker)) {
            LineAfter(a, kHeadingOpening, line);
            out = PadRight(line, kInfoLineWidth)[10] == 'K' ? "KURZ" : "LANG";
        }
    } else if (const ColumnKey* column = FindColumnKey(key, false)) {
        std::string line;
        if (LineAfter(column->bidder ? b : a, ColumnHeading(*column), line))
            out = PadRight(line, kInfoLineWidth).substr(column->pos, column->width);
        if (key == "BieterNummer" && out.empty()) out = "999";
    } else if (key == "BieterW") {
        LineAfter(b, kHeadingCurrency, out);
    } else {
        LineAfter(a, "#" + key + ":", out);
    }
}

std::string CGaebConverter::GetInfoValue(const std::string& key) {
    std::string out;
    GetInfoValue(key, out);
    return out;
}

void CGaebConverter::SetInfoValue(const std::string& key, const std::string& value) {
    const int lv = FindLvRecord();
    if (lv < 0) return;

    bool bidder = false;
    std::string heading;
    std::vector<std::string> newLines;
    bool wholeSection = false;
    bool columnValue = false;
    // Positions in the 00 line that are not in the key table's column rows: the OZ key
    // (written back with "0" for blanks, as the read turns them into blanks) and the
    // text version letter.
    size_t linePos = 0, lineWidth = 0;
    std::string lineValue;

    const ColumnKey* column = FindColumnKey(key, true);
    if (column) {
        bidder = column->bidder;
        heading = ColumnHeading(*column);
        linePos = column->pos;
        lineWidth = column->width;
        lineValue = FitColumnValue(*column, value);
        columnValue = true;
    } else if (key == "OZSchluessel") {
        heading = kHeadingOpening;
        linePos = 60;
        lineWidth = 9;
        lineValue = PadRight(SafeSubstr(value, 0, 9), 9);
        std::replace(lineValue.begin(), lineValue.end(), ' ', '0');
        columnValue = true;
    } else if (key == "TextFassung") {
        heading = kHeadingOpening;
        linePos = 10;
        lineWidth = 1;
        lineValue = ToUpperAscii(SafeSubstr(value, 0, 1));
        lineValue.resize(1, ' ');
        columnValue = true;
    } else {
        if (key == "00")
            heading = kHeadingOpening;
        else if (key == "01")
            heading = kHeadingLv;
        else if (key == "02" || key == "ProjektInfo") {
            heading = kHeadingProject;
            wholeSection = true;
        } else if (key == "03")
            heading = kHeadingClient;
        else if (key == "04") {
            heading = kHeadingBidder;
            bidder = true;
        } else if (key == "06")
            heading = kHeadingComponents;
        else if (key == "07")
            heading = kHeadingAssignment;
        else if (key == "08" || key == kCurrencyKey)
            heading = kHeadingCurrency;
        else if (key == "BieterW") {
            heading = kHeadingCurrency;
            bidder = true;
        } else
            heading = "#" + key + ":";
        SplitLines(value, newLines);
    }

    const Fld field = bidder ? Fld::BidderTexts : Fld::InfoText;
    std::string text = m_list.GetText(lv, field);
    std::vector<std::string> lines;
    SplitLines(text, lines);
    const int h = FindLine(lines, heading);

    if (columnValue) {
        std::string old;
        LineAfter(lines, heading, old);
        newLines.assign(1, ReplaceColumns(old, linePos, lineWidth, lineValue));
    }

    if (h >= 0) {
        const size_t first = static_cast<size_t>(h) + 1;
        if (wholeSection) {
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
        m_list.SetText(lv, field, JoinLines(lines));
        return;
    }

    if (value.empty() && key != "02" && key != "03") return;
    if (!text.empty() && !(text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)) text += "\r\n";
    text += heading;
    text += "\r\n";
    text += columnValue ? newLines.front() : value;
    m_list.SetText(lv, field, text);
}

// Short-text line: appended to the short text; its code (columns 73-74) is noted in the
// short-text index.
void CGaebConverter::OnRecord25(const std::string& line) {
    if (!HasCurrent()) return;
    const std::string code = Cols(line, 73, 74);
    std::string index = m_list.GetText(currentIndex, Fld::ShortTextIndex);
    if (index.find(code) == std::string::npos) {
        index = Trim(index);
        const size_t k = (index.size() / 6 + 1) * 6;
        index = PadRight(index, k + 5);
        m_list.SetText(currentIndex, Fld::ShortTextIndex,
                       index.substr(0, k + 1) + code + " 1" + index.substr(k + 5));
    }
    const std::string text = Cols(line, 3, 72);
    const std::string shortText = m_list.GetText(currentIndex, Fld::ShortText);
    m_list.SetText(currentIndex, Fld::ShortText, shortText.empty() ? text : Trim(shortText) + " " + text);
}

// Long-text line: joined to the collected long text. A text supplement (code in
// columns 3-5) whose first line holds no apostrophe continues on the same line.
void CGaebConverter::OnRecord26(const std::string& line) {
    const std::string code = ColsTrim(line, 3, 5);
    if (!code.empty() && HasCurrent()) {
        const std::string supplements = m_list.GetText(currentIndex, Fld::SupplementIndex);
        if (supplements.find(code) == std::string::npos)
            m_list.SetText(currentIndex, Fld::SupplementIndex, Trim(supplements) + code + "1");
    }
    if (code != textKey) textState.clear();
    const std::string text = ColsTrim(line, 6, 60);
    const bool apostrophe = text.find('\'') != std::string::npos;

    std::string separator;
    if (textState.find("Hoch") == std::string::npos) {
        if (!pendingText.empty()) separator = "\r\n";
    } else if (textState == "Hoch") {
        if (!pendingText.empty()) separator = " ";
        textState = apostrophe ? "Hoch2" : "Gesetzt";
    }
    pendingText += separator;
    pendingText += text;

    if (!code.empty() && textState.empty()) textState = apostrophe ? "Drin" : "Hoch";
    textKey = code;
}

// Repeated description: a reference to another position or to an execution description.
void CGaebConverter::OnRecord28(const std::string& line) {
    const std::string text = ColsTrim(line, 3, 57);
    const std::string ref = ColsTrim(line, 58, 66);
    std::string out;
    std::string repeatRef;
    if (!ref.empty()) {
        const std::string stdKey = m_list.GetText(currentIndex, Fld::StdTextKey);
        const std::string refOz = FormatOZ(Cols(line, 58, 66));
        if (ref.size() == 9 && SafeSubstr(stdKey, 5, 3) == "996") {
            m_list.SetText(currentIndex, Fld::SupplementIndex, "11A1");
            out = "Leistung wie Position '&OZNR&',";
        } else {
            out = text + "\r\nwie Pos-Nr. " + TrimRight(refOz) + ", jedoch";
        }
        repeatRef = refOz;
    }
    const std::string execution = ColsTrim(line, 67, 70);
    if (!execution.empty()) {
        out = text + "\r\ngem\xe4\xdf Ausf\xfchrungsbeschreibung " + execution;
        repeatRef = FormatOZ(execution);
    }
    if (!pendingText.empty()) pendingText += "\r\n";
    pendingText += out;
    m_list.SetText(currentIndex, Fld::RepeatRef, repeatRef);
}

void CGaebConverter::PostProcessLongText(int index) {
    if (index < 0 || index >= m_list.Count()) return;
    std::string longText = m_list.GetText(index, Fld::LongText);
    std::string shortText = m_list.GetText(index, Fld::ShortText);
    const std::string flags = m_list.GetText(index, Fld::Flags);
    const std::string supplements = m_list.GetText(index, Fld::SupplementIndex);
    const char stdText = FlagAt(flags, FlagPos::StdText);
    bool changed = false;

    // 1. Standard-text key line: "Stl-Nr" and the key in its printed grouping.
    if (stdText == '1' || stdText == '2') {
        std::string key = PadRight(m_list.GetText(index, Fld::StdTextKey), 16);
        for (size_t pos : {14, 12, 10, 8})
            key.insert(pos, " ");
        key.insert(5, "/");
        key.insert(2, " ");
        key = TrimRight(key);
        if (FlagAt(flags, FlagPos::ClientSupp) == 'X') key += " TA";
        if (FlagAt(flags, FlagPos::BidderSupp) == 'X') key += " TB";
        longText = "Stl-Nr " + key + "\r\n" + longText;
        changed = true;
    }

    // 2. Text supplements: each line behind a TAB, the line that opens a supplement
    // behind its two-digit number.
    if (pendingNote.empty() && !supplements.empty() && (stdText == '1' || stdText == '2' || stdText == ' ')) {
        std::vector<std::string> lines;
        SplitLines(longText, lines);
        std::string rebuilt;
        bool open = false;
        size_t entry = 0;
        for (const std::string& textLine : lines) {
            const auto apostrophes = std::count(textLine.begin(), textLine.end(), '\'');
            std::string code;
            if (!open) {
                if (apostrophes > 0) {
                    code = SafeSubstr(supplements, entry * 4, 2);
                    code.resize(2, ' ');
                    ++entry;
                    open = apostrophes < 2;
                }
            } else if (apostrophes > 0) {
                open = false;
            }
            rebuilt += code + "\t" + textLine + "\r\n";
        }
        longText = rebuilt;
        changed = true;
    }

    // 3. STLB-Bau header from the note lines.
    if (!pendingNote.empty()) {
        std::string source = TrimRight(SafeSubstr(pendingNote, 0, 10));
        if (source.empty()) source = "STLB-Bau";
        std::string t2, t4, t6;
        GetToken(pendingNote, t4, " ", 4);
        GetToken(pendingNote, t2, " ", 2);
        GetToken(pendingNote, t6, " ", 6);
        std::string header = source + " " + t4 + "/" + t2 + " " + t6;
        const std::string_view note = pendingNote;
        bool negativeBm = false, largeBmi = false;
        for (size_t pos = note.find("BM "); pos != std::string_view::npos; pos = note.find("BM ", pos + 1))
            if (CNumberFormat::StringToDouble(note.substr(pos + 3)) < 0.0) negativeBm = true;
        for (size_t pos = note.find("BMI "); pos != std::string_view::npos; pos = note.find("BMI ", pos + 1))
            if (CNumberFormat::StringToDouble(note.substr(pos + 4)) > 10000.0) largeBmi = true;
        if (negativeBm) header += " TA";
        if (largeBmi) header += " TB";
        longText = header + "\r\n" + longText;
        changed = true;
    }

    const std::string kind = TrimRight(m_list.GetText(index, Fld::Kind));
    const std::string subKind = TrimRight(m_list.GetText(index, Fld::SubKind));
    const std::string groupRef = m_list.GetText(index, Fld::GroupRef);

    // 4. Sub-descriptions and blocks read like a supplement with their two-digit number.
    if (kind == "B" && (subKind == "L" || subKind == "B")) {
        std::string w;
        if (!supplements.empty()) {
            w = longText;
        } else {
            if (stdText != '1') w = "\r\n";
            std::vector<std::string> lines;
            SplitLines(longText, lines);
            for (size_t i = 0; i < lines.size(); ++i) {
                if (i > 0) w += "\r\n";
                w += "\t" + lines[i];
            }
        }
        longText = SafeSubstr(groupRef, 0, 2) + w;
        changed = true;
    }

    // 5. Execution descriptions are named by their number.
    if (kind == "B" && subKind == "A") {
        shortText = "Ausf\xfchrungsbeschreibung " + SafeSubstr(groupRef, 0, 4);
        changed = true;
    }

    // 6. Repeated descriptions name the position they repeat.
    const char descRef = FlagAt(flags, FlagPos::DescRef);
    if (descRef == 'W' || descRef == 'A') {
        const std::string ref = TrimRight(m_list.GetText(index, Fld::RepeatRef));
        longText = ReplaceAll(longText, "&OZNR&", ref);
        shortText = ReplaceAll(shortText, "&OZNR&", ref);
        changed = true;
    }

    if (changed) {
        m_list.SetText(index, Fld::LongText, longText);
        m_list.SetText(index, Fld::ShortText, shortText);
    }
}
