#include "ui/date_edit_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

// The text with '|' at the caret.
std::string State(const CDateEditLogic& f) {
    return std::string(f.Text()).insert(static_cast<size_t>(f.Caret()), 1, '|');
}

CDateEditLogic Field(const std::string& text, int caret) {
    CDateEditLogic f;
    f.SetText(text);
    f.SetCaret(caret);
    return f;
}

TEST(DateEditLogic, TypingStepsOverTheDots) {
    CDateEditLogic f;
    EXPECT_EQ(f.Text(), "  .  .    ");
    const char* expected[] = {"3| .  .    ", "31.|  .    ", "31.1| .    ", "31.12.|    ",
                              "31.12.2|   ", "31.12.20|  ", "31.12.202| ", "31.12.2024|"};
    const std::string digits = "31122024";
    for (size_t i = 0; i < digits.size(); ++i) {
        EXPECT_EQ(f.TypeChar(digits[i]), DateInput::Accepted);
        EXPECT_EQ(State(f), expected[i]);
    }
    EXPECT_TRUE(f.IsModified());
    EXPECT_EQ(f.TypeChar('1'), DateInput::Beep); // behind the mask
    EXPECT_EQ(State(f), "31.12.2024|");
}

TEST(DateEditLogic, DigitLimitsPerPosition) {
    struct Case {
        const char* text;
        int caret;
        char c;
        DateInput result;
        const char* after;
    };
    const Case cases[] = {
        {"  .  .    ", 0, '4', DateInput::Dropped, "|  .  .    "}, // no day 4x
        {"  .  .    ", 0, '3', DateInput::Accepted, "3| .  .    "},
        {"3 .  .    ", 1, '2', DateInput::Dropped, "3| .  .    "}, // no day 32
        {"3 .  .    ", 1, '1', DateInput::Accepted, "31.|  .    "},
        {"0 .  .    ", 1, '0', DateInput::Dropped, "0| .  .    "}, // no day 00
        {"2 .  .    ", 1, '9', DateInput::Accepted, "29.|  .    "},
        {"01.  .    ", 3, '2', DateInput::Dropped, "01.|  .    "}, // no month 2x
        {"01.1 .    ", 4, '3', DateInput::Dropped, "01.1| .    "}, // no month 13
        {"01.1 .    ", 4, '2', DateInput::Accepted, "01.12.|    "},
        {"01.0 .    ", 4, '0', DateInput::Dropped, "01.0| .    "}, // no month 00
        {"01.01.    ", 6, '9', DateInput::Accepted, "01.01.9|   "},
        {"01.01.    ", 2, '1', DateInput::Accepted, "01.1|1.    "}, // on a dot: stepped over first
        {"01.01.    ", 1, 'a', DateInput::Beep, "01.01.    "},
        {"01.01.    ", 4, '.', DateInput::Beep, "01.01.    "},
        {"15.03.2024", 0, '2', DateInput::Accepted, "25.03.2024"}, // overwrites
    };
    for (const Case& c : cases) {
        CDateEditLogic f = Field(c.text, c.caret);
        EXPECT_EQ(f.TypeChar(c.c), c.result) << c.text << " + " << c.c;
        const std::string after = c.after;
        EXPECT_EQ(after.find('|') == std::string::npos ? f.Text() : State(f), after)
            << c.text << " + " << c.c;
    }

    CDateEditLogic f = Field("15.03.2024", 0); // a selection collapses to its start
    f.SetSelection(3, 10, 10);
    EXPECT_EQ(f.TypeChar('1'), DateInput::Accepted);
    EXPECT_EQ(State(f), "15.1|3.2024");

    f.SetReadOnly(true);
    EXPECT_EQ(f.TypeChar('0'), DateInput::Dropped);
    f.Backspace();
    f.Delete();
    EXPECT_EQ(f.Text(), "15.13.2024");
}

TEST(DateEditLogic, BackspaceAndDelete) {
    // Before: the text with '|' at the caret or '[' ']' around a selection; key '\b' or '\x7f'.
    const std::tuple<const char*, char, const char*> cases[] = {
        {"15.03|.2024", '\b', "15.0| .2024"},
        {"15.03.|2024", '\b', "15.03.|2024"}, // no dot blanked
        {"|15.03.2024", '\b', "|15.03.2024"},
        {"|15.03.2024", '\x7f', " |5.03.2024"},
        {"15|.03.2024", '\x7f', "15|.03.2024"},
        {"15.03.2024|", '\x7f', "15.03.2024|"},
        {"1[5.03.2]024", '\x7f', "1| .  . 024"},
        {"1[5.03.2]024", '\b', "1| .  . 024"}, // input positions blanked
        {"[15.03.2024]", '\b', "|  .  .    "},
        {"[15.03.2024]", '\x7f', "|  .  .    "}, // the empty date
    };
    for (const auto& [before, key, after] : cases) {
        std::string text;
        int start = -1, caret = 0;
        for (const char* c = before; *c; ++c) {
            if (*c == '|' || *c == ']') caret = static_cast<int>(text.size());
            if (*c == '[') start = static_cast<int>(text.size());
            if (*c != '|' && *c != '[' && *c != ']') text.push_back(*c);
        }
        CDateEditLogic f = Field(text, caret);
        if (start >= 0) f.SetSelection(start, caret, caret);
        key == '\b' ? f.Backspace() : f.Delete();
        EXPECT_EQ(State(f), after) << before << (key == '\b' ? " Backspace" : " Delete");
        EXPECT_EQ(f.IsModified(), f.Text() != text) << before;
    }
}

TEST(DateEditLogic, ValidateDate) {
    struct Case {
        const char* text;
        bool valid;
        const char* after;
    };
    const Case cases[] = {
        {"31.04.2013", false, "31.04.2013"},
        {"29.02.00  ", true, "29.02.2000"},
        {"01.01.61  ", true, "01.01.1961"},
        {"01.01.60  ", true, "01.01.2060"},
        {"  .  .    ", true, "  .  .    "},
        {" 0.0 .0000", true, "  .  .    "},
        {"29.02.1900", false, "29.02.1900"},
        {"29.02.2024", true, "29.02.2024"},
        {"28.02.1900", true, "28.02.1900"},
        {"31.12.99  ", true, "31.12.1999"},
        {"1 .1 .5   ", true, "01.01.2005"},
        {"00.01.2020", false, "00.01.2020"},
        {"01.13.2020", false, "01.13.2020"},
        {"32.01.2020", false, "32.01.2020"},
        {"01.00.2020", false, "01.00.2020"},
        {"01.01.    ", false, "01.01.    "}, // no year: not silently 2000
        {"1.1.20", false, "1.1.20"},         // shorter than 7 characters
    };
    for (const Case& c : cases) {
        CDateEditLogic f = Field(c.text, 0);
        EXPECT_EQ(f.ValidateDate(), c.valid) << c.text;
        EXPECT_EQ(f.Text(), c.after) << c.text;
        EXPECT_EQ(f.IsModified(), c.valid) << c.text;
    }
}

TEST(DateEditLogic, Paste) {
    CDateEditLogic f;
    EXPECT_TRUE(f.Paste(" 1.2.24\r\n"));
    EXPECT_EQ(State(f), "01.02.24|  ");
    EXPECT_TRUE(f.ValidateDate());
    EXPECT_EQ(f.Text(), "01.02.2024");

    f.SetCaret(6); // digits are typed
    EXPECT_TRUE(f.Paste("1999"));
    EXPECT_EQ(State(f), "01.02.1999|");

    f.SetCaret(0); // refused as a whole: 4 cannot begin a day
    EXPECT_FALSE(f.Paste("45"));
    EXPECT_FALSE(f.Paste("Montag"));
    EXPECT_FALSE(f.Paste("1.2.2024x"));
    EXPECT_FALSE(f.Paste("1.2.202"));
    EXPECT_EQ(State(f), "|01.02.1999");
}

} // namespace
