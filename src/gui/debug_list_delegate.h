// Draws the entries of the debug window's lists with the characters that the last
// Step or Run changed in another colour: a whole register or flag entry, or single
// bytes of a memory dump row or stack entry.
#pragma once

#include <QColor>
#include <QStyledItemDelegate>

namespace verdin::gui {

// Item data: a QList<int> of (first column, length) pairs to draw as changed.
constexpr int kChangedSpansRole = Qt::UserRole + 1;
// The colour of changed text.
inline QColor changedColour() { return QColor(200, 0, 0); }

class DebugListDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace verdin::gui
