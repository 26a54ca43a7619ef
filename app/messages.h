#pragma once

#include <string>

// The application's message texts (Windows-1252); "%1" stands for a file path.
namespace Msg {
constexpr int AskSaveChanges = 61219;
constexpr int AskVatForAll = 61220;
constexpr int AskSurchargeForAll = 61221;
constexpr int CannotOpen = 61239;
constexpr int OzKeyTooLong = 61243;
constexpr int FileMissing = 61245;
constexpr int CannotSave = 61900; // our own: a save that failed

// The text of a message number, "" for an unknown number.
std::string Text(int id);
// The text with every "%1" replaced by the argument.
std::string Format(int id, const std::string& arg);
} // namespace Msg

// The application title shown in the window title and message boxes.
std::string ApplicationTitle();
