#pragma once

#include <QStyledItemDelegate>

class QFontMetrics;

// Draws the cells of the tree-list: a text wider than its cell shows its beginning
// followed by "..." (three dots, as the tree-list always showed it).
class CTLstItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // The text as it fits into `width` pixels: unchanged when it fits, else the longest
    // beginning that fits with "..." behind it (trailing blanks of the beginning dropped),
    // "..." alone or nothing when not even that fits.
    static QString ElideWithDots(const QString& text, const QFontMetrics& metrics, int width);
};
