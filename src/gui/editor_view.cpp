#include "gui/editor_view.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "gui/program_text.h"
#include "gui/qt_clipboard.h"
#include "shell/context_help.h"

namespace verdin::gui {

namespace {

constexpr int kTextPadding = 4;  // between the margin and the first column
constexpr int kAutoScrollMs = 100;
constexpr int kWheelLines = 3;

const QColor kMnemonicColour(0, 0, 200);
const QColor kCommentColour(0, 100, 0);
const QColor kMarginBackground(238, 238, 238);
const QColor kMarginNumber(120, 120, 120);
const QColor kFaultColour(200, 30, 30);

QString lineString(const EditorController& editor, int line) {
    const std::string text = editor.buffer().lineText(line);
    return programText(text);
}

QFont editorFont() {
    // Programs are written in columns (label, mnemonic, operands), so a fixed pitch.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    if (font.pointSizeF() < 10) font.setPointSize(10);
    return font;
}

}  // namespace

// --- the margin -------------------------------------------------------------------

LineNumberMargin::LineNumberMargin(EditorView* view) : QWidget(view), view_(view) {
    setCursor(Qt::ArrowCursor);
}

int LineNumberMargin::widthForLines(int lines) const {
    int digits = 1;
    for (int n = std::max(lines, 1); n >= 10; n /= 10) ++digits;
    // Room for three digits at least, so the text does not jump at line 10 and 100.
    digits = std::max(digits, 3);
    return QFontMetrics(view_->font()).horizontalAdvance(QLatin1Char('9')) * digits + 14;
}

void LineNumberMargin::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kMarginBackground);
    const EditorController& editor = view_->controller();
    const EditorState& state = editor.state();
    const int height = view_->lineHeight();
    const int fault = editor.faultLine();
    painter.setFont(view_->font());
    for (int row = 0; row < state.visibleLines; ++row) {
        const int line = state.topLine + row;
        if (line > state.lastLine) break;
        const QRect cell(0, row * height, width() - 6, height);
        if (line == fault) {
            painter.fillRect(QRect(0, row * height, width() - 2, height), kFaultColour);
            painter.setPen(Qt::white);
        } else {
            painter.setPen(kMarginNumber);
        }
        painter.drawText(cell, Qt::AlignRight | Qt::AlignVCenter, QString::number(line + 1));
    }
}

void LineNumberMargin::mousePressEvent(QMouseEvent* event) {
    // A click on a number puts the caret at the start of that line.
    if (event->button() != Qt::LeftButton) return;
    EditorController& editor = view_->controller();
    editor.mouseDown(view_->lineAt(static_cast<int>(event->position().y())), 0);
    editor.mouseUp();
    view_->setFocus(Qt::MouseFocusReason);
    view_->refresh();
}

// --- the view ---------------------------------------------------------------------

EditorView::EditorView(Clipboard* clipboard, QWidget* parent)
    : QWidget(parent), editor_(clipboard), margin_(new LineNumberMargin(this)),
      scrollBar_(new QScrollBar(Qt::Vertical, this)) {
    setFont(editorFont());
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::IBeamCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_KeyCompression, false);
    setMinimumSize(200, 100);
    scrollBar_->hide();
    scrollBar_->setCursor(Qt::ArrowCursor);
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) {
        if (syncing_) return;
        editor_.scroll(ScrollAction::Thumb, value);
        refresh();
    });
    autoScroll_.setInterval(kAutoScrollMs);
    connect(&autoScroll_, &QTimer::timeout, this, [this] {
        editor_.autoScrollTick();
        if (!editor_.autoScrollActive()) autoScroll_.stop();
        refresh();
    });
    const int flash = QApplication::cursorFlashTime();
    blink_.setInterval(flash > 0 ? flash / 2 : 500);
    connect(&blink_, &QTimer::timeout, this, [this] {
        caretOn_ = !caretOn_;
        update();
    });
}

int EditorView::lineHeight() const { return std::max(QFontMetrics(font()).height(), 1); }

int EditorView::textLeft() const { return margin_->width() + kTextPadding; }

QPoint EditorView::pointOf(int line, int column) const {
    const int row = line - editor_.state().topLine;
    const int left = prefixWidth(line, column);
    const int right = prefixWidth(line, column + 1);
    return {textLeft() + left + (std::max(right, left + 1) - left) / 4, row * lineHeight() + lineHeight() / 2};
}

void EditorView::refresh() {
    layoutChildren();
    syncScrollBar();
    update();
    margin_->update();
    emit stateChanged();
}

void EditorView::layoutChildren() {
    const int marginWidth = margin_->widthForLines(editor_.state().lastLine + 1);
    margin_->setGeometry(0, 0, marginWidth, height());
    const int barWidth = scrollBar_->sizeHint().width();
    scrollBar_->setGeometry(width() - barWidth, 0, barWidth, height());
}

void EditorView::syncScrollBar() {
    syncing_ = true;
    const bool visible = editor_.scrollBarVisible();
    if (visible) {
        scrollBar_->setRange(0, editor_.scrollMaximum());
        scrollBar_->setPageStep(editor_.state().visibleLines);
        scrollBar_->setValue(editor_.state().topLine);
    }
    scrollBar_->setVisible(visible);
    syncing_ = false;
}

void EditorView::resizeEvent(QResizeEvent*) {
    editor_.setVisibleLines(std::max(height() / lineHeight(), 1));
    refresh();
}

// --- painting ---------------------------------------------------------------------

int EditorView::prefixWidth(int line, int column) const {
    const QString text = lineString(editor_, line);
    return QFontMetrics(font()).horizontalAdvance(text.left(std::clamp(column, 0, static_cast<int>(text.size()))));
}

void EditorView::paintLine(QPainter& painter, int line, int y) const {
    const QString text = lineString(editor_, line);
    const QFontMetrics metrics(font());
    const int height = lineHeight();
    const int left = textLeft();
    for (const AttributeRun& run : editor_.lineRuns(line)) {
        const QString part = text.mid(run.start, run.length);
        const int x = left + metrics.horizontalAdvance(text.left(run.start));
        const int width = metrics.horizontalAdvance(part);
        QColor colour = Qt::black;
        switch (run.attribute) {
            case CharAttribute::Mnemonic: colour = kMnemonicColour; break;
            case CharAttribute::Comment: colour = kCommentColour; break;
            case CharAttribute::Selected:
                painter.fillRect(x, y, width, height, Qt::black);
                colour = Qt::white;
                break;
            case CharAttribute::Plain: break;
        }
        painter.setPen(colour);
        painter.drawText(x, y + metrics.ascent(), part);
    }
    // A selected line end shows as a narrow block, so a selection across lines reads
    // as one.
    const EditorState& state = editor_.state();
    const int lineEnd = editor_.buffer().lineStart(line) + static_cast<int>(text.size());
    if (state.hasSelection() && lineEnd >= state.selectionLow() && lineEnd < state.selectionHigh() &&
        lineEnd < editor_.buffer().length()) {
        painter.fillRect(left + metrics.horizontalAdvance(text), y, std::max(metrics.averageCharWidth() / 2, 2),
                         height, Qt::black);
    }
}

void EditorView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setFont(font());
    const EditorState& state = editor_.state();
    const int height = lineHeight();
    for (int row = 0; row < state.visibleLines; ++row) {
        const int line = state.topLine + row;
        if (line > state.lastLine) break;
        paintLine(painter, line, row * height);
    }
    const int row = state.caretRow();
    if (hasFocus() && caretOn_ && row >= 0 && row < state.visibleLines) {
        const int width = std::max(QFontMetrics(font()).averageCharWidth() / 4, 2);
        const int x = textLeft() + prefixWidth(state.caretLine, state.caretColumn);
        // On a selected character the caret must still show.
        const int offset = editor_.caretOffset();
        const bool onSelection = offset >= state.selectionLow() && offset < state.selectionHigh();
        painter.fillRect(x, row * height, width, height, onSelection ? QColor(Qt::white) : QColor(Qt::black));
    }
}

void EditorView::restartBlink() {
    caretOn_ = true;
    if (hasFocus()) blink_.start();
}

void EditorView::focusInEvent(QFocusEvent*) {
    restartBlink();
    refresh();
}

void EditorView::focusOutEvent(QFocusEvent*) {
    blink_.stop();
    // Keys released while another window had the focus never arrive here.
    if (editor_.shiftState() == 1) editor_.keyUp(EditorKey::Shift);
    if (editor_.ctrlDown()) editor_.keyUp(EditorKey::Control);
    update();
}

// --- keys -------------------------------------------------------------------------

bool EditorView::focusNextPrevChild(bool) { return false; }  // Tab is a character here

void EditorView::syncModifiers(Qt::KeyboardModifiers modifiers) {
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (shift && editor_.shiftState() != 1) editor_.keyDown(EditorKey::Shift);
    if (!shift && editor_.shiftState() == 1) editor_.keyUp(EditorKey::Shift);
    if (ctrl && !editor_.ctrlDown()) editor_.keyDown(EditorKey::Control);
    if (!ctrl && editor_.ctrlDown()) editor_.keyUp(EditorKey::Control);
}

void EditorView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const auto key = static_cast<Qt::Key>(event->key());
    auto move = [&](EditorKey editorKey) {
        syncModifiers(modifiers);
        editor_.keyDown(editorKey);
    };
    switch (key) {
        case Qt::Key_Shift:
            if (!event->isAutoRepeat()) editor_.keyDown(EditorKey::Shift);
            break;
        case Qt::Key_Control:
            if (!event->isAutoRepeat()) editor_.keyDown(EditorKey::Control);
            break;
        case Qt::Key_Left: move(EditorKey::Left); break;
        case Qt::Key_Right: move(EditorKey::Right); break;
        case Qt::Key_Up: move(EditorKey::Up); break;
        case Qt::Key_Down: move(EditorKey::Down); break;
        case Qt::Key_Home: move(EditorKey::Home); break;
        case Qt::Key_End: move(EditorKey::End); break;
        case Qt::Key_PageUp: move(EditorKey::PageUp); break;
        case Qt::Key_PageDown: move(EditorKey::PageDown); break;
        case Qt::Key_Delete: move(EditorKey::Delete); break;
        case Qt::Key_Insert:
            // Ctrl+Insert and Shift+Insert are Copy and Paste, the main window's.
            if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier)) {
                event->ignore();
                return;
            }
            editor_.keyDown(EditorKey::Insert);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter: editor_.typeChar(13); break;
        case Qt::Key_Backspace: editor_.typeChar(8); break;
        case Qt::Key_Tab: editor_.typeChar(9); break;
        default: {
            const QString text = event->text();
            if (text.isEmpty() || (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
                event->ignore();
                return;
            }
            // The editor holds single-byte text: a character with no byte is not typed.
            for (char c : programBytes(text)) {
                if (static_cast<unsigned char>(c) >= 32) editor_.typeChar(static_cast<unsigned char>(c));
            }
            break;
        }
    }
    restartBlink();
    refresh();
}

void EditorView::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;
    if (event->key() == Qt::Key_Shift) editor_.keyUp(EditorKey::Shift);
    else if (event->key() == Qt::Key_Control) editor_.keyUp(EditorKey::Control);
    else return;
    refresh();
}

// --- mouse ------------------------------------------------------------------------

int EditorView::lineAt(int y) const {
    return editor_.state().topLine + static_cast<int>(std::floor(static_cast<double>(y) / lineHeight()));
}

int EditorView::columnAt(int line, int x) const {
    const QString text = lineString(editor_, std::clamp(line, 0, editor_.state().lastLine));
    const QFontMetrics metrics(font());
    const int target = x - textLeft();
    // The smallest column whose prefix reaches x, then the one before when x is nearer to it.
    int column = 0;
    int width = 0;
    while (column < text.size() && width < target) {
        ++column;
        width = metrics.horizontalAdvance(text.left(column));
    }
    if (column > 0 && width >= target) {
        const int before = metrics.horizontalAdvance(text.left(column - 1));
        if (target - before < width - target) --column;
    }
    return column;
}

void EditorView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int line = lineAt(at.y());
    if (event->button() == Qt::LeftButton) {
        leftHeld_ = true;
        editor_.mouseDown(line, columnAt(line, at.x()));
    } else if (event->button() == Qt::RightButton) {
        editor_.mouseDown(line, columnAt(line, at.x()));
        editor_.mouseUp();
        const EditorState& state = editor_.state();
        const int context = mnemonicHelpContext(editor_.buffer().lineText(state.caretLine), state.caretColumn);
        restartBlink();
        refresh();
        if (context >= 0) emit helpRequested(context);
        return;
    }
    restartBlink();
    refresh();
}

void EditorView::mouseMoveEvent(QMouseEvent* event) {
    const bool held = leftHeld_ && (event->buttons() & Qt::LeftButton);
    const QPoint at = event->position().toPoint();
    const int line = lineAt(at.y());
    editor_.mouseMove(line, columnAt(line, at.x()), held);
    if (editor_.autoScrollActive()) {
        if (!autoScroll_.isActive()) autoScroll_.start();
    } else {
        autoScroll_.stop();
    }
    if (held) refresh();
}

void EditorView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !leftHeld_) return;
    leftHeld_ = false;
    autoScroll_.stop();
    editor_.mouseUp();
    refresh();
}

void EditorView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0 || !editor_.scrollBarVisible()) return;
    editor_.scroll(ScrollAction::Thumb, editor_.state().topLine - steps * kWheelLines);
    refresh();
}

}  // namespace verdin::gui
