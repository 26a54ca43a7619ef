#include "ui/qt/tlst_item_delegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

QString CTLstItemDelegate::ElideWithDots(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width) return text;
    const QString dots = QStringLiteral("...");
    if (metrics.horizontalAdvance(dots) > width) return QString();
    // The longest beginning that fits with the dots: the width grows with the length.
    qsizetype low = 0, high = text.size() - 1;
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(text.left(mid) + dots) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    QString start = text.left(low);
    while (!start.isEmpty() && start.back().isSpace())
        start.chop(1);
    return start + dots;
}

void CTLstItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    if (!opt.text.isEmpty()) {
        const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
        // The style draws the text inside a margin on either side of the text rectangle.
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        opt.text = ElideWithDots(opt.text, QFontMetrics(opt.font), textRect.width() - 2 * margin);
        opt.textElideMode = Qt::ElideNone;
    }
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
}
