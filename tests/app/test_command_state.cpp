#include "app/command_state.h"

#include <gtest/gtest.h>

#include <string>

// Which commands act in each state of the window; one line per state, the commands in the
// order Open Save Calculate LvInfo Preview Print ExportPdf Help RecentFile Exit About CheckBid
// NextOpenEntry.
TEST(CommandState, EnablingPerState) {
    const Command commands[] = {Command::Open,         Command::Save,  Command::Calculate, Command::LvInfo,
                                Command::Preview,      Command::Print, Command::ExportPdf, Command::Help,
                                Command::RecentFile,   Command::Exit,  Command::About,     Command::CheckBid,
                                Command::NextOpenEntry};
    struct Case {
        bool fileOpen;
        PaneState panes;
        const char* enabled;
    };
    const Case cases[] = {
        {false, PaneState::Panes, "x......xxxx.."},  {true, PaneState::Panes, "xxxxxxxxxxxxx"},
        {true, PaneState::Help, ".......x.xx.."},    {false, PaneState::Help, ".......x.xx.."},
        {true, PaneState::Preview, ".........xx.."}, // Help too is off while the preview is shown
    };
    for (const Case& c : cases) {
        std::string got;
        for (Command command : commands)
            got += IsCommandEnabled(command, c.fileOpen, c.panes) ? 'x' : '.';
        EXPECT_EQ(got, c.enabled) << c.fileOpen << " " << static_cast<int>(c.panes);
    }
    EXPECT_EQ(IsCommandEnabled(Command::Print, true, true),
              IsCommandEnabled(Command::Print, true, PaneState::Help));
    EXPECT_TRUE(IsCommandEnabled(Command::Print, true, false));
}

// Undo and Redo act only with the panes shown, a file open and a step to take.
TEST(CommandState, UndoAndRedoFollowTheHistory) {
    struct Case {
        bool fileOpen;
        PaneState panes;
        bool canUndo, canRedo;
        const char* enabled; // Undo Redo
    };
    const Case cases[] = {
        {true, PaneState::Panes, true, false, "x."},  {true, PaneState::Panes, false, true, ".x"},
        {true, PaneState::Panes, false, false, ".."}, {true, PaneState::Help, true, true, ".."},
        {true, PaneState::Preview, true, true, ".."}, {false, PaneState::Panes, true, true, ".."},
    };
    for (const Case& c : cases) {
        std::string got;
        for (Command command : {Command::Undo, Command::Redo})
            got += IsHistoryCommandEnabled(command, c.fileOpen, c.panes, c.canUndo, c.canRedo) ? 'x' : '.';
        EXPECT_EQ(got, c.enabled) << c.fileOpen << " " << static_cast<int>(c.panes) << " " << c.canUndo
                                  << c.canRedo;
    }
    EXPECT_TRUE(IsHistoryCommandEnabled(Command::Save, true, PaneState::Panes, false, false));
}
