#include "app/qt/preview_view.h"

#include <QAction>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A magnifier with a plus or a minus in the glass.
QIcon ZoomIcon(bool plus) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(48, 48, 48), 2);
    painter.setPen(pen);
    painter.setBrush(QColor(235, 243, 252));
    painter.drawEllipse(QRectF(3, 3, 13, 13));
    pen.setWidth(4);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.drawLine(QPointF(15, 15), QPointF(21, 21));
    painter.setPen(QPen(QColor(48, 48, 48), 2));
    painter.drawLine(QPointF(6.5, 9.5), QPointF(12.5, 9.5));
    if (plus) painter.drawLine(QPointF(9.5, 6.5), QPointF(9.5, 12.5));
    painter.end();
    return QIcon(pixmap);
}

} // namespace

CPreviewView::CPreviewView(QPrinter& printer, std::function<void(QPrinter*)> paint, QWidget* parent)
    : QWidget(parent), m_paint(std::move(paint)), m_bar(new QToolBar(QStringLiteral("Seitenansicht"), this)),
      m_preview(new QPrintPreviewWidget(&printer, this)), m_pageLabel(new QLabel(this)) {
    setAccessibleName(QStringLiteral("Seitenansicht"));
    m_bar->setIconSize(QSize(24, 24));
    m_bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QStyle* s = style();

    m_previous = m_bar->addAction(s->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Vorherige Seite"),
                                  this, &CPreviewView::PreviousPage);
    m_previous->setShortcut(QKeySequence(Qt::Key_PageUp));
    m_previous->setToolTip(QStringLiteral("Vorherige Seite (Bild auf)"));
    m_next = m_bar->addAction(s->standardIcon(QStyle::SP_ArrowForward), QString::fromUtf8("&Nächste Seite"),
                              this, &CPreviewView::NextPage);
    m_next->setShortcut(QKeySequence(Qt::Key_PageDown));
    m_next->setToolTip(QString::fromUtf8("Nächste Seite (Bild ab)"));
    m_pageLabel->setContentsMargins(8, 0, 8, 0);
    m_bar->addWidget(m_pageLabel);
    m_bar->addSeparator();
    m_zoomIn =
        m_bar->addAction(ZoomIcon(true), QString::fromUtf8("&Vergrößern"), this, &CPreviewView::ZoomIn);
    m_zoomIn->setShortcut(QKeySequence::ZoomIn);
    m_zoomOut =
        m_bar->addAction(ZoomIcon(false), QStringLiteral("Ver&kleinern"), this, &CPreviewView::ZoomOut);
    m_zoomOut->setShortcut(QKeySequence::ZoomOut);
    m_twoPages = m_bar->addAction(QStringLiteral("&Zwei Seiten"));
    m_twoPages->setCheckable(true);
    m_twoPages->setToolTip(QStringLiteral("Zwei Seiten nebeneinander zeigen"));
    connect(m_twoPages, &QAction::toggled, this, &CPreviewView::SetTwoPages);
    m_bar->addSeparator();
    m_print = m_bar->addAction(QIcon(QStringLiteral(":/icons/tool_print.png")), QStringLiteral("&Drucken..."),
                               this, &CPreviewView::printRequested);
    m_print->setToolTip(QStringLiteral("Drucken und die Seitenansicht schlie\u00dfen"));
    m_close = m_bar->addAction(s->standardIcon(QStyle::SP_DialogCloseButton), QString::fromUtf8("&Schließen"),
                               this, &CPreviewView::closeRequested);
    m_close->setToolTip(QString::fromUtf8("Seitenansicht schließen (Esc)"));
    m_close->setShortcut(QKeySequence(Qt::Key_Escape));
    // The keys act wherever the focus is inside the preview, also on the page itself.
    for (QAction* action : {m_previous, m_next, m_zoomIn, m_zoomOut, m_close}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }

    m_preview->setViewMode(QPrintPreviewWidget::SinglePageView);
    m_preview->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* p) { m_paint(p); });
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &CPreviewView::UpdatePageState);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar);
    layout->addWidget(m_preview, 1);
    setFocusProxy(m_preview);

    // The pages are laid out at once, so that the page count is known from the start.
    m_preview->updatePreview();
    UpdatePageState();
}

int CPreviewView::PageCount() const {
    return m_preview->pageCount();
}

int CPreviewView::CurrentPage() const {
    return m_preview->currentPage();
}

void CPreviewView::ShowPage(int page) {
    if (PageCount() == 0) return;
    m_preview->setCurrentPage(std::clamp(page, 1, PageCount()));
    UpdatePageState();
}

void CPreviewView::NextPage() {
    ShowPage(CurrentPage() + (m_twoPages->isChecked() ? 2 : 1));
}

void CPreviewView::PreviousPage() {
    ShowPage(CurrentPage() - (m_twoPages->isChecked() ? 2 : 1));
}

void CPreviewView::ZoomIn() {
    m_preview->zoomIn(1.25);
}

void CPreviewView::ZoomOut() {
    m_preview->zoomOut(1.25);
}

void CPreviewView::SetTwoPages(bool on) {
    if (m_twoPages->isChecked() != on) m_twoPages->setChecked(on);
    const int page = CurrentPage();
    m_preview->setViewMode(on ? QPrintPreviewWidget::FacingPagesView : QPrintPreviewWidget::SinglePageView);
    m_preview->setZoomMode(QPrintPreviewWidget::FitInView);
    ShowPage(page);
}

void CPreviewView::UpdatePageState() {
    const int count = PageCount();
    const int page = CurrentPage();
    m_pageLabel->setText(count > 0 ? QStringLiteral("Seite %1 von %2").arg(page).arg(count) : QString());
    m_previous->setEnabled(page > 1);
    m_next->setEnabled(page < count);
}
