#include "gui/editor_view.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "gui/program_text.h"
#include "gui/editor_accessible.h"
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
const QColor kBreakpointColour(200, 30, 30);
constexpr int kTabBlanks = 8;

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

// x of `column` of `text`; a TAB goes on to the next multiple of eight blanks.
int tabbedX(const QFontMetrics& metrics, const QString& text, int column) {
    const int tab = std::max(kTabBlanks * metrics.horizontalAdvance(QLatin1Char(' ')), 1);
    column = std::clamp(column, 0, static_cast<int>(text.size()));
    int x = 0;
    int from = 0;
    for (int i = 0; i < column; ++i) {
        if (text[i] != QLatin1Char('\t')) continue;
        x += metrics.horizontalAdvance(text.mid(from, i - from));
        x = (x / tab + 1) * tab;
        from = i + 1;
    }
    return x + metrics.horizontalAdvance(text.mid(from, column - from));
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
    // A breakpoint's dot goes left of the numbers.
    return QFontMetrics(view_->font()).horizontalAdvance(QLatin1Char('9')) * digits + 14 + view_->lineHeight() / 2 + 4;
}

void LineNumberMargin::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kMarginBackground);
    const EditorController& editor = view_->controller();
    const EditorState& state = editor.state();
    const int height = view_->lineHeight();
    const int fault = editor.faultLine();
    const int programLines = editor.breakpoints().empty() ? 0 : editor.programLineCount();
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
        if (editor.hasBreakpoint(line)) {
            const int size = std::max(height / 2, 4);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(line == fault ? QColor(Qt::white) : kBreakpointColour);
            // Past the end of the program Debug hands over, it cannot stop a run.
            if (line < programLines) {
                painter.setBrush(line == fault ? QColor(Qt::white) : kBreakpointColour);
            } else {
                painter.setBrush(Qt::NoBrush);
            }
            painter.drawEllipse(QRect(4, row * height + (height - size) / 2, size, size));
            painter.setBrush(Qt::NoBrush);
        }
    }
}

void LineNumberMargin::mousePressEvent(QMouseEvent* event) {
    // A click beside a line sets or clears its breakpoint.
    if (event->button() != Qt::LeftButton) return;
    EditorController& editor = view_->controller();
    const int line = view_->lineAt(static_cast<int>(event->position().y()));
    if (line >= 0 && line <= editor.state().lastLine) editor.toggleBreakpoint(line);
    view_->setFocus(Qt::MouseFocusReason);
    view_->refresh();
}

// --- the view ---------------------------------------------------------------------

EditorView::EditorView(Clipboard* clipboard, QWidget* parent)
    : QWidget(parent), editor_(clipboard), margin_(new LineNumberMargin(this)),
      scrollBar_(new QScrollBar(Qt::Vertical, this)), hScrollBar_(new QScrollBar(Qt::Horizontal, this)),
      accessibleSink_(&QAccessible::updateAccessibility) {
    // Before anything asks for this view's accessible interface, which Qt then keeps.
    EditorAccessible::install();
    setFont(editorFont());
    normalPoints_ = font().pointSize();
    setAccessibleName(QStringLiteral("Program text"));
    toldText_ = editor_.text();
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
    hScrollBar_->hide();
    hScrollBar_->setCursor(Qt::ArrowCursor);
    connect(hScrollBar_, &QScrollBar::valueChanged, this, [this](int value) {
        if (syncing_) return;
        xOffset_ = value;
        // The user looks elsewhere on purpose: the next input brings the caret back.
        followCaret_ = false;
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
    return {textLeft() - xOffset_ + left + (std::max(right, left + 1) - left) / 4,
            row * lineHeight() + lineHeight() / 2};
}

void EditorView::refresh() {
    layoutChildren();
    syncScrollBar();
    if (followCaret_) keepCaretInSight();
    followCaret_ = true;
    update();
    margin_->update();
    const std::string notice = editor_.takeNotice();
    if (!notice.empty()) emit this->notice(QString::fromStdString(notice));
    tellChanges();
    emit stateChanged();
}

int EditorView::textWidth() const {
    return std::max(width() - textLeft() - (scrollBar_->isVisible() ? scrollBar_->width() : 0), 1);
}

void EditorView::layoutChildren() {
    const int marginWidth = margin_->widthForLines(editor_.state().lastLine + 1);
    const int barWidth = scrollBar_->sizeHint().width();
    const int barHeight = hScrollBar_->sizeHint().height();
    if (editor_.text() != measuredText_ || font() != measuredFont_) {
        // Measured once per text: asking the buffer line by line rescans it each time.
        measuredText_ = editor_.text();
        measuredFont_ = font();
        widestLine_ = 0;
        const QFontMetrics metrics(font());
        for (const QString& line : editorBytesToQString(measuredText_).split(QLatin1Char('\n'))) {
            widestLine_ = std::max(widestLine_, tabbedX(metrics, line, static_cast<int>(line.size())));
        }
    }
    const int widest = widestLine_ + std::max(QFontMetrics(font()).averageCharWidth(), 2);
    // The two bars depend on each other: each takes room the other may then need.
    bool across = false;
    for (int pass = 0; pass < 2; ++pass) {
        const int rows = std::max((height() - (across ? barHeight : 0)) / lineHeight(), 1);
        editor_.setVisibleLines(rows);
        const int room = width() - marginWidth - kTextPadding - (editor_.scrollBarVisible() ? barWidth : 0);
        across = widest > room;
    }
    const bool down = editor_.scrollBarVisible();
    const int textBottom = height() - (across ? barHeight : 0);
    margin_->setGeometry(0, 0, marginWidth, height());
    scrollBar_->setGeometry(width() - barWidth, 0, barWidth, textBottom);
    hScrollBar_->setGeometry(marginWidth, textBottom, width() - marginWidth - (down ? barWidth : 0), barHeight);
    syncing_ = true;
    const int room = width() - marginWidth - kTextPadding - (down ? barWidth : 0);
    hScrollBar_->setRange(0, across ? widest - room : 0);
    hScrollBar_->setPageStep(std::max(room, 1));
    hScrollBar_->setSingleStep(std::max(QFontMetrics(font()).averageCharWidth(), 1));
    hScrollBar_->setVisible(across);
    xOffset_ = std::clamp(xOffset_, 0, hScrollBar_->maximum());
    hScrollBar_->setValue(xOffset_);
    syncing_ = false;
}

void EditorView::keepCaretInSight() {
    const EditorState& state = editor_.state();
    const int x = columnX(state.caretLine, state.caretColumn);
    const int room = textWidth();
    const int step = std::max(QFontMetrics(font()).averageCharWidth(), 1) * 4;
    int offset = xOffset_;
    // Past an edge, a few columns more show so that typing does not scroll each time.
    if (x < offset) offset = std::max(x - step, 0);
    else if (x + 2 > offset + room) offset = x + 2 - room + step;
    offset = std::clamp(offset, 0, std::max(hScrollBar_->maximum(), 0));
    if (offset == xOffset_) return;
    xOffset_ = offset;
    syncing_ = true;
    hScrollBar_->setValue(xOffset_);
    syncing_ = false;
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

void EditorView::resizeEvent(QResizeEvent*) { refresh(); }

void EditorView::setPointSize(int points) {
    QFont larger = font();
    larger.setPointSize(points);
    setFont(larger);
    refresh();
}

int EditorView::pointSize() const { return font().pointSize(); }

// --- painting ---------------------------------------------------------------------


int EditorView::columnX(int line, int column) const {
    return tabbedX(QFontMetrics(font()), lineString(editor_, line), column);
}

int EditorView::prefixWidth(int line, int column) const { return columnX(line, column); }

QRect EditorView::characterRect(int offset) const {
    const TextBuffer& buffer = editor_.buffer();
    offset = std::clamp(offset, 0, buffer.length());
    const int line = buffer.lineOfOffset(offset);
    const int column = offset - buffer.lineStart(line);
    const int left = columnX(line, column);
    const int right = std::max(columnX(line, column + 1), left + QFontMetrics(font()).averageCharWidth());
    return {textLeft() - xOffset_ + left, (line - editor_.state().topLine) * lineHeight(), right - left, lineHeight()};
}

int EditorView::offsetAt(const QPoint& point) const {
    const int line = std::clamp(lineAt(point.y()), 0, editor_.state().lastLine);
    return editor_.buffer().offsetOf(line, columnAt(line, point.x()));
}

void EditorView::paintLine(QPainter& painter, int line, int y) const {
    const QString text = lineString(editor_, line);
    const QFontMetrics metrics(font());
    const int height = lineHeight();
    const int left = textLeft() - xOffset_;
    for (const AttributeRun& run : editor_.lineRuns(line)) {
        const int x = left + tabbedX(metrics, text, run.start);
        const int width = tabbedX(metrics, text, run.start + run.length) - (x - left);
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
        // Drawn between the TABs, each piece where the tab stops put it.
        int from = run.start;
        const int end = run.start + run.length;
        while (from < end) {
            int to = from;
            while (to < end && text[to] != QLatin1Char('\t')) ++to;
            if (to > from) painter.drawText(left + tabbedX(metrics, text, from), y + metrics.ascent(), text.mid(from, to - from));
            from = to + 1;
        }
    }
    // A selected line end shows as a narrow block, so a selection across lines reads
    // as one.
    const EditorState& state = editor_.state();
    const int lineEnd = editor_.buffer().lineStart(line) + static_cast<int>(text.size());
    if (state.hasSelection() && lineEnd >= state.selectionLow() && lineEnd < state.selectionHigh() &&
        lineEnd < editor_.buffer().length()) {
        painter.fillRect(left + tabbedX(metrics, text, static_cast<int>(text.size())), y,
                         std::max(metrics.averageCharWidth() / 2, 2),
                         height, Qt::black);
    }
}

void EditorView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setFont(font());
    // Text scrolled sideways must not show between the margin and the first column.
    painter.setClipRect(QRect(textLeft(), 0, width() - textLeft(), height()));
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
        const int x = textLeft() - xOffset_ + prefixWidth(state.caretLine, state.caretColumn);
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
    if (editor_.shiftState() == ShiftState::Held) editor_.keyUp(EditorKey::Shift);
    if (editor_.ctrlDown()) editor_.keyUp(EditorKey::Control);
    update();
}

// --- keys -------------------------------------------------------------------------

bool EditorView::focusNextPrevChild(bool) { return false; }  // Tab is a character here

void EditorView::syncModifiers(Qt::KeyboardModifiers modifiers) {
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (shift && editor_.shiftState() != ShiftState::Held) editor_.keyDown(EditorKey::Shift);
    if (!shift && editor_.shiftState() == ShiftState::Held) editor_.keyUp(EditorKey::Shift);
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
        case Qt::Key_Enter: editor_.typeChar(kEnterChar); break;
        case Qt::Key_Backspace: editor_.typeChar(kBackspaceChar); break;
        case Qt::Key_Tab: editor_.typeChar(kTabChar); break;
        case Qt::Key_F9: editor_.toggleBreakpoint(editor_.state().caretLine); break;
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
    const int target = x - textLeft() + xOffset_;
    // The smallest column whose prefix reaches x, then the one before when x is nearer to it.
    int column = 0;
    int width = 0;
    while (column < text.size() && width < target) {
        ++column;
        width = tabbedX(metrics, text, column);
    }
    if (column > 0 && width >= target) {
        const int before = tabbedX(metrics, text, column - 1);
        if (target - before < width - target) --column;
    }
    return column;
}

void EditorView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int line = lineAt(at.y());
    if (event->button() == Qt::LeftButton) {
        tripleClicked_ = false;
        // A third click soon after a double click, where it was, takes the line.
        if (sinceDoubleClick_.isValid() && sinceDoubleClick_.elapsed() < QApplication::doubleClickInterval() &&
            (at - doubleClickAt_).manhattanLength() <= QApplication::startDragDistance()) {
            sinceDoubleClick_.invalidate();
            editor_.selectLine(line);
            tripleClicked_ = true;
        } else {
            leftHeld_ = true;
            editor_.mouseDown(line, columnAt(line, at.x()));
        }
    } else if (event->button() == Qt::RightButton) {
        const int context = editor_.rightClick(line, columnAt(line, at.x()));
        restartBlink();
        refresh();
        if (context >= 0) emit helpRequested(context);
        else contextMenu(event->globalPosition().toPoint());
        return;
    } else if (event->button() == Qt::MiddleButton) {
        const QClipboard* clipboard = QGuiApplication::clipboard();
        if (clipboard == nullptr || !clipboard->supportsSelection()) return;
        if (const std::optional<std::string> text = primary_.text()) {
            editor_.mouseDown(line, columnAt(line, at.x()));
            editor_.mouseUp();
            editor_.pasteText(*text);
        }
    }
    restartBlink();
    refresh();
}

void EditorView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    // The platform may see the third click of a triple click as another double click.
    if (std::exchange(tripleClicked_, false)) return;
    const QPoint at = event->position().toPoint();
    const int line = lineAt(at.y());
    leftHeld_ = false;
    autoScroll_.stop();
    editor_.selectWord(line, columnAt(line, at.x()));
    sinceDoubleClick_.start();
    doubleClickAt_ = at;
    restartBlink();
    refresh();
}

void EditorView::contextMenu(const QPoint& at) {
    QMenu menu(this);
    for (QAction* action : contextActions_) menu.addAction(action);
    if (!contextActions_.isEmpty()) menu.addSeparator();
    const EditorState& state = editor_.state();
    const QString word = programText(helpWordAt(editor_.buffer().lineText(state.caretLine), state.caretColumn));
    QAction* help = menu.addAction(word.isEmpty() ? QStringLiteral("Help on the word")
                                                  : QStringLiteral("Help on \"%1\"").arg(word));
    help->setEnabled(!word.isEmpty());
    connect(help, &QAction::triggered, this, [this, word] { emit helpOnWordRequested(word); });
    menu.exec(at);
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

void EditorView::tellChanges() {
    const EditorState& state = editor_.state();
    const int low = state.selectionLow();
    const int high = std::min(state.selectionHigh(), editor_.buffer().length());
    const bool selectionMoved = low != toldSelectionLow_ || high != toldSelectionHigh_;
    // A selection made here becomes the desktop's primary selection, where it has one.
    if (selectionMoved && low < high) {
        const QClipboard* clipboard = QGuiApplication::clipboard();
        if (clipboard != nullptr && clipboard->supportsSelection()) {
            primary_.setText(std::string_view(editor_.text()).substr(static_cast<size_t>(low),
                                                                      static_cast<size_t>(high - low)));
        }
    }
    tellAssistiveTools(selectionMoved);
    toldSelectionLow_ = low;
    toldSelectionHigh_ = high;
}

void EditorView::wheelEvent(QWheelEvent* event) {
    if (event->angleDelta().x() != 0 && hScrollBar_->isVisible()) {
        hScrollBar_->setValue(hScrollBar_->value() - event->angleDelta().x() / 120 * kWheelLines *
                                                         hScrollBar_->singleStep());
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0 || !editor_.scrollBarVisible()) return;
    editor_.scroll(ScrollAction::Thumb, editor_.state().topLine - steps * kWheelLines);
    refresh();
}

}  // namespace verdin::gui
