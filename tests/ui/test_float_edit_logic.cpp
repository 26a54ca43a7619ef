#include "ui/float_edit_logic.h"

#include <gtest/gtest.h>
#include <optional>

#include <string>

namespace {

// A state is written as the text with '|' at the caret or '[' ']' around a selection (caret at ']').
std::string State(const CFloatEditLogic& f) {
    std::string s = f.Text();
    if (!f.HasSelection()) return s.insert(static_cast<size_t>(f.Caret()), 1, '|');
    s.insert(static_cast<size_t>(f.SelectionEnd()), 1, ']');
    return s.insert(static_cast<size_t>(f.SelectionStart()), 1, '[');
}

std::string Unmarked(std::string state) {
    std::erase_if(state, [](char c) { return c == '|' || c == '[' || c == ']'; });
    return state;
}

// Keys: '\b' is Backspace, '\x7f' Delete, everything else a typed character.
void Press(CFloatEditLogic& f, const std::string& keys) {
    for (char c : keys) {
        if (c == '\b')
            f.Backspace();
        else if (c == '\x7f')
            f.Delete();
        else
            f.TypeChar(c);
    }
}

class FloatEditLogicTest : public ::testing::Test {
protected:
    void SetUp() override { CNumberFormat::SetUserSeparators(",", "."); }
    void TearDown() override { CNumberFormat::SetUserSeparators(",", "."); }

    // A focused field showing value, with caret and selection placed as the state says.
    static CFloatEditLogic Focused(double value, const std::string& state, int decimals = 2) {
        CFloatEditLogic f;
        f.SetDecimals(decimals);
        f.SetValue(value);
        f.FocusGained();
        std::string text;
        int start = -1, end = -1, caret = 0;
        for (char c : state) {
            if (c == '|')
                caret = static_cast<int>(text.size());
            else if (c == '[')
                start = static_cast<int>(text.size());
            else if (c == ']')
                end = caret = static_cast<int>(text.size());
            else
                text.push_back(c);
        }
        EXPECT_EQ(f.Text(), text) << "state " << state;
        if (start >= 0)
            f.SetSelection(start, end, caret);
        else
            f.SetCaret(caret);
        f.SetModified(false);
        return f;
    }
};

struct TypingCase {
    const char* name;
    double value;
    const char* before;
    const char* keys;
    const char* after;
    int decimals = 2;
};

TEST_F(FloatEditLogicTest, TypingRules) {
    const TypingCase cases[] = {
        // digits in the integer part are inserted and the text re-grouped, the caret kept
        {"digit before the decimal separator", 123, "123|,00", "4", "1.234|,00"},
        {"digit in front", 1234, "|1.234,00", "5", "5|1.234,00"},
        {"digit before a separator steps over it", 1234, "1|.234,00", "5", "15.|234,00"},
        {"digit behind the sign", -12, "|-12,00", "3", "-3|12,00"},
        {"leading zero dropped", 5, "|5,00", "0", "|5,00"},
        {"zero into an empty integer part", 0.5, "|,50", "0", "0|,50"},
        {"below the limit", 99999999999.0, "99.999.999.999|,00", "9", "999.999.999.999|,00"},
        {"limit reached: refused", 999999999999.0, "999.999.999.999|,00", "9", "999.999.999.999|,00"},
        {"limit with the fraction", 99999999999.99, "99.999.999.999|,99", "9", "999.999.999.999|,99"},
        // digits in the fraction overwrite
        {"fraction digit overwrites", 1.25, "1,|25", "7", "1,7|5"},
        {"fraction digit at the end", 1.25, "1,25|", "7", "1,25|"},
        // the decimal separator
        {"decimal separator cuts the integer digits", 1234.56, "1.2|34,56", ",", "12,|56"},
        {"decimal separator in the fraction", 12.56, "12,5|6", ",", "12,|56"},
        {"decimal separator in an empty integer part", 0.5, "|,50", ",", ",|50"},
        {"decimal separator without decimals", 1234, "1.2|34", ",", "12|", 0},
        {"other characters ignored", 12, "12|,00", "a.x ", "12|,00"},
        // sign
        {"minus puts a sign in front", 12, "12|,00", "-", "-12|,00"},
        {"minus again removes it", -12, "-12|,00", "-", "12|,00"},
        {"plus removes the sign", -12, "-12|,00", "+", "12|,00"},
        {"plus on a positive number", 12, "12|,00", "+", "12|,00"},
        // Backspace
        {"Backspace in the fraction keeps the decimals", 1.25, "1,25|", "\b", "1,2|0"},
        {"Backspace in the middle of the fraction", 1.25, "1,2|5", "\b", "1,|50"},
        {"Backspace in the integer part", 1234, "1.23|4,00", "\b", "12|4,00"},
        {"Backspace after a thousands separator", 1234, "1.|234,00", "\b", "|234,00"},
        {"Backspace steps over the decimal separator", 12, "12,|00", "\b", "1|,00"},
        {"Backspace of the sign", -12, "-|12,00", "\b", "|12,00"},
        {"Backspace at the start", 12, "|12,00", "\b", "|12,00"},
        // Delete
        {"Delete in the integer part", 1234, "|1.234,00", "\x7f", "|234,00"},
        {"Delete at a thousands separator", 1234, "1|.234,00", "\x7f", "1|34,00"},
        {"Delete steps over the decimal separator", 12.5, "12|,50", "\x7f", "12,|00"},
        {"Delete in the fraction keeps the decimals", 12.5, "12,|50", "\x7f", "12,|00"},
        {"Delete at the end", 12.5, "12,50|", "\x7f", "12,50|"},
        // selections are removed first
        {"whole text replaced", 1234, "[1.234,00]", "5", "5|,00"},
        {"selection from the start, Delete", 1234, "[1.2]34,00", "\x7f", "|34,00"},
        {"thousands separator after the selection goes too", 1234, "[1].234,00", "\x7f", "|234,00"},
        {"typing into a selection keeps the place", 1234, "1.[23]4,00", "9", "19|4,00"},
        {"removed decimal separator restored", 12.5, "12[,5]0", "7", "1.27|0,00"},
        {"whole text deleted", 1234, "[1.234,0]0", "\x7f", "|,00"},
        {"Backspace removes only the selection", 1234.56, "1.234,[5]6", "\b", "1.234,|60"},
        {"whole text deleted, empty text re-formatted", 1234, "[1.234,00]", "\x7f", "|,00"},
        {"empty text re-formatted", 1234, "[1.234]", "\x7f", "0|", 0},
        {"selection inside removed by Delete is re-formatted", 1234, "1.2[3]4,00", "\x7f", "12|4,00"},
        {"selection removed by Delete is not re-formatted", 10.5, "[1]0,50", "\x7f", "|0,50"},
        {"selection removed by Backspace is re-formatted", 10.5, "[1]0,50", "\b", "|,50"},
        {"selection removed by minus is re-formatted", 10.5, "[1]0,50", "-", "-|,50"},
        {"selection and an ignored character", 12.5, "[12],50", "x", "[12],50"},
    };
    for (const TypingCase& c : cases) {
        CFloatEditLogic f = Focused(c.value, c.before, c.decimals);
        Press(f, c.keys);
        EXPECT_EQ(State(f), c.after) << c.name;
        // The value follows the text; only a changed text counts as a change.
        EXPECT_DOUBLE_EQ(f.GetValue(), f.TextValue()) << c.name;
        EXPECT_EQ(f.IsModified(), Unmarked(c.after) != Unmarked(c.before)) << c.name;
    }
}

} // namespace
