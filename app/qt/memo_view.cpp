#include "app/qt/memo_view.h"

#include "app/qt/qt_text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

CMemoView::CMemoView(QWidget* parent)
    : QWidget(parent), m_text(new QPlainTextEdit(this)), m_caption(new QLabel(this)),
      m_supplements(new QTreeWidget(this)) {
    m_text->setReadOnly(true);
    m_text->setAcceptDrops(false);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_text->setAccessibleName(QStringLiteral("Langtext"));
    // White also while read-only, as the field always looked.
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    m_text->setPalette(palette);
    m_text->setBackgroundVisible(false);

    m_caption->setText(QString::fromUtf8("Textergänzungen"));
    m_caption->setBuddy(m_supplements);

    m_supplements->setColumnCount(2);
    m_supplements->setHeaderLabels({QStringLiteral("Nummer"), QStringLiteral("Text")});
    m_supplements->setRootIsDecorated(false);
    m_supplements->setUniformRowHeights(true);
    m_supplements->setSelectionMode(QAbstractItemView::SingleSelection);
    m_supplements->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_supplements->setAllColumnsShowFocus(true);
    m_supplements->setAcceptDrops(false);
    m_supplements->setAccessibleName(QString::fromUtf8("Textergänzungen"));
    m_supplements->header()->setSectionsClickable(false);
    m_supplements->header()->setSectionsMovable(false);
    m_supplements->header()->setStretchLastSection(true);
    m_supplements->setColumnWidth(0, 70);

    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(5);
    right->addWidget(m_caption);
    right->addWidget(m_supplements, 1);
    auto* rightPanel = new QWidget(this);
    rightPanel->setLayout(right);
    rightPanel->setFixedWidth(kListWidth);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_text, 1);
    layout->addWidget(rightPanel);
}

void CMemoView::SetLongText(const std::string& text) {
    m_text->setPlainText(ToQtLines(text));
}

QString CMemoView::LongText() const {
    return m_text->toPlainText();
}

void CMemoView::FocusSupplement(int k) {
    if (QTreeWidgetItem* item = k >= 0 ? m_supplements->topLevelItem(k) : nullptr) {
        m_supplements->setCurrentItem(item);
        m_supplements->scrollToItem(item);
    }
    m_supplements->setFocus(Qt::OtherFocusReason);
}
