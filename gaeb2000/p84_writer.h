#pragma once

#include "common/io_result.h"
#include "common/number_format.h"
#include "common/safe_file.h"
#include "gaeb2000/gaeb_block_index.h"
#include "gaeb2000/gaeb_tag_tree.h"
#include "model/angebot_list.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Writes the bid as a GAEB 2000 file (P84) by rewriting the tag tree of the opened P83
// (or P84): prices, quantities, area sums, the bidder's supplement texts, the bidder's
// name, the currency and the stamp items (date, time, program, data phase) are put into
// the tree, which is then written node by node, so that every element the application
// does not know passes through unchanged. Values of items the file has are changed in the
// tree; items a block lacks are written after the block's first items without being added
// to it (a save adds no memory per position), so each later save writes them again at
// the same place. Names are written as they were read; items added get the spelling
// "Menge", "EP", ... Texts are Windows-1252 bytes as read.
//
// The tree must have been mapped to the list (CGaebMapper) and the totals calculated.
class CP84Writer {
public:
    CP84Writer(const CAngebotList& list, CGaebTagTree& tree);

    // Writes the file through a temporary file that replaces `path` only when complete.
    // On failure the result names the cause; no exception leaves it.
    CIoResult WriteTagFile(const std::string& path);

    // Fixed date ("dd.mm.yyyy") and time ("hh:mm") for the stamp items instead of the
    // clock; empty texts go back to the clock.
    void SetStampTime(std::string date, std::string time);

    // The VAT rate of the bid, written into the LV information ("USt") beside the LV total.
    double vatRate = 0.0;

    // The steps of WriteTagFile, public so that they can be run on their own.
    void PrepareBidder();
    void WriteTree(CGaebTagNode* start = nullptr);
    void WriteNode(CGaebTagNode* node);
    void WritePositionPrices(CGaebTagNode* node);
    void WriteSurchargePrices(CGaebTagNode* node);
    void WriteBidderTexts(CGaebTagNode* node);
    // The LV's information block: its total ("Summe") and the bid's VAT rate ("USt").
    void WriteLvTotals(CGaebTagNode* info);
    void UpdateStamp(CGaebTagNode* item);

private:
    // Every "Position", "ZuschlPosition" and "LVBereich" block has a record of its kind.
    bool RecordsMatch() const;
    // The item `name` of `block`, added after the block's leading items when missing.
    CGaebTagNode* FindOrAddItem(CGaebTagNode* block, std::string_view name);
    // Sets the item `name` of `block` (the block being written) to `value`; an item the
    // block lacks is written after the block's leading items (WriteAddedItems).
    void SetItem(const CGaebTagNode* block, std::string_view name, std::string value);
    void WriteAddedItems();
    void WriteItem(int indent, std::string_view name, std::string_view value);
    std::string Plain(int r, Fld field, int decimals, bool negate = false);
    // Appends one line: the indentation, the parts and CR LF.
    void Line(int indent, std::initializer_list<std::string_view> parts);
    void CloseLevelsAbove(int32_t depth);

    const CAngebotList& m_list;
    CGaebTagTree& m_tree;
    CGaebBlockIndex m_blocks;
    CNumberFormat m_format;

    // Writer state: lines not yet handed to the file, which takes them in pieces of kPiece bytes.
    static constexpr size_t kPiece = 256 * 1024;
    CReplacingFile* m_file = nullptr;
    std::string m_out;
    int32_t m_openCount = 0;
    // Names of the open blocks by depth (entries of the tree's name table).
    std::vector<const std::string*> m_names;
    int32_t m_blocksWritten = 0;
    int32_t m_itemsWritten = 0;
    bool m_inStlbBau = false;
    // Items the block being written lacks (names are literals), and the node after which
    // they are written.
    struct SAddedItem {
        std::string_view name;
        std::string value;
    };
    std::vector<SAddedItem> m_added;
    const CGaebTagNode* m_addAfter = nullptr;
    std::string m_stampDate;
    std::string m_stampTime;
};
