// The Machine: program store, assembler tables, the simulated Intel 8080 and the
// translation store, side by side in one ordinary object.
//
// Usage:
//   verdin::HeadlessPlatform platform;
//   verdin::Machine m(platform);
//   m.reset();
//   m.setProgramLine(0, "  mvi a,5");
//   int bad = m.compile(true, verdin::Compile);   // -1 on success, else the faulty line (from 1)
//
// Every operation on a line reads `mode` to know whether it assembles or executes
// (translation is a pass of its own, in translator/), and reports a fault by writing
// a code into `status`; the driver of the command (compile, step, run) shows the
// message through the Platform and clears it. Code outside the machine's folders
// reads the data through fields() and changes it only through the named functions.
// Tests create as many machines as they like; nothing here is global.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics/diagnostics.h"
#include "isa/instruction_states.h"
#include "isa/instruction_table.h"
#include "machine/numbers.h"
#include "machine/processor_state.h"
#include "machine/system_services.h"
#include "machine/text_tools.h"
#include "platform/platform.h"

namespace verdin {

enum Mode : std::int32_t { Compile = 0, Execute = 1, TranslateZ80 = 2, TranslateX86 = 3 };

// The fault codes (Status) and the messages made from them: diagnostics/.

constexpr int kMaxProgramLines = 250;
constexpr int kMaxLineLength = 255;
constexpr int kMaxLabels = 50;
constexpr int kMaxReferences = 50;

// Register indices ("BCDEHLMA": B 0 .. L 5, M 6, A 7) and pair indices (B 0, D 2, H 4,
// SP, PSW) of the operand readers; kNoRegister for a name that is neither.
constexpr int kRegisterM = 6;
constexpr int kNoRegister = 10;
constexpr int kPairB = 0;
constexpr int kPairD = 2;
constexpr int kPairH = 4;
constexpr int kPairSp = 11;
constexpr int kPairPsw = 12;

class Machine;
struct Instruction;
using Handler = void (Machine::*)(const Instruction&);

// One program line taken apart once: its text fields, its row of the instruction table
// and the registers and jump target its operand names. Immediates and addresses are
// not here: they are read from memory when the line runs, so a program that rewrites
// its own operands behaves as when the text is read again on every line.
struct DecodedLine {
    std::string_view mnemonic, label, operand;  // `label` starts where the line's text does
    const Instruction* instruction = nullptr;  // null when the mnemonic is unknown or absent
    Handler handler = nullptr;
    // Empty line: the program ends before it. Closing "}": it ends on it.
    bool empty = false;
    bool closing = false;
    std::int8_t first = kNoRegister;   // the register or pair of the operand; MOV's destination
    std::int8_t second = kNoRegister;  // MOV's source
    std::int16_t targetLine = -2;      // the line a jump or call lands on; -2 (kUnknownLine) not looked up
    // The clock states of the line's form, [0] on the 8080 and [1] on the 8085; a
    // conditional form's not-taken count differs from its taken one. 0 for no instruction.
    std::uint8_t statesTaken[2] = {0, 0};
    std::uint8_t statesNotTaken[2] = {0, 0};
};

// Which flag and result rules the arithmetic, logic, rotate and decimal-adjust
// instructions follow. Workbench: this workbench's own rules (the default). Intel8080:
// exactly what the processor computes, for teachers who follow an 8080 textbook.
enum class ArithmeticRules : std::int32_t { Workbench = 0, Intel8080 = 1 };
// "Workbench" or "Intel 8080": what a status line shows.
const char* arithmeticRulesName(ArithmeticRules rules);
// "workbench" or "intel8080": the word a settings file or a state dump stores.
const char* arithmeticRulesKey(ArithmeticRules rules);
// The rule set of a stored word; nullopt for a word no version wrote.
std::optional<ArithmeticRules> arithmeticRulesFromKey(std::string_view key);
class Machine;

// Lines before which a run stops to ask whether it should stop there: the debugger's
// breakpoints and the return point of a Step over. The walk reads only `flagged`, so
// a line that is not flagged costs one byte read, and a machine with no LineBreaks at
// all one null check.
struct LineBreaks {
    virtual ~LineBreaks() = default;
    std::array<std::uint8_t, kMaxProgramLines> flagged{};
    // True: the run ends before `line` with status Breakpoint, as Stop would end it.
    virtual bool stopBefore(const Machine& m, std::int32_t line) = 0;
};

// Made by every compile as it assembles: the address of each program line, and the
// cells each line writes again when the lines above a Step, a call or a PCHL target
// are assembled anew (its opcode and a byte operand), with the values it writes
// there. Going to line n writes back those cells of lines 0 .. n - 1 that the
// running program has changed; poke notes the cells it changes, so this costs
// nothing while none has.
struct LineTable {
    // 0: no table (no compile yet, a failed one, or one that stopped at "}" before
    // the last line); lines are then found by assembling the lines above them again.
    std::int32_t lineCount = 0;
    // Memory may have been written behind poke's back (services, a new table):
    // every cell is compared before the next write-back.
    bool allDirty = true;
    // Lines 0 .. linesNoted - 1 as the compile walk met them: where each starts,
    // and its row of the instruction table (null for none).
    std::int32_t linesNoted = 0;
    std::array<std::int32_t, kMaxProgramLines + 1> lineAddress{};  // never decreasing
    std::array<const Instruction*, kMaxProgramLines> lineInstruction{};
    std::vector<std::int32_t> cells;        // the cells lines write again
    std::vector<std::int16_t> cellLine;     // per address: the line that writes it, or -1
    std::vector<std::int16_t> cellImage;    // per address: the value it writes
    std::vector<std::uint8_t> dirtyFlag;    // per address: listed in `dirty`
    std::vector<std::int32_t> dirty;
};

// The machine's data: what the handlers of the simulator and the assembler read and
// write as members. Machine derives from it without making it public, so that code
// outside the machine's own folders reads it through Machine::fields() and changes it
// only through the machine's named functions.
struct MachineFields : ProcessorState {
    Platform* ownerWindow = nullptr;  // receives every message box the core shows

    std::int32_t translatedCount = 0;
    std::int32_t programLineCount = 0;
    std::int32_t interruptRequested = 0;
    std::string messageName;
    // The three fields of the line being processed. They view the program store
    // (or, for callers outside a pass, text that outlives the call): splitting a
    // line before every executed line must not copy it.
    std::string_view mnemonicText;
    std::string_view labelField;
    std::string_view operandText;
    std::array<std::string, kMaxLabels> labelNames{};
    std::array<std::string, kMaxReferences> refNames{};
    std::array<std::int32_t, kMaxLabels> labelAddresses{};
    std::array<std::int32_t, kMaxReferences> refAddresses{};
    // Written by reset, compile and setProgramLine, which count the change in
    // programGeneration; a line written any other way is not seen by a run that has
    // decoded the program before.
    std::array<std::string, kMaxProgramLines> programLines{};
    std::array<std::string, kMaxProgramLines> translatedLines{};
    std::int32_t operandHigh = 0;
    std::int32_t operandLow = 0;
    std::int32_t startLine = 0;
    std::int32_t preScan = 0;
    std::int32_t mode = Compile;
    std::int32_t status = Ok;
    std::int32_t currentLine = 0;
    std::int32_t errorLine = 0;
    std::int32_t nextLine = 0;
    std::int32_t addressCounter = 0;
    std::int32_t labelCount = 0;
    std::int32_t refCount = 0;
    // Lines a run may still execute before it stops as if Stop had been pressed;
    // negative for no limit.
    std::int64_t lineBudget = -1;
    // The status the last Step or Run ended with, before the driver cleared it.
    std::int32_t lastStatus = Ok;
    // An option of the user, like the ports typed into the debug window: reset()
    // keeps it.
    ArithmeticRules arithmeticRules = ArithmeticRules::Workbench;
    // Whose clock states the instructions count (an option too, kept by reset()), and
    // their sum over the instructions run since resetRun() or a new debug session.
    // A line that stops with a fault adds nothing; HLT adds its own states.
    Timing timing = Timing::Intel8080;
    std::int64_t states = 0;
    // The clock the debug window turns states into time with, in kHz.
    std::int32_t clockKHz = 2000;
    // The text as the student typed it, for the hints under messages (machine/hints.h):
    // the whole editor text when a command hands it over, else the program store as it
    // stood before the compile rewrote it.
    std::vector<std::string> sourceLines;
    // Consulted by a run before every flagged line; null when nothing is flagged.
    LineBreaks* lineBreaks = nullptr;
    // The last line that used the host file or table services (RST 6, RST 4), whose
    // effects outside the machine cannot be taken back; -1 when none did since the
    // debugger last cleared it.
    std::int32_t outsideEffectLine = -1;
    // The walk's clock for letting the platform handle its events (pumpIfDue).
    std::int32_t linesSincePump = 0;
    std::chrono::steady_clock::time_point lastPump{};
    // The line being run or assembled, as the handlers read their operands from it.
    const DecodedLine* runningLine = nullptr;
    // Every line of the program store, decoded at the first run after a compile
    // (`decodedGeneration`). A fixed array, so that no line a handler holds can move.
    std::array<DecodedLine, kMaxProgramLines> decodedLines{};
    // Counts the changes of the program store; the decoded lines are current while
    // they carry the count they were decoded at (0: never decoded).
    std::uint64_t programGeneration = 1;
    std::uint64_t decodedGeneration = 0;
    // When false, a run splits and decodes each line again before running it (tests
    // compare both ways).
    bool useDecodedLines = true;
    // The label line of each jump or call, found once per compile (targetLineOf).
    std::array<std::int32_t, kMaxProgramLines> targetLineCache{};
    // Each line's address and the cells it writes, made by every compile.
    LineTable lineTable;
    // When false, lines are always found by assembling the lines above them (tests
    // compare both ways).
    bool useLineTable = true;
};

// The data is a base rather than a member: the handlers and the hot run loop name
// `regA`, `memory` and the rest directly, and the debugger still copies the processor
// state in one assignment through processorState().
class Machine : protected MachineFields {
public:
    // Defined in simulator/drivers.cpp: it makes the services, which sit above machine/.
    explicit Machine(Platform& platform);
    virtual ~Machine() = default;
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    // ---- System services (services/) ------------------------------------------
    // The services own what they keep (text screen, typed value, host file, table);
    // the machine knows them only through this interface.
    SystemServices& services() { return *services_; }
    const SystemServices& services() const { return *services_; }
    void closeTextScreen() { services_->closeTextScreen(*ownerWindow); }

    // ---- Machine state (machine.cpp) ------------------------------------------
    void reset();
    void resetRun();
    const ProcessorState& processorState() const { return *this; }
    // Everything the machine holds, to read.
    const MachineFields& fields() const { return *this; }
    // Puts back a state taken before: the processor exactly as it was then. What the
    // machine derived from memory is checked again before it is trusted.
    void restoreProcessorState(const ProcessorState& state);
    // What the user sets between commands (the debug window's edits, the options),
    // named so that the front ends and the debugger write no field of the machine.
    // A register by the index of registerIndex ("BCDEHLMA"); regF follows the flags.
    void setRegister(int index, std::int32_t value);
    // Ignores a port outside 0..15.
    void setInputPort(int port, std::int32_t value);
    void setArithmeticRules(ArithmeticRules rules) { arithmeticRules = rules; }
    void setTiming(Timing newTiming, std::int32_t kHz) {
        timing = newTiming;
        clockKHz = kHz;
    }
    void setClockKHz(std::int32_t kHz) { clockKHz = kHz; }
    // What a debugger or a front end hooks into a walk: the window that receives the
    // messages, the breakpoints, the line budget (negative: none), Stop.
    void setOwnerWindow(Platform* window) { ownerWindow = window; }
    void setLineBreaks(LineBreaks* breaks) { lineBreaks = breaks; }
    void setLineBudget(std::int64_t lines) { lineBudget = lines; }
    void requestStop() { interruptRequested = 1; }
    void clearStopRequest() { interruptRequested = 0; }
    // Stop pressed while no line runs (between two Steps): the command ends as if Stop
    // had ended it there.
    void stopBetweenLines() { lastStatus = Interrupted; }
    // A new debug session counts states from zero, and forgets outside effects.
    void clearStateCount() { states = 0; }
    void clearOutsideEffect() { outsideEffectLine = -1; }
    // The next due check of a walk lets the platform handle its events, whenever the
    // last one was: a front end that runs a walk in slices starts each one so.
    void pumpAtNextCheck() {
        lastPump = {};
        linesSincePump = 0;
    }
    // The program counter where a walk that waits for a typed value stopped: the RST
    // line's address, which the line runs again from.
    void holdProgramCounter() { stopAddress = addressCounter; }
    // Tests compare the shortcuts of a run with the plain walk.
    void setUseDecodedLines(bool use) { useDecodedLines = use; }
    void setUseLineTable(bool use) { useLineTable = use; }
    // Where the walk stands beside the processor state: what Step back keeps with each
    // record and puts back with it.
    struct RunPosition {
        std::int32_t currentLine = 0, nextLine = 0, lastStatus = Ok, addressCounter = 0, mode = Compile;
        std::int64_t states = 0;
    };
    RunPosition runPosition() const { return {currentLine, nextLine, lastStatus, addressCounter, mode, states}; }
    // Puts a position back, with no fault pending and no Stop asked for.
    void restoreRunPosition(const RunPosition& p) {
        currentLine = p.currentLine;
        nextLine = p.nextLine;
        lastStatus = p.lastStatus;
        addressCounter = p.addressCounter;
        mode = p.mode;
        states = p.states;
        status = Ok;
        interruptRequested = 0;
    }
    // regF composed from the five flags (splitFlags, below, is the reverse).
    std::int32_t composeFlags() const;

    // ---- Source lines (line_parser.cpp) ---------------------------------------
    // The fixed-column form of one editor line; empty for a line with nothing to
    // assemble. Sets status 5 (and returns empty) for a colon at index 7 or later.
    std::string normalizeLine(std::string_view line);
    // Fills mnemonicText, labelField and operandText from a stored line.
    void splitLine(std::string_view line);

    // ---- Numbers (numbers.cpp; the formatters are free, in numbers.h) ----------
    // parseHex for the operand readers: a fault becomes the status of the line,
    // IllegalCharacters or InvalidOperand.
    std::int32_t readHex(std::string_view text, int digits);

    // ---- Compile pass and messages (simulator/compile.cpp) --------------------
    // What a pass of its own (the translator's) makes of the line the walk has just
    // split: a fault, a line for the translation store, and the row whose handler
    // counts the line's cells on with its memory checks (DS, DW), as the assembler's
    // walk would.
    struct TranslatedLine {
        std::int32_t status = Ok;
        std::optional<std::string> text;
        const Instruction* countedBy = nullptr;
    };
    using LineTranslator = TranslatedLine (*)(const Machine& machine);
    // `translator` is walked over the program with `mode` set to `requestedMode`, in
    // place of the assembler's walk; null: the assembler's walk.
    std::int32_t compile(bool showMessage, std::int32_t requestedMode, LineTranslator translator = nullptr);
    // A reset store holding the first `count` of `lines` (at most kMaxProgramLines),
    // for a compile; the hints see all of `lines`.
    void loadProgram(const std::vector<std::string>& lines, std::size_t count);
    // Ends a command on a fault found before any compile: its status and line set, its
    // message shown. Returns the line.
    std::int32_t reportFault(const Diagnostic& diagnostic);
    // Each program line's address and bytes, assembled again in place as the lines
    // above a Step are (DS and ORG have no bytes of their own); the compile's counter
    // and mode are left as they were.
    struct AssembledLine {
        std::int32_t address = 0;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<AssembledLine> assembleLinesAgain();
    // Shows the message of `diagnostic` with the hint its code's rule finds.
    void report(const Diagnostic& diagnostic);

    // ---- Step and run drivers (simulator/drivers.cpp) -------------------------
    void step(std::int32_t line);
    void run();
    // Run from `line` without resetting anything: the lines above it are assembled
    // again to find its address, as for a Step.
    void runFrom(std::int32_t line);
    // Run on from `line`, whose address addressCounter already holds (the line after
    // a step into a subroutine).
    void continueRun(std::int32_t line);
    // Runs the editor line `text` once, at `address`, as a line of a run with no fault
    // pending; returns the address after it (where it stopped, when it ended with a
    // fault or left the counter on itself). For trying one instruction or service on
    // the machine as it stands.
    std::int32_t executeLine(std::string_view text, std::int32_t address);
    // Run on from `line` at `address`, where a walk that was suspended stopped.
    void resumeRun(std::int32_t line, std::int32_t address) {
        mode = Execute;
        addressCounter = address;
        continueRun(line);
    }

    // ---- The program store (machine.cpp) ---------------------------------------
    // Stores `text` as line `line` (0..249; others are ignored) and forgets what was
    // derived from the old text.
    void setProgramLine(std::int32_t line, std::string_view text);

    // ---- Queries the hints and the translator share ----------------------------
    // The register ("BCDEHLMA") or pair (B D H SP PSW) an operand names.
    static int registerIndex(std::string_view text);
    static int pairIndex(std::string_view text);
    // A 16-bit operand's value (a number or a label's address) into operandHigh and
    // operandLow, as EQU and DS read it.
    void wordOperandValue(std::string_view text);
    // Condition test of the jump, call and return families.
    bool conditionHolds(std::int32_t code) const;
    // The 16-bit operand stored after the opcode at addressCounter.
    std::int32_t operandWord() const { return cell(addressCounter + 1) + 256 * cell(addressCounter + 2); }
    // A memory cell, or 0 for an address outside memory.
    std::int32_t cell(std::int32_t address) const {
        return address >= 0 && address < kMemorySize ? memory[address] : 0;
    }

    // ---- Below: the machine's own workings, for its folders alone ----------------
private:
    friend class KeptLineFields;  // line_table.cpp
    friend struct HandlerTable;   // handler_table.cpp

    // ---- The walks over the lines (simulator/compile.cpp, drivers.cpp) ---------
    std::int32_t pass();
    void walkProgram();
    void resolveLabels();
    void translateWalk(LineTranslator translator);
    // Lets the platform handle its events every 15 ms of a walk: often enough for a
    // Stop button to feel instant, rarely enough to cost nothing per line.
    void pumpIfDue() {
        if (++linesSincePump >= kLinesBetweenClockReads) pumpIfTimeHasCome();
    }
    static constexpr std::int32_t kLinesBetweenClockReads = 1024;
    // After line `i` of a walk: on to the line a jump chose, or the next one; a fault
    // (memory overrun included) ends the walk with its line. False: the walk is over.
    bool advancePast(std::int32_t& i) {
        if (currentLine != i) i = currentLine;
        if (addressCounter > kMemorySize - 1) status = OutOfMemory;
        if (status != Ok) {
            errorLine = currentLine + 1;
            return false;
        }
        return ++i < kMaxProgramLines;
    }
    // Before line `line` of a run: true when a breakpoint (or a Step over's return
    // point) ends the run there, left as Stop would leave it. Without a debugger this
    // is one null check.
    bool stopsBefore(std::int32_t line) {
        if (lineBreaks == nullptr || !lineBreaks->flagged[static_cast<std::size_t>(line)] ||
            !lineBreaks->stopBefore(*this, line))
            return false;
        status = Breakpoint;
        stopAddress = addressCounter;
        currentLine = line - 1;
        return true;
    }
    void pumpIfTimeHasCome();
    // Makes line n the next to run: its address into addressCounter, with the cells
    // of the lines above it written back (see LineTable).
    void prescan(std::int32_t n);
    // The first program line that the assembler placed at `address`, or -1; the cells
    // of the lines above it (of all lines when none) are written back as for prescan.
    std::int32_t lineAtAddress(std::int32_t address);
    void stepLine();

    // ---- Decoded lines (simulator/decoded_lines.cpp) ---------------------------
    // The line whose fields splitLine has just filled, with the row of `ins`.
    DecodedLine decodeLine(const Instruction* ins) const;
    void decodeProgram();
    // True when the program store has not changed since the lines were decoded.
    bool decodedLinesCurrent() const { return decodedGeneration == programGeneration; }
    // walkProgram's execute loop over decodedLines.
    void runDecodedLines();
    // Adds the states of `line`, just run, to `states`. A conditional jump, call or
    // return changes no flag, so its condition still reads as it did.
    void countStates(const DecodedLine& line);
    static void setLineStates(DecodedLine& line, const StateForm* form);

    // ---- Dispatch and operand helpers (simulator/dispatch.cpp) ----------------
    void dispatchLine();
    // The handler that runs, assembles or translates a row of the instruction table.
    static Handler handlerOf(const Instruction& ins);
    // An 8-bit operand in compile form: stored at addressCounter (execute mode: into
    // operandLow). `allowText` lets a quoted text fill several cells, as DB does.
    void byteOperand(std::string_view text, bool allowText = false);
    // A 16-bit operand in compile form: two cells at addressCounter, low byte first;
    // a label name is recorded as a reference. Advances addressCounter by 2.
    void wordOperand(std::string_view text);
    // The jump or call target in operandText, recorded as a reference.
    void recordLabelRef();
    void recordReference(std::string_view name, std::int32_t address);
    // Compile-mode shapes several handlers share.
    void assembleWithByte(std::int32_t opcode, std::string_view operand);  // opcode, 8-bit operand
    void assemblePairOperand(const Instruction& ins, int pair);           // INX DCX DAD
    void assembleStackPair(const Instruction& ins, int pair, std::int32_t pswOpcode);  // PUSH POP
    // Sends execution to the line labelled by the operand (status 5 when none);
    // returns that line or -1.
    std::int32_t labelLineOfOperand();
    bool decimalWord(std::string_view text, std::int32_t& high, std::int32_t& low);

    // ---- Handlers: one per mnemonic family (simulator/) -----------------------
    // transfer.cpp
    void nop(const Instruction& ins);
    void hlt(const Instruction& ins);
    void mov(const Instruction& ins);
    void mvi(const Instruction& ins);
    void directAddress(const Instruction& ins);  // LDA STA LHLD SHLD
    void indirect(const Instruction& ins);       // LDAX STAX
    // pairs.cpp
    void lxi(const Instruction& ins);
    void pairStep(const Instruction& ins);  // INX DCX
    void dad(const Instruction& ins);
    void xchg(const Instruction& ins);
    void xthl(const Instruction& ins);
    void sphl(const Instruction& ins);
    void pchl(const Instruction& ins);
    // arithmetic.cpp
    void aluRegister(const Instruction& ins);   // ADD ADC SUB SBB ANA XRA ORA CMP
    void aluImmediate(const Instruction& ins);  // ADI ACI SUI SBI ANI XRI ORI CPI
    void incDec(const Instruction& ins);        // INR DCR
    void daa(const Instruction& ins);
    void applyAlu(int op, std::int32_t operand, bool keepAuxCarry);
    // intel_rules.cpp: the same computations under ArithmeticRules::Intel8080.
    bool intelRules() const { return arithmeticRules == ArithmeticRules::Intel8080; }
    void intelAlu(int op, std::int32_t operand);
    // INR (increment) or DCR of `old`: the new value, with S Z AC P set.
    std::int32_t intelIncDec(std::int32_t old, bool increment);
    void intelDaa();
    // CMA STC CMC RLC RRC RAL RAR by opcode.
    void intelAccumulator(std::int32_t opcode);
    // arithmetic.cpp, beside the other operations on A
    void accumulator(const Instruction& ins);  // CMA STC CMC RLC RRC RAL RAR
    // control.cpp
    void jump(const Instruction& ins);
    void call(const Instruction& ins);
    void ret(const Instruction& ins);
    // stack_ports.cpp
    void push(const Instruction& ins);
    void pop(const Instruction& ins);
    void port(const Instruction& ins);  // IN OUT
    void interruptFlag(const Instruction& ins);  // EI DI
    // directives.cpp
    void equ(const Instruction& ins);
    void db(const Instruction& ins);
    void dw(const Instruction& ins);
    void ds(const Instruction& ins);
    void org(const Instruction& ins);
    void end(const Instruction& ins);
    // simulator/rst.cpp
    void rstService(const Instruction& ins);

    // ---- Flag helpers (simulator/flags.cpp) -----------------------------------
    // 1 when the value has an even number of one bits. Computed on almost every
    // arithmetic line of a run, so bytes come from a table the compiler can inline.
    static std::int32_t parityEven(std::int32_t v) {
        return v >= 0 && v < 256 ? kEvenParity[static_cast<size_t>(v)] : parityEvenBeyondByte(v);
    }
    static std::int32_t parityEvenBeyondByte(std::int32_t v);
    static constexpr std::array<std::uint8_t, 256> kEvenParity = [] {
        std::array<std::uint8_t, 256> t{};
        for (int i = 0; i < 256; ++i) {
            int ones = 0;
            for (int b = 0; b < 8; ++b) ones += (i >> b) & 1;
            t[static_cast<size_t>(i)] = ones % 2 == 0 ? 1 : 0;
        }
        return t;
    }();

    // Register access by the index of registerIndex ("BCDEHLMA"); M is not a register.
    // These few helpers run on almost every line, so they live here to be inlined.
    std::int32_t& registerRef(int index);
    // regF spread back into the five flags (POP PSW).
    void splitFlags(std::int32_t f);
    // Writes one byte of the assembled image, refusing addresses outside memory.
    void storeByte(std::int32_t address, std::int32_t value);
    // First line of the program store whose label (trimmed) is `name` followed by a
    // colon; -1 when none.
    std::int32_t findLabelLine(std::string_view name) const;
    // findLabelLine for the operand of the jump or call on `line`, remembered per
    // line: the program store does not change between one compile and the next.
    std::int32_t targetLineOf(std::int32_t line, std::string_view name);
    // Forgets everything derived from the program store; called whenever it changes.
    void invalidateCaches();
    static constexpr std::int32_t kUnknownLine = -2;

    // ---- Line addresses (simulator/line_table.cpp) -----------------------------
    // Called by the compile walk for each line before it is assembled; then by a
    // successful compile.
    void noteCompiledLine(const Instruction* ins);
    void makeLineTable();
    // Forgets the table, when the program store changes (machine.cpp, with the caches).
    void forgetLineTable();
    // True when the table knows lines 0 .. n (n > 0) and may be used.
    bool lineTableCovers(std::int32_t n) const {
        return useLineTable && n > 0 && n <= lineTable.lineCount && lineTable.lineCount == programLineCount;
    }
    // Line i assembled again in place, as the lines above a target are: opcodes and byte
    // immediates written, the counter moved, no label recorded.
    void reassembleLine(std::int32_t i);
    // Writes back the table's cells of lines 0 .. n - 1 that differ from what they wrote.
    void restoreLineCells(std::int32_t n);
    // A store by the running program; `address` is already checked.
    void poke(std::int32_t address, std::int32_t value) {
        memory[address] = value;
        LineTable& t = lineTable;
        if (t.lineCount > 0 && t.cellLine[address] >= 0 && !t.dirtyFlag[address]) markDirty(address);
    }
    void markDirty(std::int32_t address);

    std::unique_ptr<SystemServices> services_;
};

// Looked up in tables rather than switches: a run alternates registers and conditions
// from line to line, and an indexed load costs less than a mispredicted jump.
inline std::int32_t& Machine::registerRef(int index) {
    using M = Machine;
    static constexpr std::int32_t M::*kFields[16] = {&M::regB, &M::regC, &M::regD, &M::regE, &M::regH, &M::regL,
                                                     &M::regA, &M::regA, &M::regA, &M::regA, &M::regA, &M::regA,
                                                     &M::regA, &M::regA, &M::regA, &M::regA};
    return static_cast<unsigned>(index) < 16 ? this->*kFields[index] : regA;
}

inline bool Machine::conditionHolds(std::int32_t code) const {
    struct Condition {
        std::int32_t Machine::*flag;
        std::int32_t value;
    };
    // In the order of ConditionCode: NZ Z NC C PO PE P M; anything else is Always.
    static constexpr Condition kConditions[8] = {{&Machine::flagZ, 0}, {&Machine::flagZ, 1}, {&Machine::flagCY, 0},
                                                 {&Machine::flagCY, 1}, {&Machine::flagP, 0}, {&Machine::flagP, 1},
                                                 {&Machine::flagS, 0}, {&Machine::flagS, 1}};
    if (static_cast<unsigned>(code) >= 8) return true;
    return this->*kConditions[code].flag == kConditions[code].value;
}

}  // namespace verdin
