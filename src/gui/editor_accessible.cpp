#include "gui/editor_accessible.h"

#include <algorithm>

#include "gui/editor_view.h"
#include "shell/undo_history.h"

namespace verdin::gui {

namespace {

QAccessibleInterface* editorFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(EditorView::staticMetaObject.className()) && object != nullptr &&
        object->isWidgetType()) {
        return new EditorAccessible(static_cast<EditorView*>(object));
    }
    return nullptr;
}

}  // namespace

EditorAccessible::EditorAccessible(EditorView* view) : QAccessibleWidget(view, QAccessible::EditableText) {}

void EditorAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(editorFactory);
        return true;
    }();
    (void)installed;
}

EditorView* EditorAccessible::view() const { return static_cast<EditorView*>(widget()); }

void* EditorAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString EditorAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value) return editorBytesToQString(view()->controller().text());
    if (kind == QAccessible::Name) {
        const QString name = view()->accessibleName();
        return name.isEmpty() ? QStringLiteral("Program text") : name;
    }
    return QAccessibleWidget::text(kind);
}

QAccessible::State EditorAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.multiLine = true;
    state.selectableText = true;
    state.focusable = true;
    return state;
}

void EditorAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    const EditorState& state = view()->controller().state();
    if (selectionIndex != 0 || !state.hasSelection()) return;
    *startOffset = state.selectionLow();
    *endOffset = std::min(state.selectionHigh(), characterCount());
}

int EditorAccessible::selectionCount() const { return view()->controller().state().hasSelection() ? 1 : 0; }

void EditorAccessible::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void EditorAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex != 0) return;
    setCursorPosition(cursorPosition());
}

void EditorAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0) return;
    const int low = std::clamp(std::min(startOffset, endOffset), 0, characterCount());
    const int high = std::clamp(std::max(startOffset, endOffset), 0, characterCount());
    view()->controller().showFound(low, high - low);
    view()->refresh();
}

int EditorAccessible::cursorPosition() const { return view()->controller().caretOffset(); }

void EditorAccessible::setCursorPosition(int position) {
    view()->controller().showFound(std::clamp(position, 0, characterCount()), 0);
    view()->refresh();
}

QString EditorAccessible::text(int startOffset, int endOffset) const {
    const std::string& text = view()->controller().text();
    const int size = static_cast<int>(text.size());
    const int low = std::clamp(startOffset, 0, size);
    const int high = std::clamp(endOffset, low, size);
    return editorBytesToQString(std::string_view(text).substr(static_cast<size_t>(low), static_cast<size_t>(high - low)));
}

int EditorAccessible::characterCount() const { return view()->controller().buffer().length(); }

QRect EditorAccessible::characterRect(int offset) const {
    const QRect local = view()->characterRect(offset);
    return {view()->mapToGlobal(local.topLeft()), local.size()};
}

int EditorAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint local = view()->mapFromGlobal(point);
    if (!view()->rect().contains(local)) return -1;
    return view()->offsetAt(local);
}

void EditorAccessible::scrollToSubstring(int startIndex, int endIndex) {
    setSelection(0, startIndex, endIndex);
}

QString EditorAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    // One look for the whole text: colours mark syntax, not formatting.
    (void)offset;
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

// ---- changes, told from the view after each refresh ----------------------------------

void EditorView::tellAssistiveTools(bool selectionMoved) {
    const std::string& text = editor_.text();
    if (text != toldText_) {
        const TextChange change = textChange(toldText_, text);
        if (!change.removed.empty() && !change.inserted.empty()) {
            QAccessibleTextUpdateEvent event(this, change.offset, editorBytesToQString(change.removed),
                                             editorBytesToQString(change.inserted));
            accessibleSink_(&event);
        } else if (!change.removed.empty()) {
            QAccessibleTextRemoveEvent event(this, change.offset, editorBytesToQString(change.removed));
            accessibleSink_(&event);
        } else {
            QAccessibleTextInsertEvent event(this, change.offset, editorBytesToQString(change.inserted));
            accessibleSink_(&event);
        }
        toldText_ = text;
    }
    const EditorState& state = editor_.state();
    if (selectionMoved) {
        QAccessibleTextSelectionEvent event(this, state.selectionLow(), state.selectionHigh());
        event.setCursorPosition(editor_.caretOffset());
        accessibleSink_(&event);
    }
    if (editor_.caretOffset() != toldCaret_) {
        toldCaret_ = editor_.caretOffset();
        QAccessibleTextCursorEvent event(this, toldCaret_);
        accessibleSink_(&event);
    }
}

}  // namespace verdin::gui
