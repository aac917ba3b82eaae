// The editor driven as a person drives it: every case in tests/golden/editor/*.keys is
// a script of keys, mouse, scroll bar and commands with what the editor must show after
// them. The format is described at the top of tests/golden/editor/typing.keys.
#include "golden_files.h"
#include "shell/editor_controller.h"
#include "shell/find_replace.h"

namespace verdin {
namespace {

// "{lines N}" is N lines "line 0" to "line N-1", each ended by CR; the other escapes
// are those of every golden text.
std::string unescape(const std::string& text) {
    std::string out = text;
    for (size_t at; (at = out.find("{lines ")) != std::string::npos;) {
        const size_t close = out.find('}', at);
        std::string lines;
        for (int n = 0; n < std::stoi(out.substr(at + 7, close - at - 7)); ++n) lines += "line " + std::to_string(n) + "\r";
        out.replace(at, close + 1 - at, lines);
    }
    return golden::unescape(out);
}

const std::map<std::string, EditorKey> kKeys = {
    {"Shift", EditorKey::Shift}, {"Ctrl", EditorKey::Control},  {"Insert", EditorKey::Insert},
    {"Left", EditorKey::Left},   {"Right", EditorKey::Right},   {"Up", EditorKey::Up},
    {"Down", EditorKey::Down},   {"Home", EditorKey::Home},     {"End", EditorKey::End},
    {"PageUp", EditorKey::PageUp}, {"PageDown", EditorKey::PageDown}, {"Delete", EditorKey::Delete}};
const std::map<std::string, ScrollAction> kScrolls = {
    {"LineUp", ScrollAction::LineUp}, {"LineDown", ScrollAction::LineDown}, {"PageUp", ScrollAction::PageUp},
    {"PageDown", ScrollAction::PageDown}, {"Thumb", ScrollAction::Thumb}, {"Top", ScrollAction::Top},
    {"Bottom", ScrollAction::Bottom}};
const char* resultName(EditResult r) {
    return r == EditResult::Done ? "Done" : r == EditResult::Ignored ? "Ignored" : "Refused";
}

std::map<std::string, int> fields(const EditorController& e) {
    const EditorState& s = e.state();
    return {
        {"line", s.caretLine}, {"col", s.caretColumn}, {"top", s.topLine}, {"last", s.lastLine},
        {"selA", s.selectionA}, {"selB", s.selectionB}, {"low", s.selectionLow()}, {"high", s.selectionHigh()},
        {"shift", e.shiftState()}, {"modified", s.modified}, {"autoscroll", e.autoScrollActive()},
        {"copied", e.copiedFlag()}, {"canundo", e.canUndo()}, {"canredo", e.canRedo()},
        {"scrollmax", e.scrollMaximum()}, {"scrollbar", e.scrollBarVisible()}, {"length", e.buffer().length()},
        {"selected", s.hasSelection()}, {"fault", e.faultLine()}};
}

int decimal(const std::string& text) { return std::stoi(text); }

class EditorScript : public ::testing::TestWithParam<golden::Case> {};

TEST_P(EditorScript, Holds) {
    MemoryClipboard clipboard;
    EditorController editor{&clipboard};
    HeadlessPlatform platform;
    editor.setVisibleLines(20);
    std::string loaded;
    FindResult found;
    const std::map<std::string, std::function<void()>> plain = {
        {"release", [&] { editor.mouseUp(); }}, {"tick", [&] { editor.autoScrollTick(); }},
        {"copy", [&] { editor.copy(); }}, {"cut", [&] { editor.cut(); }}, {"selectall", [&] { editor.selectAll(); }},
        {"clearfault", [&] { editor.clearFault(); }}, {"saved", [&] { editor.markSaved(); }},
        {"clipboard-off", [&] { clipboard.available = false; }}};
    for (const golden::Line& numbered : GetParam().lines) {
        SCOPED_TRACE(numbered.where + " " + numbered.text);
        const std::string& line = numbered.text;
        const std::string verb = numbered.verb(), rest = numbered.rest();
        std::istringstream words(rest);
        std::string arg;
        words >> arg;
        // An optional "-> RESULT" at the end of an input checks what became of it.
        auto expectResult = [&](EditResult r) {
            const size_t arrow = line.rfind(" -> ");
            if (arrow != std::string::npos) {
                EXPECT_STREQ(resultName(r), line.substr(arrow + 4).c_str());
            }
        };
        if (line.empty()) {
            continue;
        } else if (plain.count(verb)) {
            plain.at(verb)();
        } else if (verb == "view") {
            editor.setVisibleLines(std::stoi(arg));
        } else if (verb == "load") {
            ASSERT_TRUE(editor.loadText(loaded = unescape(rest))) << "too long";
        } else if (verb == "type") {
            editor.typeText(unescape(rest));
        } else if (verb == "char") {
            expectResult(editor.typeChar(static_cast<unsigned char>(std::stoi(arg, nullptr, 0))));
        } else if (verb == "press" || verb == "down" || verb == "up") {
            const std::string flags = rest.substr(std::min(rest.size(), arg.size()));
            int times = 1;
            if (const size_t x = flags.find(" x"); x != std::string::npos) times = std::stoi(flags.substr(x + 2));
            for (int i = 0; i < times; ++i) {
                if (verb == "down") editor.keyDown(kKeys.at(arg));
                else if (verb == "up") editor.keyUp(kKeys.at(arg));
                else editor.press(kKeys.at(arg), flags.find("shift") != std::string::npos,
                                  flags.find("ctrl") != std::string::npos);
            }
        } else if (verb == "click" || verb == "drag") {
            int column = 0;
            words >> column;
            if (verb == "click") editor.mouseDown(std::stoi(arg), column);
            else editor.mouseMove(std::stoi(arg), column, true);
        } else if (verb == "scroll") {
            int position = 0;
            words >> position;
            editor.scroll(kScrolls.at(arg), position);
        } else if (verb == "paste") {
            expectResult(editor.paste());
        } else if (verb == "undo") {
            EXPECT_EQ(editor.undo(), arg != "none");
        } else if (verb == "redo") {
            EXPECT_EQ(editor.redo(), arg != "none");
        } else if (verb == "fault") {
            editor.showCompileFault(std::stoi(arg), rest.find("translate") == std::string::npos);
        } else if (verb == "clipboard") {
            clipboard.content = unescape(rest);
        } else if (verb == "text:") {
            EXPECT_EQ(editor.text(), rest == "<loaded>" ? loaded : unescape(rest));
        } else if (verb == "clipboard:") {
            EXPECT_EQ(clipboard.content.value_or("<none>"), unescape(rest));
        } else if (verb == "status:") {
            EXPECT_EQ(editor.statusText() + "|" + editor.overwriteText(), unescape(rest));
        } else if (verb.rfind("find", 0) == 0 || verb.rfind("replace", 0) == 0) {
            // find[/case][/word] FRAGMENT, replace[...] FRAGMENT|WITH, replaceall[...] FRAGMENT|WITH
            const FindOptions options{verb.find("/case") != std::string::npos, verb.find("/word") != std::string::npos};
            const std::string text = unescape(rest);
            const size_t bar = text.find('|');
            const std::string fragment = text.substr(0, bar), with = bar == std::string::npos ? "" : text.substr(bar + 1);
            if (verb.rfind("find", 0) == 0) found = findNext(editor, fragment, options, platform);
            else if (verb.rfind("replaceall", 0) == 0) found = replaceAll(editor, fragment, with, options, platform);
            else found = replaceNext(editor, fragment, with, options, platform);
        } else if (verb == "found:") {
            const char* outcomes[] = {"Found", "NotFound", "Empty", "Refused"};
            EXPECT_EQ(std::string(outcomes[static_cast<int>(found.outcome)]) + " " + std::to_string(found.count) +
                          (found.stoppedAtCapacity ? " full" : ""),
                      rest);
        } else if (verb == "msg:") {
            EXPECT_EQ(platform.lastMessage() + " (" + std::to_string(platform.messages.size()) + ")", rest);
        } else if (verb == "proposed:") {
            EXPECT_EQ(proposedFindFragment(editor) + "|" + proposedReplaceFragment(editor), rest);
        } else if (verb == "selected:") {
            const EditorState& st = editor.state();
            EXPECT_EQ(editor.text().substr(st.selectionLow(), st.selectionHigh() - st.selectionLow()), unescape(rest));
        } else if (verb == "=>") {
            golden::expectPairs(rest, fields(editor), decimal);
        } else {
            ADD_FAILURE() << "unknown command " << verb;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, EditorScript, ::testing::ValuesIn(golden::readCases("editor", ".keys")),
                         golden::caseName);

}  // namespace
}  // namespace verdin
