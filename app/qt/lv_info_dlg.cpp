#include "app/qt/lv_info_dlg.h"

#include "app/lv_info_fields.h"
#include "app/messages.h"
#include "app/qt/qt_text.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

namespace {

constexpr int kFieldLength = 80; // the length an information block keeps

// The VAT field: digits only, a rate of at most 100.
class CVatValidator : public QValidator {
public:
    explicit CVatValidator(QObject* parent) : QValidator(parent) {}
    State validate(QString& input, int&) const override {
        return CLvInfoFields::IsVatInput(FromQt(input)) ? (input.isEmpty() ? Intermediate : Acceptable) : Invalid;
    }
};

QLineEdit* ReadOnlyField(QWidget* parent, const std::string& text, const char* name) {
    auto* field = new QLineEdit(ToQt(text), parent);
    field->setReadOnly(true);
    field->setObjectName(QString::fromLatin1(name));
    field->setCursorPosition(0);
    return field;
}

QLabel* Label(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CLvInfoDlg::CLvInfoDlg(CLvInfoFields& fields, std::function<bool()> applyVatToAll, QWidget* parent)
    : QDialog(parent), m_fields(fields), m_applyVatToAll(std::move(applyVatToAll)) {
    setWindowTitle(QStringLiteral("Informationen zum Leistungsverzeichnis"));
    const auto u = [](const char* text) { return QString::fromUtf8(text); };

    m_name = ReadOnlyField(this, fields.name, "Bezeichnung");
    m_project = new QPlainTextEdit(ToQtLines(fields.project), this);
    m_project->setReadOnly(true);
    m_project->setObjectName(QStringLiteral("Projekt"));
    m_project->setTabChangesFocus(true);
    m_project->setFixedHeight(m_project->fontMetrics().lineSpacing() * 4 + 12);
    m_client = ReadOnlyField(this, fields.client, "Auftraggeber");
    m_lvDate = ReadOnlyField(this, fields.lvDate, "LV-Datum");
    m_submissionDate = ReadOnlyField(this, fields.submissionDate, "Abgabedatum");
    m_submissionTime = ReadOnlyField(this, fields.submissionTime, "Abgabezeit");
    m_awardDeadline = ReadOnlyField(this, fields.awardDeadline, "Zuschlagfrist");

    m_bidder = new QLineEdit(ToQt(fields.Bidder()), this);
    m_bidder->setObjectName(QStringLiteral("Bieter"));
    m_bidder->setMaxLength(kFieldLength);
    m_currency = new QLineEdit(ToQt(fields.Currency()), this);
    m_currency->setObjectName(QStringLiteral("Waehrung"));
    m_currency->setMaxLength(kFieldLength);
    m_vat = new QLineEdit(ToQt(fields.VatText()), this);
    m_vat->setObjectName(QStringLiteral("MWSt"));
    m_vat->setValidator(new CVatValidator(m_vat));
    m_vat->setMaxLength(3);
    m_vat->setAlignment(Qt::AlignRight);
    m_vat->setToolTip(u("Ganze Zahl von 0 bis 100"));
    m_vat->setFixedWidth(m_vat->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    m_apply = new QPushButton(u(" In alle &Positionen einsetzen"), this);
    m_apply->setAutoDefault(false);
    m_apply->setToolTip(u("Setzt den Mehrwertsteuersatz in allen Positionen des Leistungsverzeichnisses"));

    // Every change goes to the settings at once, also when the dialog is cancelled.
    connect(m_bidder, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_fields.SetBidder(FromQt(text)); });
    connect(m_currency, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_fields.SetCurrency(FromQt(text)); });
    connect(m_vat, &QLineEdit::textChanged, this, [this](const QString& text) { m_fields.SetVatText(FromQt(text)); });
    connect(m_apply, &QPushButton::clicked, this, &CLvInfoDlg::OnApply);

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(Label(u("&Bezeichnung:"), m_name, this), row, 0);
    grid->addWidget(m_name, row++, 1, 1, 7);
    grid->addWidget(Label(u("Informationen zum P&rojekt:"), m_project, this), row, 0, Qt::AlignTop);
    grid->addWidget(m_project, row++, 1, 1, 7);
    grid->addWidget(Label(u("A&uftraggeber:"), m_client, this), row, 0);
    grid->addWidget(m_client, row++, 1, 1, 7);
    grid->addWidget(Label(u("LV-&Datum:"), m_lvDate, this), row, 0);
    grid->addWidget(m_lvDate, row, 1);
    grid->addWidget(Label(u("Abgabeda&tum:"), m_submissionDate, this), row, 2);
    grid->addWidget(m_submissionDate, row, 3);
    grid->addWidget(Label(u("Abgabe&zeit:"), m_submissionTime, this), row, 4);
    grid->addWidget(m_submissionTime, row, 5);
    grid->addWidget(Label(u("Zuschlag&frist:"), m_awardDeadline, this), row, 6);
    grid->addWidget(m_awardDeadline, row++, 7);
    grid->addWidget(Label(u("B&ieter/Auftragnehmer:"), m_bidder, this), row, 0);
    grid->addWidget(m_bidder, row++, 1, 1, 7);
    grid->addWidget(Label(u("&Währung:"), m_currency, this), row, 0);
    grid->addWidget(m_currency, row, 1);
    grid->addWidget(Label(u("% &MWSt.:"), m_vat, this), row, 2);
    grid->addWidget(m_vat, row, 3);
    grid->addWidget(m_apply, row++, 4, 1, 4, Qt::AlignLeft);
    for (int c : {1, 3, 5, 7})
        grid->setColumnStretch(c, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    setMinimumWidth(620);

    showMessage = [this](const QString& text) {
        QMessageBox::information(this, ToQt(ApplicationTitle()), text);
    };
    m_bidder->setFocus();
}

void CLvInfoDlg::OnApply() {
    if (!m_fields.HasLv()) {
        showMessage(QString::fromUtf8("Zur ausgewählten Zeile gibt es kein Leistungsverzeichnis."));
        return;
    }
    if (!m_applyVatToAll || !m_applyVatToAll())
        showMessage(QString::fromUtf8("Bitte geben Sie im Feld „% MWSt.“ einen Satz von 0 bis 100 ein."));
}
