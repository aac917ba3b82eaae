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
std::map<std::string, int> fields(const EditorController& e) {
    const EditorState& s = e.state();
    return {
        {"line", s.caretLine}, {"col", s.caretColumn}, {"top", s.topLine}, {"last", s.lastLine},
        {"selA", s.selectionA}, {"selB", s.selectionB}, {"low", s.selectionLow()}, {"high", s.selectionHigh()},
        {"shift", static_cast<int>(e.shiftState())}, {"modified", s.modified}, {"autoscroll", e.autoScrollActive()},
        {"copied", e.copiedFlag()}, {"canundo", e.canUndo()}, {"canredo", e.canRedo()},
        {"scrollmax", e.scrollMaximum()}, {"scrollbar", e.scrollBarVisible()}, {"length", e.buffer().length()},
        {"selected", s.hasSelection()}, {"fault", e.faultLine()}};
}

class EditorScript : public ::testing::TestWithParam<golden::Case> {};

TEST_P(EditorScript, Holds) {
    MemoryClipboard clipboard;
    EditorController editor{&clipboard};
    HeadlessPlatform platform;
    editor.setVisibleLines(20);
    std::string loaded, arg, rest;  // the first word after the command, and all after it
    FindResult found;
    // An optional "-> RESULT" at the end of an input checks what became of it.
    auto result = [&](EditResult r) {
        if (const size_t arrow = rest.rfind(" -> "); arrow != std::string::npos) {
            const char* names[] = {"Done", "Ignored", "Refused", "LineFull"};
            const char* name = names[static_cast<int>(r)];
            EXPECT_EQ(name, rest.substr(arrow + 4));
        }
    };
    auto number = [&](size_t word) {
        std::istringstream words(rest);
        std::string value;
        for (size_t i = 0; i <= word; ++i) words >> value;
        return std::stoi(value, nullptr, 0);
    };
    const std::map<std::string, std::function<void()>> commands = {
        {"release", [&] { editor.mouseUp(); }}, {"tick", [&] { editor.autoScrollTick(); }},
        {"copy", [&] { editor.copy(); }}, {"cut", [&] { editor.cut(); }}, {"selectall", [&] { editor.selectAll(); }},
        {"clearfault", [&] { editor.clearFault(); }}, {"saved", [&] { editor.markSaved(); }},
        {"clipboard-off", [&] { clipboard.available = false; }},
        {"clipboard", [&] { clipboard.content = unescape(rest); }},
        {"view", [&] { editor.setVisibleLines(number(0)); }},
        {"load", [&] { ASSERT_TRUE(editor.loadText(loaded = unescape(rest))) << "too long"; }},
        {"type", [&] { editor.typeText(unescape(rest)); }},
        {"char", [&] { result(editor.typeChar(static_cast<unsigned char>(number(0)))); }},
        {"paste", [&] { result(editor.paste()); }},
        {"click", [&] { editor.mouseDown(number(0), number(1)); }},
        {"drag", [&] { editor.mouseMove(number(0), number(1), true); }},
        {"doubleclick", [&] { editor.selectWord(number(0), number(1)); }},
        {"tripleclick", [&] { editor.selectLine(number(0)); }},
        {"rightclick", [&] { EXPECT_EQ(editor.rightClick(number(0), number(1)), number(3)); }},
        {"middle", [&] {
             editor.mouseDown(number(0), number(1));
             editor.mouseUp();
             editor.pasteText(unescape(rest.substr(rest.find(' ', rest.find(' ') + 1) + 1)));
         }},
        {"breakpoint", [&] { editor.toggleBreakpoint(number(0)); }},
        {"breakpoints:", [&] {
             std::string lines;
             for (int line : editor.breakpoints()) lines += (lines.empty() ? "" : " ") + std::to_string(line);
             EXPECT_EQ(lines + " (" + std::to_string(editor.programLineCount()) + ")", rest);
         }},
        {"notice:", [&] { EXPECT_EQ(editor.takeNotice(), rest); }},
        {"runs:", [&] {  // LINE then each run as KIND START+LENGTH, KIND one of P M C S
             std::string runs = arg;
             for (const AttributeRun& run : editor.lineRuns(number(0))) {
                 const char kind = run.attribute == CharAttribute::Mnemonic ? 'M'
                                   : run.attribute == CharAttribute::Comment ? 'C'
                                   : run.attribute == CharAttribute::Selected ? 'S' : 'P';
                 runs += " " + std::string(1, kind) + std::to_string(run.start) + "+" + std::to_string(run.length);
             }
             EXPECT_EQ(runs, rest);
         }},
        {"scroll", [&] { editor.scroll(kScrolls.at(arg), rest.find(' ') == std::string::npos ? 0 : number(1)); }},
        {"undo", [&] { EXPECT_EQ(editor.undo(), arg != "none"); }},
        {"redo", [&] { EXPECT_EQ(editor.redo(), arg != "none"); }},
        {"fault", [&] { editor.showCompileFault(number(0), rest.find("translate") == std::string::npos); }},
        {"text:", [&] { EXPECT_EQ(editor.text(), rest == "<loaded>" ? loaded : unescape(rest)); }},
        {"clipboard:", [&] { EXPECT_EQ(clipboard.content.value_or("<none>"), unescape(rest)); }},
        {"status:", [&] { EXPECT_EQ(editor.statusText() + "|" + editor.overwriteText(), unescape(rest)); }},
        {"msg:", [&] { EXPECT_EQ(platform.lastMessage() + " (" + std::to_string(platform.messages.size()) + ")", rest); }},
        {"proposed:", [&] { EXPECT_EQ(proposedFindFragment(editor) + "|" + proposedReplaceFragment(editor), rest); }},
        {"=>", [&] { golden::expectPairs(rest, fields(editor)); }},
        {"found:", [&] {
             const char* outcomes[] = {"Found", "NotFound", "Empty", "Refused"};
             EXPECT_EQ(std::string(outcomes[static_cast<int>(found.outcome)]) + " " + std::to_string(found.count) +
                           (found.stoppedAtCapacity ? " full" : ""),
                       rest);
         }},
        {"selected:", [&] {
             const EditorState& st = editor.state();
             EXPECT_EQ(editor.text().substr(st.selectionLow(), st.selectionHigh() - st.selectionLow()), unescape(rest));
         }}};
    for (const golden::Line& line : GetParam().lines) {
        SCOPED_TRACE(line.where + " " + line.text);
        const std::string verb = line.verb();
        rest = line.rest();
        arg = rest.substr(0, rest.find(' '));
        if (line.text.empty()) {
            continue;
        } else if (commands.count(verb)) {
            commands.at(verb)();
        } else if (verb == "press" || verb == "down" || verb == "up") {  // KEY [shift] [ctrl] [xN]
            const size_t x = rest.find(" x");
            for (int i = 0; i < (x == std::string::npos ? 1 : std::stoi(rest.substr(x + 2))); ++i) {
                if (verb == "down") editor.keyDown(kKeys.at(arg));
                else if (verb == "up") editor.keyUp(kKeys.at(arg));
                else editor.press(kKeys.at(arg), rest.find(" shift") != std::string::npos,
                                  rest.find(" ctrl") != std::string::npos);
            }
        } else if (verb.rfind("find", 0) == 0 || verb.rfind("replace", 0) == 0) {
            // find[/case][/word] FRAGMENT, replace[...] FRAGMENT|WITH, replaceall[...] FRAGMENT|WITH
            const FindOptions options{verb.find("/case") != std::string::npos, verb.find("/word") != std::string::npos};
            const std::string text = unescape(rest);
            const size_t bar = text.find('|');
            const std::string fragment = text.substr(0, bar), with = bar == std::string::npos ? "" : text.substr(bar + 1);
            if (verb.rfind("find", 0) == 0) found = findNext(editor, fragment, options, platform);
            else if (verb.rfind("replaceall", 0) == 0) found = replaceAll(editor, fragment, with, options, platform);
            else found = replaceNext(editor, fragment, with, options, platform);
        } else {
            ADD_FAILURE() << "unknown command " << verb;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, EditorScript, ::testing::ValuesIn(golden::readCases("editor", ".keys")),
                         golden::caseName);

}  // namespace
}  // namespace verdin
