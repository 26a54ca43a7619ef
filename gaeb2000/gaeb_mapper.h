#pragma once

#include "common/io_result.h"
#include "gaeb2000/gaeb_block_index.h"
#include "gaeb2000/gaeb_tag_tree.h"
#include "model/angebot_list.h"

#include <string>

// Turns the tag tree of a GAEB 2000 file (P83 invitation or P84 bid) into bid records:
// the LV with its information blocks, LV areas, remarks, positions, surcharge positions,
// execution descriptions and sub-descriptions with their texts, quantities, prices and
// flags. Every node that makes a record keeps the record's index (RecordIndex), through
// which the P84 writer later finds the values to write back into the same tree.
//
// Element and item names are compared without regard to case; item values exactly
// ("J" is yes in every yes/no item).
class CGaebMapper {
public:
    CGaebMapper(CAngebotList& list, CGaebTagTree& tree);

    // Maps the nodes from `start` along its siblings, each followed by its children, in
    // file order (nullptr: the whole tree). The list is expected to be empty. Fails on the
    // first number that is not finite or too large, naming its line.
    CIoResult MapTree(CGaebTagNode* start = nullptr);
    // Makes the record of one node when its name is one the mapping knows.
    void MapNode(CGaebTagNode* node);

    // Set when a number text held both ',' and '.' (group separators in the file).
    bool mixedSeparators = false;

    // The steps of MapNode, public so that they can be run on their own.
    void MapLVInfo(CGaebTagNode* lvNode, int r);
    void MapAwardInfo(int r);
    void MapPosition(CGaebTagNode* node, int r);
    void MapSurchargePosition(CGaebTagNode* node, int r);
    void MapExecDescription(CGaebTagNode* node, int r);
    void MapSubDescriptions(CGaebTagNode* posNode, int r);
    // searchMode: the description is the first "Beschreibung" block from `node` on;
    // otherwise `node` itself is the description.
    void MapDescription(CGaebTagNode* node, int r, bool searchMode);
    // Bookmarks of an RTF long text as bracketed supplements: "{\bkmkstart TA01}" gives
    // "[TA01", a bookmark whose name starts with "Feld" gives "[", "{\bkmkend ..}" gives "]".
    static void ConvertBookmarks(std::string& text);
    // Replaces the text supplements "[Tknn[inner]]" of a long text: the client's (kind
    // other than B) by the inner text in quotes, the bidder's by "'...'" with the inner
    // text collected into BidderTexts of record r; SupplementIndex gets "nnk1" for each.
    void ResolveSupplements(std::string& text, int r);
    // The totals of position r by the one price function of the application.
    void RecalcPositionTotals(int r);

private:
    // Item `name` among the direct children of `block`; false when there is none. The
    // view is valid until the item's value changes.
    bool Item(const CGaebTagNode* block, std::string_view name, std::string_view& value) const;
    bool Item(const CGaebTagNode* block, std::string_view name, std::string& value) const;
    bool ItemIs(const CGaebTagNode* block, std::string_view name, std::string_view value) const;
    // Number of an item read loosely (',' as decimal point); 0 when missing.
    double Number(const CGaebTagNode* block, std::string_view name);
    // The value when it is finite and below 10^12; otherwise 0, and the mapping fails.
    double Checked(double value, const CGaebTagNode* item);
    // Integer value of an item (atoi); 0 when missing.
    int Integer(const CGaebTagNode* block, std::string_view name) const;

    std::string FormatOZ(std::string_view raw);
    // Flags of record r padded with blanks to 20 characters.
    std::string PaddedFlags(int r) const;
    // Fields common to every record made from a node; level from the node's depth.
    void SetPlace(int r, double parentId, double recordId, int depth);
    // MapDescription without the long-text post-processing; false when there is no
    // description.
    bool ReadDescription(CGaebTagNode* node, int r, bool searchMode);
    void ApplyPositionFlags(const CGaebTagNode* node, int r, std::string& flags);

    CAngebotList& m_list;
    CGaebTagTree& m_tree;
    CGaebBlockIndex m_blocks;
    CIoResult m_error; // the first refusal of the mapping
};
