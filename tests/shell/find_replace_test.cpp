// Find and replace: proposed fragments, match case, whole word, forward
// search without wrap-around, Replace, Replace All with its messages, progress and
// the stop at the text's capacity.
#include "shell/find_replace.h"

#include <gtest/gtest.h>

#include <vector>

using namespace verdin;

namespace {

struct FindEditor : ::testing::Test {
    HeadlessPlatform platform;
    EditorController editor;

    void load(std::string_view text, int visibleLines = 20) {
        editor.setVisibleLines(visibleLines);
        ASSERT_TRUE(editor.loadText(text));
    }
    std::string selected() const {
        const auto& s = editor.state();
        return editor.text().substr(static_cast<size_t>(s.selectionLow()),
                                    static_cast<size_t>(s.selectionHigh() - s.selectionLow()));
    }
};

}  // namespace

// Verify the proposed fragments: a selection without CR, else the word at the caret.
TEST_F(FindEditor, ProposedFragments) {
    load("LOOP: MOV A,B\rNOP");
    editor.mouseDown(0, 8);
    EXPECT_EQ(proposedFindFragment(editor), "MOV");
    editor.press(EditorKey::Right, true);
    EXPECT_EQ(proposedFindFragment(editor), "V");
    EXPECT_EQ(proposedReplaceFragment(editor), "");  // the caret is on the blank after MOV
    editor.press(EditorKey::Down, true);
    EXPECT_EQ(proposedFindFragment(editor), "NOP");  // the selection holds a CR
    editor.mouseDown(0, 5);
    EXPECT_EQ(proposedFindFragment(editor), "");  // on a blank
}

// Verify the search starts one after the caret, finds case-insensitively, selects
// the fragment and pages forward; without wrap-around the end says "not found".
TEST_F(FindEditor, ForwardFromCaretPlusOne) {
    std::string text = "mov a,b\r";
    for (int i = 0; i < 30; ++i) text += "nop\r";
    text += "MOV c,d\r";
    load(text, 10);
    FindResult found = findNext(editor, "mov", {}, platform);
    EXPECT_EQ(found.outcome, FindOutcome::Found);
    EXPECT_EQ(editor.state().caretLine, 31);
    EXPECT_EQ(editor.state().topLine, 30);
    EXPECT_EQ(selected(), "MOV");
    EXPECT_EQ(editor.shiftState(), 2);
    FindResult again = findNext(editor, "mov", {}, platform);
    EXPECT_EQ(again.outcome, FindOutcome::NotFound);
    EXPECT_EQ(platform.lastMessage(), "Information: Fragment was not found.");
    EXPECT_EQ(findNext(editor, "", {}, platform).outcome, FindOutcome::Empty);
    EXPECT_EQ(platform.messages.size(), 1u);
}

// Verify match case, quoted text keeping its case, and whole word with line ends as blanks.
TEST_F(FindEditor, MatchCaseAndWholeWord) {
    const std::string text = "x mvi a,'a'\rmov a,b\rcmp a\r";
    const SearchPattern quoted = preparePattern("'a'", {});
    EXPECT_EQ(findFrom(text, 0, quoted), std::optional<int>(8));
    EXPECT_FALSE(findFrom("mvi a,'A'", 0, quoted));
    EXPECT_FALSE(findFrom(text, 0, preparePattern("MOV", {.matchCase = true})));
    const SearchPattern word = preparePattern("a", {.wholeWord = true});
    EXPECT_EQ(findFrom(text, 0, word), std::optional<int>(24));  // "a," is no word; "cmp a\r" is
    EXPECT_FALSE(findFrom(text, 0, preparePattern("x", {.wholeWord = true})));  // nothing before it
    EXPECT_EQ(findFrom(text, 0, preparePattern("mov", {.wholeWord = true})), std::optional<int>(12));
}

// Verify Replace replaces only the next match, and overwrite mode does not make
// the typed replacement eat the characters after the match.
TEST_F(FindEditor, ReplaceNext) {
    load("mov a,b\rmov c,d\r");
    editor.keyDown(EditorKey::Insert);
    FindResult result = replaceNext(editor, "MOV", "ld", {}, platform);
    EXPECT_EQ(result.outcome, FindOutcome::Found);
    EXPECT_EQ(editor.text(), "mov a,b\rld c,d\r");
    EXPECT_TRUE(editor.state().overwriteMode);
    EXPECT_TRUE(editor.state().modified);
    EXPECT_TRUE(platform.messages.empty());
    editor.undo();
    EXPECT_EQ(editor.text(), "mov a,b\rmov c,d\r");
    EXPECT_EQ(replaceNext(editor, "zzz", "y", {}, platform).outcome, FindOutcome::NotFound);
}

// Verify Replace All counts, keeps whole-word delimiters, reports progress, is one
// undo step, and on an empty text says "Fragment was not found.".
TEST_F(FindEditor, ReplaceAllCountsAndUndoes) {
    load("a b a\rb a\r");
    std::vector<int> steps;
    int maximum = -1;
    bool ended = false;
    const ReplaceAllProgress progress{[&](int max) { maximum = max; }, [&](int p) { steps.push_back(p); },
                                      [&] { ended = true; }};
    FindResult result = replaceAll(editor, "a", "xyz", {.wholeWord = true}, platform, &progress);
    EXPECT_EQ(result.count, 2);  // the first "a" has nothing before it
    EXPECT_EQ(editor.text(), "a b xyz\rb xyz\r");
    EXPECT_EQ(platform.lastMessage(), "Information: 2 replacements was(were) made.");
    EXPECT_EQ(maximum, 10);
    EXPECT_TRUE(ended);
    EXPECT_EQ(steps.front(), 0);
    editor.undo();
    EXPECT_EQ(editor.text(), "a b a\rb a\r");
    EXPECT_FALSE(editor.canUndo());
    load("");
    EXPECT_EQ(replaceAll(editor, "a", "b", {}, platform).outcome, FindOutcome::NotFound);
    EXPECT_EQ(platform.lastMessage(), "Information: Fragment was not found.");
}

// Verify Replace All stops at the occurrence that would overflow and reports the count.
TEST_F(FindEditor, ReplaceAllStopsAtCapacity) {
    std::string text(TextBuffer::kMaxLength - 5, '.');
    for (int i = 0; i < 10; ++i) text[static_cast<size_t>(i * 20)] = 'a';
    load(text);
    FindResult result = replaceAll(editor, "a", "aaa", {}, platform);
    EXPECT_EQ(result.count, 2);
    EXPECT_TRUE(result.stoppedAtCapacity);
    EXPECT_EQ(editor.buffer().length(), TextBuffer::kMaxLength - 1);
    EXPECT_EQ(platform.lastMessage(), "Information: 2 replacements was(were) made.");
    EXPECT_EQ(editor.text().substr(0, 26), "aaa" + std::string(19, '.') + "aaa.");
}

// Verify Replace refuses as a whole when the replacement would overflow the text.
TEST_F(FindEditor, ReplaceRefusedAtCapacity) {
    std::string text(TextBuffer::kMaxLength, '.');
    for (size_t i = 49; i < text.size(); i += 50) text[i] = '\r';
    text[7] = 'a';
    load(text);
    EXPECT_EQ(replaceNext(editor, "a", "bb", {}, platform).outcome, FindOutcome::Refused);
    EXPECT_TRUE(editor.text() == text);
    EXPECT_EQ(selected(), "a");
}
