#pragma once

#include "app/bid_document.h"
#include "app/command_state.h"
#include "app/recent_file_list.h"
#include "app/settings_store.h"
#include "app/shell.h"

#include <QMainWindow>

#include <map>
#include <memory>
#include <optional>
#include <vector>

class CCheckCommands;
class CHtmHelpView;
class CMemoView;
class CPreviewView;
class CPrintCommands;
class CTreeListView;
class QSplitter;
class QStackedWidget;
class QToolBar;

// The single main window: menu "Datei", toolbar and status bar; the position list above
// the memo pane in a splitter, or the help view in their place. It owns the document and
// is its shell: message boxes, file dialogs, title and wait cursor. Window placement, pane
// height, column widths and the recently used files are kept in the settings store.
class CMainFrame : public QMainWindow, public IShell {
    Q_OBJECT
public:
    // `store`: the settings store to use (tests); none: the QSettings of the product.
    explicit CMainFrame(ISettingsStore* store = nullptr, QWidget* parent = nullptr);
    ~CMainFrame() override;

    static QString ApplicationTitle();

    // IShell
    Answer MessageBox(const std::string& text, const std::string& caption, Buttons buttons,
                      Icon icon) override;
    void SetWindowTitle(const std::string& title) override;
    bool OpenFileDialog(const std::string& filters, std::string& path, int& filterIndex) override;
    bool SaveFileDialog(const std::string& filters, const std::string& proposedName,
                        const std::string& defaultExtension, CBidderFields& fields,
                        std::string& path) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

    // The commands of the menu and the toolbar.
    void OnOpen();
    void OnSave();
    void OnCalculate();
    void OnLvInfo();
    void OnPreview();
    void OnPrint();
    void OnExportPdf();
    void OnHelp();
    void OnOpenRecent(int n);
    void OnAbout();
    // "Rückgängig" and "Wiederholen" of the menu "Bearbeiten": the last step of the history.
    void OnUndo();
    void OnRedo();
    // Opens a file named outside the window (command line, a file dropped on the window):
    // prompt to save, 61245 when it is missing, the type by extension and first line.
    void OpenFromOutside(const QString& path);
    // A value typed into the grid and not yet committed is committed (every command, closing
    // the window and a drop first do this, so that no entry is lost or lands in another file).
    void CommitPendingEntry();

    bool IsHelpShown() const { return m_helpView != nullptr; }
    bool IsPreviewShown() const { return m_previewView != nullptr; }
    // Ends the preview and brings the panes back; the status bar says "Bereit".
    void ClosePreview();
    CBidDocument& Document() { return m_document; }
    CAppSettings& Settings() { return m_settings; }
    const CRecentFileList& RecentFiles() const { return m_recent; }
    QAction* Action(Command command) const;
    QMenu* FileMenu() const { return m_fileMenu; }
    QMenu* EditMenu() const { return m_editMenu; }
    CTreeListView* ListView() const { return m_listView; }
    CMemoView* MemoView() const { return m_memoView; }
    CHtmHelpView* HelpView() const { return m_helpView; }
    CPreviewView* PreviewView() const { return m_previewView; }
    CPrintCommands& PrintCommands() { return *m_print; }
    CCheckCommands& CheckCommands() { return *m_check; }
    QSplitter* Splitter() const { return m_splitter; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* AddAction(Command command, const QString& text, const QString& icon, const QString& tip,
                       const QString& statusTip, const QKeySequence& shortcut);
    void CreateActions();
    // Undo and redo: the actions, the menu "Bearbeiten", their toolbar buttons, the link to the
    // document's history, and their texts with the names of the steps.
    void CreateEditActions();
    void CreateEditMenu();
    void AddEditTools(QToolBar* bar);
    void ConnectHistory();
    void UpdateHistoryTexts();
    // After undo or redo: the rows of the records put back show their values again, and the
    // memo pane its record.
    void ShowRestored(const std::vector<int>& records);
    void CreateMenus();
    void CreateToolBar();
    void CreateViews();
    // Entries in the grid and supplement texts in the memo pane: questions through this shell,
    // each entry one step of the document's history.
    void ConnectEditing();
    void RebuildRecentMenu();
    void UpdateCommands();
    void ShowLongText(int record);
    void ApplyPaneSize();
    void RestorePlacement();
    void StorePlacement();
    int SelectedRecord() const;
    // Help or the preview stands in place of the panes.
    bool PanesReplaced() const { return IsHelpShown() || IsPreviewShown(); }
    // The preview in place of the panes, as the help view is shown.
    void ShowPreview();
    // The completeness check: "Angebot prüfen" and F3 in the menu (and the first on the
    // toolbar), the status bar summary kept current, the questions before a GAEB bid is saved.
    void CreateCheckCommands();
    // Before printing and the PDF export: the check's question; false when not to go on.
    bool ConfirmHandIn();

    std::unique_ptr<ISettingsStore> m_ownStore;
    ISettingsStore& m_store;
    CAppSettings m_settings;
    CBidDocument m_document;
    CRecentFileList m_recent;

    std::map<Command, QAction*> m_actions;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QList<QAction*> m_recentActions;
    QAction* m_recentSeparator = nullptr;

    QStackedWidget* m_stack = nullptr;
    QSplitter* m_splitter = nullptr;
    CTreeListView* m_listView = nullptr;
    CMemoView* m_memoView = nullptr;
    CHtmHelpView* m_helpView = nullptr;
    CPreviewView* m_previewView = nullptr;
    std::unique_ptr<CPrintCommands> m_print;
    CCheckCommands* m_check = nullptr; // a child of the window

    std::optional<int32_t> m_storedPane; // "PaneSize" as read at the start
    bool m_paneMovedByUser = false;      // from then on the splitter keeps what the user chose
    bool m_shown = false;                // placement and pane are stored only for a shown window
};
