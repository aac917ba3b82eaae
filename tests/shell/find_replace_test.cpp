// Find and replace: the patterns of match case and whole word, Replace All's progress
// and both stops at the text's capacity. Find, Replace and Replace All as a person uses
// them are scripts in tests/golden/editor/find_replace.keys.
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

// Quoted text keeps its case; line ends count as blanks around a whole word.
TEST_F(FindEditor, MatchCaseAndWholeWord) {
    const std::string text = "x mvi a,'a'\rmov a,b\rcmp a\r";
    const SearchPattern quoted = preparePattern("'a'", {});
    EXPECT_EQ(findFrom(text, 0, quoted), std::optional<int>(8));
    EXPECT_FALSE(findFrom("mvi a,'A'", 0, quoted));
    EXPECT_FALSE(findFrom(text, 0, preparePattern("MOV", {.matchCase = true})));
    const SearchPattern word = preparePattern("a", {.wholeWord = true});
    EXPECT_EQ(findFrom(text, 0, word), std::optional<int>(24));  // "a," is no word; "cmp a\r" is
    EXPECT_EQ(findFrom(text, 0, preparePattern("mov", {.wholeWord = true})), std::optional<int>(12));
}

TEST_F(FindEditor, ReplaceAllReportsProgress) {
    load("a b a\rb a\r");
    std::vector<int> steps;
    int maximum = -1;
    bool ended = false;
    const ReplaceAllProgress progress{[&](int max) { maximum = max; }, [&](int p) { steps.push_back(p); },
                                      [&] { ended = true; }};
    EXPECT_EQ(replaceAll(editor, "a", "xyz", {.wholeWord = true}, platform, &progress).count, 2);
    EXPECT_EQ(maximum, 10);
    EXPECT_TRUE(ended);
    EXPECT_EQ(steps.front(), 0);
}

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

TEST_F(FindEditor, ReplaceRefusedAtCapacity) {
    std::string text(TextBuffer::kMaxLength, '.');
    for (size_t i = 49; i < text.size(); i += 50) text[i] = '\r';
    text[7] = 'a';
    load(text);
    EXPECT_EQ(replaceNext(editor, "a", "bb", {}, platform).outcome, FindOutcome::Refused);
    EXPECT_TRUE(editor.text() == text);
    EXPECT_EQ(selected(), "a");
}
