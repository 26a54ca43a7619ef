#pragma once

// The commands of the main window and when they can be used.
enum class Command {
    Open,
    Save,
    Undo,
    Redo,
    Calculate,
    LvInfo,
    Preview,
    Print,
    ExportPdf,
    Help,
    RecentFile,
    Exit,
    About,
    CheckBid,      // "Angebot prüfen"
    NextOpenEntry, // F3 "Nächste offene Eingabe"
};

// What fills the main window below the toolbar.
enum class PaneState {
    Panes,   // the position list above the memo pane
    Help,    // the help view
    Preview, // the print preview
};

// Without a file only Open, Help and the recently used files act (Exit, About always). While
// help or the preview is shown only Exit and About act, and Help (to hide it again) while help
// is shown; the preview is left through its own toolbar. Undo and Redo act besides only when
// the history has a step to take (IsHistoryCommandEnabled).
bool IsCommandEnabled(Command command, bool fileOpen, PaneState panes);
// Undo and Redo: as above, and only with a step to undo (canUndo) or redo (canRedo).
bool IsHistoryCommandEnabled(Command command, bool fileOpen, PaneState panes, bool canUndo, bool canRedo);
// The same with help shown or the panes.
bool IsCommandEnabled(Command command, bool fileOpen, bool helpShown);
