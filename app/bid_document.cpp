#include "app/bid_document.h"

#include "app/bidder_fields.h"
#include "app/messages.h"
#include "app/recent_file_list.h"
#include "common/code_page.h"
#include "common/safe_file.h"
#include "common/text_util.h"
#include "gaeb2000/gaeb_mapper.h"
#include "gaeb2000/gaeb_tag_tree.h"
#include "gaeb2000/p84_writer.h"
#include "gaeb90/gaeb90_writer.h"
#include "gaeb90/gaeb_converter.h"
#include "model/calculation.h"
#include "model/display_tree.h"
#include "model/info_blocks.h"
#include "model/project_file.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

CBidDocument::CBidDocument(IShell& shell, CAppSettings& settings) : m_shell(shell), m_settings(settings) {}

CBidDocument::~CBidDocument() = default;

OpenType CBidDocument::DetectGaebType(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return OpenType::Project;
    // The first line, read in bounded pieces so that a file without line ends costs little.
    std::string line;
    char c;
    while (line.size() < 65536 && in.get(c) && c != '\n')
        line.push_back(c);
    return line.find("#begin[GAEB]") != std::string::npos ? OpenType::Gaeb2000 : OpenType::Gaeb90;
}

OpenType CBidDocument::TypeForPath(const std::string& path) {
    return EndsWithNoCase(path, ".ovf") ? OpenType::Project : DetectGaebType(path);
}

void CBidDocument::ShowMessage(int id, const std::string& path) {
    m_shell.MessageBox(Msg::Format(id, Utf8ToCp1252(path)), ApplicationTitle(), IShell::Buttons::Ok,
                       IShell::Icon::Warning);
}

bool CBidDocument::ReadByType(const std::string& path) {
    switch (m_openType) {
    case OpenType::Project:
        if (LoadRecords(m_list, path) < 0) return false;
        m_list.LinkDisplayChain();
        return true;
    case OpenType::Gaeb90: {
        CGaebConverter converter(m_list);
        m_settings.Currency(converter.currencySetting);
        if (!converter.ReadD83(path)) return false;
        m_list.LinkDisplayChain();
        m_shareTitle1 = converter.component1Name;
        m_shareTitle2 = converter.component2Name;
        return true;
    }
    case OpenType::Gaeb2000:
        return OpenGaeb2000(path);
    default:
        return false;
    }
}

bool CBidDocument::OpenGaeb2000(const std::string& path) {
    if (!m_tree) m_tree = std::make_unique<CGaebTagTree>();
    // The saved bid beside the invitation is read in its place.
    const std::string bid = FindFileBeside(path, ".P84");
    if (!m_tree->ReadTagFile(bid.empty() ? path : bid)) return false;
    m_list.RemoveAll();
    CGaebMapper mapper(m_list, *m_tree);
    mapper.MapTree();
    m_list.LinkDisplayChain();
    m_list.InsertGroupSums();
    m_list.BuildAllLabels();
    CalcAll(m_list);
    if (mapper.mixedSeparators)
        m_shell.MessageBox("GAEB2000-Daten enthalten Gruppentrenner (Tausender-Kennzeichen).", "Information",
                           IShell::Buttons::Ok, IShell::Icon::Information);
    return true;
}

bool CBidDocument::OpenFile(const std::string& path, OpenType openType) {
    m_shell.BeginWaitCursor();
    m_openType = openType;
    m_shareTitle1.clear();
    m_shareTitle2.clear();
    m_list.RemoveAll();
    bool ok = false;
    try {
        ok = ReadByType(path);
    } catch (const std::exception&) {
        ok = false; // a reader must never take the application down
    }
    if (ok) {
        const fs::path p(path);
        m_shell.SetWindowTitle(ApplicationTitle() + " - " + Utf8ToCp1252(p.stem().string()) +
                               Utf8ToCp1252(p.extension().string()));
        m_path = path;
        if (onOpened) onOpened(path);
    } else {
        m_list.RemoveAll();
        m_path.clear();
        m_shareTitle1.clear();
        m_shareTitle2.clear();
        m_shell.EndWaitCursor();
        ShowMessage(Msg::CannotOpen, path);
        m_shell.BeginWaitCursor();
        m_shell.SetWindowTitle(ApplicationTitle());
    }
    m_modified = false;
    if (onListRefilled) onListRefilled();
    // The view was filled before the calculation: it must show the new sums of the groups.
    Recalculate();
    m_shell.EndWaitCursor();
    return ok;
}

void CBidDocument::Recalculate() {
    CalcAll(m_list);
    if (onRecalculated) onRecalculated();
}

void CBidDocument::Calculate() {
    m_shell.BeginWaitCursor();
    Recalculate();
    m_modified = true;
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
    m_modified = false;
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
const char* const kFilterInvitation = "GAEB - Angebotsaufforderung (*.D83; *.P83)|*.D83; *.P83|";
const char* const kFilterD84 = "GAEB - Angebotsabgabe (*.D84)|*.D84|";
const char* const kFilterP84 = "GAEB - Angebotsabgabe (*.P84)|*.P84|";

} // namespace

bool CBidDocument::OpenCommand(int selectedRecord) {
    if (!PromptSave(selectedRecord)) return false;
    std::string path;
    int filter = 0;
    if (!m_shell.OpenFileDialog(std::string(kFilterProject) + kFilterInvitation + "|", path, filter))
        return false;
    const bool ok = OpenFile(path, filter == 1 ? DetectGaebType(path) : OpenType::Project);
    m_modified = false;
    return ok;
}

bool CBidDocument::SaveCommand(int selectedRecord) {
    std::string filter;
    std::string extension; // of the filter, for a name typed without one
    switch (m_openType) {
    case OpenType::Gaeb90:
        filter = kFilterD84;
        extension = "D84";
        break;
    case OpenType::Gaeb2000:
        filter = kFilterP84;
        extension = "P84";
        break;
    default:
        filter = kFilterProject;
        extension = "ovf";
        break;
    }
    const fs::path current(m_path);
    const std::string proposed = (current.parent_path() / current.stem()).string();
    CBidderFields fields(m_list, m_settings);
    fields.Open(selectedRecord);
    const std::string openedBidder = fields.Bidder();
    const std::string openedCurrency = fields.Currency();
    std::string path;
    const bool chosen = m_shell.SaveFileDialog(filter + "|", proposed, extension, fields, path);
    // What the user typed is in the records now, whether the dialog was confirmed or not.
    if (fields.Bidder() != openedBidder || fields.Currency() != openedCurrency) m_modified = true;
    if (!chosen) return false;
    return SaveTo(path, m_openType, &fields);
}

bool CBidDocument::SaveTo(const std::string& path, OpenType writerType, CBidderFields* fields) {
    if (fields) {
        fields->Store();
        m_savedBidder = fields->Bidder();
    } else {
        m_savedBidder.reset();
    }
    Recalculate();
    m_shell.BeginWaitCursor();
    bool ok = false;
    try {
        ok = WriteByType(path, writerType);
    } catch (const std::exception&) {
        ok = false; // a writer's error is a failed save, never the end of the application
    }
    m_shell.EndWaitCursor();
    if (!ok) {
        if (!m_writerMessage.empty())
            m_shell.MessageBox(m_writerMessage, ApplicationTitle(), IShell::Buttons::Ok,
                               IShell::Icon::Warning);
        else
            ShowMessage(Msg::CannotSave, path);
        return false;
    }
    // Title and path name the new file only once it was written.
    m_shell.SetWindowTitle(ApplicationTitle() + " - " + Utf8ToCp1252(fs::path(path).filename().string()));
    m_path = path;
    m_modified = false;
    return true;
}

bool CBidDocument::PromptSave(int selectedRecord) {
    if (!m_modified) return true;
    const IShell::Answer answer =
        m_shell.MessageBox(Msg::Format(Msg::AskSaveChanges, Utf8ToCp1252(m_path)), ApplicationTitle(),
                           IShell::Buttons::YesNoCancel, IShell::Icon::Question);
    if (answer == IShell::Answer::Cancel) return false;
    if (answer == IShell::Answer::Yes) return SaveCommand(selectedRecord);
    return true;
}

int CBidDocument::BidVatRate() const {
    const CDisplayTree tree(m_list);
    int rate = FindVatRate(m_list, tree, -1);
    int32_t stored = 0;
    if (rate == 0 && m_settings.Vat(stored)) rate = stored;
    return rate;
}

bool CBidDocument::WriteByType(const std::string& path, OpenType writerType) {
    m_writerMessage.clear();
    switch (writerType) {
    case OpenType::Project: {
        m_list.RenumberSortNo();
        return SaveProjectFile(m_list, path);
    }
    case OpenType::Gaeb90: {
        const int lv = CInfoBlocks::LvRecordOf(m_list, m_list.FirstInChain());
        if (m_savedBidder && lv != -1) {
            // The bidder record is written from the bidder-side sections, which a D83 with a
            // bidder record of its own fills; keep them in step with the bidder just entered.
            CGaebConverter converter(m_list);
            converter.currentIndex = lv;
            converter.SetInfoValue("04", *m_savedBidder);
        }
        CGaeb90Writer writer(m_list);
        writer.vatRate = BidVatRate();
        m_settings.Currency(writer.currencySetting);
        const bool ok = writer.WriteD84(path);
        m_writerMessage = writer.errorMessage;
        return ok;
    }
    case OpenType::Gaeb2000: {
        if (!m_tree) return false;
        CP84Writer writer(m_list, *m_tree);
        const bool ok = writer.WriteTagFile(path);
        m_writerMessage = writer.errorMessage;
        return ok;
    }
    default:
        return false;
    }
}
