#include "gui/text_screen_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/program_text.h"
#include "gui/window_placement.h"

namespace verdin::gui {

TextScreenWindow::TextScreenWindow(QWidget* owner) : QDialog(owner), list_(new QListWidget(this)) {
    setWindowTitle("Text screen");
    setObjectName("textScreen");
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    // Output must not take the keys away from the debug window's Step and Stop.
    setAttribute(Qt::WA_ShowWithoutActivating);
    list_->setObjectName("textScreenLines");
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->setUniformItemSizes(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(list_);
    // About 64 columns by 12 lines of the fixed font: room for a program's report.
    const QFontMetrics metrics(list_->font());
    resize(metrics.horizontalAdvance(QString(64, 'M')) + 40, metrics.lineSpacing() * 12 + 40);
    list_->setAccessibleName("Text screen");
    keepOnOwnersScreen(this);
}

void TextScreenWindow::setPointSize(int points) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (points > 0) font.setPointSize(points);
    list_->setFont(font);
    const QFontMetrics metrics(font);
    resize(std::max(width(), metrics.horizontalAdvance(QString(64, 'M')) + 40),
           std::max(height(), metrics.lineSpacing() * 12 + 40));
}

void TextScreenWindow::setLines(const std::vector<std::string>& lines) {
    auto text = [](const std::string& line) { return programText(line); };
    const std::size_t common = std::min(shown_.size(), lines.size());
    std::size_t first = 0;
    while (first < common && shown_[first] == lines[first]) ++first;
    for (std::size_t i = first; i < common; ++i) {
        shown_[i] = lines[i];
        list_->item(static_cast<int>(i))->setText(text(lines[i]));
    }
    while (shown_.size() > lines.size()) {
        delete list_->takeItem(list_->count() - 1);
        shown_.pop_back();
    }
    for (std::size_t i = common; i < lines.size(); ++i) {
        shown_.push_back(lines[i]);
        list_->addItem(text(lines[i]));
    }
    // Once per turn of the event loop, not once per line a running program prints.
    if (first < lines.size() && !scrollPending_) {
        scrollPending_ = true;
        QTimer::singleShot(0, this, [this] {
            scrollPending_ = false;
            list_->scrollToBottom();
        });
    }
}

QStringList TextScreenWindow::lines() const {
    QStringList result;
    for (int i = 0; i < list_->count(); ++i) result << list_->item(i)->text();
    return result;
}

void TextScreenWindow::closeQuietly() {
    closing_ = true;
    close();
}

void TextScreenWindow::reject() { close(); }

void TextScreenWindow::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        closing_ = true;
        emit closedByUser();
    }
    event->accept();
}

}  // namespace verdin::gui
