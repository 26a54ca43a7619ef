#pragma once

#include "model/angebot_list.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The text supplements of a record: the places in its long text where the client gave a text or
// the bidder must give one (a make, a material). The directory (SupplementIndex) lists them in
// order as entries of four characters, "nnK1": the number, the owner ('B' bidder, 'A' client)
// and "1". The long text holds each place between two apostrophes; BidderTexts holds the
// bidder's texts in directory order, each in apostrophes on a line of its own ("'...'\r\n").
//
// The memo pane and the printout find the places and the texts by the same rules:
// - A place is found per entry, not by counting apostrophes over the whole text: where the
//   reader marked the line that opens the entry's place with its number ("61\t..."), the
//   search starts there; and an apostrophe between two letters or digits ("R'w 32 dB",
//   "geht's") is part of the wording and never opens or closes a place. So an apostrophe of
//   the wording cannot shift the places after it.
// - BidderTexts is split by lines; a text whose line opens an apostrophe that only a later
//   line closes (a bidder text of several lines, as a D84 holds it) spans those lines.
struct SSupplementEntry {
    std::string number; // the two characters of the number
    char owner = ' ';   // 'B' bidder, 'A' client (another letter counts as not the bidder's)
    bool IsBidders() const { return owner == 'B'; }
};

// The place of entry `entry` in a long text: its opening and closing apostrophe.
struct SSupplementPlace {
    size_t entry = 0;
    size_t open = 0;
    size_t close = 0;
};

// A long text with the bidder's texts put into their places, and where they stand.
struct SMergedLongText {
    struct Mark {
        size_t start = 0;
        size_t length = 0;
        std::string number;
        bool filled = false; // the bidder gave a text (not empty, not missing)
    };
    std::string text;
    std::vector<Mark> marks;
};

class CSupplements {
public:
    // The full entries of a directory (trailing white space removed; an incomplete last entry
    // is ignored).
    static std::vector<SSupplementEntry> Entries(std::string_view supplementIndex);
    // Whether the record lists bidder supplements: Flags has 'X' at position 8.
    static bool HasBidderSupplements(const CAngebotList& list, int record);

    // The texts of BidderTexts without their apostrophes. Bare CR or bare LF count as line
    // breaks when the text has no CR LF; a final line break ends the last text. A line of one
    // character keeps it (a lone apostrophe stays an apostrophe).
    static std::vector<std::string> SplitBidderTexts(std::string_view bidderTexts);
    // Each text in apostrophes on a line of its own.
    static std::string JoinBidderTexts(const std::vector<std::string>& texts);
    // The k-th bidder text of a record (from 0); "" when there is none.
    static std::string BidderText(const CAngebotList& list, int record, size_t k);

    // A text typed into the supplement list as it may be stored: apostrophes (they delimit the
    // texts in BidderTexts, in record 26 of the D84 and in the printout) are left out, line
    // breaks and tabs become blanks, at most kMaxTextLength characters are kept, and of the
    // square brackets only those that pair up (the P84 delimits a supplement with brackets).
    static std::string CleanTypedText(std::string_view text);
    static constexpr size_t kMaxTextLength = 50;

    // Whether the apostrophe at i may open or close a place (it does not stand between two
    // letters or digits). False when text[i] is no apostrophe.
    static bool IsSlotApostrophe(std::string_view text, size_t i);
    // The places of the entries in a long text, in directory order, as far as they are found.
    // With followMarks, the place of an entry is looked for from the line the reader marked
    // with its number on.
    static std::vector<SSupplementPlace> FindSlots(std::string_view longText,
                                                   const std::vector<SSupplementEntry>& entries,
                                                   bool followMarks = true);

    // The long text of a record with the k-th bidder text between the apostrophes of the place
    // of the k-th bidder entry; `missing` gives what stands there when there is no k-th text
    // (and, with emptyIsMissing, when it is empty).
    static SMergedLongText
    MergeBidderTexts(const CAngebotList& list, int record,
                     const std::function<std::string(const std::string& number)>& missing,
                     bool emptyIsMissing);
};
