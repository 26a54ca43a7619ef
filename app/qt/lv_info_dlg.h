#pragma once

#include <QDialog>

#include <functional>

class CLvInfoFields;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The LV information dialog ("Informationen zum Leistungsverzeichnis") over CLvInfoFields:
// name, project, client and dates of the LV read-only; bidder, currency and VAT rate editable,
// each change written to the settings at once; " In alle Positionen einsetzen" hands the rate
// to every position of the LV through `applyVatToAll`. OK (accepted) is for the caller to
// store the blocks; Cancel stores none.
class CLvInfoDlg : public QDialog {
    Q_OBJECT
public:
    CLvInfoDlg(CLvInfoFields& fields, std::function<bool()> applyVatToAll, QWidget* parent = nullptr);

    QLineEdit* NameField() const { return m_name; }
    QPlainTextEdit* ProjectField() const { return m_project; }
    QLineEdit* ClientField() const { return m_client; }
    QLineEdit* LvDateField() const { return m_lvDate; }
    QLineEdit* SubmissionDateField() const { return m_submissionDate; }
    QLineEdit* SubmissionTimeField() const { return m_submissionTime; }
    QLineEdit* AwardDeadlineField() const { return m_awardDeadline; }
    QLineEdit* BidderField() const { return m_bidder; }
    QLineEdit* CurrencyField() const { return m_currency; }
    QLineEdit* VatField() const { return m_vat; }
    QPushButton* ApplyButton() const { return m_apply; }

    // Shows a message (replaceable in tests).
    std::function<void(const QString&)> showMessage;

private:
    void OnApply();

    CLvInfoFields& m_fields;
    std::function<bool()> m_applyVatToAll;
    QLineEdit* m_name;
    QPlainTextEdit* m_project;
    QLineEdit* m_client;
    QLineEdit* m_lvDate;
    QLineEdit* m_submissionDate;
    QLineEdit* m_submissionTime;
    QLineEdit* m_awardDeadline;
    QLineEdit* m_bidder;
    QLineEdit* m_currency;
    QLineEdit* m_vat;
    QPushButton* m_apply;
};
