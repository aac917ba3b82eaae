#include "cli/cli.h"

#include <csignal>
#include <cstdio>
#include <istream>
#include <map>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/help_command.h"
#include "cli/json.h"
#include "cli/session.h"
#include "files/atomic_write.h"
#include "files/file_names.h"
#include "files/source_file.h"
#include "debugger/debug_session.h"
#include "debugger/step_history.h"
#include "machine/hints.h"
#include "machine/machine.h"
#include "platform/platform.h"
#include "shell/commands.h"
#include "shell/listing.h"

namespace verdin::cli {

namespace {

const char* const kUsage =
    "usage: verdin-cli COMMAND FILE [options]\n"
    "       verdin-cli --help | --version\n"
    "commands:\n"
    "  help [TOPIC]                  the built-in help: a mnemonic, a service (rst7),\n"
    "                                a message, or the contents with no TOPIC\n"
    "  compile FILE                  assemble FILE and report the result\n"
    "  listing FILE                  print addresses, bytes and labels of FILE\n"
    "  save-code FILE [-o OUT]       write the assembled bytes (default: FILE.dat)\n"
    "  run FILE [options]            compile, then run as the debug window's Run does\n"
    "  step FILE [--from N] [--count K] [--over | --out] [--back J] [options]\n"
    "                                compile, then press Step (or Step over, Step out) K times\n"
    "                                from line N, then Step back J times\n"
    "  translate (--z80 | --x86) FILE [-o OUT]\n"
    "                                write the program as Z-80 or x86 text\n"
    "  tidy FILE [-o OUT] [--hex]    rewrite a program from a trainer kit or another\n"
    "                                assembler into this language (to OUT or stdout)\n"
    "                                and list every change (--hex: bare numbers are hex)\n"
    "options of run and step:\n"
    "  --in P=V          input port P (0-15) holds byte V (decimal, 0x.. or ..H)\n"
    "  --max-lines N     stop as if Stop were pressed after N executed lines (run)\n"
    "  --intel           flags and results as the Intel 8080 computes them\n"
    "  --timing CPU      count clock states as an 8080 (default) or 8085 takes them\n"
    "  --break N         a breakpoint on line N, counted from 0 (repeatable)\n"
    "  --state           print the machine state as one JSON object on stdout\n"
    "  --memory S:C      add C memory cells from address S to the state\n"
    "  --input TEXT      answer the next \"Input value\" request (repeatable)\n";

volatile std::sig_atomic_t interruptSignalled = 0;

extern "C" void onInterruptSignal(int) { interruptSignalled = 1; }

// Decimal, 0x.. or ..H, as a port value or count is typed.
long long parseNumber(const std::string& text, const std::string& what) {
    std::string digits = text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits = digits.substr(2);
        base = 16;
    } else if (digits.size() > 1 && (digits.back() == 'h' || digits.back() == 'H')) {
        digits.pop_back();
        base = 16;
    }
    if (digits.empty() || digits.size() > 9) throw UsageFault{"invalid " + what + " '" + text + "'"};
    long long value = 0;
    for (char c : digits) {
        int d = -1;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        if (d < 0) throw UsageFault{"invalid " + what + " '" + text + "'"};
        value = value * base + d;
    }
    return value;
}

long long parseInRange(const std::string& text, const std::string& what, long long low, long long high) {
    long long value = parseNumber(text, what);
    if (value < low || value > high) {
        throw UsageFault{what + " '" + text + "' is out of range " + std::to_string(low) + "-" +
                         std::to_string(high)};
    }
    return value;
}

std::pair<std::string, std::string> splitAt(const std::string& text, char separator, const std::string& what) {
    size_t at = text.find(separator);
    if (at == std::string::npos) throw UsageFault{"expected " + what + ", got '" + text + "'"};
    return {text.substr(0, at), text.substr(at + 1)};
}

Options parseOptions(const std::vector<std::string>& args) {
    Options options;
    if (args.empty()) throw UsageFault{"no command given"};
    options.command = args[0];
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageFault{"option " + arg + " needs a value"};
            return args[++i];
        };
        if (arg == "-o") options.output = value();
        else if (arg == "--state") options.state = true;
        else if (arg == "--intel") options.intel = true;
        else if (arg == "--over") options.over = true;
        else if (arg == "--out") options.out = true;
        else if (arg == "--back") options.back = static_cast<int>(parseInRange(value(), "step count", 0, 1000000));
        else if (arg == "--timing") {
            if (!timingFromKey(value(), options.timing)) throw UsageFault{"--timing takes 8080 or 8085"};
        }
        else if (arg == "--break") {
            options.breakpoints.push_back(static_cast<int>(parseInRange(value(), "line", 0, kMaxProgramLines - 1)));
        }
        else if (arg == "--z80") options.z80 = true;
        else if (arg == "--x86") options.x86 = true;
        else if (arg == "--hex") options.hex = true;
        else if (arg == "--input") options.inputs.push_back(value());
        else if (arg == "--in") {
            auto [portText, byteText] = splitAt(value(), '=', "P=V");
            options.inPorts.emplace_back(static_cast<int>(parseInRange(portText, "port", 0, 15)),
                                         static_cast<int>(parseInRange(byteText, "port value", 0, 255)));
        } else if (arg == "--memory") {
            auto [startText, countText] = splitAt(value(), ':', "START:COUNT");
            long long start = parseInRange(startText, "memory address", 0, kMemorySize - 1);
            long long count = parseInRange(countText, "memory count", 0, kMemorySize - start);
            options.memoryRanges.emplace_back(static_cast<int>(start), static_cast<int>(count));
        } else if (arg == "--max-lines") options.maxLines = parseInRange(value(), "line count", 0, 1LL << 40);
        else if (arg == "--from") options.from = static_cast<int>(parseInRange(value(), "line", 0, kMaxProgramLines - 1));
        else if (arg == "--count") options.count = static_cast<int>(parseInRange(value(), "step count", 0, 1000000));
        else if (!arg.empty() && arg[0] == '-') throw UsageFault{"unknown option " + arg};
        else if (options.file.empty()) options.file = arg;
        else throw UsageFault{"unexpected argument " + arg};
    }
    if (options.file.empty()) throw UsageFault{"no FILE given"};
    return options;
}

int commandCompile(Session& s) {
    return compileProgram(s.machine, s.lines, {.showMessage = true}) == -1 ? Success : ProgramFault;
}

int commandSaveCode(Session& s) {
    if (compileProgram(s.machine, s.lines, {}) != -1) return ProgramFault;
    std::string output = s.options.output.empty() ? codeOutputName(s.options.file) : s.options.output;
    // Written as the desktop's Save code writes it: a failed write keeps the old file.
    std::vector<std::uint8_t> image = programImage(s.machine);
    if (!writeFileAtomically(output, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()))) {
        s.err << "verdin-cli: can't write " << output << "\n";
        return UsageError;
    }
    return Success;
}

int commandListing(Session& s) {
    if (compileProgram(s.machine, s.lines, {}) != -1) return ProgramFault;
    for (const std::string& row : listingRows(s.machine, s.lines)) s.out << row << "\n";
    return Success;
}

void printState(Session& s, std::optional<std::int32_t> selected) {
    s.out << stateJson(s.machine, s.options.memoryRanges, selected) << "\n";
}

// The Debug command's hand-off: the lines up to the first empty one, compiled with
// the success message; then the ports as typed into the debug window.
bool startDebugging(Session& s) {
    if (s.options.intel) s.machine.setArithmeticRules(ArithmeticRules::Intel8080);
    s.machine.setTiming(s.options.timing, s.machine.fields().clockKHz);
    if (compileProgram(s.machine, s.lines, {.stopAtEmptyLine = true, .showMessage = true}) != -1) return false;
    for (const auto& [port, value] : s.options.inPorts) s.machine.setInputPort(port, value);
    return true;
}

int commandRun(Session& s) {
    if (!startDebugging(s)) return ProgramFault;
    DebugSession debug(s.machine);
    for (int line : s.options.breakpoints) debug.setBreakpoint(line, true);
    s.machine.setLineBudget(s.options.maxLines);
    debug.run();
    if (s.options.state) printState(s, std::nullopt);
    return s.exitCode();
}

int commandStep(Session& s) {
    if (!startDebugging(s)) return ProgramFault;
    DebugSession debug(s.machine);
    StepHistory history(debug, s.machine);
    for (int line : s.options.breakpoints) debug.setBreakpoint(line, true);
    std::int32_t line = s.options.from;
    for (int k = 0; k < s.options.count; ++k) {
        if (line >= s.machine.fields().programLineCount) break;
        if (interruptSignalled) {
            // Ctrl+C between two steps is the Stop button: the next line does not run.
            s.machine.stopBetweenLines();
            s.platform.showMessageWithHelp(messageOf({Interrupted}, stopHintBefore(line)));
            break;
        }
        s.machine.clearStopRequest();
        if (s.options.over) history.stepOver(line);
        else if (s.options.out) history.stepOut(line);
        else history.step(line);
        line = debug.selectedLine();
    }
    for (int k = 0; k < s.options.back && history.canStepBack(); ++k) {
        if (!history.stepBack()) {
            s.err << "Step back: " << history.refusal() << "\n";
            break;
        }
        line = debug.selectedLine();
    }
    if (s.options.state) printState(s, line);
    return s.exitCode();
}

const std::map<std::string, int (*)(Session&)> kCommands = {
    {"compile", commandCompile}, {"listing", commandListing}, {"save-code", commandSaveCode},
    {"run", commandRun},         {"step", commandStep},          {"translate", commandTranslate},
};

// Usage on stdout, as a requested text rather than a complaint. Topics go here too.

bool asksForUsage(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") return true;
    }
    return false;
}

}  // namespace

void installInterruptHandler() {
    struct sigaction action {};
    action.sa_handler = onInterruptSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read of value input that the signal cuts off ends as Cancel.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
}

void CliPlatform::pumpEvents() {
    if (interruptSignalled && machine != nullptr) machine->requestStop();
}

int Session::exitCode() const { return platform.errorShown ? ProgramFault : Success; }

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
        bool inIsTerminal) {
    // Help needs no FILE; with no topic it shows the contents.
    if (!args.empty() && args[0] == "help") return commandHelp({args.begin() + 1, args.end()}, out, err);
    if (asksForUsage(args)) {
        out << kUsage;
        return Success;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << "verdin-cli " << VERDIN_VERSION << "\n";
        return Success;
    }
    Options options;
    try {
        options = parseOptions(args);
    } catch (const UsageFault& fault) {
        err << "verdin-cli: " << fault.message << "\n" << kUsage;
        return UsageError;
    }
    if (options.command == "tidy") return commandTidy(options, out, err);
    auto command = kCommands.find(options.command);
    if (command == kCommands.end()) {
        err << "verdin-cli: unknown command '" << options.command << "'\n" << kUsage;
        return UsageError;
    }
    // Exactly what the editor would load: a file it would refuse is refused here too.
    LoadResult loaded = loadEditorFile(options.file);
    if (!loaded.ok) {
        // Some of the editor's messages do not name the file; on a command line it must be.
        std::string where = loaded.error.find(options.file) == std::string::npos ? options.file + ": " : "";
        err << "verdin-cli: " << where << loaded.error << "\n";
        return UsageError;
    }
    if (!loaded.note.empty()) err << formatMessageLine({MessageKind::Information, loaded.note}) << "\n";
    auto session = std::make_unique<Session>(std::move(options), in, out, err);
    session->lines = std::move(loaded.text.lines);
    session->machine.services().setSourceFolder(absoluteFolderOf(session->options.file));
    session->platform.inputs.assign(session->options.inputs.begin(), session->options.inputs.end());
    if (!session->options.state) session->platform.screenOut = &out;
    session->platform.stdinIsTerminal = inIsTerminal;
    const int status = command->second(*session);
    // The shell's prompt must not be glued to a last line the program left open.
    if (session->platform.screenLineOpen) out << '\n';
    return status;
}

}  // namespace verdin::cli
