#include "app/qt/save_file_dialog.h"

#include "app/bidder_fields.h"
#include "app/file_filters.h"
#include "app/qt/qt_text.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

// Longest texts the fields take: what the information blocks keep of a value.
constexpr int kFieldLength = 80;

} // namespace

QStringList QtNameFilters(const std::string& filters) {
    QStringList result;
    for (const SFileFilter& filter : CFileFilters::Parse(filters)) {
        QStringList patterns;
        for (const std::string& pattern : filter.patterns)
            patterns << QString::fromStdString(CFileFilters::AnyCasePattern(pattern));
        // Qt takes the patterns from the last parentheses and hides them with the option.
        result << ToQt(filter.description) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                      QStringLiteral(")");
    }
    return result;
}

int NameFilterIndex(const QStringList& filters, const QString& selected) {
    for (qsizetype i = 0; i < filters.size(); ++i) {
        const QString& filter = filters[i];
        if (filter == selected || filter.left(filter.lastIndexOf(QLatin1Char('('))).trimmed() == selected)
            return static_cast<int>(i);
    }
    return -1;
}

CSaveFileDialog::CSaveFileDialog(QWidget* parent, const std::string& filters, const std::string& proposedName,
                                 const std::string& extension, CBidderFields& fields)
    : QFileDialog(parent), m_fields(fields), m_extension(extension), m_bidder(new QLineEdit(this)),
      m_currency(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Speichern unter"));
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::HideNameFilterDetails);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setNameFilters(QtNameFilters(filters));
    setDefaultSuffix(QString::fromStdString(extension));
    if (!proposedName.empty()) {
        const QFileInfo proposed(QFile::decodeName(QByteArray::fromStdString(proposedName)));
        setDirectory(proposed.absolutePath());
        selectFile(proposed.fileName());
    }

    m_bidder->setText(ToQt(fields.Bidder()));
    m_bidder->setMaxLength(kFieldLength);
    m_bidder->setAccessibleName(QStringLiteral("Bieter/Auftragnehmer"));
    m_currency->setText(ToQt(fields.Currency()));
    m_currency->setMaxLength(kFieldLength);
    m_currency->setAccessibleName(QString::fromUtf8("Währung"));
    m_currency->setFixedWidth(m_currency->fontMetrics().horizontalAdvance(QStringLiteral("MMMMMM")) + 12);
    connect(m_bidder, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_fields.SetBidder(FromQt(text)); });
    connect(m_currency, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_fields.SetCurrency(FromQt(text)); });

    auto* bidderLabel = new QLabel(QStringLiteral("Bie&ter/Auftragnehmer:"), this);
    bidderLabel->setBuddy(m_bidder);
    auto* currencyLabel = new QLabel(QString::fromUtf8("&Währung:"), this);
    currencyLabel->setBuddy(m_currency);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_bidder, 1);
    row->addWidget(currencyLabel);
    row->addWidget(m_currency);
    // The file dialog's own grid: labels in column 0, fields in 1, buttons in 2.
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int r = grid->rowCount();
        grid->addWidget(bidderLabel, r, 0);
        grid->addLayout(row, r, 1, 1, qMax(1, grid->columnCount() - 1));
    } else if (layout()) {
        auto* line = new QHBoxLayout;
        line->addWidget(bidderLabel);
        line->addLayout(row, 1);
        layout()->addItem(line);
    }
}

QString CSaveFileDialog::WithExtension(const QString& path) const {
    if (path.isEmpty() || QFileInfo(path).isDir()) return path;
    const std::string named = CFileFilters::WithExtension(QFile::encodeName(path).toStdString(), m_extension);
    return QFile::decodeName(QByteArray::fromStdString(CFileFilters::ExistingSpelling(named)));
}

void CSaveFileDialog::accept() {
    const QStringList files = selectedFiles();
    if (!files.isEmpty()) {
        const QString fixed = WithExtension(files.first());
        if (fixed != files.first()) selectFile(fixed);
    }
    QFileDialog::accept();
}

std::string CSaveFileDialog::ChosenPath() const {
    const QStringList files = selectedFiles();
    if (files.isEmpty()) return std::string();
    return QFile::encodeName(WithExtension(files.first())).toStdString();
}
