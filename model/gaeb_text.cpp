#include "model/gaeb_text.h"

#include "common/number_format.h"
#include "common/text_util.h"
#include "model/info_blocks.h"
#include "model/supplements.h"

#include <algorithm>
#include <vector>

std::string FormatOZ(std::string_view raw, std::string_view ozKey) {
    std::string w(raw);
    if (w.size() < 10) w.resize(10, ' ');
    // From the last level down, so that a point does not move the places still to come.
    // Levels are the digits 1 to 8; "0" marks unused places of the key (1122PPPP0) and
    // gets no point: it lies behind the levels and would be looked up after their points
    // have shifted the text.
    for (int d = 8; d >= 1; --d) {
        size_t p;
        if (d == 8) {
            // The index place: the point would follow the ninth character.
            if (ozKey.size() <= 8 || ozKey[8] != 'I') continue;
            p = 8;
        } else {
            p = ozKey.rfind(static_cast<char>('0' + d));
            if (p == std::string_view::npos) continue;
        }
        if (p + 1 < w.size() && w[p + 1] != ' ') w.insert(p + 1, 1, '.');
    }
    return w;
}

void PostProcessLongText(CAngebotList& list, int index, std::string_view note) {
    if (index < 0 || index >= list.Count()) return;
    std::string longText = list.GetText(index, Fld::LongText);
    std::string shortText = list.GetText(index, Fld::ShortText);
    const std::string flags = list.GetText(index, Fld::Flags);
    const std::string supplements = list.GetText(index, Fld::SupplementIndex);
    const char stdText = FlagAt(flags, FlagPos::StdText);
    bool changed = false;

    // 1. Standard-text key line: "Stl-Nr" and the key in its printed grouping.
    if (stdText == '1' || stdText == '2') {
        std::string key = PadRight(list.GetText(index, Fld::StdTextKey), 16);
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
    if (note.empty() && !supplements.empty() && (stdText == '1' || stdText == '2' || stdText == ' ')) {
        // The places found by the rule of the memo pane and the printout (so that an
        // apostrophe of the wording, "R'w", takes no entry); a line is marked with the number
        // of the first place that opens on it. Places beyond the directory get a blank mark.
        std::vector<std::string> lines;
        SplitInfoLines(longText, lines);
        std::string joined;
        std::vector<size_t> lineStarts;
        for (const std::string& textLine : lines) {
            lineStarts.push_back(joined.size());
            joined += textLine + "\n";
        }
        std::vector<SSupplementEntry> entries;
        for (size_t e = 0; e < static_cast<size_t>(std::count(joined.begin(), joined.end(), '\'')); ++e) {
            std::string number = SafeSubstr(supplements, e * 4, 2);
            number.resize(2, ' ');
            entries.push_back({number, ' '});
        }
        std::vector<std::string> codes(lines.size());
        size_t line = 0;
        for (const SSupplementPlace& slot : CSupplements::FindSlots(joined, entries, false)) {
            while (line + 1 < lineStarts.size() && lineStarts[line + 1] <= slot.open)
                ++line;
            if (codes[line].empty()) codes[line] = entries[slot.entry].number;
        }
        std::string rebuilt;
        for (size_t i = 0; i < lines.size(); ++i)
            rebuilt += codes[i] + "\t" + lines[i] + "\r\n";
        longText = rebuilt;
        changed = true;
    }

    // 3. STLB-Bau header from the note lines.
    if (!note.empty()) {
        std::string source = TrimRight(SafeSubstr(note, 0, 10));
        if (source.empty()) source = "STLB-Bau";
        std::string header = source + " " + GetToken(note, " ", 4) + "/" + GetToken(note, " ", 2) + " " +
                             GetToken(note, " ", 6);
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

    const std::string kind = TrimRight(list.GetText(index, Fld::Kind));
    const std::string subKind = TrimRight(list.GetText(index, Fld::SubKind));
    const std::string groupRef = list.GetText(index, Fld::GroupRef);

    // 4. Sub-descriptions and blocks read like a supplement with their two-digit number.
    if (kind == "B" && (subKind == "L" || subKind == "B")) {
        std::string w;
        if (!supplements.empty()) {
            w = longText;
        } else {
            if (stdText != '1') w = "\r\n";
            std::vector<std::string> lines;
            SplitInfoLines(longText, lines);
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
        const std::string ref = TrimRight(list.GetText(index, Fld::RepeatRef));
        longText = ReplaceAll(longText, "&OZNR&", ref);
        shortText = ReplaceAll(shortText, "&OZNR&", ref);
        changed = true;
    }

    if (changed) {
        list.SetText(index, Fld::LongText, longText);
        list.SetText(index, Fld::ShortText, shortText);
    }
}
