#include "gui/debug_list_delegate.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

namespace verdin::gui {

namespace {
constexpr int kGapColumns = 2;  // between a prefix, the entry and a suffix

QString spaced(const QString& part, bool before) {
    if (part.isEmpty()) return part;
    const QString gap(kGapColumns, ' ');
    return before ? part + gap : gap + part;
}
}  // namespace

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
    const bool stale = opt.widget != nullptr && opt.widget->property(kStaleProperty).toBool();
    const QColor grey = opt.palette.color(QPalette::Disabled, QPalette::Text);
    const QColor normal = stale ? grey : opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor red = stale ? grey : changedColour();
    QColor dim = normal;
    if (!selected && !stale) dim.setAlphaF(0.55f);
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
    painter->save();
    QFont bold = opt.font;
    bold.setBold(true);
    const QFontMetrics metrics(opt.font);
    int x = area.left();
    auto draw = [&](const QString& run, const QFont& font, const QColor& colour) {
        painter->setFont(font);
        painter->setPen(colour);
        painter->drawText(QRect(x, area.top(), std::max(area.right() - x + 1, 0), area.height()),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, run);
        // Columns stay where the fixed-pitch font puts them, bold or not.
        x += metrics.horizontalAdvance(run);
    };
    draw(spaced(index.data(kPrefixRole).toString(), true), opt.font, dim);
    for (int start = 0; start < text.size();) {
        int end = start;
        while (end < text.size() && changed[end] == changed[start]) ++end;
        draw(text.mid(start, end - start), changed[start] ? bold : opt.font, changed[start] ? red : normal);
        start = end;
    }
    draw(spaced(index.data(kSuffixRole).toString(), false), opt.font, dim);
    painter->restore();
}

QSize DebugListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QString extra = spaced(index.data(kPrefixRole).toString(), true) + spaced(index.data(kSuffixRole).toString(), false);
    if (!extra.isEmpty()) size.rwidth() += QFontMetrics(option.font).horizontalAdvance(extra);
    return size;
}

}  // namespace verdin::gui
