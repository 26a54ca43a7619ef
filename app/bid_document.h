#pragma once

#include "app/settings_store.h"
#include "app/shell.h"
#include "app/undo_stack.h"
#include "common/io_result.h"
#include "model/angebot_list.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The open bid without a window: the record list, the state of the open file and the
// file workflow (open, save, prompt to save). The Qt main window and the command line
// tool both drive it.
class CDisplayTree;
class CGaebTagTree;
class CGaebXmlImport;
class CLvInfoFields;
class CRecentFileList;

// The kind of file that was opened; it selects the writer on save.
enum class OpenType { Project = 0, Gaeb90 = 1, Gaeb2000 = 2, GaebXml = 3 };

class CBidDocument {
public:
    CBidDocument(IShell& shell, CAppSettings& settings);
    ~CBidDocument();

    CAngebotList& List() { return m_list; }
    const CAngebotList& List() const { return m_list; }

    // GAEB DA XML by the extension ".X83"/".X84" (any case) or the root element "GAEB", GAEB
    // 2000 when the first line contains "#begin[GAEB]", else GAEB 90; a file that cannot be
    // read gives the project file type.
    static OpenType DetectGaebType(const std::string& path);
    // Project file by the extension ".ovf" (any case), otherwise DetectGaebType.
    static OpenType TypeForPath(const std::string& path);

    // The filter list of the open dialog: project files, then the GAEB invitations.
    static std::string OpenFilters();
    // The filter list of the save dialog for a bid opened as `type`, and the extension a
    // name typed without one gets ("D84", "P84", "X84", "ovf").
    static std::string SaveFilters(OpenType type);
    static std::string SaveExtension(OpenType type);

    // Reads the file by the open type, sets the title, refills the views and calculates.
    // On failure the list is empty, no file is open and message 61239 was shown.
    bool OpenFile(const std::string& path, OpenType openType);

    // The open command: prompt to save, open dialog, file type by the chosen filter, OpenFile.
    bool OpenCommand(int selectedRecord = -1);
    // Opens a named file (command line, a file dropped on the window): prompt to save,
    // message 61245 when the file does not exist, else OpenFile by TypeForPath. The
    // modified flag is cleared only when the open goes ahead.
    bool OpenPath(const std::string& path, int selectedRecord);
    // Opens recently used file n as OpenPath does; a missing file is removed from the list
    // (and the list saved, onRecentChanged called) before 61245 is shown.
    bool OpenRecent(CRecentFileList& recent, int n, int selectedRecord);
    // "Projekt berechnen": CalcAll with the wait cursor; sets the modified flag. It is no step of
    // the history: it changes only totals, which Undo and Redo compute again afterwards.
    void Calculate();
    // CalcAll with the wait cursor before printing; the views show the new totals, the
    // modified flag stays as it is (printing changes no entry).
    void RecalculateForPrint();
    // The save command: save dialog with bidder and currency, then SaveTo by the open type.
    bool SaveCommand(int selectedRecord);
    // Saves the bid: information blocks of the dialog into the LV record, CalcAll, title and
    // path, the writer by type. On failure a message names the path and the modified flag
    // stays set. `fields` may be null when no dialog took bidder and currency.
    bool SaveTo(const std::string& path, OpenType writerType, CBidderFields* fields);
    // Asks 61219 when modified. False means cancel: also when the user said Yes and then
    // cancelled the save dialog or the save failed, so that nothing typed is lost.
    bool PromptSave(int selectedRecord);

    // The VAT rate the bid files carry: the one rate the positions carry, 0 when none carries
    // one, with several the rate of the largest net share (FindBidVatRate). The totals beside
    // it are those computed from the positions, so rate, net and gross always agree.
    double BidVatRate() const;
    CAppSettings& Settings() { return m_settings; }
    IShell& Shell() { return m_shell; }

    bool IsOpen() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }
    OpenType GetOpenType() const { return m_openType; }
    // Modified: a change that is no step happened since the last save or open (a calculation,
    // values written into the records outside the history), or the history stands elsewhere
    // than at the state of the last save.
    bool IsModified() const { return m_changedOutsideHistory || !m_history.IsClean(); }
    // true: modified until the next save, whatever the history does; false: the records as
    // they are count as saved.
    void SetModified(bool modified);

    // The history of the user's changes. RecordStep runs `change` and keeps what it changed
    // in the records as one step named `name` ("EP 1.1.10"); a change that changed nothing
    // is no step. Inside another recording the change adds to that one. True when a step was
    // added.
    bool RecordStep(const std::string& name, const std::function<void()>& change);
    // Adds a change recorded elsewhere (a dialog's whole session) as one step.
    bool PushStep(const std::string& name, CChangeSet changes);
    // Puts back the records as they were before the last step / after the next undone one,
    // then shows them (onRestored with the records the step touched, after a calculation
    // since the step also onRecalculated). False when there is nothing to undo / redo.
    bool Undo();
    bool Redo();
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    std::string UndoName() const { return m_history.UndoName(); }
    std::string RedoName() const { return m_history.RedoName(); }
    // The name of the step that bidder and currency typed into the save or print dialog make.
    static constexpr const char* kBidderStepName = "Bieter/W\xe4hrung";
    // The name of the step that hands a VAT rate to every position of the LV.
    static constexpr const char* kVatForAllStepName = "MWSt. in alle Positionen";

    // The LV information dialog's changes, each one step that marks the bid modified: the
    // button " In alle Positionen einsetzen" (false when there is no LV or no valid rate;
    // onRecalculated shows every row) and OK (the blocks).
    bool ApplyVatToAll(CLvInfoFields& fields);
    void StoreLvInfo(CLvInfoFields& fields);
    const CUndoStack& History() const { return m_history; }
    double DefaultVat() const { return m_defaultVat; }
    const std::string& ShareTitle1() const { return m_shareTitle1; }
    const std::string& ShareTitle2() const { return m_shareTitle2; }
    // The outcome of the last GAEB DA XML open (reason and line of a failure).

    // Called whenever the list was refilled, so that a view can rebuild itself.
    std::function<void()> onListRefilled;
    // Called after every full calculation, so that a view can show the new totals.
    std::function<void()> onRecalculated;
    // Called when OpenRecent removed a missing file from the recently used files.
    std::function<void()> onRecentChanged;
    // Called with the path after every successful open (recently used files).
    std::function<void(const std::string&)> onOpened;
    // Called by SaveTo before a GAEB bid (D84, P84, X84) is written, once the dialog's bidder
    // and currency are in the records; false stops the save without a message (the records
    // keep what was entered). The window asks its questions here; a project file is saved
    // without it, and the command line tool sets none.
    std::function<bool()> beforeHandIn;
    // Called after Undo and Redo with the records whose fields were put back.
    std::function<void(const std::vector<int>&)> onRestored;
    // Called whenever the history or the modified flag may have changed (menu texts, title).
    std::function<void()> onHistoryChanged;

private:
    CIoResult ReadByType(const std::string& path);
    CIoResult OpenGaeb2000(const std::string& path);
    CIoResult OpenGaebXml(const std::string& path);
    // `tree` is the display tree of the records, built once for the whole save.
    CIoResult WriteByType(const std::string& path, OpenType writerType, const CDisplayTree& tree);
    CIoResult WriteGaebXml(const std::string& path, const CDisplayTree& tree);
    // What the D84 writer reads but the records do not hold yet: the LV names in the LV
    // lines and the bidder just entered.
    void PrepareD84(const CDisplayTree& tree);
    // The message with the path and, as a second paragraph, the reason.
    void ShowMessage(int id, const std::string& path, const CIoResult& reason = CIoResult());
    // OpenPath after the prompt: the existence check and the open.
    bool OpenExisting(const std::string& path, CRecentFileList* recent, int n);
    // CalcAll and onRecalculated. Unless it is the calculation of a fresh open, totals it
    // changed are noted: from then on Undo and Redo calculate again after putting back.
    void Recalculate(bool afterOpen = false, const CDisplayTree* tree = nullptr);
    void RestoreShown(const std::vector<int>& touched);
    // The title: application, file name, and " *" while the bid is modified.
    void UpdateTitle();
    void HistoryChanged();

    IShell& m_shell;
    CAppSettings& m_settings;
    CAngebotList m_list;
    OpenType m_openType = OpenType::Project;
    std::string m_path;
    std::string m_titleName;              // the file name the title shows ("" without a file)
    CUndoStack m_history;                 // the user's changes since the open
    bool m_changedOutsideHistory = false; // a change that is no step since the last save
    bool m_totalsRecalculated = false;    // a calculation changed totals the history does not hold
    double m_defaultVat = 19.0;
    std::string m_shareTitle1;
    std::string m_shareTitle2;
    // The tree of the last GAEB 2000 file, kept because the P84 is written by rewriting it.
    std::unique_ptr<CGaebTagTree> m_tree;
    // The last GAEB DA XML file with its parsed document, kept because the X84 is built from it.
    std::unique_ptr<CGaebXmlImport> m_xml;
    std::optional<std::string> m_savedBidder; // the bidder the save dialog took
    bool m_writerRefused = false;             // the writer refused the bid; its reason is the whole message
};
