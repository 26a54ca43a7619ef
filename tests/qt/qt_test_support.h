#pragma once

#include "app/qt/check_commands.h"
#include "app/qt/main_window.h"
#include "app/qt/translations.h"
#include "common/number_format.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <deque>
#include <string>
#include <vector>

// The application object of the widget tests (offscreen), with Qt's German texts, German
// number separators and a settings folder of its own, so that no test touches the user's
// settings.
inline QApplication& TestApp() {
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_qt";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv); // lives until the process ends
    }
    static const bool prepared = [] {
        static QTemporaryDir settingsFolder; // removed when the tests end
        const QString folder = settingsFolder.path();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
        InstallGermanTranslations();
        return true;
    }();
    (void)prepared;
    CNumberFormat::SetUserSeparators(",", ".");
    return *qobject_cast<QApplication*>(QCoreApplication::instance());
}

// The main window with the dialogs played from a script, as the tests of the document do:
// messages are recorded and answered, the file dialogs return prepared answers. Title,
// views, menus and settings are the real ones.
class CScriptedFrame : public CMainFrame {
public:
    explicit CScriptedFrame(ISettingsStore* store = nullptr) : CMainFrame(store) {
        // The question before a bid with gaps is printed or saved as GAEB: recorded and
        // answered from gapAnswers ("Trotzdem fortfahren" when none is left).
        CheckCommands().askGaps = [this](const QString& text) {
            gapQuestions.push_back(text);
            if (gapAnswers.empty()) return HandInAnswer::Continue;
            const HandInAnswer a = gapAnswers.front();
            gapAnswers.pop_front();
            return a;
        };
    }

    Answer MessageBox(const std::string& text, const std::string&, Buttons buttons, Icon) override {
        messages.push_back(text);
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (answers.empty()) return Answer::Cancel;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    bool OpenFileDialog(const std::string& filters, std::string& path, int& filterIndex) override {
        lastFilters = filters;
        if (openPath.empty()) return false;
        path = openPath;
        filterIndex = openFilter;
        return true;
    }
    bool SaveFileDialog(const std::string& filters, const std::string& proposedName,
                        const std::string& extension, CBidderFields&, std::string& path) override {
        lastFilters = filters;
        lastProposed = proposedName;
        lastExtension = extension;
        if (savePath.empty()) return false;
        path = savePath;
        return true;
    }

    std::vector<std::string> messages;
    std::deque<Answer> answers;
    std::vector<QString> gapQuestions;
    std::deque<HandInAnswer> gapAnswers;
    std::string openPath;
    int openFilter = 0;
    std::string savePath;
    std::string lastFilters;
    std::string lastProposed;
    std::string lastExtension;
};
