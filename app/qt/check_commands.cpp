#include "app/qt/check_commands.h"

#include "app/bid_document.h"
#include "app/messages.h"
#include "app/qt/check_dialog.h"
#include "app/qt/memo_view.h"
#include "app/qt/qt_text.h"
#include "app/qt/tree_list_view.h"
#include "ui/position_list.h"
#include "ui/qt/tlst_tree.h"

#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

namespace {

HandInAnswer AskWithMessageBox(QWidget* parent, const QString& text) {
    QMessageBox box(parent);
    box.setWindowTitle(ToQt(ApplicationTitle()));
    box.setIcon(QMessageBox::Warning);
    box.setText(text);
    QPushButton* go = box.addButton(QStringLiteral("Trotzdem fortfahren"), QMessageBox::AcceptRole);
    QPushButton* first = box.addButton(QString::fromUtf8("Zur ersten Lücke"), QMessageBox::ActionRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    // Saving or printing loses nothing: going on is what the user asked for.
    box.setDefaultButton(go);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == go) return HandInAnswer::Continue;
    if (box.clickedButton() == first) return HandInAnswer::GoToFirstGap;
    return HandInAnswer::Cancel;
}

// The first row of an LV that takes a VAT rate, kNoRow when there is none.
IGrid::Row FirstLvRow(const IGrid& grid, const CAngebotList& list) {
    for (IGrid::Row r = grid.FirstRow(); r != IGrid::kNoRow; r = NextRowInTreeOrder(grid, r)) {
        const int record = grid.GetItemRecord(r);
        if (record >= 0 && list.GetChar(record, Fld::Kind) == Kind::Lv &&
            list.GetChar(record, Fld::PosType) != PosType::ContractText)
            return r;
    }
    return IGrid::kNoRow;
}

} // namespace

CCheckCommands::CCheckCommands(CBidDocument& document, CTreeListView& listView, CMemoView& memo,
                               QMainWindow& window)
    : QObject(&window), m_document(document), m_listView(listView), m_memo(memo), m_window(window),
      m_handIn(document), m_pricedLabel(new QLabel(&window)), m_netLabel(new QLabel(&window)) {
    m_pricedLabel->setAccessibleName(QStringLiteral("Bepreiste Positionen"));
    m_netLabel->setAccessibleName(QStringLiteral("Nettosumme"));
    window.statusBar()->addPermanentWidget(m_pricedLabel);
    window.statusBar()->addPermanentWidget(m_netLabel);

    askGaps = [this](const QString& text) { return AskWithMessageBox(&m_window, text); };
    runCheckDialog = [this](const CBidCheck& check) {
        CCheckDialog dialog(check, &m_window);
        dialog.exec();
        return dialog.Chosen();
    };
    m_handIn.askGaps = [this](const std::string& text) {
        return askGaps ? askGaps(ToQtLines(text)) : HandInAnswer::Continue;
    };
    m_handIn.goToFirstGap = [this](const CBidCheck& check) { ShowFirstGap(check); };
}

void CCheckCommands::Status(const QString& text) {
    m_hint = text;
    m_window.statusBar()->showMessage(text, 5000);
}

void CCheckCommands::RebuildProgress() {
    m_progress.Rebuild(m_document.List());
    m_pricedLabel->setText(ToQt(m_progress.PricedText()));
    m_netLabel->setText(ToQt(m_progress.NetText()));
}

void CCheckCommands::UpdateProgress() {
    if (!m_hint.isEmpty() && m_window.statusBar()->currentMessage() == m_hint)
        m_window.statusBar()->clearMessage();
    m_hint.clear();
    m_progress.Update(m_document.List());
    m_pricedLabel->setText(ToQt(m_progress.PricedText()));
    m_netLabel->setText(ToQt(m_progress.NetText()));
}

void CCheckCommands::ShowCheck() {
    CBidCheck check;
    check.Run(m_document.List());
    const std::optional<SBidFinding> chosen = runCheckDialog ? runCheckDialog(check) : std::nullopt;
    if (chosen) ShowFinding(*chosen);
}

void CCheckCommands::NextOpenEntry() {
    IGrid& grid = m_listView.Grid();
    const CAngebotList& list = m_document.List();
    const IGrid::Row row = FindNextOpenEntry(grid, list, grid.SelectedRow());
    if (row == IGrid::kNoRow) {
        Status(QString::fromUtf8("Keine offene Eingabe: jede Position hat ihre Preise und Angaben."));
        return;
    }
    std::vector<SBidFinding> findings;
    CBidCheck::CheckRow(list, grid.GetItemRecord(row), findings);
    for (const SBidFinding& f : findings) {
        if (f.hint) continue;
        ShowFinding(f);
        Status(ToQt(f.Line()));
        return;
    }
}

bool CCheckCommands::ConfirmPrint() {
    return m_handIn.BeforePrint();
}

void CCheckCommands::ShowFirstGap(const CBidCheck& check) {
    if (const SBidFinding* gap = check.FirstRowGap()) {
        ShowFinding(*gap);
        return;
    }
    // Only the whole bid lacks something: the list says what.
    if (!check.Gaps().empty()) ShowFinding(check.Gaps().front());
}

void CCheckCommands::ShowFinding(const SBidFinding& finding) {
    IGrid& grid = m_listView.Grid();
    CTLstTree* tree = m_listView.Tree();
    if (finding.record == -1) {
        if (finding.item == CheckItem::NoVatRate) {
            // The rate entered on the LV row goes into every position below it (after the question).
            const IGrid::Row lv = FirstLvRow(grid, m_document.List());
            if (lv != IGrid::kNoRow) {
                grid.SelectRow(lv);
                tree->setFocus(Qt::OtherFocusReason);
                if (tree->Editor()) tree->Editor()->StartEdit(ColumnNumber(PosCol::VatPct));
                return;
            }
        }
        std::string text = finding.what + ".";
        if (finding.item == CheckItem::Bidder || finding.item == CheckItem::Currency)
            text +=
                "\r\n\r\nBieter und W\xe4hrung tragen Sie beim Speichern im Dialog \x84Speichern\x93 ein, "
                "beim Drucken auf der Seite \x84"
                "Angebot\x93 des Druckdialogs.";
        m_document.Shell().MessageBox(text, ApplicationTitle(), IShell::Buttons::Ok,
                                      IShell::Icon::Information);
        return;
    }
    const IGrid::Row row = grid.FindItemByRecord(finding.record);
    if (row == IGrid::kNoRow) return;
    tree->CommitPendingEntry();
    grid.SelectRow(row);
    tree->setFocus(Qt::OtherFocusReason);
    if (finding.column >= 0) {
        if (tree->Editor()) tree->Editor()->StartEdit(finding.column);
    } else if (finding.supplement >= 0) {
        m_memo.FocusSupplement(finding.supplement);
    }
}
