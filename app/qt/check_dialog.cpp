#include "app/qt/check_dialog.h"

#include "app/qt/qt_text.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The item's data: the index into the dialog's findings, -1 for a group item.
constexpr int kFindingRole = Qt::UserRole;

QString Counted(size_t n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

} // namespace

CCheckDialog::CCheckDialog(const CBidCheck& check, QWidget* parent)
    : QDialog(parent), m_summary(new QLabel(SummaryText(check), this)), m_list(new QTreeWidget(this)) {
    setWindowTitle(QString::fromUtf8("Angebot prüfen"));
    m_findings = check.Gaps();
    m_gapCount = m_findings.size();
    m_findings.insert(m_findings.end(), check.Hints().begin(), check.Hints().end());

    m_summary->setWordWrap(true);
    m_list->setColumnCount(3);
    m_list->setHeaderLabels(
        {QStringLiteral("Pos.-Nr."), QStringLiteral("Kurztext"), QStringLiteral("Fehlt")});
    m_list->setAccessibleName(QStringLiteral("Befunde"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAllColumnsShowFocus(true);
    m_list->setUniformRowHeights(true);
    m_list->header()->setSectionsMovable(false);
    m_list->header()->setStretchLastSection(true);
    m_list->setColumnWidth(0, 110);
    m_list->setColumnWidth(1, 260);
    QTreeWidgetItem* gaps = AddGroup(QStringLiteral("Offene Eingaben"), check.Gaps(), false);
    AddGroup(QStringLiteral("Hinweise"), check.Hints(), true);
    m_list->expandAll();
    if (QTreeWidgetItem* first = gaps->childCount() > 0 ? gaps->child(0) : ItemOf(true, 0))
        m_list->setCurrentItem(first);

    auto* buttons = new QDialogButtonBox(this);
    m_show = buttons->addButton(QStringLiteral("&Anzeigen"), QDialogButtonBox::AcceptRole);
    QPushButton* close = buttons->addButton(QString::fromUtf8("&Schließen"), QDialogButtonBox::RejectRole);
    m_show->setEnabled(!m_findings.empty());
    m_show->setDefault(!m_findings.empty());
    close->setDefault(m_findings.empty());
    connect(m_show, &QPushButton::clicked, this, [this] { Choose(m_list->currentItem()); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { Choose(item); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(720, 420);
}

QString CCheckDialog::SummaryText(const CBidCheck& check) {
    const size_t gaps = check.Gaps().size();
    const size_t hints = check.Hints().size();
    if (gaps == 0 && hints == 0)
        return QString::fromUtf8("Das Angebot ist vollständig: es fehlt keine Eingabe.");
    QString text = gaps == 0 ? QString::fromUtf8("Es fehlt keine Eingabe")
                             : Counted(gaps, "offene Eingabe", "offene Eingaben");
    if (hints > 0) text += QStringLiteral(", ") + Counted(hints, "Hinweis", "Hinweise");
    return text + QString::fromUtf8(". Ein Doppelklick auf eine Zeile zeigt die Stelle.");
}

QTreeWidgetItem* CCheckDialog::AddGroup(const QString& title, const std::vector<SBidFinding>& findings,
                                        bool hint) {
    auto* group = new QTreeWidgetItem(m_list, {QStringLiteral("%1 (%2)").arg(title).arg(findings.size())});
    group->setFirstColumnSpanned(true);
    group->setData(0, kFindingRole, -1);
    QFont bold = group->font(0);
    bold.setBold(true);
    group->setFont(0, bold);
    const int offset = hint ? static_cast<int>(m_gapCount) : 0;
    for (size_t n = 0; n < findings.size(); ++n) {
        const SBidFinding& f = findings[n];
        auto* item = new QTreeWidgetItem(group, {ToQt(f.oz), ToQt(f.shortText), ToQt(f.what)});
        item->setData(0, kFindingRole, offset + static_cast<int>(n));
        item->setToolTip(2, ToQt(f.what));
    }
    return group;
}

QTreeWidgetItem* CCheckDialog::ItemOf(bool hint, int n) const {
    QTreeWidgetItem* group = m_list->topLevelItem(hint ? 1 : 0);
    return group && n >= 0 && n < group->childCount() ? group->child(n) : nullptr;
}

void CCheckDialog::Choose(QTreeWidgetItem* item) {
    if (!item) return;
    const int n = item->data(0, kFindingRole).toInt();
    if (n < 0 || static_cast<size_t>(n) >= m_findings.size()) return;
    m_chosen = m_findings[static_cast<size_t>(n)];
    accept();
}
