#include "app/qt/print_settings_dlg.h"

#include "app/qt/print_settings_pane.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CPrintSettingsDlg::CPrintSettingsDlg(Kind kind, CPrintSettingsFields& fields, CBidPrintLayout& layout,
                                     QWidget* parent)
    : QDialog(parent), m_layout(layout), m_pane(new CPrintSettingsPane(fields, this)) {
    setWindowTitle(kind == Kind::Preview ? QStringLiteral("Seitenansicht")
                                         : QStringLiteral("Als PDF exportieren"));
    auto* buttons = new QDialogButtonBox(this);
    m_next = buttons->addButton(QStringLiteral("&Weiter"), QDialogButtonBox::AcceptRole);
    m_next->setDefault(true);
    if (kind == Kind::Export) buttons->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->addWidget(m_pane);
    layoutBox->addWidget(buttons);
    m_pane->BidderField()->setFocus();
}

void CPrintSettingsDlg::accept() {
    if (m_pane->Confirm(m_layout)) QDialog::accept();
}
