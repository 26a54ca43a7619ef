#pragma once

// The commands of the main window and when they can be used.
enum class Command {
    Open,
    Save,
    Calculate,
    LvInfo,
    Preview,
    Print,
    Help,
    RecentFile,
    Exit,
    About,
};

// The three states of the main window: without file, with a file open, help shown. While
// help is shown only Help (and Exit, About) act; without a file only Open, Help and the
// recently used files.
bool IsCommandEnabled(Command command, bool fileOpen, bool helpShown);
