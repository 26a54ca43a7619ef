#include "app/command_state.h"

bool IsCommandEnabled(Command command, bool fileOpen, PaneState panes) {
    const bool panesShown = panes == PaneState::Panes;
    switch (command) {
    case Command::Open:
    case Command::RecentFile:
        return panesShown;
    case Command::Save:
    case Command::Undo:
    case Command::Redo:
    case Command::Calculate:
    case Command::LvInfo:
    case Command::Preview:
    case Command::Print:
    case Command::ExportPdf:
    case Command::CheckBid:
    case Command::NextOpenEntry:
        return fileOpen && panesShown;
    case Command::Help:
        return panes != PaneState::Preview;
    case Command::Exit:
    case Command::About:
        return true;
    }
    return false;
}

bool IsHistoryCommandEnabled(Command command, bool fileOpen, PaneState panes, bool canUndo, bool canRedo) {
    if (!IsCommandEnabled(command, fileOpen, panes)) return false;
    if (command == Command::Undo) return canUndo;
    if (command == Command::Redo) return canRedo;
    return true;
}

bool IsCommandEnabled(Command command, bool fileOpen, bool helpShown) {
    return IsCommandEnabled(command, fileOpen, helpShown ? PaneState::Help : PaneState::Panes);
}
