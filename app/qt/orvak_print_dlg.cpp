#include "app/qt/orvak_print_dlg.h"

#include "app/qt/print_settings_pane.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>

COrvakPrintDlg::COrvakPrintDlg(QPrinter* printer, CPrintSettingsFields& fields, CBidPrintLayout& layout,
                               QWidget* parent)
    : QPrintDialog(printer, parent), m_layout(layout), m_pane(new CPrintSettingsPane(fields, this)) {
    setWindowTitle(QStringLiteral("Drucken"));
    setOption(QAbstractPrintDialog::PrintSelection, false);
    setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    setOption(QAbstractPrintDialog::PrintPageRange, true);
    setOption(QAbstractPrintDialog::PrintToFile, true);
    setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    setOption(QAbstractPrintDialog::PrintShowPageSize, true);
    setMinMax(1, kMaxPage);
    setFromTo(1, kMaxPage);
    setPrintRange(QAbstractPrintDialog::AllPages);
    setOptionTabs({m_pane});
    ShowPane();
}

void COrvakPrintDlg::ShowPane() {
    for (QWidget* w = m_pane->parentWidget(); w; w = w->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            tabs->setCurrentWidget(m_pane);
            break;
        }
    if (m_pane->isVisibleTo(this)) return;
    // The options part is folded away at first; its button has the reset role.
    for (const QDialogButtonBox* box : findChildren<QDialogButtonBox*>())
        for (QAbstractButton* button : box->buttons())
            if (box->buttonRole(button) == QDialogButtonBox::ResetRole) {
                button->click();
                return;
            }
}

void COrvakPrintDlg::accept() {
    // The system dialog has checked its own fields (an output file that can be written);
    // the pane's settings go into the layout before the printing starts.
    if (!m_pane->Confirm(m_layout)) return;
    QPrintDialog::accept();
}
