// Find and replace on the editor's flat text.
//
// The search runs forward over the whole text, across line ends, from one character
// after the caret, without wrap-around. Match case off compares the text and the
// fragment in capitals outside single quotes (TextTools::upperOutsideQuotes); whole
// word surrounds the fragment with blanks, and a CR at either end of the compared
// characters counts as a blank. Messages go to the Platform as the message boxes of
// the desktop; the result of each command says the same as data.
//
// Usage (the dialog supplies fragment, replacement and options):
//   HeadlessPlatform platform;
//   FindOptions options{.matchCase = false, .wholeWord = true};
//   findNext(editor, "mov", options, platform);
//   replaceAll(editor, "mov", "MOV", options, platform);
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "shell/editor_controller.h"

namespace verdin {

inline constexpr std::string_view kReplacementsMade = "replacements was(were) made.";
// The dialogs' edit controls take at most this many characters (80-byte limit).
inline constexpr int kMaxFragmentLength = 79;

struct FindOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

// The fragment made ready for comparison.
struct SearchPattern {
    std::string pattern;     // with the blanks of whole word, in capitals unless match case
    int fragmentLength = 0;  // the fragment itself, without the added blanks
    FindOptions options;
};

SearchPattern preparePattern(std::string_view fragment, const FindOptions& options);
// Whether the pattern matches the text at offset p (the leading blank of a whole word
// included).
bool matchesAt(std::string_view text, int p, const SearchPattern& pattern);
// The offset of the fragment of the first match at or after `from`, or nothing.
std::optional<int> findFrom(std::string_view text, int from, const SearchPattern& pattern);

// The word around `offset`: back to after the previous blank or CR, forward to the
// next blank, CR or the end; empty on a blank.
std::string wordAt(std::string_view text, int offset);
// Find proposes a selection without CR, else the word at the caret.
std::string proposedFindFragment(const EditorController& editor);
// Replace always proposes the word at the caret.
std::string proposedReplaceFragment(const EditorController& editor);

// Replace All's modeless progress dialog (range 0 ... text length).
struct ReplaceAllProgress {
    std::function<void(int maximum)> begin;
    std::function<void(int position)> step;
    std::function<void()> end;
};

struct ReplaceAllText {
    std::string text;
    int count = 0;
    bool stoppedAtCapacity = false;  // the next replacement would have overflowed
};
// Every match from offset 0 replaced, continuing after each inserted replacement.
// Stops before a replacement that would make the text longer than `capacity`.
ReplaceAllText replaceAllIn(std::string_view text, std::string_view fragment, std::string_view replacement,
                            const FindOptions& options, int capacity = TextBuffer::kMaxLength,
                            const ReplaceAllProgress* progress = nullptr);

enum class FindOutcome {
    Found,     // Find selected a match / Replace replaced it / Replace All replaced some
    NotFound,  // "Fragment was not found." was shown
    Empty,     // empty fragment: nothing searched, nothing shown
    Refused,   // Replace: the replacement would overflow the text; nothing changed
};

struct FindResult {
    FindOutcome outcome = FindOutcome::Empty;
    int count = 0;                    // Replace All: replacements made
    bool stoppedAtCapacity = false;   // Replace All stopped short of overflowing
    std::optional<Message> message;   // what was shown, if anything
};

// Edit > Find: selects the next match after the caret.
FindResult findNext(EditorController& editor, std::string_view fragment, const FindOptions& options,
                    Platform& platform);
// Edit > Replace, "Ok": replaces the next match after the caret, typing the
// replacement through character input.
FindResult replaceNext(EditorController& editor, std::string_view fragment, std::string_view replacement,
                       const FindOptions& options, Platform& platform);
// Edit > Replace, "Replace All": one undoable step. Stops before an occurrence whose
// replacement would exceed the capacity and reports the replacements made so far.
FindResult replaceAll(EditorController& editor, std::string_view fragment, std::string_view replacement,
                      const FindOptions& options, Platform& platform,
                      const ReplaceAllProgress* progress = nullptr);

// "%d %s" with the count and "replacements was(were) made.".
std::string replacementsMessage(int count);

}  // namespace verdin
