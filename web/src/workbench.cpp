// The browser edition's one entry point into the core: a thin embind layer that turns
// the page's calls into calls of the same façade verdin-cli and the desktop use
// (EditorController, compileProgram, DebugSession, the debug lists, the help pages)
// and answers in JSON. Nothing here decides anything the core decides.
//
// The page runs two of these: one on its own thread for the editor, Compile,
// Translate, Save code and help, and one in a Web Worker for the debug session, whose
// Run and Step over go in slices (runSlice/resume) so that Stop is heard in between.
#include <emscripten/bind.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/json.h"
#include "debugger/calculator.h"
#include "debugger/debug_lists.h"
#include "debugger/debug_session.h"
#include "debugger/program_lines.h"
#include "debugger/state_time.h"
#include "debugger/step_history.h"
#include "files/file_names.h"
#include "files/source_file.h"
#include "files/windows_1252.h"
#include "help/examples.h"
#include "help/help_pages.h"
#include "help/markdown.h"
#include "machine/hints.h"
#include "shell/clipboard.h"
#include "shell/commands.h"
#include "shell/context_help.h"
#include "shell/editor_controller.h"
#include "shell/find_replace.h"
#include "shell/listing.h"
#include "shell/print_layout.h"
#include "shell/tidy.h"
#include "translator/translate.h"
#include "web_platform.h"

namespace verdin::web {

using cli::jsonArray;
using cli::jsonString;
using cli::jsonStringArray;

namespace {

std::string jsonBool(bool b) { return b ? "true" : "false"; }

// The page's "8085 clock states" box as the machine's timing.
Timing timingOf(bool timing8085) { return timing8085 ? Timing::Intel8085 : Timing::Intel8080; }

std::string messageJson(const Message& m) {
    return "{\"kind\":" + jsonString(captionOf(m.kind)) + ",\"text\":" + jsonString(m.text) +
           ",\"hint\":" + jsonString(m.hint) + ",\"line\":" + jsonString(formatMessageLine(m)) +
           ",\"hintLine\":" + jsonString(m.hint.empty() ? std::string() : formatHintLine(m)) +
           ",\"help\":" + jsonString(m.help) + "}";
}

std::optional<EditorKey> keyNamed(const std::string& name) {
    static const std::pair<const char*, EditorKey> kKeys[] = {
        {"ArrowLeft", EditorKey::Left}, {"ArrowRight", EditorKey::Right}, {"ArrowUp", EditorKey::Up},
        {"ArrowDown", EditorKey::Down}, {"Home", EditorKey::Home},         {"End", EditorKey::End},
        {"PageUp", EditorKey::PageUp},  {"PageDown", EditorKey::PageDown}, {"Delete", EditorKey::Delete},
        {"Insert", EditorKey::Insert}};
    for (const auto& [n, key] : kKeys) {
        if (name == n) return key;
    }
    return std::nullopt;
}

}  // namespace

class Workbench {
public:
    Workbench() : machine_(platform_), editor_(&clipboard_) {
        platform_.machine = &machine_;
        editor_.setVisibleLines(40);
    }

    // ---- Messages ----------------------------------------------------------------
    // The message boxes shown since the last call, oldest first.
    std::string takeMessages() {
        std::string out = "[";
        for (const Message& m : platform_.pending) out += (out.size() > 1 ? "," : "") + messageJson(m);
        platform_.pending.clear();
        return out + "]";
    }

    // ---- The editor ----------------------------------------------------------------
    void setVisibleLines(int lines) { editor_.setVisibleLines(lines); }
    int typeChar(int c) {
        if (c < 0 || c > 255) return static_cast<int>(EditResult::Ignored);
        return static_cast<int>(editor_.typeChar(static_cast<unsigned char>(c)));
    }
    bool key(const std::string& name, bool shift, bool ctrl) {
        std::optional<EditorKey> k = keyNamed(name);
        if (!k) return false;
        editor_.press(*k, shift, ctrl);
        return true;
    }
    void mouseDown(int line, int column) { editor_.mouseDown(line, column); }
    void mouseMove(int line, int column, bool held) { editor_.mouseMove(line, column, held); }
    void mouseUp() { editor_.mouseUp(); }
    void selectWord(int line, int column) { editor_.selectWord(line, column); }
    void selectLine(int line) { editor_.selectLine(line); }
    // The help page of the mnemonic under a right click, or "".
    std::string rightClick(int line, int column) {
        const int context = editor_.rightClick(line, column);
        return context < 0 ? std::string() : help::pageForContext(context);
    }
    // Copy and Cut hand the text to the page (which puts it on the system clipboard)
    // with LF line ends.
    std::string copy(bool cut) {
        clipboard_.content.reset();
        if (cut) editor_.cut();
        else editor_.copy();
        std::string text = clipboard_.content.value_or("");
        std::string out;
        for (char c : text) out += c == '\r' ? '\n' : c;
        return windows1252ToUtf8(out);
    }
    // Paste of the system clipboard's UTF-8 text, through the editor's filters.
    int paste(const std::string& utf8) {
        std::string bytes = utf8ToWindows1252(utf8).bytes;
        std::string text;
        for (char c : bytes) {
            if (c == '\n') text += '\r';
            else if (c != '\r') text += c;
        }
        return static_cast<int>(editor_.pasteText(text));
    }
    void selectAll() { editor_.selectAll(); }
    bool undo() { return editor_.undo(); }
    bool redo() { return editor_.redo(); }
    void newText() { editor_.newText(); }
    bool toggleBreakpoint(int line) { return editor_.toggleBreakpoint(line); }
    void markSaved() { editor_.markSaved(); }

    // Opens a file of the module's file system (an upload, an example) as the editor's
    // text, through the editor's own loader and its refusals.
    std::string openFile(const std::string& path) {
        LoadResult loaded = loadEditorFile(path);
        if (!loaded.ok) return "{\"ok\":false,\"error\":" + jsonString(loaded.error) + "}";
        editor_.loadLines(loaded.text.lines);
        editor_.clearFault();
        return "{\"ok\":true,\"note\":" + jsonString(loaded.note) + "}";
    }
    // Import: the program of a trainer kit or another tool in the module's file system,
    // converted into a new untitled text with the report of what changed and what is
    // left to do by hand; false, with its message waiting, when it cannot be.
    std::string importFile(const std::string& path, const std::string& shownName) {
        const std::optional<ImportReport> imported = importProgramFile(path, false, platform_);
        if (!imported) return "{\"ok\":false}";
        const ImportReport& report = *imported;
        if (!editor_.loadLines(report.lines)) {
            platform_.showMessage(MessageKind::Error, kTooLongToImportMessage);
            return "{\"ok\":false}";
        }
        editor_.clearFault();
        // Not saved anywhere yet, as a new text the student typed.
        editor_.markModified();
        std::string notes = "[";
        for (const ImportNote& note : report.notes) {
            notes += std::string(notes.size() > 1 ? "," : "") + "{\"text\":" + jsonString(note.text) +
                     ",\"line\":" + std::to_string(note.line) + ",\"toDo\":" + jsonBool(note.toDo) + "}";
        }
        const std::string name = utf8ToWindows1252(shownName).bytes;
        return "{\"ok\":true,\"title\":" + jsonString("Import - " + name) +
               ",\"summary\":" + jsonString(importSummary(report, name)) + ",\"notes\":" + notes + "]}";
    }
    // The caret to the start of `line`, as a row of the Import report puts it there.
    void goToLine(int line) { editor_.goToLine(line); }

    // The editor's text as a file holds it (LF line ends, UTF-8 for the page's storage
    // and downloads) and back.
    std::string text() const {
        std::string out;
        for (char c : editor_.text()) out += c == TextBuffer::kLineEnd ? '\n' : c;
        return windows1252ToUtf8(out);
    }
    bool setText(const std::string& utf8) {
        std::string bytes = utf8ToWindows1252(utf8).bytes;
        std::string text;
        for (char c : bytes) {
            if (c == '\n') text += TextBuffer::kLineEnd;
            else if (c != '\r') text += c;
        }
        return editor_.loadText(text);
    }
    std::string examples() const {
        std::string out = "[";
        for (const help::ExampleProgram& e : help::examplePrograms()) {
            std::string text;
            for (std::size_t i = 0; i < e.lines.size(); ++i) text += (i > 0 ? "\n" : "") + e.lines[i];
            out += (out.size() > 1 ? "," : "") + std::string("{\"name\":") + jsonString(e.name) +
                   ",\"title\":" + jsonString(e.title) + ",\"text\":" + jsonString(text) + "}";
        }
        return out + "]";
    }

    // Everything the page draws of the editor.
    std::string editorView() {
        const EditorState& s = editor_.state();
        std::string lines = "[";
        for (int i = 0; i <= s.lastLine; ++i) {
            std::string runs = "[";
            for (const AttributeRun& r : editor_.lineRuns(i)) {
                runs += (runs.size() > 1 ? ",[" : "[") + std::to_string(r.start) + "," + std::to_string(r.length) +
                        "," + std::to_string(static_cast<int>(r.attribute)) + "]";
            }
            lines += (i > 0 ? "," : "") + std::string("[") + jsonString(editor_.buffer().lineText(i)) + "," + runs + "]]";
        }
        lines += "]";
        std::vector<int> marks(editor_.breakpoints().begin(), editor_.breakpoints().end());
        return "{\"lines\":" + lines + ",\"caret\":[" + std::to_string(s.caretLine) + "," +
               std::to_string(s.caretColumn) + "],\"top\":" + std::to_string(s.topLine) +
               ",\"status\":" + jsonString(editor_.statusText()) + ",\"overwrite\":" +
               jsonString(editor_.overwriteText()) + ",\"notice\":" + jsonString(editor_.takeNotice()) +
               ",\"fault\":" + std::to_string(editor_.faultLine()) + ",\"breakpoints\":" + jsonArray(marks) +
               ",\"modified\":" + jsonBool(s.modified) + ",\"canUndo\":" + jsonBool(editor_.canUndo()) +
               ",\"canRedo\":" + jsonBool(editor_.canRedo()) + ",\"canCopy\":" + jsonBool(editor_.canCopy()) + "}";
    }

    // ---- Commands of the main window --------------------------------------------------
    void setOptions(bool intel, bool timing8085) {
        machine_.setArithmeticRules(intel ? ArithmeticRules::Intel8080 : ArithmeticRules::Workbench);
        machine_.setTiming(timingOf(timing8085), machine_.fields().clockKHz);
    }
    // The clock the debug panel times its states at, in kHz (outside 1 kHz .. 100 MHz
    // it is ignored, as the Clock box lets no such value through).
    void setClock(int kHz) {
        if (kHz >= kMinClockKHz && kHz <= kMaxClockKHz) machine_.setClockKHz(kHz);
    }
    // What the Clock box shows for `timing8085`'s processor at `kHz`: its caption and
    // the clock in MHz. Until one is chosen a processor has its defaultClock.
    std::string clockBox(bool timing8085, int kHz) const {
        return "{\"caption\":" + jsonString(clockCaption(timingOf(timing8085))) +
               ",\"value\":" + jsonString(megahertzText(kHz)) + "}";
    }
    int defaultClock(bool timing8085) const {
        return defaultClockKHz(timingOf(timing8085));
    }
    // A clock typed in MHz, in kHz; 0 for text that is no clock.
    int parseClock(const std::string& utf8) const {
        return parseClockMHz(utf8ToWindows1252(utf8).bytes).value_or(0);
    }
    // Compile (debug = false) or the Debug hand-off: -1 or the faulty line from 1,
    // marked in the editor as the desktop marks it.
    int compile(bool debug) {
        const int result = compileProgram(machine_, editorLines(), {.stopAtEmptyLine = debug, .showMessage = true});
        if (result == -1) editor_.clearFault();
        else editor_.showCompileFault(result, true);
        return result;
    }
    // Translate: the .z80 or .i86 text, named after `fileName`.
    std::string translate(bool z80, const std::string& fileName) {
        const std::int32_t mode = z80 ? TranslateZ80 : TranslateX86;
        const int result = compileProgram(machine_, editorLines(), {.mode = mode});
        if (result != -1) {
            editor_.showCompileFault(result, false);
            return "{\"ok\":false}";
        }
        const std::string source = "/translate/" + fileName;
        std::optional<std::string> written =
            writeTranslation(machine_, static_cast<int>(editorLines().size()), source);
        if (!written) return "{\"ok\":false}";
        LoadResult out = loadSourceFile(*written);
        std::remove(written->c_str());
        return "{\"ok\":true,\"name\":" + jsonString(written->substr(written->rfind('/') + 1)) +
               ",\"text\":" + jsonString(joinSourceText(out.text)) + "}";
    }
    // Save code: the bytes of the assembled image, or an empty array after a fault.
    std::string saveCode() {
        if (compileProgram(machine_, editorLines(), {}) != -1) return "null";
        return jsonArray(programImage(machine_));
    }

    // Listing: compiled on a machine of its own, as the desktop's Listing window does.
    std::string listing() const {
        ProgramListing shown = makeListing(editorLines(), machine_.fields().arithmeticRules);
        return "{\"compiled\":" + jsonBool(shown.compiled) + ",\"rows\":" + jsonStringArray(shown.rows) +
               ",\"faultLine\":" + std::to_string(shown.faultLine) + "}";
    }
    // Find (mode 0), Replace (1) and Replace All (2) of the editor, with their messages.
    int find(int mode, const std::string& fragment, const std::string& replacement, bool matchCase, bool wholeWord) {
        const FindOptions options{matchCase, wholeWord};
        const std::string f = utf8ToWindows1252(fragment).bytes.substr(0, kMaxFragmentLength);
        const std::string r = utf8ToWindows1252(replacement).bytes.substr(0, kMaxFragmentLength);
        FindResult result = mode == 0   ? findNext(editor_, f, options, platform_)
                            : mode == 1 ? replaceNext(editor_, f, r, options, platform_)
                                        : replaceAll(editor_, f, r, options, platform_);
        return static_cast<int>(result.outcome);
    }
    std::string proposedFind() const { return windows1252ToUtf8(proposedFindFragment(editor_)); }

    // ---- Help ---------------------------------------------------------------------------
    std::string helpPage(const std::string& target, bool intel) const {
        const help::Page* page = help::findPage(target);
        if (page == nullptr) return "null";
        return "{\"id\":" + jsonString(page->id) + ",\"title\":" + jsonString(page->title) +
               ",\"html\":" + jsonString(help::toHtml(help::markRulesInForce(page->markdown, intel))) + "}";
    }
    std::string helpForTopic(const std::string& topic) const { return help::pageForTopic(topic); }
    std::string helpForContext(int context) const { return help::pageForContext(context); }

    // ---- Print -----------------------------------------------------------------------
    // The text as the desktop prints it: pages of 70 lines numbered as the margin
    // numbers them, each under the file's name and "Page N of M". The browser's own
    // dialog chooses the printer, the paper and the copies.
    std::string printPages(const std::string& fileName) const {
        const std::vector<std::string> lines = printableLines(editor_.buffer());
        const int count = static_cast<int>(lines.size());
        const int pages = printPageCount(count, kLinesPerPage);
        const int columns = printNumberColumns(count);
        std::string out = "{\"name\":" + jsonString(printHeaderName(fileName)) + ",\"pages\":[";
        for (const PrintSheet& sheet : printLayout(count, kLinesPerPage, 1, true)) {
            out += std::string(sheet.page > 0 ? "," : "") + "{\"page\":" + jsonString(printPageText(sheet.page + 1, pages)) +
                   ",\"rows\":[";
            for (int row = 0; row < sheet.lineCount; ++row) {
                const int index = sheet.firstLine + row;
                out += std::string(row > 0 ? "," : "") + "[" + jsonString(printLineNumber(index, columns)) + "," +
                       jsonString(printedLineText(lines[static_cast<std::size_t>(index)])) + "]";
            }
            out += "]}";
        }
        return out + "]}";
    }

    // ---- The calculator, one for the page's life, as the desktop keeps one ----------
    // Its keys with their faces, spoken names and places on the pad.
    std::string calculatorKeys() const {
        std::string keys = "[";
        for (const CalcControl& c : kCalcControls) {
            const CalcKeyPlace place = calcKeyPlace(c);
            keys += std::string(keys.size() > 1 ? "," : "") + "{\"id\":" + std::to_string(c.id) +
                    ",\"label\":" + jsonString(calcKeyLabel(c)) + ",\"name\":" + jsonString(calcKeySpokenName(c)) +
                    ",\"row\":" + std::to_string(place.row) + ",\"column\":" + std::to_string(place.column) +
                    ",\"span\":" + std::to_string(place.span) + ",\"help\":" + jsonBool(c.key == CalcKey::Help) + "}";
        }
        return "{\"columns\":" + std::to_string(kCalcPadColumns) + ",\"help\":" + std::to_string(kCalcHelpContext) +
               ",\"keys\":" + keys + "]}";
    }
    // The dialog opened: an empty entry, everything else kept.
    std::string calculatorOpen() {
        calculator_.open();
        return calculatorView();
    }
    std::string calculatorPress(int id) {
        for (const CalcControl& c : kCalcControls) {
            if (c.id == id) calculator_.press(c);
        }
        return calculatorView();
    }
    std::string helpWord(int line, int column) const {
        return help::pageForTopic(helpWordAt(editor_.buffer().lineText(line), column));
    }
    std::string helpSearch(const std::string& query) const {
        std::string out = "[";
        for (const help::SearchHit& hit : help::search(query)) {
            out += (out.size() > 1 ? "," : "") + std::string("{\"id\":") + jsonString(hit.pageId) +
                   ",\"title\":" + jsonString(hit.title) + "}";
        }
        return out + "]";
    }

    // ---- The debug session (the worker's instance) ----------------------------------
    // The Debug hand-off of `text` (lines split at LF); quietly for the page, whose own
    // instance has shown the message already. False when it does not compile.
    bool startDebug(const std::string& utf8, bool intel, bool timing8085, const std::string& folder, bool loud) {
        session_.reset();
        platform_.session = nullptr;
        platform_.answers.clear();
        platform_.request.reset();
        setOptions(intel, timing8085);
        machine_.services().setSourceFolder(folder);
        std::string bytes = utf8ToWindows1252(utf8).bytes;
        std::vector<std::string> lines(1);
        for (char c : bytes) {
            if (c == '\n') lines.emplace_back();
            else if (c != '\r') lines.back() += c;
        }
        if (compileProgram(machine_, lines, {.stopAtEmptyLine = true, .showMessage = loud}) != -1) return false;
        history_.reset();
        session_ = std::make_unique<DebugSession>(machine_);
        history_ = std::make_unique<StepHistory>(*session_, machine_);
        views_ = DebugViews{};
        return true;
    }
    // Tests under Node answer input at once (Cancel when no answer is queued).
    void setDeferInput(bool defer) { platform_.deferInput = defer; }
    void setBreakpoint(int line, bool on) {
        if (session_) session_->setBreakpoint(line, on);
    }
    void setInPort(int port, int value) {
        machine_.setInputPort(port, value & 255);
    }
    // "step", "over", "out" or "run", in a slice of `sliceMs`; then resume() until it ends.
    std::string command(const std::string& name, int line, double sliceMs) {
        if (!session_ || session_->suspended()) return result();
        startSlice(sliceMs);
        if (name == "run") history_->run();
        else if (name == "over") history_->stepOver(line);
        else if (name == "out") history_->stepOut(line);
        else history_->step(line);
        return endSlice();
    }
    std::string resume(double sliceMs) {
        if (!session_) return result();
        startSlice(sliceMs);
        history_->resume();
        return endSlice();
    }
    // Takes back the last Step or line of a Run: "" when it did, else why not. A Run's
    // line is taken back by running it again silently, so it too goes in one call.
    std::string stepBack() {
        if (!history_ || history_->stepBack()) return "";
        return history_->refusal();
    }
    // Stop between slices; while an RST 7 of a Step waits, Stop is its Cancel.
    void stop() {
        if (!session_) return;
        session_->stop();
        if (session_->waitingForInput()) platform_.answers.push_back(std::nullopt);
    }
    void answer(const std::string& utf8, bool ok) {
        if (ok) platform_.answers.push_back(utf8ToWindows1252(utf8).bytes);
        else platform_.answers.push_back(std::nullopt);
    }
    void choose(int line) {
        if (session_ && !session_->suspended()) session_->choose(line);
    }
    // What the debug window's "Input" dialog offers for an input port or a register
    // pair (0 AF .. 3 HL); null for SP and PC.
    std::string inputRequest(bool port, int index) const {
        std::optional<InputRequest> r;
        if (port && index >= 0 && index < kPortCount) r = inputPortRequest(machine_, index);
        else if (!port) r = registerPairRequest(machine_, index);
        if (!r) return "null";
        return "{\"description\":" + jsonString(r->description) + ",\"value\":" + jsonString(r->value) + "}";
    }
    bool setInputPortTyped(int port, const std::string& typed) { return applyInputPort(machine_, port, typed); }
    bool setRegisterPairTyped(int index, const std::string& typed) { return applyRegisterPair(machine_, index, typed); }
    void scroll(bool stack, int action, int thumb) {
        ScrollView& view = stack ? views_.stack : views_.dump;
        view.scroll(static_cast<ListScroll>(action), thumb);
    }
    void dumpGoTo(int address) {
        // As the debug window's address field does.
        views_.dump.top = dumpRowOf(address);
        views_.dump.barPosition = views_.dump.top;
    }

    // verdin-cli's --state object of the machine, with `count` cells from `start`.
    std::string state(int start, int count, int selected) const {
        std::vector<std::pair<int, int>> ranges;
        if (count > 0 && start >= 0 && start < kMemorySize) ranges.emplace_back(start, std::min(count, kMemorySize - start));
        std::optional<std::int32_t> next;
        if (selected >= 0) next = selected;
        return cli::stateJson(machine_, ranges, next);
    }
    int selectedLine() const { return session_ ? session_->selectedLine() : 0; }
    int programLineCount() const { return machine_.fields().programLineCount; }

    // The debug window's lists as text, with what the last command changed.
    std::string debugView() {
        if (!session_) return "null";
        const MachineChanges& c = session_->changes();
        auto marks = [](int n, auto changed) {
            std::vector<int> out;
            for (int i = 0; i < n; ++i) out.push_back(changed(i) ? 1 : 0);
            return jsonArray(out);
        };
        const auto regs = registerEntries(machine_);
        const auto flags = flagEntries(machine_);
        const int stackFirst = stackFirstLine(views_.stack.top, kDebugRows);
        const int dumpFirst = dumpFirstRow(views_.dump.top, kDebugRows);
        std::vector<int> stackMarks, dumpMarks;
        for (int i = 0; i < kDebugRows; ++i) {
            stackMarks.push_back(c.stackEntryChanged(2 * (stackFirst + i)) ? 1 : 0);
            bool row = false;
            for (int k = 0; k < 8; ++k) row = row || c.cellChanged(8 * (dumpFirst + i) + k);
            dumpMarks.push_back(row ? 1 : 0);
        }
        const auto in = inputPortEntries(machine_);
        const auto out = outputPortEntries(machine_);
        return "{\"program\":" + jsonStringArray(programEntries(machine_, machine_.fields().programLineCount - 1)) +
               ",\"selected\":" + std::to_string(session_->selectedLine()) +
               ",\"fault\":" + std::to_string(session_->faultLine()) +
               ",\"statusText\":" + jsonString(session_->statusText()) +
               ",\"registers\":" + jsonStringArray({regs.begin(), regs.end()}) +
               ",\"registersChanged\":" + marks(6, [&](int i) { return c.registerEntryChanged(i); }) +
               ",\"flags\":" + jsonStringArray({flags.begin(), flags.end()}) +
               ",\"flagsChanged\":" + marks(5, [&](int i) { return c.flagEntryChanged(i); }) +
               ",\"stack\":" + jsonStringArray(stackEntries(machine_, views_.stack.top)) +
               ",\"stackChanged\":" + jsonArray(stackMarks) +
               ",\"spEntry\":" + std::to_string(spEntryIndex(stackFirst, kDebugRows, machine_.fields().sp)) +
               ",\"dump\":" + jsonStringArray(dumpEntries(machine_, views_.dump.top)) +
               ",\"dumpChanged\":" + jsonArray(dumpMarks) +
               ",\"inPorts\":" + jsonStringArray({in.begin(), in.end()}) +
               ",\"outPorts\":" + jsonStringArray({out.begin(), out.end()}) +
               ",\"outChanged\":" + marks(16, [&](int i) { return c.outPortChanged(i); }) +
               ",\"screen\":" + jsonStringArray(machine_.services().screenLines()) +
               ",\"screenOpen\":" + jsonBool(machine_.services().screenShown()) +
               ",\"states\":" + std::to_string(session_->totalStates()) +
               ",\"lastStates\":" + std::to_string(session_->lastStates()) +
               ",\"canStepBack\":" + jsonBool(history_->canStepBack()) +
               ",\"statesText\":" +
               jsonString(utf8ToWindows1252(statesText(session_->lastStates(), session_->totalStates(),
                                                      machine_.fields().clockKHz)).bytes) + "}";
    }

private:
    // The display, and which keys can be pressed, in the order of calculatorKeys().
    std::string calculatorView() const {
        std::vector<int> enabled;
        for (const CalcControl& c : kCalcControls) enabled.push_back(calculator_.keyEnabled(c) ? 1 : 0);
        return "{\"display\":" + jsonString(calculator_.display()) + ",\"enabled\":" + jsonArray(enabled) + "}";
    }

    std::vector<std::string> editorLines() const {
        std::vector<std::string> lines;
        for (int i = 0; i <= editor_.state().lastLine; ++i) lines.push_back(editor_.buffer().lineText(i));
        return lines;
    }

    void startSlice(double sliceMs) {
        platform_.session = session_.get();
        platform_.deadline = std::chrono::steady_clock::now() +
                             std::chrono::microseconds(static_cast<long long>(sliceMs * 1000.0));
        machine_.pumpAtNextCheck();
    }
    std::string endSlice() {
        platform_.session = nullptr;
        return result();
    }
    std::string result() {
        const bool suspended = session_ && session_->suspended();
        const bool waiting = session_ && session_->waitingForInput();
        std::string request = "null";
        if (waiting && platform_.request) {
            const ValueRequest& r = *platform_.request;
            request = "{\"prompt\":" + jsonString(r.prompt) + ",\"kind\":" + jsonString(valueKindText(r.kind)) +
                      ",\"initial\":" + jsonString(r.initial) + "}";
        }
        return "{\"suspended\":" + jsonBool(suspended) + ",\"waiting\":" + jsonBool(waiting) +
               ",\"request\":" + request + ",\"messages\":" + takeMessages() + "}";
    }

    WebPlatform platform_;
    Machine machine_;
    MemoryClipboard clipboard_;
    EditorController editor_;
    std::unique_ptr<DebugSession> session_;
    std::unique_ptr<StepHistory> history_;  // over session_, so gone before it
    DebugViews views_;
    Calculator calculator_;
};

EMSCRIPTEN_BINDINGS(verdin) {
    using emscripten::class_;
    class_<Workbench>("Workbench")
        .constructor<>()
        .function("takeMessages", &Workbench::takeMessages)
        .function("setVisibleLines", &Workbench::setVisibleLines)
        .function("typeChar", &Workbench::typeChar)
        .function("key", &Workbench::key)
        .function("mouseDown", &Workbench::mouseDown)
        .function("mouseMove", &Workbench::mouseMove)
        .function("mouseUp", &Workbench::mouseUp)
        .function("selectWord", &Workbench::selectWord)
        .function("selectLine", &Workbench::selectLine)
        .function("rightClick", &Workbench::rightClick)
        .function("copy", &Workbench::copy)
        .function("paste", &Workbench::paste)
        .function("selectAll", &Workbench::selectAll)
        .function("undo", &Workbench::undo)
        .function("redo", &Workbench::redo)
        .function("newText", &Workbench::newText)
        .function("toggleBreakpoint", &Workbench::toggleBreakpoint)
        .function("markSaved", &Workbench::markSaved)
        .function("openFile", &Workbench::openFile)
        .function("importFile", &Workbench::importFile)
        .function("goToLine", &Workbench::goToLine)
        .function("text", &Workbench::text)
        .function("setText", &Workbench::setText)
        .function("examples", &Workbench::examples)
        .function("editorView", &Workbench::editorView)
        .function("setOptions", &Workbench::setOptions)
        .function("compile", &Workbench::compile)
        .function("translate", &Workbench::translate)
        .function("saveCode", &Workbench::saveCode)
        .function("listing", &Workbench::listing)
        .function("find", &Workbench::find)
        .function("proposedFind", &Workbench::proposedFind)
        .function("helpPage", &Workbench::helpPage)
        .function("helpForTopic", &Workbench::helpForTopic)
        .function("helpForContext", &Workbench::helpForContext)
        .function("printPages", &Workbench::printPages)
        .function("setClock", &Workbench::setClock)
        .function("clockBox", &Workbench::clockBox)
        .function("defaultClock", &Workbench::defaultClock)
        .function("parseClock", &Workbench::parseClock)
        .function("calculatorKeys", &Workbench::calculatorKeys)
        .function("calculatorOpen", &Workbench::calculatorOpen)
        .function("calculatorPress", &Workbench::calculatorPress)
        .function("helpWord", &Workbench::helpWord)
        .function("helpSearch", &Workbench::helpSearch)
        .function("startDebug", &Workbench::startDebug)
        .function("setDeferInput", &Workbench::setDeferInput)
        .function("setBreakpoint", &Workbench::setBreakpoint)
        .function("setInPort", &Workbench::setInPort)
        .function("command", &Workbench::command)
        .function("resume", &Workbench::resume)
        .function("stepBack", &Workbench::stepBack)
        .function("stop", &Workbench::stop)
        .function("answer", &Workbench::answer)
        .function("choose", &Workbench::choose)
        .function("inputRequest", &Workbench::inputRequest)
        .function("setInputPortTyped", &Workbench::setInputPortTyped)
        .function("setRegisterPairTyped", &Workbench::setRegisterPairTyped)
        .function("scroll", &Workbench::scroll)
        .function("dumpGoTo", &Workbench::dumpGoTo)
        .function("state", &Workbench::state)
        .function("selectedLine", &Workbench::selectedLine)
        .function("programLineCount", &Workbench::programLineCount)
        .function("debugView", &Workbench::debugView);
}

}  // namespace verdin::web
