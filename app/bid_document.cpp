#include "app/bid_document.h"

#include "app/bidder_fields.h"
#include "app/lv_info_fields.h"
#include "app/messages.h"
#include "app/recent_file_list.h"
#include "common/code_page.h"
#include "common/io_result.h"
#include "common/safe_file.h"
#include "common/text_util.h"
#include "gaeb2000/gaeb_mapper.h"
#include "gaeb2000/gaeb_tag_tree.h"
#include "gaeb2000/p84_writer.h"
#include "gaeb90/gaeb90_writer.h"
#include "gaeb90/gaeb_converter.h"
#include "gaebxml/gaeb_xml_document.h"
#include "gaebxml/gaeb_xml_import.h"
#include "gaebxml/x84_writer.h"
#include "model/bid_vat_rate.h"
#include "model/calculation.h"
#include "model/display_tree.h"
#include "model/info_blocks.h"
#include "model/info_values.h"
#include "model/project_file.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Puts back the recorded changes however the scope ends.
class CPutBack {
public:
    CPutBack(CAngebotList& list, const CChangeSet& changes) : m_list(list), m_changes(changes) {}
    ~CPutBack() { m_changes.Undo(m_list); }
    CPutBack(const CPutBack&) = delete;
    CPutBack& operator=(const CPutBack&) = delete;

private:
    CAngebotList& m_list;
    const CChangeSet& m_changes;
};

} // namespace

CBidDocument::CBidDocument(IShell& shell, CAppSettings& settings) : m_shell(shell), m_settings(settings) {}

CBidDocument::~CBidDocument() = default;

OpenType CBidDocument::DetectGaebType(const std::string& path) {
    if (EndsWithNoCase(path, ".x83") || EndsWithNoCase(path, ".x84")) return OpenType::GaebXml;
    // Only a regular file is looked into: a pipe or device would never end its first line.
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return OpenType::Project;
    std::ifstream in(path, std::ios::binary);
    if (!in) return OpenType::Project;
    // The first line, read in bounded pieces so that a file without line ends costs little.
    std::string line;
    char c;
    while (line.size() < 65536 && in.get(c) && c != '\n')
        line.push_back(c);
    if (line.find("#begin[GAEB]") != std::string::npos) return OpenType::Gaeb2000;
    return CGaebXmlDocument::IsGaebXmlFile(path) ? OpenType::GaebXml : OpenType::Gaeb90;
}

OpenType CBidDocument::TypeForPath(const std::string& path) {
    return EndsWithNoCase(path, ".ovf") ? OpenType::Project : DetectGaebType(path);
}

void CBidDocument::ShowMessage(int id, const std::string& path, const CIoResult& reason) {
    std::string text = Msg::Format(id, Utf8ToCp1252(path));
    if (!reason.Ok() && !reason.Reason().empty()) text += "\r\n\r\n" + reason.Describe();
    m_shell.MessageBox(text, ApplicationTitle(), IShell::Buttons::Ok, IShell::Icon::Warning);
}

CIoResult CBidDocument::ReadByType(const std::string& path) {
    switch (m_openType) {
    case OpenType::Project: {
        std::vector<std::string> notes;
        CIoResult result = LoadRecords(m_list, path, &notes);
        if (!result) return result;
        m_list.LinkDisplayChain();
        if (!notes.empty()) {
            std::string text = "Beim Lesen der Datei wurden Werte nicht \xfc"
                               "bernommen:";
            for (const std::string& note : notes)
                text += "\r\n" + note;
            m_shell.MessageBox(text, "Information", IShell::Buttons::Ok, IShell::Icon::Information);
        }
        return result;
    }
    case OpenType::Gaeb90: {
        CGaebConverter converter(m_list);
        CIoResult result = converter.ReadD83(path);
        if (!result) return result;
        m_list.LinkDisplayChain();
        m_shareTitle1 = converter.Component1Name();
        m_shareTitle2 = converter.Component2Name();
        return result;
    }
    case OpenType::Gaeb2000:
        return OpenGaeb2000(path);
    case OpenType::GaebXml:
        return OpenGaebXml(path);
    }
    return CIoResult::Failure("Unbekannter Dateityp");
}

CIoResult CBidDocument::OpenGaeb2000(const std::string& path) {
    if (!m_tree) m_tree = std::make_unique<CGaebTagTree>();
    // The saved bid beside the invitation is read in its place.
    const std::string bid = FindFileBeside(path, ".P84");
    if (CIoResult read = m_tree->ReadTagFile(bid.empty() ? path : bid); !read) {
        if (bid.empty()) return read;
        return CIoResult::Failure("In der gespeicherten Angebotsabgabe " +
                                      Utf8ToCp1252(fs::path(bid).filename().string()) + ": " + read.Reason(),
                                  read.Line());
    }
    m_list.RemoveAll();
    CGaebMapper mapper(m_list, *m_tree);
    if (CIoResult mapped = mapper.MapTree(); !mapped) {
        m_list.RemoveAll();
        return mapped;
    }
    m_list.LinkDisplayChain();
    m_list.InsertGroupSums();
    m_list.BuildAllLabels();
    CalcAll(m_list);
    if (mapper.mixedSeparators)
        m_shell.MessageBox("GAEB2000-Daten enthalten Gruppentrenner (Tausender-Kennzeichen).", "Information",
                           IShell::Buttons::Ok, IShell::Icon::Information);
    return CIoResult::Success();
}

CIoResult CBidDocument::OpenGaebXml(const std::string& path) {
    if (!m_xml) m_xml = std::make_unique<CGaebXmlImport>();
    CIoResult result = m_xml->Open(path, m_list);
    if (!result) return result;
    m_shareTitle1 = m_xml->shareTitle1;
    m_shareTitle2 = m_xml->shareTitle2;
    return result;
}

bool CBidDocument::OpenFile(const std::string& path, OpenType openType) {
    m_shell.BeginWaitCursor();
    m_openType = openType;
    m_shareTitle1.clear();
    m_shareTitle2.clear();
    m_list.RemoveAll();
    CIoResult result;
    try {
        result = ReadByType(path);
    } catch (const std::exception&) {
        // A reader must never take the application down.
        result = CIoResult::Failure("Unerwarteter Fehler beim Lesen");
    }
    const bool ok = result.Ok();
    // The history belongs to the records that were there: it goes with them.
    m_history.Clear();
    m_changedOutsideHistory = false;
    m_totalsRecalculated = false;
    if (ok) {
        const fs::path p(path);
        m_titleName = Utf8ToCp1252(p.stem().string()) + Utf8ToCp1252(p.extension().string());
        m_path = path;
        UpdateTitle();
        if (onOpened) onOpened(path);
    } else {
        m_list.RemoveAll();
        m_path.clear();
        m_titleName.clear();
        m_shareTitle1.clear();
        m_shareTitle2.clear();
        m_shell.EndWaitCursor();
        ShowMessage(Msg::CannotOpen, path, result);
        m_shell.BeginWaitCursor();
        UpdateTitle();
    }
    if (onListRefilled) onListRefilled();
    // The view was filled before the calculation: it must show the new sums of the groups.
    Recalculate(true);
    HistoryChanged();
    m_shell.EndWaitCursor();
    return ok;
}

void CBidDocument::Recalculate(bool afterOpen, const CDisplayTree* tree) {
    CChangeSet totals;
    {
        CRecordChanges recording(m_list, totals);
        if (tree)
            CalcAll(m_list, *tree);
        else
            CalcAll(m_list);
    }
    if (!afterOpen && !totals.Empty()) m_totalsRecalculated = true;
    if (onRecalculated) onRecalculated();
}

void CBidDocument::SetModified(bool modified) {
    m_changedOutsideHistory = modified;
    if (!modified) m_history.SetClean();
    UpdateTitle();
    HistoryChanged();
}

bool CBidDocument::RecordStep(const std::string& name, const std::function<void()>& change) {
    if (m_list.Recorder()) {
        change(); // part of the recording around it
        return false;
    }
    CChangeSet changes;
    {
        CRecordChanges recording(m_list, changes);
        change();
    }
    return PushStep(name, std::move(changes));
}

bool CBidDocument::PushStep(const std::string& name, CChangeSet changes) {
    if (changes.Empty()) return false;
    m_history.Push(name, std::move(changes));
    UpdateTitle();
    HistoryChanged();
    return true;
}

bool CBidDocument::Undo() {
    std::vector<int> touched;
    if (!m_history.Undo(m_list, &touched)) return false;
    RestoreShown(touched);
    return true;
}

bool CBidDocument::Redo() {
    std::vector<int> touched;
    if (!m_history.Redo(m_list, &touched)) return false;
    RestoreShown(touched);
    return true;
}

void CBidDocument::RestoreShown(const std::vector<int>& touched) {
    // A calculation since the step may have set totals from values that are now put back;
    // they are computed again, so that every total follows the restored entries.
    if (m_totalsRecalculated) {
        CalcAll(m_list);
        if (onRecalculated) onRecalculated();
    }
    if (onRestored) onRestored(touched);
    UpdateTitle();
    HistoryChanged();
}

bool CBidDocument::ApplyVatToAll(CLvInfoFields& fields) {
    bool applied = false;
    const bool step = RecordStep(kVatForAllStepName, [&] { applied = fields.ApplyVatToAll(); });
    if (!applied) return false;
    // Every row's rate and gross total, and the group and sum rows, changed.
    if (onRecalculated) onRecalculated();
    if (!step) SetModified(true);
    return true;
}

void CBidDocument::StoreLvInfo(CLvInfoFields& fields) {
    if (!RecordStep("LV-Informationen", [&] { fields.Store(); })) SetModified(true);
}

void CBidDocument::UpdateTitle() {
    std::string title = ApplicationTitle();
    if (!m_titleName.empty()) title += " - " + m_titleName + (IsModified() ? " *" : "");
    m_shell.SetWindowTitle(title);
}

void CBidDocument::HistoryChanged() {
    if (onHistoryChanged) onHistoryChanged();
}

void CBidDocument::RecalculateForPrint() {
    m_shell.BeginWaitCursor();
    Recalculate();
    m_shell.EndWaitCursor();
}

void CBidDocument::Calculate() {
    m_shell.BeginWaitCursor();
    Recalculate();
    m_changedOutsideHistory = true;
    UpdateTitle();
    HistoryChanged();
    m_shell.EndWaitCursor();
}

bool CBidDocument::OpenExisting(const std::string& path, CRecentFileList* recent, int n) {
    std::error_code error;
    if (!fs::is_regular_file(fs::path(path), error)) {
        if (recent) {
            recent->Remove(n);
            recent->Save(m_settings);
            if (onRecentChanged) onRecentChanged();
        }
        ShowMessage(Msg::FileMissing, path);
        return false;
    }
    // Only now is the open bid given up: a missing file leaves it as it was, changes included.
    return OpenFile(path, TypeForPath(path));
}

bool CBidDocument::OpenPath(const std::string& path, int selectedRecord) {
    if (!PromptSave(selectedRecord)) return false;
    return OpenExisting(path, nullptr, 0);
}

bool CBidDocument::OpenRecent(CRecentFileList& recent, int n, int selectedRecord) {
    if (n < 0 || n >= recent.Count()) return false;
    if (!PromptSave(selectedRecord)) return false;
    return OpenExisting(recent.Path(n), &recent, n);
}

namespace {

const char* const kFilterProject = "Angebotsdateien (*.ovf)|*.ovf|";
const char* const kFilterInvitation =
    "GAEB - Angebotsaufforderung (*.D83; *.P83; *.X83)|*.D83; *.P83; *.X83|";
const char* const kFilterD84 = "GAEB - Angebotsabgabe (*.D84)|*.D84|";
const char* const kFilterP84 = "GAEB - Angebotsabgabe (*.P84)|*.P84|";
const char* const kFilterX84 = "GAEB - Angebotsabgabe (*.X84)|*.X84|";

} // namespace

std::string CBidDocument::OpenFilters() {
    return std::string(kFilterProject) + kFilterInvitation + "|";
}

std::string CBidDocument::SaveFilters(OpenType type) {
    switch (type) {
    case OpenType::Gaeb90:
        return std::string(kFilterD84) + "|";
    case OpenType::Gaeb2000:
        return std::string(kFilterP84) + "|";
    case OpenType::GaebXml:
        return std::string(kFilterX84) + "|";
    default:
        return std::string(kFilterProject) + "|";
    }
}

std::string CBidDocument::SaveExtension(OpenType type) {
    switch (type) {
    case OpenType::Gaeb90:
        return "D84";
    case OpenType::Gaeb2000:
        return "P84";
    case OpenType::GaebXml:
        return "X84";
    default:
        return "ovf";
    }
}

bool CBidDocument::OpenCommand(int selectedRecord) {
    if (!PromptSave(selectedRecord)) return false;
    std::string path;
    int filter = 0;
    if (!m_shell.OpenFileDialog(OpenFilters(), path, filter)) return false;
    return OpenFile(path, filter == 1 ? DetectGaebType(path) : OpenType::Project);
}

bool CBidDocument::SaveCommand(int selectedRecord) {
    const fs::path current(m_path);
    const std::string proposed = (current.parent_path() / current.stem()).string();
    CBidderFields fields(m_list, m_settings);
    std::string openedBidder, openedCurrency, path;
    bool chosen = false;
    CChangeSet session;
    {
        // The dialog's whole session is one step: the values shown, those typed and the blocks
        // stored when the save is confirmed.
        CRecordChanges recording(m_list, session);
        fields.Open(selectedRecord);
        openedBidder = fields.Bidder();
        openedCurrency = fields.Currency();
        chosen = m_shell.SaveFileDialog(SaveFilters(m_openType), proposed, SaveExtension(m_openType), fields,
                                        path);
        if (chosen) fields.Store();
    }
    // What the user typed is in the records now, whether the dialog was confirmed or not.
    if (fields.Bidder() != openedBidder || fields.Currency() != openedCurrency)
        PushStep(kBidderStepName, std::move(session));
    if (!chosen) return false;
    return SaveTo(path, m_openType, &fields);
}

bool CBidDocument::SaveTo(const std::string& path, OpenType writerType, CBidderFields* fields) {
    if (fields) {
        fields->Store();
        m_savedBidder = fields->Bidder();
        m_changedOutsideHistory = true; // the dialog's values are in the records now
    } else {
        m_savedBidder.reset();
    }
    if (writerType != OpenType::Project && beforeHandIn && !beforeHandIn()) return false;
    // Calculating and writing change values, never the rows: one display tree serves all steps.
    const CDisplayTree tree(m_list);
    Recalculate(false, &tree);
    m_shell.BeginWaitCursor();
    CIoResult result;
    try {
        result = WriteByType(path, writerType, tree);
    } catch (const std::exception&) {
        // A writer's error is a failed save, never the end of the application.
        result = CIoResult::Failure("Unerwarteter Fehler beim Schreiben");
    }
    m_shell.EndWaitCursor();
    if (!result) {
        if (m_writerRefused)
            m_shell.MessageBox(result.Reason(), ApplicationTitle(), IShell::Buttons::Ok,
                               IShell::Icon::Warning);
        else
            ShowMessage(Msg::CannotSave, path, result);
        return false;
    }
    // Title and path name the file only once it has been written.
    m_titleName = Utf8ToCp1252(fs::path(path).filename().string());
    m_path = path;
    m_changedOutsideHistory = false;
    m_history.SetClean();
    UpdateTitle();
    HistoryChanged();
    return true;
}

bool CBidDocument::PromptSave(int selectedRecord) {
    if (!IsModified()) return true;
    const IShell::Answer answer =
        m_shell.MessageBox(Msg::Format(Msg::AskSaveChanges, Utf8ToCp1252(m_path)), ApplicationTitle(),
                           IShell::Buttons::YesNoCancel, IShell::Icon::Question);
    if (answer == IShell::Answer::Cancel) return false;
    if (answer == IShell::Answer::Yes) return SaveCommand(selectedRecord);
    return true;
}

double CBidDocument::BidVatRate() const {
    return FindBidVatRate(m_list).rate;
}

void CBidDocument::PrepareD84(const CDisplayTree& tree) {
    for (int index : tree.Order()) {
        if (m_list.GetChar(index, Fld::Kind) != Kind::Lv ||
            m_list.GetChar(index, Fld::PosType) == PosType::ContractText)
            continue;
        // Record 01 carries the LV name of the row in its first 40 characters.
        std::string lvLine = GetInfoValue(m_list, index, "01");
        if (lvLine.size() >= 40) {
            lvLine.replace(0, 40, PadRight(SafeSubstr(m_list.GetText(index, Fld::ShortText), 0, 40), 40));
            SetInfoValue(m_list, index, "01", lvLine);
        }
    }
    const int lv = CInfoBlocks::LvRecordOf(m_list, m_list.FirstInChain());
    // The bidder record is written from the bidder-side sections, which a D83 with a bidder
    // record of its own fills; keep them in step with the bidder just entered.
    if (m_savedBidder && lv != -1) SetInfoValue(m_list, lv, "04", *m_savedBidder);
}

CIoResult CBidDocument::WriteByType(const std::string& path, OpenType writerType, const CDisplayTree& tree) {
    m_writerRefused = false;
    switch (writerType) {
    case OpenType::Project:
        m_list.RenumberSortNo();
        return SaveProjectFile(m_list, path);
    case OpenType::Gaeb90: {
        // What the writer needs beyond the entries goes into the records only while it writes,
        // so that the records hold nothing an undo of the entries would leave behind.
        CChangeSet prepared;
        {
            CRecordChanges recording(m_list, prepared);
            PrepareD84(tree);
        }
        const CPutBack putBack(m_list, prepared);
        CGaeb90Writer writer(m_list);
        writer.displayTree = &tree;
        writer.vatRate = FindBidVatRate(m_list, tree).rate;
        m_settings.Currency(writer.currencySetting);
        CIoResult result = writer.WriteD84(path);
        m_writerRefused = writer.Refused();
        return result;
    }
    case OpenType::Gaeb2000: {
        if (!m_tree)
            return CIoResult::Failure("Es ist keine GAEB-2000-Datei ge\xf6"
                                      "ffnet");
        CP84Writer writer(m_list, *m_tree);
        writer.vatRate = FindBidVatRate(m_list, tree).rate;
        return writer.WriteTagFile(path);
    }
    case OpenType::GaebXml:
        return WriteGaebXml(path, tree);
    }
    return CIoResult::Failure("Unbekannter Dateityp");
}

CIoResult CBidDocument::WriteGaebXml(const std::string& path, const CDisplayTree& tree) {
    CGaebXmlDocument* document = m_xml ? m_xml->Document() : nullptr;
    CGaebXmlDocument none;
    CX84Writer writer(m_list, document ? *document : none);
    writer.vatRate = FindBidVatRate(m_list, tree).rate;
    CIoResult result = writer.Write(path);
    m_writerRefused = !result && writer.refused;
    return result;
}
