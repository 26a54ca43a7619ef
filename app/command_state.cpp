#include "app/command_state.h"

bool IsCommandEnabled(Command command, bool fileOpen, bool helpShown) {
    switch (command) {
    case Command::Open:
    case Command::RecentFile:
        return !helpShown;
    case Command::Save:
    case Command::Calculate:
    case Command::LvInfo:
    case Command::Preview:
    case Command::Print:
        return fileOpen && !helpShown;
    case Command::Help:
    case Command::Exit:
    case Command::About:
        return true;
    }
    return false;
}
