// Differential test of the Intel 8080 rule set against Debian's simh (its AltairZ80
// simulator with the CPU set to 8080). Random programs over the whole instruction set
// run here and there; registers, SP, S Z P CY and all 16384 memory cells must agree.
//
// simh computes AC like a Z-80 for subtractions, compares, ANA, DCR, CMA, STC, CMC,
// the rotates and DAD, and stores bits 1, 3 and 5 of the flag byte as a Z-80 does. So
// AC is never compared, DAA is generated only where the last instruction that set AC
// set it the same way on both (additions, INR, XRA, ORA, DAA, POP PSW of a flag byte
// pushed after one of them), and a flag byte that PUSH PSW stored is compared in
// S Z P CY only. AC itself is checked against hand-computed cases in the golden programs.
//
// All programs go to one simh process: each is loaded as a memory image, stepped until
// HLT (a step limit stops a runaway one) and dumped back to a file.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "arrange.h"
#include "scratch_folder.h"
#include "support.h"

namespace verdin {
namespace {

using testing_support::ScratchFolder;

constexpr int kPrograms = 300;
constexpr int kDataStart = 0x2000;
constexpr int kDataSize = 0x200;
constexpr int kFlagMask = 0xC5;  // S Z P CY
const char* const kConditions[8] = {"NZ", "Z", "NC", "C", "PO", "PE", "P", "M"};

// Instruction forms; in them d stands for a destination register, s a source register,
// b a byte, w a word, a a data address, p the pair B or D, q B, D or H, and "|" separates
// instructions. Each either leaves AC alone or sets it alike on simh or not.
enum Ac { Untouched, Alike, Unlike };
const std::pair<const char*, Ac> kForms[] = {
    {"MVI d,b", Untouched}, {"MOV d,s", Untouched}, {"ADD s", Alike}, {"ADC s", Alike}, {"SUB s", Unlike},
    {"SBB s", Unlike}, {"ANA s", Unlike}, {"XRA s", Alike}, {"ORA s", Alike}, {"CMP s", Unlike}, {"ADI b", Alike},
    {"ACI b", Alike}, {"SUI b", Unlike}, {"SBI b", Unlike}, {"ANI b", Unlike}, {"XRI b", Alike}, {"ORI b", Alike},
    {"CPI b", Unlike}, {"INR d", Alike}, {"DCR d", Unlike}, {"DAA", Alike}, {"CMA", Unlike}, {"STC", Unlike},
    {"CMC", Unlike}, {"RLC", Unlike}, {"RRC", Unlike}, {"RAL", Unlike}, {"RAR", Unlike}, {"LXI p,w", Untouched},
    {"INX q", Untouched}, {"DCX q", Untouched}, {"LXI H,a", Untouched}, {"LDA a", Untouched}, {"STA a", Untouched},
    {"LXI p,a|LDAX p", Untouched}, {"LXI p,a|STAX p", Untouched}, {"DAD q|SHLD a|LXI H,a", Unlike},
    {"DAD SP|SHLD a|LXI H,a", Unlike}, {"XCHG|SHLD a|XCHG", Untouched}, {"LHLD a|SHLD a|LXI H,a", Untouched},
    {"PUSH B|XTHL|SHLD a|POP H", Untouched}};

std::string hex(int v, int digits) {
    char text[10];
    std::snprintf(text, sizeof text, "0%0*XH", digits, v & (digits == 2 ? 0xFF : 0xFFFF));
    return text;
}

struct Program {
    std::string listing;
    std::set<int> flagCells;  // where PUSH PSW stored a flag byte
};

// Builds one program: a main part of straight-line code, forward jumps over short
// blocks, balanced pushes and pops and calls, ending in HLT; then the subroutines.
// H and L only ever hold data addresses (2000H-21FFH), so M never reaches the code.
class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    Program make(std::vector<std::string>& lines) {
        std::vector<std::string> subs;
        for (int k = 0; k < 3; ++k) {
            out_ = &subs;
            acTrusted_ = false;  // unknown at entry: no DAA in a subroutine
            pending_ = "S" + std::to_string(k);
            for (int i = 2 + pick(5); i > 0; --i) {
                simple(false);
                subUntrusts_[k] = subUntrusts_[k] || (!acTrusted_ && lastSetAc_);
                if (pick(4) == 0) emit("R" + std::string(kConditions[pick(8)]));
            }
            emit("RET");
        }
        out_ = &lines;
        acTrusted_ = true;  // every flag starts at 0 on both
        emit("LXI H," + hex(kDataStart + pick(256), 4));
        for (int i = 40 + pick(40); i > 0; --i) item();
        emit("HLT");
        lines.insert(lines.end(), subs.begin(), subs.end());
        Program p{"", flagCells_};
        for (const auto& l : lines) p.listing += l + "\n";
        return p;
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    std::string data() { return hex(kDataStart + pick(kDataSize - 1), 4); }
    std::string condition(const char* always, char prefix) {
        const int c = pick(9);
        return c == 8 ? always : prefix + std::string(kConditions[c]);
    }

    void emit(const std::string& text) {
        out_->push_back((pending_.empty() ? "  " : pending_ + ": ") + text);
        pending_.clear();
    }
    // One instruction form (a few instructions that keep H and L a data address).
    void simple(bool allowDaa) {
        const auto [form, ac] = kForms[pick(std::size(kForms))];
        const std::string pair = pick(2) ? "B" : "D";
        std::string line;
        for (const char c : std::string(form == std::string("DAA") && !(allowDaa && acTrusted_) ? "ADI b" : form)) {
            switch (c) {
                case 'd': line += "ABCDEM"[pick(6)]; break;
                case 's': line += "ABCDEHLM"[pick(8)]; break;
                case 'b': line += hex(pick(256), 2); break;
                case 'w': line += hex(pick(65536), 4); break;
                case 'a': line += data(); break;
                case 'p': line += pair; break;
                case 'q': line += "BDH"[pick(3)]; break;
                case '|': emit(line), line.clear(); break;
                default: line += c;
            }
        }
        emit(line == "MOV M,M" ? "MOV M,A" : line);
        lastSetAc_ = ac != Untouched;
        if (lastSetAc_) acTrusted_ = ac == Alike;
    }

    void item() {
        const int kind = pick(20);
        if (kind < 12) {
            simple(true);
        } else if (kind < 14) {
            // A forward jump over a short block; AC is trusted afterwards only when it
            // is on both paths.
            const bool before = acTrusted_;
            const std::string label = "L" + std::to_string(labels_++), jump = condition("JMP", 'J');
            emit(jump + " " + label);
            for (int i = 1 + pick(4); i > 0; --i) simple(true);
            acTrusted_ = before && (jump == "JMP" || acTrusted_);
            if (!pending_.empty()) emit("NOP");
            pending_ = label;
        } else if (kind < 16) {
            const int k = pick(3);
            emit(condition("CALL", 'C') + " S" + std::to_string(k));
            acTrusted_ = acTrusted_ && !subUntrusts_[k];
        } else if (kind < 18) {
            if (stack_.size() >= 6) return;
            const char pushed = "BDHP"[pick(4)];
            emit(pushed == 'P' ? std::string("PUSH PSW") : std::string("PUSH ") + pushed);
            sp_ -= 2;
            if (pushed == 'P') flagCells_.insert(sp_);
            stack_.push_back({pushed, acTrusted_});
        } else if (kind < 19) {
            if (stack_.empty()) return;
            const auto [pushed, trusted] = stack_.back();
            stack_.pop_back();
            sp_ += 2;
            // A flag byte may only go back into the flags: its bits 1, 3 and 5 differ.
            const char into = pushed == 'P' || pick(2) ? 'P' : pushed == 'H' ? 'H' : "BD"[pick(2)];
            emit(into == 'P' ? std::string("POP PSW") : std::string("POP ") + into);
            // simh's DAA also reads bit 1 as the Z-80's subtract flag, which data from
            // another pair may have set.
            if (into == 'P') acTrusted_ = pushed == 'P' && trusted;
        } else if (!stack_.empty()) {
            simple(true);
        } else {  // a new stack, keeping HL a data address
            sp_ = 0x3F80 + 2 * pick(32);
            emit("LXI H," + hex(sp_, 4));
            emit("SPHL");
            emit("LXI H," + data());
        }
    }

    std::mt19937 rng_;
    std::vector<std::string>* out_ = nullptr;
    std::string pending_;
    bool acTrusted_ = true;
    bool lastSetAc_ = false;
    std::array<bool, 3> subUntrusts_{};
    int labels_ = 0;
    int sp_ = kInitialSp;
    std::vector<std::pair<char, bool>> stack_;  // the pair pushed, and whether AC was trusted then
    std::set<int> flagCells_;
};

// The end of one run, here or in simh: A, S Z P CY, BC, DE, HL, SP, whether it reached
// HLT, and memory as raw bytes.
struct Outcome {
    std::map<std::string, int> registers;
    std::string memory;
};

std::string memoryBytes(const Machine& m) { return std::string(m.fields().memory.begin(), m.fields().memory.end()); }

// Runs every image in one simh process and reads back the registers and memory.
std::vector<Outcome> runSimh(const ScratchFolder& folder) {
    std::ostringstream script;
    script << "set cpu 8080\n";
    for (int i = 0; i < kPrograms; ++i) {
        script << "load " << folder.file("p" + std::to_string(i)) << " 0\n"
               << "d af 0\nd bc 0\nd de 0\nd hl 0\nd sp " << std::hex << kInitialSp << std::dec << "\nd pc 0\n"
               << "s 1000000\ne af,bc,de,hl,sp\ndump " << folder.file("r" + std::to_string(i)) << " 0-3fff\n";
    }
    ScratchFolder::write(folder.file("run.sim"), script.str() + "exit\n");
    const std::string run = "timeout 120 altairz80 " + folder.file("run.sim") + " </dev/null >" + folder.file("out");
    (void)std::system((run + " 2>&1").c_str());
    std::vector<Outcome> outcomes;
    std::istringstream lines(ScratchFolder::read(folder.file("out")));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("HALT instruction", 0) == 0 || line.rfind("Step expired", 0) == 0) {
            outcomes.push_back({});
            outcomes.back().memory = ScratchFolder::read(folder.file("r" + std::to_string(outcomes.size() - 1)));
            outcomes.back().registers["HLT"] = line[0] == 'H';
        } else if (!outcomes.empty() && line.size() > 4 && line.compare(2, 2, ":\t") == 0) {
            const int value = static_cast<int>(std::stoul(line.substr(3), nullptr, 16));
            if (line.rfind("AF", 0) == 0) {
                outcomes.back().registers["A"] = value >> 8;
                outcomes.back().registers["S Z P CY"] = value & kFlagMask;
            } else {
                outcomes.back().registers[line.substr(0, 2)] = value;
            }
        }
    }
    return outcomes;
}

TEST(SimhDifferential, RandomProgramsAgreeWithTheIntelRules) {
    ScratchFolder folder;
    std::vector<Program> programs;
    std::vector<Outcome> ours;
    for (int i = 0; i < kPrograms; ++i) {
        std::vector<std::string> lines;
        programs.push_back(Generator(static_cast<unsigned>(1000 + i)).make(lines));
        testing::Bench bench;
        Machine& m = bench.machine;
        m.setArithmeticRules(ArithmeticRules::Intel8080);
        ASSERT_EQ(compileProgram(m, lines, {.stopAtEmptyLine = true}), -1)
            << bench.last() << "\n" << programs.back().listing;
        std::mt19937 data(static_cast<unsigned>(i));
        {
        Arranged s(m);
        for (int a = kDataStart; a < kDataStart + kDataSize; ++a) s->memory[a] = static_cast<std::int32_t>(data() & 0xFF);
    }
        ScratchFolder::write(folder.file("p" + std::to_string(i)), memoryBytes(m));
        m.resetRun();
        m.setLineBudget(1'000'000);
        m.run();
        ASSERT_EQ(m.fields().lastStatus, Interrupted) << bench.last() << "\n" << programs.back().listing;
        ours.push_back({{{"A", m.fields().regA}, {"S Z P CY", m.composeFlags() & kFlagMask}, {"BC", m.fields().pairBC()},
                         {"DE", m.fields().pairDE()}, {"HL", m.fields().pairHL()}, {"SP", m.fields().sp}, {"HLT", 1}},
                        memoryBytes(m)});
    }

    const std::vector<Outcome> reference = runSimh(folder);
    ASSERT_EQ(reference.size(), static_cast<size_t>(kPrograms)) << "simh did not run every program";
    for (int i = 0, failures = 0; i < kPrograms && failures < 3; ++i) {
        const Outcome &mine = ours[static_cast<size_t>(i)], &theirs = reference[static_cast<size_t>(i)];
        const Program& p = programs[static_cast<size_t>(i)];
        ASSERT_EQ(theirs.memory.size(), static_cast<size_t>(kMemorySize)) << "program " << i;
        std::ostringstream diff;
        for (int a = 0; a < kMemorySize; ++a) {
            const int mask = p.flagCells.count(a) ? kFlagMask : 0xFF;
            const int x = static_cast<unsigned char>(mine.memory[a]) & mask;
            const int y = static_cast<unsigned char>(theirs.memory[a]) & mask;
            if (x != y) diff << "memory " << a << ": ours " << x << ", simh " << y << "\n";
        }
        if (mine.registers == theirs.registers && diff.str().empty()) continue;
        ++failures;
        EXPECT_EQ(mine.registers, theirs.registers) << "program " << i << " (ours, simh)";
        ADD_FAILURE() << "program " << i << " differs:\n" << diff.str() << p.listing;
    }
}

}  // namespace
}  // namespace verdin
