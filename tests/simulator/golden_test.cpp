// Golden programs: every case in tests/golden/cases/*.cases is a small program with
// the state the machine must be in afterwards. The format is described at the top of
// tests/golden/cases/execute.cases. Each case also runs as the first versions did,
// every line's text read again before it runs and the prescan done line by line, and
// both runs must agree in every cell, port, register and message.
#include <memory>

#include "arrange.h"
#include "files/source_file.h"
#include "golden_files.h"
#include "support.h"
#include "services/service_support.h"
#include "services/services.h"

namespace verdin {
namespace {

// Answers the "Input value" box from the case's answers, in order; then cancels.
struct GoldenPlatform : HeadlessPlatform {
    std::vector<std::string> answers, offered, asked;
    std::optional<std::string> inputValue(const ValueRequest& request) override {
        offered.push_back(request.initial);
        asked.push_back(std::string(valueKindText(request.kind)) + " after <" + request.prompt + ">");
        if (offered.size() > answers.size() || answers[offered.size() - 1] == "<cancel>") return std::nullopt;
        return answers[offered.size() - 1];
    }
};

struct Session {
    GoldenPlatform platform;
    Machine machine{platform};
};

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) text += (i == 0 ? "" : "|") + items[i];
    return text;
}

int number(const std::string& text) {
    static const std::map<std::string, int> names = {
        {"Ok", Ok}, {"InvalidCommand", InvalidCommand}, {"InvalidOperand", InvalidOperand},
        {"InvalidRegister", InvalidRegister}, {"OutOfMemory", OutOfMemory}, {"InvalidPort", InvalidPort},
        {"RetWithoutCall", RetWithoutCall}, {"Interrupted", Interrupted}, {"NoLineAtAddress", NoLineAtAddress},
        {"LabelNotDefined", LabelNotDefined}, {"InvalidNumber", InvalidNumber}, {"ResultOutOfRange", ResultOutOfRange}};
    if (auto name = names.find(text); name != names.end()) return name->second;
    if (!text.empty() && (text.back() == 'h' || text.back() == 'H')) return std::stoi(text, nullptr, 16);
    return std::stoi(text);
}

std::vector<int> numbers(const std::string& text) {
    std::vector<int> values;
    for (const std::string& item : golden::split(text, ',')) values.push_back(number(item));
    return values;
}

// What a case may name, and what both ways of running must agree in besides memory.
std::map<std::string, int> fields(const Machine& m) {
    return {{"A", m.fields().regA}, {"B", m.fields().regB}, {"C", m.fields().regC}, {"D", m.fields().regD}, {"E", m.fields().regE}, {"H", m.fields().regH},
            {"L", m.fields().regL}, {"SP", m.fields().sp}, {"BC", m.fields().pairBC()}, {"DE", m.fields().pairDE()}, {"HL", m.fields().pairHL()},
            {"PC", m.fields().stopAddress}, {"S", m.fields().flagS}, {"Z", m.fields().flagZ}, {"AC", m.fields().flagAC}, {"P", m.fields().flagP},
            {"CY", m.fields().flagCY}, {"flags", m.composeFlags()}, {"status", m.fields().lastStatus}, {"error", m.fields().errorLine},
            {"line", m.fields().currentLine}, {"next", m.fields().nextLine}, {"depth", m.fields().callDepth}, {"lines", m.fields().programLineCount},
            {"labels", m.fields().labelCount}, {"counter", m.fields().addressCounter}, {"screen", servicesOf(m).fields().textScreenShown},
            {"states", static_cast<int>(m.fields().states)}};
}

// The case's command on its last program, after running those before it; returns what
// the compile returned.
int perform(Session& s, const golden::Case& c, const std::vector<std::vector<std::string>>& programs) {
    const auto& o = c.options;
    Machine& m = s.machine;
    if (o.count("intel")) m.setArithmeticRules(ArithmeticRules::Intel8080);
    if (o.count("8085")) m.setTiming(Timing::Intel8085, m.fields().clockKHz);
    if (o.count("answers")) s.platform.answers = golden::split(o.at("answers"), '|');
    for (size_t i = 0; i + 1 < programs.size(); ++i) {
        if (compileProgram(m, programs[i], {.stopAtEmptyLine = true}) == -1) runProgram(m);
    }
    const std::vector<std::string>& program = programs.back();
    if (o.count("compile") || o.count("silent")) return compileProgram(m, program, {.showMessage = !o.count("silent")});
    const int result = compileProgram(m, program, {.stopAtEmptyLine = true, .showMessage = !o.count("quiet")});
    if (result != -1) return result;
    if (o.count("in")) {
        const auto portValue = numbers(o.at("in"));  // port,value,port,value...
        for (size_t i = 0; i + 1 < portValue.size(); i += 2) m.setInputPort(portValue[i], portValue[i + 1]);
    }
    if (o.count("steps")) {
        for (int line : numbers(o.at("steps"))) m.step(line);
    } else if (o.count("walk")) {
        std::int32_t line = 0;
        for (int k = 0; k < number(o.at("walk")) && line < m.fields().programLineCount; ++k) {
            m.step(line);
            line = m.fields().nextLine + 1;
        }
    } else if (o.count("budget")) {
        m.resetRun();
        m.setLineBudget(number(o.at("budget")));
        m.run();
    } else {
        runProgram(m);
    }
    return result;
}

// A number, or the address of a label of the program.
int addressOf(const Machine& m, const std::string& text) {
    const std::string name = TextTools::upperOutsideQuotes(text) + ":";
    for (std::int32_t i = 0; i < m.fields().labelCount; ++i) {
        if (m.fields().labelNames[i] == name) return m.fields().labelAddresses[i];
    }
    return number(text);
}

void check(Session& s, const std::string& expectation, int result) {
    Machine& m = s.machine;
    const golden::Line line{"", expectation};
    const std::string verb = line.verb(), rest = line.rest();
    if (verb == "msg:") {
        EXPECT_EQ(s.platform.lastMessage(), rest);
    } else if (verb == "screen:") {
        EXPECT_EQ(joined(servicesOf(m).fields().textScreenLines), rest);
    } else if (verb == "offered:") {
        EXPECT_EQ(joined(s.platform.offered), rest);
    } else if (verb == "asked:") {
        EXPECT_EQ(joined(s.platform.asked), rest);
    } else if (verb.rfind("text[", 0) == 0) {  // text[ADDR]: the memory text there
        std::string text;
        for (int a = addressOf(m, verb.substr(5, verb.size() - 7)); a < kMemorySize && m.fields().memory[a] != 0; ++a) {
            text += static_cast<char>(m.fields().memory[a]);
        }
        EXPECT_EQ(text, rest);
    } else if (expectation == "no messages") {
        EXPECT_TRUE(s.platform.messages.empty()) << s.platform.lastMessage();
    } else {
        auto known = fields(m);
        known["result"] = result;
        golden::expectPairs(expectation, known, number, [&](const std::string& key, const std::string& value) {
            if (key.back() != ']') return false;
            const size_t open = key.find('[');
            const std::string table = key.substr(0, open);
            const int at = addressOf(m, key.substr(open + 1, key.size() - open - 2));
            if (table == "num") {  // the packed decimal number there
                EXPECT_DOUBLE_EQ(readPackedNumber(m.processorState(), at).value, std::stod(value)) << key;
                return true;
            }
            // mem[ADDRESS]=b,b,...  out[PORT]=v  label[INDEX]=address
            const std::vector<int> want = numbers(value);
            std::vector<int> got;
            for (size_t k = static_cast<size_t>(at); got.size() < want.size(); ++k) {
                got.push_back(table == "mem" ? m.fields().memory.at(k) : table == "out" ? m.fields().outPorts.at(k) : m.fields().labelAddresses.at(k));
            }
            EXPECT_EQ(got, want) << key;
            return true;
        });
    }
}

class Golden : public ::testing::TestWithParam<golden::Case> {};

TEST_P(Golden, EndsInTheExpectedState) {
    const golden::Case& c = GetParam();
    // "=> " starts an expectation; "<empty>" is an empty program line, "*N TEXT" N
    // copies of TEXT with "#" the copy's number, "<then>" starts another program.
    std::vector<std::vector<std::string>> programs(1);
    std::vector<golden::Line> expectations;
    for (const golden::Line& line : c.lines) {
        if (line.text.rfind("=> ", 0) == 0) {
            expectations.push_back({line.where, line.text.substr(3)});
        } else if (line.text.rfind("*", 0) == 0) {
            for (int i = 0; i < std::stoi(line.verb().substr(1)); ++i) {
                programs.back().push_back(golden::replaced(line.rest(), "#", std::to_string(i)));
            }
        } else if (line.text == "<then>") {
            programs.emplace_back();
        } else {
            programs.back().push_back(line.text == "<empty>" ? "" : line.text);
        }
    }
    if (c.options.count("source")) {
        const LoadResult loaded = loadSourceFile(testing::sourcePath(c.options.at("source")));
        ASSERT_TRUE(loaded.ok) << loaded.error;
        programs.back() = loaded.text.lines;
    }
    ASSERT_FALSE(expectations.empty()) << c.where;
    auto cached = std::make_unique<Session>();
    auto lineByLine = std::make_unique<Session>();
    lineByLine->machine.setUseLineTable(false);
    lineByLine->machine.setUseDecodedLines(false);
    const int result = perform(*cached, c, programs);
    for (const golden::Line& expectation : expectations) {
        SCOPED_TRACE(expectation.where);
        check(*cached, expectation.text, result);
    }
    SCOPED_TRACE(c.where + ": run line by line");
    EXPECT_EQ(perform(*lineByLine, c, programs), result);
    EXPECT_EQ(fields(cached->machine), fields(lineByLine->machine));
    EXPECT_EQ(cached->machine.fields().memory, lineByLine->machine.fields().memory);
    EXPECT_EQ(cached->machine.fields().outPorts, lineByLine->machine.fields().outPorts);
    EXPECT_EQ(cached->platform.messages, lineByLine->platform.messages);
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(golden::readCases("cases", ".cases")), golden::caseName);

// Stop is pressed while the run pumps events; the run ends before its next line and
// the program counter is that line's address. Run also clears what the last run left.
TEST(Run, StopEndsTheRunBeforeTheNextLine) {
    testing::Bench b;
    ASSERT_EQ(compileProgram(b.machine, {"loop: inr b", "jmp loop"}, {.stopAtEmptyLine = true}), -1);
    arrange(b.machine)->outPorts[5] = 1;
    arrange(b.machine)->regC = 4;
    b.platform.onPump = [&] { b.machine.requestStop(); };
    runProgram(b.machine);
    EXPECT_EQ(b.machine.fields().lastStatus, Interrupted);
    EXPECT_EQ(b.last(), "Information: Program interrupted by user");
    EXPECT_EQ(b.machine.fields().stopAddress, b.machine.fields().currentLine == 0 ? 1 : 4);
    EXPECT_EQ(b.machine.fields().outPorts[5], 0);
    EXPECT_EQ(b.machine.fields().regC, 0);
}

}  // namespace
}  // namespace verdin
