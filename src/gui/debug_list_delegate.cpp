#include "gui/debug_list_delegate.h"

#include <QApplication>
#include <QPainter>

namespace verdin::gui {

void DebugListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    QStyle* style = opt.widget != nullptr ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    const QList<int> spans = index.data(kChangedSpansRole).value<QList<int>>();
    QVector<bool> changed(text.size(), false);
    for (int i = 0; i + 1 < spans.size(); i += 2) {
        for (int c = spans[i]; c < spans[i] + spans[i + 1] && c < text.size(); ++c) {
            if (c >= 0) changed[c] = true;
        }
    }
    const bool selected = (opt.state & QStyle::State_Selected) != 0;
    const QColor normal = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
    painter->save();
    QFont bold = opt.font;
    bold.setBold(true);
    const QFontMetrics metrics(opt.font);
    int x = area.left();
    for (int start = 0; start < text.size();) {
        int end = start;
        while (end < text.size() && changed[end] == changed[start]) ++end;
        const QString run = text.mid(start, end - start);
        painter->setFont(changed[start] ? bold : opt.font);
        painter->setPen(changed[start] ? changedColour() : normal);
        painter->drawText(QRect(x, area.top(), area.right() - x + 1, area.height()),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, run);
        // Columns stay where the fixed-pitch font puts them, bold or not.
        x += metrics.horizontalAdvance(run);
        start = end;
    }
    painter->restore();
}

}  // namespace verdin::gui
