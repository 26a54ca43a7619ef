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
