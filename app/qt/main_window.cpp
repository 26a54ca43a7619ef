#include "app/qt/main_window.h"

#include "app/lv_info_fields.h"
#include "app/messages.h"
#include "app/qt/about_dlg.h"
#include "app/qt/check_commands.h"
#include "app/qt/help_view.h"
#include "app/qt/lv_info_dlg.h"
#include "app/qt/memo_view.h"
#include "app/qt/preview_view.h"
#include "app/qt/print_commands.h"
#include "app/qt/qt_settings_store.h"
#include "app/qt/qt_text.h"
#include "app/qt/save_file_dialog.h"
#include "app/qt/tree_list_view.h"
#include "app/window_placement.h"
#include "ui/qt/qt_resources.h"
#include "ui/qt/tlst_tree.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QUrl>

namespace {

const char* const kReady = "Bereit";

QString Local(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

SRect ToRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

} // namespace

CMainFrame::CMainFrame(ISettingsStore* store, QWidget* parent)
    : QMainWindow(parent), m_ownStore(store ? nullptr : new CQtSettingsStore),
      m_store(store ? *store : *m_ownStore), m_settings(m_store), m_document(*this, m_settings) {
    EnsureOrvakResources();
    setWindowTitle(ApplicationTitle());
    setWindowIcon(QIcon(QStringLiteral(":/icons/orvak.png")));
    setMinimumSize(CWindowPlacement::kMinWidth, CWindowPlacement::kMinHeight);
    setAcceptDrops(true);

    CreateActions();
    CreateEditActions();
    CreateMenus();
    CreateEditMenu();
    CreateToolBar();
    CreateViews();
    ConnectEditing();
    ConnectHistory();
    statusBar()->setAccessibleName(QStringLiteral("Statusleiste"));
    statusBar()->showMessage(QString::fromLatin1(kReady));

    m_document.onListRefilled = [this] {
        m_memoView->Reset(); // its rows belonged to the records that were replaced
        m_listView->FillList(m_document.ShareTitle1(), m_document.ShareTitle2());
        ShowLongText(m_listView->SelectedRecord());
    };
    m_document.onRecalculated = [this] { m_listView->RefreshNumbers(); };
    m_document.onOpened = [this](const std::string& path) {
        m_recent.Add(path);
        m_recent.Save(m_settings);
        RebuildRecentMenu();
    };
    m_document.onRecentChanged = [this] { RebuildRecentMenu(); };
    m_print = std::make_unique<CPrintCommands>(m_document, *this);
    CreateCheckCommands();

    m_recent.Load(m_settings);
    RebuildRecentMenu();
    RestorePlacement();
    UpdateCommands();
}

CMainFrame::~CMainFrame() {
    // Settings go while the window and its views still exist: pane, placement (of a window
    // that was shown), then the column widths as the list view goes, and the recent files.
    if (m_shown) {
        m_settings.SetPaneSize(m_splitter->sizes().value(0));
        StorePlacement();
    }
    delete m_stack;
    m_stack = nullptr;
    m_recent.Save(m_settings);
}

QString CMainFrame::ApplicationTitle() {
    return ToQt(::ApplicationTitle());
}

QAction* CMainFrame::AddAction(Command command, const QString& text, const QString& icon, const QString& tip,
                               const QString& statusTip, const QKeySequence& shortcut) {
    auto* action = new QAction(text, this);
    if (!icon.isEmpty()) action->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(icon)));
    action->setToolTip(tip);
    action->setStatusTip(statusTip);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    // Connected before the command itself, so that it runs first.
    connect(action, &QAction::triggered, this, &CMainFrame::CommitPendingEntry);
    m_actions[command] = action;
    return action;
}

void CMainFrame::CreateActions() {
    const auto u = [](const char* text) { return QString::fromUtf8(text); };
    connect(AddAction(Command::Open, u("&Öffnen..."), QStringLiteral("tool_open"), u("Öffnen (Strg+O)"),
                      u("Öffnet ein Leistungsverzeichnis (D83, P83) oder eine Angebotsdatei"),
                      QKeySequence::Open),
            &QAction::triggered, this, &CMainFrame::OnOpen);
    connect(AddAction(Command::Save, u("&Speichern..."), QStringLiteral("tool_save"), u("Speichern (Strg+S)"),
                      u("Speichert das Angebot als D84, P84 oder Angebotsdatei"), QKeySequence::Save),
            &QAction::triggered, this, &CMainFrame::OnSave);
    connect(AddAction(Command::Calculate, u("Projekt berechnen"), QStringLiteral("tool_calc"),
                      u("Projekt berechnen (F9)"), u("Berechnet alle Summen des Angebots neu"),
                      QKeySequence(Qt::Key_F9)),
            &QAction::triggered, this, &CMainFrame::OnCalculate);
    connect(AddAction(Command::LvInfo, u("&LV-Informationen..."), QStringLiteral("tool_info"),
                      u("LV-Informationen (Strg+I)"),
                      u("Zeigt die Informationen zum Leistungsverzeichnis mit Bieter, Währung und MWSt."),
                      QKeySequence(Qt::CTRL | Qt::Key_I)),
            &QAction::triggered, this, &CMainFrame::OnLvInfo);
    connect(AddAction(Command::Preview, u("Seite&nansicht..."), QStringLiteral("tool_preview"),
                      u("Seitenansicht"), u("Zeigt das Angebot so, wie es gedruckt wird"), QKeySequence()),
            &QAction::triggered, this, &CMainFrame::OnPreview);
    connect(AddAction(Command::Print, u("&Drucken..."), QStringLiteral("tool_print"), u("Drucken (Strg+P)"),
                      u("Druckt das Angebot"), QKeySequence::Print),
            &QAction::triggered, this, &CMainFrame::OnPrint);
    connect(AddAction(Command::ExportPdf, u("Als &PDF exportieren..."), QString(), u("Als PDF exportieren"),
                      u("Schreibt das Angebot, wie es gedruckt wird, in eine PDF-Datei"), QKeySequence()),
            &QAction::triggered, this, &CMainFrame::OnExportPdf);
    QAction* help = AddAction(Command::Help, u("&Hilfe"), QStringLiteral("tool_help"), u("Hilfe (F1)"),
                              u("Zeigt die Hilfe an oder blendet sie wieder aus"), QKeySequence(Qt::Key_F1));
    help->setCheckable(true);
    connect(help, &QAction::triggered, this, &CMainFrame::OnHelp);
    connect(AddAction(Command::Exit, u("&Beenden"), QString(), u("Beenden"),
                      u("Beendet die Angebotsbearbeitung; fragt vorher nach dem Speichern von Änderungen"),
                      QKeySequence::Quit),
            &QAction::triggered, this, &QWidget::close);
    connect(AddAction(Command::About, u("&Info..."), QString(), u("Info"),
                      u("Zeigt den Namen und die Version des Programms"), QKeySequence()),
            &QAction::triggered, this, &CMainFrame::OnAbout);
}

void CMainFrame::CreateMenus() {
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&Datei"));
    m_fileMenu->addAction(Action(Command::Open));
    m_fileMenu->addAction(Action(Command::Save));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(Action(Command::Calculate));
    m_fileMenu->addAction(Action(Command::LvInfo));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(Action(Command::Preview));
    m_fileMenu->addAction(Action(Command::Print));
    m_fileMenu->addAction(Action(Command::ExportPdf));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(Action(Command::Help));
    m_fileMenu->addSeparator();
    // The recently used files go here, in front of "Beenden".
    m_fileMenu->addAction(Action(Command::Exit));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(Action(Command::About));
}

void CMainFrame::CreateToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Symbolleiste"));
    bar->setObjectName(QStringLiteral("Symbolleiste"));
    bar->setAccessibleName(QStringLiteral("Symbolleiste"));
    bar->setIconSize(QSize(24, 24));
    bar->setMovable(false);
    bar->addAction(Action(Command::Open));
    bar->addAction(Action(Command::Save));
    AddEditTools(bar);
    bar->addSeparator();
    bar->addAction(Action(Command::Calculate));
    bar->addAction(Action(Command::LvInfo));
    bar->addSeparator();
    bar->addAction(Action(Command::Preview));
    bar->addAction(Action(Command::Print));
    bar->addSeparator();
    bar->addAction(Action(Command::Help));
}

void CMainFrame::CreateViews() {
    m_stack = new QStackedWidget(this);
    m_splitter = new QSplitter(Qt::Vertical, m_stack);
    m_splitter->setChildrenCollapsible(false);
    m_listView = new CTreeListView(m_document.List(), m_settings, m_splitter);
    m_memoView = new CMemoView(m_splitter);
    m_splitter->addWidget(m_listView);
    m_splitter->addWidget(m_memoView);
    m_splitter->setStretchFactor(0, 2);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->installEventFilter(this);
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { m_paneMovedByUser = true; });
    m_stack->addWidget(m_splitter);
    setCentralWidget(m_stack);
    connect(m_listView, &CTreeListView::recordSelected, this, &CMainFrame::ShowLongText);
    m_storedPane = CWindowPlacement::LoadPaneSize(m_settings);
}

void CMainFrame::ConnectEditing() {
    // Each entry is one step of the history, which marks the bid modified.
    const auto record = [this](const std::string& name, const std::function<void()>& entry) {
        m_document.RecordStep(name, entry);
    };
    m_listView->EnableEditing(m_document.List(), *this, record);
    m_memoView->EnableEditing(m_document.List(), record);
}

void CMainFrame::CommitPendingEntry() {
    if (m_listView) m_listView->CommitPendingEntry();
    if (m_memoView) m_memoView->CommitPendingEntry();
}

QAction* CMainFrame::Action(Command command) const {
    auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

int CMainFrame::SelectedRecord() const {
    return m_listView->SelectedRecord();
}

void CMainFrame::ShowLongText(int record) {
    // A text still in the supplement editor goes to the record it was typed for first.
    m_memoView->ShowRecord(record);
}

void CMainFrame::UpdateCommands() {
    const bool open = m_document.IsOpen();
    const PaneState panes =
        IsPreviewShown() ? PaneState::Preview : (IsHelpShown() ? PaneState::Help : PaneState::Panes);
    for (const auto& [command, action] : m_actions)
        action->setEnabled(
            IsHistoryCommandEnabled(command, open, panes, m_document.CanUndo(), m_document.CanRedo()));
    for (QAction* action : m_recentActions)
        action->setEnabled(IsCommandEnabled(Command::RecentFile, open, panes));
    Action(Command::Help)->setChecked(IsHelpShown());
    UpdateHistoryTexts();
}

void CMainFrame::RebuildRecentMenu() {
    for (QAction* action : m_recentActions) {
        m_fileMenu->removeAction(action);
        delete action;
    }
    m_recentActions.clear();
    if (m_recentSeparator) {
        m_fileMenu->removeAction(m_recentSeparator);
        delete m_recentSeparator;
        m_recentSeparator = nullptr;
    }
    QAction* exit = Action(Command::Exit);
    for (int n = 0; n < m_recent.Count(); ++n) {
        auto* action = new QAction(Local(m_recent.MenuText(n)), this);
        action->setStatusTip(QString::fromUtf8("Öffnet %1").arg(Local(m_recent.Path(n))));
        connect(action, &QAction::triggered, this, [this, n] { OnOpenRecent(n); });
        m_fileMenu->insertAction(exit, action);
        m_recentActions << action;
    }
    if (!m_recentActions.isEmpty()) m_recentSeparator = m_fileMenu->insertSeparator(exit);
    UpdateCommands();
}

// ---- commands

void CMainFrame::OnOpen() {
    if (PanesReplaced()) return;
    m_document.OpenCommand(SelectedRecord());
    UpdateCommands();
}

void CMainFrame::OnSave() {
    if (PanesReplaced() || !m_document.IsOpen()) return;
    m_document.SaveCommand(SelectedRecord());
    UpdateCommands();
}

void CMainFrame::OnCalculate() {
    if (PanesReplaced() || !m_document.IsOpen()) return;
    m_document.Calculate();
}

void CMainFrame::OnLvInfo() {
    if (PanesReplaced() || !m_document.IsOpen()) return;
    CLvInfoFields fields(m_document.List(), m_settings, m_document.DefaultVat());
    fields.Open(SelectedRecord());
    CLvInfoDlg dialog(
        fields, [this, &fields] { return m_document.ApplyVatToAll(fields); }, this);
    if (dialog.exec() == QDialog::Accepted) m_document.StoreLvInfo(fields);
    UpdateCommands();
}

void CMainFrame::OnPreview() {
    if (PanesReplaced() || !m_document.IsOpen()) return;
    CommitPendingEntry();
    if (m_print->PreparePreview(SelectedRecord())) ShowPreview();
    UpdateCommands();
}

void CMainFrame::OnPrint() {
    if (PanesReplaced() || !m_document.IsOpen()) return;
    CommitPendingEntry();
    if (!ConfirmHandIn()) return;
    m_print->Print(SelectedRecord());
    UpdateCommands();
}

void CMainFrame::OnExportPdf() {
    if (PanesReplaced() || !m_document.IsOpen()) return;
    CommitPendingEntry();
    if (!ConfirmHandIn()) return;
    m_print->ExportPdf(SelectedRecord());
    UpdateCommands();
}

void CMainFrame::ShowPreview() {
    m_previewView = new CPreviewView(
        m_print->Printer(), [this](QPrinter* printer) { m_print->PaintPages(printer); }, m_stack);
    connect(m_previewView, &CPreviewView::closeRequested, this, &CMainFrame::ClosePreview);
    connect(m_previewView, &CPreviewView::printRequested, this, [this] {
        ClosePreview();
        OnPrint();
    });
    m_stack->addWidget(m_previewView);
    m_stack->setCurrentWidget(m_previewView);
    m_previewView->setFocus();
    statusBar()->showMessage(QStringLiteral("Seitenansicht"));
    UpdateCommands();
}

void CMainFrame::ClosePreview() {
    if (!IsPreviewShown()) return;
    m_stack->setCurrentWidget(m_splitter);
    m_stack->removeWidget(m_previewView);
    // Closed from its own toolbar: the view goes once its signal has returned.
    m_previewView->hide();
    m_previewView->deleteLater();
    m_previewView = nullptr;
    m_listView->Tree()->setFocus();
    statusBar()->showMessage(QString::fromLatin1(kReady));
    UpdateCommands();
}

void CMainFrame::OnHelp() {
    if (IsPreviewShown()) return;
    if (IsHelpShown()) {
        m_stack->setCurrentWidget(m_splitter);
        m_stack->removeWidget(m_helpView);
        delete m_helpView;
        m_helpView = nullptr;
        m_listView->Tree()->setFocus();
    } else {
        m_helpView = new CHtmHelpView(m_stack);
        m_stack->addWidget(m_helpView);
        m_stack->setCurrentWidget(m_helpView);
        m_helpView->setFocus();
    }
    UpdateCommands();
}

void CMainFrame::OnOpenRecent(int n) {
    CommitPendingEntry();
    if (PanesReplaced()) return;
    m_document.OpenRecent(m_recent, n, SelectedRecord());
    UpdateCommands();
}

void CMainFrame::OnAbout() {
    CAboutDlg dialog(this);
    connect(&dialog, &CAboutDlg::helpRequested, this, [this] {
        if (!PanesReplaced()) OnHelp();
    });
    dialog.exec();
}

void CMainFrame::OpenFromOutside(const QString& path) {
    CommitPendingEntry();
    if (PanesReplaced()) return;
    m_document.OpenPath(LocalPath(QFileInfo(path).absoluteFilePath()), SelectedRecord());
    UpdateCommands();
}

// ---- the completeness check

void CMainFrame::CreateCheckCommands() {
    m_check = new CCheckCommands(m_document, *m_listView, *m_memoView, *this);
    QAction* check =
        AddAction(Command::CheckBid, QString::fromUtf8("Angebot &prüfen..."), QStringLiteral("tool_check"),
                  QString::fromUtf8("Angebot prüfen (Strg+Umschalt+P)"),
                  QString::fromUtf8("Listet die fehlenden Preise, Mengen und Angaben des Angebots"),
                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    connect(check, &QAction::triggered, this, [this] {
        if (!PanesReplaced() && m_document.IsOpen()) m_check->ShowCheck();
    });
    QAction* next =
        AddAction(Command::NextOpenEntry, QString::fromUtf8("&Nächste offene Eingabe"), QString(),
                  QString::fromUtf8("Nächste offene Eingabe (F3)"),
                  QString::fromUtf8("Springt zur nächsten Zeile, in der ein Preis oder eine Angabe fehlt"),
                  QKeySequence(Qt::Key_F3));
    connect(next, &QAction::triggered, this, [this] {
        if (!PanesReplaced() && m_document.IsOpen()) m_check->NextOpenEntry();
    });
    // In the menu and on the toolbar after "LV-Informationen".
    QAction* info = Action(Command::LvInfo);
    const QList<QAction*> items = m_fileMenu->actions();
    const qsizetype at = items.indexOf(info);
    QAction* before = at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr;
    m_fileMenu->insertAction(before, check);
    m_fileMenu->insertAction(before, next);
    if (QToolBar* bar = findChild<QToolBar*>()) {
        const QList<QAction*> tools = bar->actions();
        const qsizetype t = tools.indexOf(info);
        bar->insertAction(t >= 0 && t + 1 < tools.size() ? tools[t + 1] : nullptr, check);
    }

    // The status bar follows every fill, calculation and entry.
    const auto refilled = m_document.onListRefilled;
    m_document.onListRefilled = [this, refilled] {
        if (refilled) refilled();
        m_check->RebuildProgress();
    };
    const auto recalculated = m_document.onRecalculated;
    m_document.onRecalculated = [this, recalculated] {
        if (recalculated) recalculated();
        m_check->UpdateProgress();
    };
    connect(m_listView, &CTreeListView::entryCommitted, this, [this] { m_check->UpdateProgress(); });
    // Saving a GAEB bid asks first (the project file and the command line tool do not).
    m_document.beforeHandIn = [this] { return m_check->HandIn().BeforeSave(); };
}

bool CMainFrame::ConfirmHandIn() {
    return m_check->ConfirmPrint();
}

// ---- undo and redo

void CMainFrame::CreateEditActions() {
    const auto u = [](const char* text) { return QString::fromUtf8(text); };
    connect(AddAction(Command::Undo, u("&Rückgängig"), QStringLiteral("tool_undo"), u("Rückgängig (Strg+Z)"),
                      u("Nimmt die letzte Änderung zurück"), QKeySequence::Undo),
            &QAction::triggered, this, &CMainFrame::OnUndo);
    QAction* redo =
        AddAction(Command::Redo, u("&Wiederholen"), QStringLiteral("tool_redo"), u("Wiederholen (Strg+Y)"),
                  u("Stellt die zuletzt zurückgenommene Änderung wieder her"), QKeySequence());
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(redo, &QAction::triggered, this, &CMainFrame::OnRedo);
}

void CMainFrame::CreateEditMenu() {
    // "Bearbeiten" follows "Datei".
    m_editMenu = new QMenu(QStringLiteral("&Bearbeiten"), this);
    m_editMenu->addAction(Action(Command::Undo));
    m_editMenu->addAction(Action(Command::Redo));
    const QList<QAction*> menus = menuBar()->actions();
    const int file = static_cast<int>(menus.indexOf(m_fileMenu->menuAction()));
    menuBar()->insertMenu(file + 1 < menus.size() ? menus.at(file + 1) : nullptr, m_editMenu);
}

void CMainFrame::AddEditTools(QToolBar* bar) {
    bar->addSeparator();
    bar->addAction(Action(Command::Undo));
    bar->addAction(Action(Command::Redo));
}

void CMainFrame::ConnectHistory() {
    m_document.onHistoryChanged = [this] { UpdateCommands(); };
    m_document.onRestored = [this](const std::vector<int>& records) { ShowRestored(records); };
}

void CMainFrame::UpdateHistoryTexts() {
    // The menu names the step ("Rückgängig: EP 1.1.10"); an ampersand of a name is no mnemonic.
    const auto named = [](const char* command, const char* keys, const std::string& step, QAction* action) {
        QString name = ToQt(step);
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString text = QString::fromUtf8(command);
        action->setText(name.isEmpty() ? text : text + QStringLiteral(": ") + name);
        QString tip = text;
        tip.remove(QLatin1Char('&'));
        if (!name.isEmpty()) tip += QStringLiteral(": ") + ToQt(step);
        action->setToolTip(tip + QStringLiteral(" (") + QString::fromUtf8(keys) + QLatin1Char(')'));
    };
    named("&Rückgängig", "Strg+Z", m_document.UndoName(), Action(Command::Undo));
    named("&Wiederholen", "Strg+Y", m_document.RedoName(), Action(Command::Redo));
}

void CMainFrame::OnUndo() {
    if (PanesReplaced() || !m_document.IsOpen()) return;
    m_document.Undo();
}

void CMainFrame::OnRedo() {
    if (PanesReplaced() || !m_document.IsOpen()) return;
    m_document.Redo();
}

void CMainFrame::ShowRestored(const std::vector<int>& records) {
    m_listView->ShowRecords(records);
    ShowLongText(SelectedRecord()); // the long text and the supplements as they are now
    m_check->UpdateProgress();      // the status bar's count and total
}

// ---- the shell

IShell::Answer CMainFrame::MessageBox(const std::string& text, const std::string& caption, Buttons buttons,
                                      Icon icon) {
    QMessageBox box(this);
    box.setWindowTitle(caption.empty() ? ApplicationTitle() : ToQt(caption));
    box.setText(ToQtLines(text));
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::None:
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    // A question is answered with the normal pointer, also in the middle of a long operation.
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = box.exec();
    if (waiting) QApplication::restoreOverrideCursor();
    switch (result) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

void CMainFrame::SetWindowTitle(const std::string& title) {
    setWindowTitle(ToQt(title));
}

bool CMainFrame::OpenFileDialog(const std::string& filters, std::string& path, int& filterIndex) {
    QFileDialog dialog(this, QString::fromUtf8("Öffnen"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QStringList names = QtNameFilters(filters);
    dialog.setNameFilters(names);
    if (m_document.IsOpen()) dialog.setDirectory(QFileInfo(Local(m_document.Path())).absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = LocalPath(dialog.selectedFiles().first());
    filterIndex = qMax(0, NameFilterIndex(names, dialog.selectedNameFilter()));
    return true;
}

bool CMainFrame::SaveFileDialog(const std::string& filters, const std::string& proposedName,
                                const std::string& defaultExtension, CBidderFields& fields,
                                std::string& path) {
    CSaveFileDialog dialog(this, filters, proposedName, defaultExtension, fields);
    if (dialog.exec() != QDialog::Accepted) return false;
    path = dialog.ChosenPath();
    return !path.empty();
}

void CMainFrame::BeginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CMainFrame::EndWaitCursor() {
    QApplication::restoreOverrideCursor();
}

// ---- events

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::Show) m_shown = true;
    if (event->type() == QEvent::StatusTip) {
        // Between hints the status bar says "Bereit".
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        statusBar()->showMessage(tip.isEmpty() ? QString::fromLatin1(kReady) : tip);
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    CommitPendingEntry();
    if (!m_document.PromptSave(SelectedRecord())) {
        event->ignore();
        UpdateCommands();
        return;
    }
    event->accept();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_splitter && event->type() == QEvent::Resize) ApplyPaneSize();
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::ApplyPaneSize() {
    // Until the user moves the splitter, the upper pane has the stored height (or two
    // thirds), also while the window finds its final size.
    if (m_paneMovedByUser) return;
    const int total = m_splitter->height() - m_splitter->handleWidth();
    if (total <= 0) return;
    const int upper = CWindowPlacement::PaneSize(m_storedPane, total);
    m_splitter->setSizes({upper, total - upper});
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (!PanesReplaced() && mime->hasUrls() && !mime->urls().isEmpty() && mime->urls().first().isLocalFile())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (PanesReplaced() || !mime->hasUrls() || mime->urls().isEmpty() || !mime->urls().first().isLocalFile())
        return;
    const QString path = mime->urls().first().toLocalFile();
    event->acceptProposedAction();
    // Opened after the drop has ended, so that the prompt does not hold up the other program.
    QMetaObject::invokeMethod(
        this, [this, path] { OpenFromOutside(path); }, Qt::QueuedConnection);
}

// ---- placement

void CMainFrame::RestorePlacement() {
    std::vector<SRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(ToRect(screen->availableGeometry()));
    const SPlacement placement = CWindowPlacement::Load(m_settings, screens);
    if (placement.maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    } else if (placement.rect) {
        const SRect& r = *placement.rect;
        setGeometry(r.left, r.top, static_cast<int>(r.Width()), static_cast<int>(r.Height()));
    } else {
        const QRect available = QGuiApplication::primaryScreen()
                                    ? QGuiApplication::primaryScreen()->availableGeometry()
                                    : QRect(0, 0, 1024, 768);
        resize(qMin(1100, available.width() * 9 / 10), qMin(760, available.height() * 9 / 10));
    }
}

void CMainFrame::StorePlacement() {
    const bool maximized = isMaximized();
    QRect rect = maximized ? normalGeometry() : geometry();
    if (!rect.isValid()) rect = geometry();
    CWindowPlacement::Save(m_settings, ToRect(rect), maximized);
}
