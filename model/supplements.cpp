#include "model/supplements.h"

#include "common/text_util.h"

namespace {

// Letters and digits of Windows-1252: an apostrophe between two of them belongs to a word.
bool IsWordChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z')) return true;
    if (u >= 0xC0) return u != 0xD7 && u != 0xF7; // accented letters, but not the signs x and /
    switch (u) {
    case 0x8A: // S and s with caron, OE, oe, Z and z with caron, Y with diaeresis
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
    case 0xAA: // the ordinal indicators and micro
    case 0xB5:
    case 0xBA:
        return true;
    default:
        return false;
    }
}

// A character a text stands close to a doubled apostrophe with: no blank, break or apostrophe.
bool IsTextChar(char c) {
    return c != '\'' && !IsSpace(c);
}

size_t NextSlotApostrophe(std::string_view text, size_t from) {
    for (size_t i = text.find('\'', from); i != std::string_view::npos; i = text.find('\'', i + 1))
        if (CSupplements::IsSlotApostrophe(text, i)) return i;
    return std::string_view::npos;
}

// The start of the first line at or after `from` that begins with the number and a tab, as the
// readers mark the line that opens a supplement; npos when there is none.
size_t FindMarkedLine(std::string_view text, const std::string& number, size_t from) {
    if (number.size() != 2 || Trim(number).empty()) return std::string_view::npos;
    const std::string marker = number + "\t";
    for (size_t at = text.find(marker, from); at != std::string_view::npos; at = text.find(marker, at + 1))
        if (at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r') return at;
    return std::string_view::npos;
}

std::string Unquoted(std::string_view text) {
    if (text.size() > 1) {
        if (text.front() == '\'') text.remove_prefix(1);
        if (!text.empty() && text.back() == '\'') text.remove_suffix(1);
    }
    return std::string(text);
}

std::string ReplaceChar(std::string_view text, char from, const char* to) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == from)
            out += to;
        else
            out += c;
    }
    return out;
}

} // namespace

std::vector<SSupplementEntry> CSupplements::Entries(std::string_view supplementIndex) {
    const std::string directory = TrimRight(supplementIndex);
    std::vector<SSupplementEntry> entries;
    for (size_t e = 0; e + 4 <= directory.size(); e += 4)
        entries.push_back({directory.substr(e, 2), directory[e + 2]});
    return entries;
}

bool CSupplements::HasBidderSupplements(const CAngebotList& list, int record) {
    if (record < 0 || record >= list.Count()) return false;
    const std::string flags = list.GetText(record, Fld::Flags);
    return flags.size() >= 9 && FlagAt(flags, FlagPos::BidderSupp) == 'X';
}

std::vector<std::string> CSupplements::SplitBidderTexts(std::string_view bidderTexts) {
    std::vector<std::string> texts;
    if (bidderTexts.empty()) return texts;
    std::string t(bidderTexts);
    if (t.find("\r\n") == std::string::npos) {
        if (t.find('\r') != std::string::npos)
            t = ReplaceChar(t, '\r', "\r\n");
        else if (t.find('\n') != std::string::npos)
            t = ReplaceChar(t, '\n', "\r\n");
    }
    std::vector<std::string> lines;
    for (size_t start = 0;;) {
        const size_t end = t.find("\r\n", start);
        lines.push_back(t.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    if (lines.size() > 1 && lines.back().empty()) lines.pop_back(); // the break that ends the last text

    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        size_t last = i;
        // A line that opens an apostrophe it does not close: the text goes on up to the line
        // that closes it, unless a line that opens a text of its own comes first.
        if (line.size() > 1 && line.front() == '\'' && line.back() != '\'') {
            for (size_t j = i + 1; j < lines.size(); ++j) {
                if (!lines[j].empty() && lines[j].front() == '\'') break;
                if (!lines[j].empty() && lines[j].back() == '\'') {
                    last = j;
                    break;
                }
            }
        }
        std::string text = line;
        for (size_t j = i + 1; j <= last; ++j)
            text += "\r\n" + lines[j];
        texts.push_back(Unquoted(text));
        i = last;
    }
    return texts;
}

std::string CSupplements::JoinBidderTexts(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts)
        joined += "'" + text + "'\r\n";
    return joined;
}

std::string CSupplements::BidderText(const CAngebotList& list, int record, size_t k) {
    if (record < 0 || record >= list.Count()) return std::string();
    const std::vector<std::string> texts = SplitBidderTexts(list.GetText(record, Fld::BidderTexts));
    return k < texts.size() ? texts[k] : std::string();
}

std::string CSupplements::CleanTypedText(std::string_view text) {
    std::string clean;
    for (size_t i = 0; i < text.size() && clean.size() < kMaxTextLength; ++i) {
        const char c = text[i];
        if (c == '\'') continue;
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue; // CR LF is one blank
        clean += c == '\r' || c == '\n' || c == '\t' ? ' ' : c;
    }
    // A P84 holds a supplement in brackets ("[TB02[text]]"); a text's own brackets are read
    // back whole only in pairs, so a bracket without its partner is left out.
    std::vector<bool> keep(clean.size(), true);
    std::vector<size_t> open;
    for (size_t i = 0; i < clean.size(); ++i) {
        if (clean[i] == '[') {
            open.push_back(i);
        } else if (clean[i] == ']') {
            if (open.empty())
                keep[i] = false;
            else
                open.pop_back();
        }
    }
    for (const size_t i : open)
        keep[i] = false;
    std::string paired;
    for (size_t i = 0; i < clean.size(); ++i)
        if (keep[i]) paired += clean[i];
    return paired;
}

bool CSupplements::IsSlotApostrophe(std::string_view text, size_t i) {
    if (i >= text.size() || text[i] != '\'') return false;
    return !(i > 0 && i + 1 < text.size() && IsWordChar(text[i - 1]) && IsWordChar(text[i + 1]));
}

std::vector<SSupplementPlace> CSupplements::FindSlots(std::string_view longText,
                                                      const std::vector<SSupplementEntry>& entries,
                                                      bool followMarks) {
    std::vector<SSupplementPlace> slots;
    size_t pos = 0;
    for (size_t e = 0; e < entries.size(); ++e) {
        size_t start = pos;
        if (followMarks) {
            const size_t marked = FindMarkedLine(longText, entries[e].number, pos);
            if (marked != std::string_view::npos) start = marked + 3;
        }
        const size_t open = NextSlotApostrophe(longText, start);
        if (open == std::string_view::npos) break;
        if (open + 1 < longText.size() && longText[open + 1] == '\'') {
            // Doubled apostrophes close around a text ("''...''": a file's own apostrophes around
            // a place it also marks otherwise) delimit one place; "''" is an empty place.
            const size_t close = NextSlotApostrophe(longText, open + 2);
            if (open + 2 < longText.size() && IsTextChar(longText[open + 2]) &&
                close != std::string_view::npos && close + 1 < longText.size() &&
                longText[close + 1] == '\'' && IsTextChar(longText[close - 1])) {
                slots.push_back({e, open + 1, close});
                pos = close + 2;
            } else {
                slots.push_back({e, open, open + 1});
                pos = open + 2;
            }
            continue;
        }
        const size_t close = NextSlotApostrophe(longText, open + 1);
        if (close == std::string_view::npos) break;
        slots.push_back({e, open, close});
        pos = close + 1;
    }
    return slots;
}

SMergedLongText CSupplements::MergeBidderTexts(const CAngebotList& list, int record,
                                               const std::function<std::string(const std::string&)>& missing,
                                               bool emptyIsMissing) {
    SMergedLongText merged;
    if (record < 0 || record >= list.Count()) return merged;
    const std::string text = list.GetText(record, Fld::LongText);
    const std::vector<SSupplementEntry> entries = Entries(list.GetText(record, Fld::SupplementIndex));
    // The bidder entry's place among the bidder entries: its text's index in BidderTexts.
    std::vector<size_t> bidderIndex(entries.size(), 0);
    size_t bidders = 0;
    for (size_t e = 0; e < entries.size(); ++e)
        if (entries[e].IsBidders()) bidderIndex[e] = bidders++;
    if (bidders == 0) {
        merged.text = text;
        return merged;
    }
    const std::vector<std::string> texts = SplitBidderTexts(list.GetText(record, Fld::BidderTexts));

    size_t pos = 0;
    for (const SSupplementPlace& slot : FindSlots(text, entries)) {
        const SSupplementEntry& entry = entries[slot.entry];
        if (!entry.IsBidders()) continue;
        const size_t k = bidderIndex[slot.entry];
        const bool given = k < texts.size() && !(emptyIsMissing && texts[k].empty());
        const std::string supplement = given ? texts[k] : (missing ? missing(entry.number) : std::string());
        merged.text.append(text, pos, slot.open + 1 - pos);
        merged.marks.push_back(
            {merged.text.size(), supplement.size(), entry.number, given && !texts[k].empty()});
        merged.text += supplement;
        pos = slot.close;
    }
    merged.text.append(text, pos, std::string::npos);
    return merged;
}
