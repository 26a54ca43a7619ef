#pragma once

#include <QFileDialog>

#include <string>

class CBidderFields;
class QLineEdit;

// The filter list of the core ("description|patterns|...|") as name filters of a Qt file
// dialog. The patterns match names of any letter case (files come as .d83, .D83, .P83); the
// dialog shows the descriptions as they are (use QFileDialog::HideNameFilterDetails).
QStringList QtNameFilters(const std::string& filters);

// The number of the filter that a file dialog reports as chosen (it reports the description
// alone when the patterns are hidden), -1 for none.
int NameFilterIndex(const QStringList& filters, const QString& selected);

// The save dialog: a file dialog with the fields "Bieter/Auftragnehmer" and "Währung" below
// the file type. The bidder field widens with the dialog, the currency keeps its width at
// the right edge. Every change of a field goes into the bidder fields at once. A name typed
// without the extension of the filter gets it; an existing file of that name with the
// extension in another letter case is written instead of a second one (and confirmed as
// any existing file is).
class CSaveFileDialog : public QFileDialog {
    Q_OBJECT
public:
    CSaveFileDialog(QWidget* parent, const std::string& filters, const std::string& proposedName,
                    const std::string& extension, CBidderFields& fields);

    // The chosen path (local 8-bit, as the file system names it) with the extension.
    std::string ChosenPath() const;

    QLineEdit* BidderField() const { return m_bidder; }
    QLineEdit* CurrencyField() const { return m_currency; }

    void accept() override;

private:
    QString WithExtension(const QString& path) const;

    CBidderFields& m_fields;
    std::string m_extension;
    QLineEdit* m_bidder;
    QLineEdit* m_currency;
};
