#pragma once

#include "app/bidder_fields.h"
#include "app/shell.h"

#include <deque>
#include <string>
#include <vector>

// A shell for tests: records every message and title, answers questions from a script
// and plays the file dialogs from prepared answers.
class CScriptedShell : public IShell {
public:
    Answer MessageBox(const std::string& text, const std::string&, Buttons buttons, Icon) override {
        messages.push_back(text);
        if (buttons == Buttons::Ok || answers.empty())
            return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void SetWindowTitle(const std::string& text) override { title = text; }
    bool OpenFileDialog(const std::string& filters, std::string& path, int& filterIndex) override {
        lastFilters = filters;
        if (openPath.empty()) return false;
        path = openPath;
        filterIndex = openFilter;
        return true;
    }
    bool SaveFileDialog(const std::string& filters, const std::string& proposedName, const std::string&,
                        CBidderFields& fields, std::string& path) override {
        lastFilters = filters;
        lastProposed = proposedName;
        ++saveDialogs;
        if (savePath.empty()) return false;
        if (!saveBidder.empty()) fields.SetBidder(saveBidder);
        path = savePath;
        return true;
    }

    std::vector<std::string> messages;
    std::deque<Answer> answers;
    std::string title;
    std::string openPath;
    int openFilter = 0;
    std::string savePath;
    std::string saveBidder;
    std::string lastFilters;
    std::string lastProposed;
    int saveDialogs = 0;
};
