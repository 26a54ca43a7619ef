#pragma once

#include "model/angebot_list.h"

#include <string>
#include <string_view>
#include <vector>

// Headings of the information blocks in InfoText (and, for an LV read from GAEB 90, of the
// bidder-side blocks in BidderTexts), Windows-1252.
namespace InfoKey {
inline const char* const Opening = "#ER\xd6"
                                   "FFNUNGSSATZ ZU LEISTUNGSVERZEICHNIS:";
inline const char* const Lv = "#INFORMATION ZU LEISTUNGSVERZEICHNIS:";
inline const char* const Project = "#INFORMATION ZU PROJEKT:";
inline const char* const Client = "#INFORMATION ZU AUFTRAGGEBER:";
inline const char* const Bidder = "#INFORMATION ZU BIETER/AUFTRAGNEHMER:";
inline const char* const Components = "#BEZEICHNUNG DER EINHEITSPREISAUFGLIEDERUNG:";
inline const char* const Assignment = "#ZUORDNUNG LEISTUNGSVERZEICHNIS:";
inline const char* const Currency = "#KENNZEICHEN F\xdcR W\xc4HRUNG:";
inline const char* const HideTextVersion = "#HideTextFassung:";
} // namespace InfoKey

// Splits a text into lines: CR, LF and CR LF end a line, a third break character in a row
// starts an empty line (CR LF CR LF leaves one between two lines), two bare LF count as one.
void SplitInfoLines(std::string_view text, std::vector<std::string>& lines);

// The working copy of one information text (field InfoText of an LV record): an ordered
// list of lines. A block is a key line starting with "#" and ending with ":", followed by
// its value lines up to the next line that starts with "#".
class CInfoBlocks {
public:
    explicit CInfoBlocks(CAngebotList& list) : m_list(list) {}

    // The LV record of a record: the first record upwards with Kind "L" and PosType not "C";
    // from a contract-regulation block ("L"/"C") the walk goes on with its next sibling.
    static int LvRecordOf(const CAngebotList& list, int index);

    // Lines := parsed InfoText of the LV record of `index`; no lines when there is none.
    void LoadFromSelection(int index);
    void ParseLines(const std::string& text);
    // 1 if a line contains the key; value = the block's value lines joined by CR LF.
    int GetBlock(const std::string& key, std::string& value) const;
    // Sets the first value line of the block; appends key and value when the key is missing.
    void SetBlock(const std::string& key, const std::string& value);
    // InfoText of the record (-1: of the record given to LoadFromSelection) := the lines.
    void StoreToRecord(int index);
    // SetBlock in the InfoText of every record at the level of the first record.
    void SetBlockInAllTopLevel(const std::string& key, const std::string& value);
    // The block's value in the InfoText of the first record, line breaks as blanks.
    static void GetBlockOfFirstRecord(const CAngebotList& list, const std::string& key, std::string& value);

    const std::vector<std::string>& Lines() const { return m_lines; }
    std::string Joined() const;
    // The LV record that LoadFromSelection found (-1: none).
    int SelectedLv() const { return m_selectedLv; }
    CAngebotList& List() const { return m_list; }

private:
    CAngebotList& m_list;
    std::vector<std::string> m_lines;
    int m_selectedLv = -1;
};
