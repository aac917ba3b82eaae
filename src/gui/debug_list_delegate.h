// Draws the entries of the debug window's lists with the characters that the last
// Step or Run changed in another colour: a whole register or flag entry, or single
// bytes of a memory dump row, stack entry or output port. Text beside an entry that
// is not part of it (the program list's line numbers, addresses and comments) is
// drawn dimmed; a list that shows the state from before a running program is drawn
// grey as a whole.
#pragma once

#include <QColor>
#include <QStyledItemDelegate>

namespace verdin::gui {

// Item data: a QList<int> of (first column, length) pairs to draw as changed.
constexpr int kChangedSpansRole = Qt::UserRole + 1;
// Item data: dimmed text drawn before and after the entry's own text.
constexpr int kPrefixRole = Qt::UserRole + 2;
constexpr int kSuffixRole = Qt::UserRole + 3;
// A list whose widget has this property set to true is drawn grey.
constexpr const char* kStaleProperty = "stale";
// The colour of changed text.
inline QColor changedColour() { return QColor(200, 0, 0); }

class DebugListDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace verdin::gui
