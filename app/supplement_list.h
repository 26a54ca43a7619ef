#pragma once

#include "model/angebot_list.h"

#include <functional>
#include <string>
#include <vector>

// The keys an open supplement editor hands to the list before it processes them itself.
enum class SupplementKey { Enter, Escape, Tab, ShiftTab, Up, Down };

// What the supplement list needs of the window: its rows and one editor over a cell.
class ISupplementListHost {
public:
    virtual ~ISupplementListHost() = default;
    // The rows of the list changed (filled anew or a text stored); they show Rows().
    virtual void RowsChanged() = 0;
    // The current row changed (-1: none); the list selects it.
    virtual void SelectRow(int row) = 0;
    // Scrolls the cell into view (5 pixels beside it) and shows the editor over it with the
    // text, all of it selected, unchanged, with the keyboard focus; read-only unless editable.
    virtual void ShowEditor(int row, int column, const std::string& text, bool editable) = 0;
    // Hides the editor without taking anything from it.
    virtual void HideEditor() = 0;
    // When the editor's text was changed since it was shown: that text (the change is taken).
    virtual bool TakeEditorText(std::string& text) = 0;
};

// The list of the bidder's text supplements in the memo pane without the window: which rows a
// record shows ("Nummer", "Text"), the in-place editor of a cell and what reaches the record.
//
// A changed text is stored into the record the list shows, whenever the editor closes other
// than by Escape: Enter, Tab and Shift+Tab, Up and Down, a click elsewhere, scrolling, the
// loss of the focus, another record shown and every command. Only Escape discards it. Every
// stored text is one step ("Textergänzung 02 1.1.10") when a recorder is set.
class CSupplementList {
public:
    struct SRow {
        std::string number;
        std::string text; // as stored: a text of several lines keeps its line breaks
    };
    using StepRecorder = std::function<void(const std::string& name, const std::function<void()>& change)>;

    explicit CSupplementList(CAngebotList& list, ISupplementListHost* host = nullptr);

    // Called with every stored change (the document is modified, the long text shows it).
    std::function<void()> onStored;
    // Every store runs inside it, see the class comment.
    StepRecorder recordStep;

    // A pending entry is stored into the record shown so far; then the record becomes current
    // and the list shows its bidder supplements: one row per bidder entry of the directory
    // (when Flags has 'X' at position 8), numbered, with the entry's bidder text.
    void ShowSupplements(int record);
    // The rows are about to go with their records (another file): the editor goes unstored.
    void Reset();
    int Record() const { return m_record; }
    const std::vector<SRow>& Rows() const { return m_rows; }
    int CurrentRow() const { return m_row; }
    int CurrentColumn() const { return m_column; }
    bool IsEditing() const { return m_open; }

    // The list selected another row (keys, a click).
    void SetCurrentRow(int row);
    // The texts of all rows into BidderTexts of the current record, each in apostrophes on a
    // line of its own.
    void StoreBidderTexts();

    // Opens the editor over the current row's cell: column 1 editable, column 0 read-only.
    void StartCellEdit(int column);
    // Closes the editor; a changed text is stored when `store` is set.
    void EndCellEdit(bool store);
    // A click on a cell (row -1: outside the rows): the row becomes current and its editor opens.
    void OnCellClicked(int row, int column);
    // A key of the open editor; true when it is the list's.
    bool OnEditorKey(SupplementKey key);
    // F2 or Enter on the selected row: the editor of the text.
    bool OnListKey();
    // A click outside the editor, scrolling, a command.
    void CommitPending() { EndCellEdit(true); }
    // The editor lost the keyboard focus (not by the list's own doing): CommitPending.
    void OnEditorFocusLost();

    // A text as the list shows it: line breaks and tabs as blanks.
    static std::string DisplayText(const std::string& text);
    // The name of the step of a stored text: "Textergänzung 02 1.1.10".
    static std::string StepName(const std::string& number, const std::string& oz);

private:
    // Host calls during which the editor's focus loss is the list's own doing.
    class CBusy;

    CAngebotList& m_list;
    ISupplementListHost* m_host;
    int m_record = -1;
    std::vector<SRow> m_rows;
    int m_row = -1;
    int m_column = 1;
    bool m_open = false;
    int m_busy = 0;
};
