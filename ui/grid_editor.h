#pragma once

#include "ui/cell_rules.h"
#include "ui/grid.h"

#include <functional>
#include <string>
#include <vector>

// The keys an open in-place editor hands to the grid before it processes them itself.
enum class EditorKey { Tab, ShiftTab, Enter, Down, Up, Escape };

// The editor the grid opens over a cell.
struct SCellEditorSpec {
    IGrid::Row row = IGrid::kNoRow;
    int column = -1;
    bool numeric = false; // the numeric editor with `decimals`, else the text editor
    int decimals = 0;
    bool readOnly = true;
    double value = 0.0; // the stored number the numeric editor starts from
    std::string text;   // the cell's text, which the text editor shows
};

// What the in-place editing needs of the window: one editor at a time over a cell.
class ICellEditorHost {
public:
    virtual ~ICellEditorHost() = default;
    // Makes the cell visible (5 pixels beside it), shows the editor over it with the keyboard
    // focus and its whole text selected, unchanged.
    virtual void ShowEditor(const SCellEditorSpec& spec) = 0;
    // Hides the editor without taking anything from it; the grid keeps the focus.
    virtual void HideEditor() = 0;
    // When the editor's text was changed since it was shown: that text, and the change is
    // taken (a second call gives false).
    virtual bool TakeEntry(std::string& text) = 0;
    // Types the characters into the open editor as keys would.
    virtual void TypeIntoEditor(const std::string& keys) = 0;
};

// The life of the grid's in-place editor without a window: which cell a click, a key or a
// command opens, what reaches the cell rules when it closes, and where the keys move it.
//
// Opening an editor shows the cell's stored number; leaving it without typing commits nothing.
// A changed entry is committed whenever the editor closes: by Tab, Enter, Down, Up, Escape
// (which keeps the typed value), by focus loss, and when scrolling, a click elsewhere, a
// header press or a command hides it. It is committed to the row it was opened on, once.
//
// Keyboard pricing: F2 or Enter on a selected row (and a digit typed on it) opens the first
// editable cell of EP, Sonstiges, Menge, % Zu/Abschlag, % MWSt.; with an editor open, Enter
// and Down (Up backwards) go to the next row whose cell in the same column is editable,
// passing over rows where it is read-only.
class CGridEditor {
public:
    using Row = IGrid::Row;

    CGridEditor(IGrid& grid, CCellRules& rules, ICellEditorHost& host);

    // Called after every entry that changed records (the document is modified).
    std::function<void()> onEntryCommitted;
    // When set, every entry runs inside it with its name (the column's title and the row's
    // position number, "EP 1.1.10"), so that an undo history can keep it as one step.
    std::function<void(const std::string& name, const std::function<void()>& entry)> recordEntry;

    // The name of an entry in a cell: the column's title and the row's trimmed position
    // number, or its short text when it has none.
    static std::string EntryName(const IGrid& grid, Row row, int column);

    bool IsOpen() const { return m_open; }
    Row EditRow() const { return m_row; }
    // The column of the last editor opened (-1 before the first).
    int EditColumn() const { return m_column; }

    // Opens the editor of `column` (1 and up) on the selected row, read-only where the rules say so.
    void StartEdit(int column);
    // Commits a changed entry and hides the editor; true when records changed.
    bool CommitEdit();
    // Scrolling, a click elsewhere, a header press, a command: the same as CommitEdit.
    void HideEditors() { CommitEdit(); }
    // The rows are about to be rebuilt: the editor goes without committing.
    void Discard();

    // A key of the open editor; true when it is the grid's (the editor does not see it then).
    bool OnEditorKey(EditorKey key);
    // The editor lost the keyboard focus (not by the grid's own doing): CommitEdit.
    void OnEditorFocusLost();
    // A left button press on the tree: on `row` (kNoRow: on no row) in `column` (-1: on a
    // border or beside the columns). The editor closes, the row is selected and the editor
    // of the column opens.
    void OnLeftButtonDown(Row row, int column);
    // F2 or Enter on the tree: the first editable cell of the selected row; false when none.
    bool OpenFirstEditable();
    // A character typed on the tree: a digit opens the first editable cell with it typed.
    bool TypeOnRow(char c);

    // The first editable column of a row in the order EP, Sonstiges, Menge, % Zu/Abschlag,
    // % MWSt.; -1 when none.
    int FirstEditableColumn(Row row) const;
    // The next visible row after `row` (or before it, for `up`) whose cell in `column` is
    // editable; kNoRow when none.
    Row NextEditableRow(Row row, int column, bool up) const;

    // The column under x: the first whose left < x < right (strictly, so that a border belongs
    // to no column), with the columns' widths laid side by side from `left`; -1 for none.
    static int ColumnAt(const std::vector<int>& widths, int left, int x);

private:
    // Host calls during which a focus loss is the grid's own doing.
    class CBusy;

    IGrid& m_grid;
    CCellRules& m_rules;
    ICellEditorHost& m_host;
    bool m_open = false;
    Row m_row = IGrid::kNoRow;
    int m_column = -1;
    int m_busy = 0;
};
