#include "shell/find_replace.h"

#include <algorithm>
#include <cstdio>

#include "diagnostics/diagnostics.h"
#include "machine/text_tools.h"

namespace verdin {

namespace {

constexpr char kBlank = ' ';

FindResult notFound(Platform& platform) {
    const Message message{MessageKind::Information, messageText({FragmentNotFound})};
    platform.showMessage(message.kind, message.text);
    return {FindOutcome::NotFound, 0, false, message};
}

}  // namespace

SearchPattern preparePattern(std::string_view fragment, const FindOptions& options) {
    SearchPattern result;
    result.options = options;
    result.fragmentLength = static_cast<int>(fragment.size());
    result.pattern = options.wholeWord ? std::string(1, kBlank) + std::string(fragment) + kBlank
                                       : std::string(fragment);
    if (!options.matchCase) result.pattern = TextTools::upperOutsideQuotes(result.pattern);
    return result;
}

bool matchesAt(std::string_view text, int p, const SearchPattern& pattern) {
    const int n = static_cast<int>(pattern.pattern.size());
    if (n == 0 || p < 0 || p > static_cast<int>(text.size()) - n) return false;
    std::string window(text.substr(static_cast<size_t>(p), static_cast<size_t>(n)));
    if (!pattern.options.matchCase) window = TextTools::upperOutsideQuotes(window);
    if (pattern.options.wholeWord) {
        // Line starts and ends delimit words as blanks do.
        if (window.front() == TextBuffer::kLineEnd || window.front() == '\t') window.front() = kBlank;
        if (window.back() == TextBuffer::kLineEnd || window.back() == '\t') window.back() = kBlank;
    }
    return window == pattern.pattern;
}

std::optional<int> findFrom(std::string_view text, int from, const SearchPattern& pattern) {
    const int last = static_cast<int>(text.size()) - static_cast<int>(pattern.pattern.size());
    for (int p = std::max(from, 0); p <= last; ++p) {
        if (matchesAt(text, p, pattern)) return p + (pattern.options.wholeWord ? 1 : 0);
    }
    return std::nullopt;
}

std::string wordAt(std::string_view text, int offset) {
    const auto delimiter = [](char c) { return isBlankChar(c) || c == TextBuffer::kLineEnd; };
    const int size = static_cast<int>(text.size());
    int start = std::clamp(offset, 0, size);
    // On a blank (or a line end) there is no word.
    if (start < size && delimiter(text[static_cast<size_t>(start)])) return {};
    while (start > 0 && !delimiter(text[static_cast<size_t>(start - 1)])) --start;
    int end = start;
    while (end < size && !delimiter(text[static_cast<size_t>(end)])) ++end;
    return std::string(text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
}

std::string proposedFindFragment(const EditorController& editor) {
    const EditorState& state = editor.state();
    if (state.hasSelection()) {
        const std::string& text = editor.text();
        const int lo = std::min(state.selectionLow(), static_cast<int>(text.size()));
        const int hi = std::min(state.selectionHigh(), static_cast<int>(text.size()));
        std::string selected = text.substr(static_cast<size_t>(lo), static_cast<size_t>(hi - lo));
        if (selected.find(TextBuffer::kLineEnd) == std::string::npos) return selected;
    }
    return wordAt(editor.text(), editor.caretOffset());
}

std::string proposedReplaceFragment(const EditorController& editor) {
    return wordAt(editor.text(), editor.caretOffset());
}

std::string replacementsMessage(int count) {
    char text[64];
    std::snprintf(text, sizeof text, "%d %s", count, std::string(kReplacementsMade).c_str());
    return text;
}

ReplaceAllText replaceAllIn(std::string_view text, std::string_view fragment, std::string_view replacement,
                            const FindOptions& options, int capacity, const ReplaceAllProgress* progress) {
    ReplaceAllText result{std::string(text), 0, false};
    const SearchPattern pattern = preparePattern(fragment, options);
    if (progress && progress->begin) progress->begin(static_cast<int>(text.size()));
    const int lead = options.wholeWord ? 1 : 0;
    const long growth = static_cast<long>(replacement.size()) - pattern.fragmentLength;
    int p = 0;
    while (p < static_cast<int>(result.text.size())) {
        if (progress && progress->step) progress->step(p);
        if (!matchesAt(result.text, p, pattern)) {
            ++p;
            continue;
        }
        if (static_cast<long>(result.text.size()) + growth > capacity) {
            result.stoppedAtCapacity = true;
            break;
        }
        const int start = p + lead;
        // With whole word the delimiting blanks and line ends stay in place.
        result.text.replace(static_cast<size_t>(start), static_cast<size_t>(pattern.fragmentLength), replacement);
        ++result.count;
        p = start + static_cast<int>(replacement.size());
    }
    if (progress && progress->end) progress->end();
    return result;
}

namespace {
// Selects the next occurrence after the caret, as Find Next and Replace both do;
// when there is none, what they report instead.
std::optional<FindResult> selectNext(EditorController& editor, std::string_view fragment,
                                     const FindOptions& options, Platform& platform) {
    editor.releaseCtrl();
    if (fragment.empty()) return FindResult{};
    const SearchPattern pattern = preparePattern(fragment, options);
    const int from = editor.caretOffset() + 1;
    if (from >= editor.buffer().length()) return notFound(platform);
    const std::optional<int> start = findFrom(editor.text(), from, pattern);
    if (!start) return notFound(platform);
    editor.showFound(*start, pattern.fragmentLength);
    return std::nullopt;
}
}  // namespace

FindResult findNext(EditorController& editor, std::string_view fragment, const FindOptions& options,
                    Platform& platform) {
    if (std::optional<FindResult> missed = selectNext(editor, fragment, options, platform)) return *missed;
    return {FindOutcome::Found, 1, false, std::nullopt};
}

FindResult replaceNext(EditorController& editor, std::string_view fragment, std::string_view replacement,
                       const FindOptions& options, Platform& platform) {
    if (std::optional<FindResult> missed = selectNext(editor, fragment, options, platform)) return *missed;
    // A refused replacement leaves the text as it was, with the match selected.
    if (editor.replaceSelectionByTyping(replacement) == EditResult::Refused) {
        return {FindOutcome::Refused, 0, false, std::nullopt};
    }
    return {FindOutcome::Found, 1, false, std::nullopt};
}

FindResult replaceAll(EditorController& editor, std::string_view fragment, std::string_view replacement,
                      const FindOptions& options, Platform& platform, const ReplaceAllProgress* progress) {
    editor.releaseCtrl();
    if (fragment.empty()) return {};
    const ReplaceAllText done =
        replaceAllIn(editor.text(), fragment, replacement, options, TextBuffer::kMaxLength, progress);
    if (done.count == 0 && !done.stoppedAtCapacity) return notFound(platform);
    if (done.count > 0) editor.replaceWholeText(done.text, EditKind::ReplaceAll);
    const Message message{MessageKind::Information, replacementsMessage(done.count)};
    platform.showMessage(message.kind, message.text);
    return {FindOutcome::Found, done.count, done.stoppedAtCapacity, message};
}

}  // namespace verdin
