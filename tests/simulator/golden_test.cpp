// Golden programs: every case in tests/golden/cases/*.cases is a small program with
// the state the machine must be in afterwards. The format is described at the top of
// tests/golden/cases/execute.cases. Each case also runs as the first versions did,
// every line's text read again before it runs and the prescan done line by line, and
// both runs must agree in every cell, port, register and message.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <sstream>

#include "files/source_file.h"
#include "golden_files.h"
#include "support.h"

namespace verdin {
namespace {

using testing::Bench;

// Answers the "Input value" box from the case's answers, in order; then cancels.
struct GoldenPlatform : HeadlessPlatform {
    std::deque<std::string> answers;
    std::vector<std::string> offered;
    std::optional<std::string> inputValue(const std::string& initial) override {
        offered.push_back(initial);
        if (answers.empty() || answers.front() == "<cancel>") {
            if (!answers.empty()) answers.pop_front();
            return std::nullopt;
        }
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

struct Session {
    GoldenPlatform platform;
    Machine machine{platform};
    std::string last() const { return platform.lastMessage(); }
};

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) text += (i == 0 ? "" : "|") + items[i];
    return text;
}

struct Case {
    std::string where;  // FILE:LINE
    std::string name;
    std::map<std::string, std::string> options;
    std::vector<std::string> program;
    std::vector<std::string> expectations;
};

std::vector<Case> loadCases() {
    std::vector<Case> cases;
    for (const golden::CaseText& text : golden::readCases("cases", ".cases")) {
        std::istringstream words(text.heading);
        Case c{text.where, "", {}, {}, {}};
        words >> c.name;
        for (std::string option; words >> option;) {
            const size_t eq = option.find('=');
            c.options[option.substr(0, eq)] = eq == std::string::npos ? "" : option.substr(eq + 1);
        }
        for (const auto& [number, line] : text.lines) {
            if (line.rfind("=> ", 0) == 0) {
                c.expectations.push_back(line.substr(3));
            } else if (line.rfind("*", 0) == 0) {
                // "*N text": N copies, each "#" in them replaced by the copy's number.
                const size_t blank = line.find(' ');
                const int copies = std::stoi(line.substr(1, blank - 1));
                for (int i = 0; i < copies; ++i) {
                    std::string copy = line.substr(blank + 1);
                    for (size_t at; (at = copy.find('#')) != std::string::npos;) copy.replace(at, 1, std::to_string(i));
                    c.program.push_back(copy);
                }
            } else {
                c.program.push_back(line == "<empty>" ? "" : line);
            }
        }
        cases.push_back(std::move(c));
    }
    for (Case& c : cases) {
        if (!c.options.count("source")) continue;
        LoadResult loaded = loadSourceFile(testing::sourcePath(c.options.at("source")));
        c.program = loaded.ok ? loaded.text.lines : std::vector<std::string>{"source missing: " + loaded.error};
    }
    return cases;
}

std::int32_t number(const std::string& text) {
    static const std::map<std::string, std::int32_t> names = {
        {"Ok", Ok}, {"InvalidCommand", InvalidCommand}, {"InvalidOperand", InvalidOperand},
        {"InvalidRegister", InvalidRegister}, {"OutOfMemory", OutOfMemory}, {"InvalidPort", InvalidPort},
        {"RetWithoutCall", RetWithoutCall}, {"Interrupted", Interrupted}, {"NoLineAtAddress", NoLineAtAddress},
        {"LabelNotDefined", LabelNotDefined}, {"InvalidNumber", InvalidNumber}, {"ResultOutOfRange", ResultOutOfRange}};
    if (auto name = names.find(text); name != names.end()) return name->second;
    if (!text.empty() && (text.back() == 'h' || text.back() == 'H')) return std::stoi(text, nullptr, 16);
    return std::stoi(text);
}

std::vector<std::int32_t> numbers(const std::string& text) {
    std::vector<std::int32_t> values;
    std::istringstream items(text);
    for (std::string item; std::getline(items, item, ',');) values.push_back(number(item));
    return values;
}

// The case's command; returns what the compile returned.
std::int32_t perform(Session& b, const Case& c) {
    const auto& o = c.options;
    if (o.count("intel")) b.machine.arithmeticRules = ArithmeticRules::Intel8080;
    if (o.count("answers")) {
        std::istringstream answers(o.at("answers"));
        for (std::string answer; std::getline(answers, answer, '|');) b.platform.answers.push_back(answer);
    }
    if (o.count("compile")) return compileProgram(b.machine, c.program, false, true);
    if (o.count("silent")) return compileProgram(b.machine, c.program, false, false);

    const std::int32_t result = compileProgram(b.machine, c.program, true, !o.count("quiet"));
    if (result != -1) return result;
    if (o.count("in")) {
        auto portValue = numbers(o.at("in"));  // port,value,port,value...
        for (size_t i = 0; i + 1 < portValue.size(); i += 2) b.machine.inPorts[portValue[i]] = portValue[i + 1];
    }
    if (o.count("steps")) {
        for (std::int32_t line : numbers(o.at("steps"))) b.machine.step(line);
    } else if (o.count("walk")) {
        std::int32_t line = 0;
        for (int k = 0; k < number(o.at("walk")) && line < b.machine.programLineCount; ++k) {
            b.machine.step(line);
            line = b.machine.nextLine + 1;
        }
    } else {
        if (o.count("budget")) {
            b.machine.resetRun();
            b.machine.lineBudget = number(o.at("budget"));
            b.machine.run();
        } else {
            runProgram(b.machine);
        }
    }
    return result;
}

std::int32_t valueOf(const Machine& m, const std::string& key, std::int32_t result) {
    static const std::map<std::string, std::int32_t (*)(const Machine&)> fields = {
        {"A", [](const Machine& x) { return x.regA; }},   {"B", [](const Machine& x) { return x.regB; }},
        {"C", [](const Machine& x) { return x.regC; }},   {"D", [](const Machine& x) { return x.regD; }},
        {"E", [](const Machine& x) { return x.regE; }},   {"H", [](const Machine& x) { return x.regH; }},
        {"L", [](const Machine& x) { return x.regL; }},   {"SP", [](const Machine& x) { return x.sp; }},
        {"BC", [](const Machine& x) { return x.pairBC(); }}, {"DE", [](const Machine& x) { return x.pairDE(); }},
        {"HL", [](const Machine& x) { return x.pairHL(); }}, {"PC", [](const Machine& x) { return x.stopAddress; }},
        {"S", [](const Machine& x) { return x.flagS; }},  {"Z", [](const Machine& x) { return x.flagZ; }},
        {"AC", [](const Machine& x) { return x.flagAC; }}, {"P", [](const Machine& x) { return x.flagP; }},
        {"CY", [](const Machine& x) { return x.flagCY; }}, {"status", [](const Machine& x) { return x.lastStatus; }},
        {"line", [](const Machine& x) { return x.currentLine; }}, {"next", [](const Machine& x) { return x.nextLine; }},
        {"depth", [](const Machine& x) { return x.callDepth; }}, {"lines", [](const Machine& x) { return x.programLineCount; }},
        {"labels", [](const Machine& x) { return x.labelCount; }}, {"counter", [](const Machine& x) { return x.addressCounter; }},
        {"screen", [](const Machine& x) { return x.textScreenShown; }}};
    if (key == "result") return result;
    auto field = fields.find(key);
    if (field == fields.end()) {
        ADD_FAILURE() << "unknown key " << key;
        return -1;
    }
    return field->second(m);
}

// A number, or the address of a label of the program.
std::int32_t addressOf(const Machine& m, const std::string& text) {
    const std::string name = TextTools::upperOutsideQuotes(text) + ":";
    for (std::int32_t i = 0; i < m.labelCount; ++i) {
        if (m.labelNames[i] == name) return m.labelAddresses[i];
    }
    return number(text);
}

void check(Session& b, const std::string& expectation, std::int32_t result) {
    Machine& m = b.machine;
    if (expectation.rfind("msg: ", 0) == 0) {
        EXPECT_EQ(b.last(), expectation.substr(5));
        return;
    }
    if (expectation.rfind("screen: ", 0) == 0) {
        EXPECT_EQ(joined(m.textScreenLines), expectation.substr(8));
        return;
    }
    if (expectation.rfind("offered: ", 0) == 0) {
        EXPECT_EQ(joined(b.platform.offered), expectation.substr(9));
        return;
    }
    if (expectation.rfind("text[", 0) == 0) {  // text[ADDR]: the memory text there
        const size_t close = expectation.find("]: ");
        std::string text;
        for (std::int32_t a = addressOf(m, expectation.substr(5, close - 5)); a < kMemorySize && m.memory[a] != 0; ++a) {
            text += static_cast<char>(m.memory[a]);
        }
        EXPECT_EQ(text, expectation.substr(close + 3));
        return;
    }
    if (expectation == "no messages") {
        EXPECT_TRUE(b.platform.messages.empty()) << b.last();
        return;
    }
    std::istringstream tokens(expectation);
    for (std::string token; tokens >> token;) {
        const size_t eq = token.find('=');
        ASSERT_NE(eq, std::string::npos) << token;
        const std::string key = token.substr(0, eq), value = token.substr(eq + 1);
        if (key.rfind("num[", 0) == 0) {  // the packed decimal number there
            const std::int32_t at = addressOf(m, key.substr(4, key.size() - 5));
            const std::int32_t status = m.status;
            EXPECT_DOUBLE_EQ(m.readNumber(at / 256, at % 256), std::stod(value)) << token;
            m.status = status;
        } else if (key.back() == ']') {  // mem[ADDRESS]=b,b,...  out[PORT]=v  label[INDEX]=address
            const size_t open = key.find('[');
            const std::string table = key.substr(0, open);
            const std::int32_t at = addressOf(m, key.substr(open + 1, key.size() - open - 2));
            const std::vector<std::int32_t> want = numbers(value);
            std::vector<std::int32_t> got;
            for (size_t i = 0; i < want.size(); ++i) {
                const size_t k = static_cast<size_t>(at) + i;
                got.push_back(table == "mem" ? m.memory[k] : table == "out" ? m.outPorts[k] : m.labelAddresses[k]);
            }
            EXPECT_EQ(got, want) << token;
        } else {
            EXPECT_EQ(valueOf(m, key, result), number(value)) << token;
        }
    }
}

void PrintTo(const Case& c, std::ostream* out) { *out << c.where; }

class Golden : public ::testing::TestWithParam<Case> {};

TEST_P(Golden, EndsInTheExpectedState) {
    const Case& c = GetParam();
    SCOPED_TRACE(c.where + " " + c.name);
    ASSERT_FALSE(c.expectations.empty());
    auto cached = std::make_unique<Session>();
    auto lineByLine = std::make_unique<Session>();
    lineByLine->machine.usePrescanCache = false;
    lineByLine->machine.useDecodedLines = false;
    const std::int32_t result = perform(*cached, c);
    EXPECT_EQ(perform(*lineByLine, c), result);
    for (const std::string& expectation : c.expectations) check(*cached, expectation, result);

    const Machine &fast = cached->machine, &slow = lineByLine->machine;
    EXPECT_EQ(fast.memory, slow.memory);
    EXPECT_EQ(fast.outPorts, slow.outPorts);
    EXPECT_EQ(std::vector<std::int32_t>({fast.lastStatus, fast.errorLine, fast.callDepth, fast.addressCounter}),
              std::vector<std::int32_t>({slow.lastStatus, slow.errorLine, slow.callDepth, slow.addressCounter}));
    EXPECT_EQ(fast.stopAddress, slow.stopAddress);
    EXPECT_EQ(fast.currentLine, slow.currentLine);
    EXPECT_EQ(fast.nextLine, slow.nextLine);
    EXPECT_EQ(fast.composeFlags(), slow.composeFlags());
    EXPECT_EQ(std::vector<std::int32_t>({fast.regA, fast.regB, fast.regC, fast.regD, fast.regE, fast.regH, fast.regL, fast.sp}),
              std::vector<std::int32_t>({slow.regA, slow.regB, slow.regC, slow.regD, slow.regE, slow.regH, slow.regL, slow.sp}));
    EXPECT_EQ(cached->platform.messages, lineByLine->platform.messages);
}

// Stop is pressed while the run pumps events; the run ends before its next line and
// the program counter is that line's address. Run also clears what the last run left.
TEST(Run, StopEndsTheRunBeforeTheNextLine) {
    Bench b;
    ASSERT_EQ(compileProgram(b.machine, {"loop: inr b", "jmp loop"}, true, false), -1);
    b.machine.outPorts[5] = 1;
    b.machine.regC = 4;
    b.platform.onPump = [&] { b.machine.interruptRequested = 1; };
    runProgram(b.machine);
    EXPECT_EQ(b.machine.lastStatus, Interrupted);
    EXPECT_EQ(b.last(), "Information: Program interrupted by user");
    EXPECT_EQ(b.machine.stopAddress, b.machine.currentLine == 0 ? 1 : 4);
    EXPECT_EQ(b.machine.outPorts[5], 0);
    EXPECT_EQ(b.machine.regC, 0);
}

// Lines are decoded once per compile: a second compile in the same machine must not
// run the lines decoded for the first.
TEST(Run, ACompileForgetsTheLinesDecodedBefore) {
    Bench b;
    ASSERT_EQ(b.run({"mvi a,1", "inr a", "hlt"}), -1);
    ASSERT_EQ(b.run({"mvi b,7", "dcr b", "dcr b", "hlt"}), -1);
    EXPECT_EQ(b.machine.regB, 5);
    EXPECT_EQ(b.machine.regA, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(loadCases()),
                         [](const ::testing::TestParamInfo<Case>& param) { return param.param.name; });

}  // namespace
}  // namespace verdin
