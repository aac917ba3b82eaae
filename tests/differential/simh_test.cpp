// Differential test of the Intel 8080 rule set against Debian's simh (its AltairZ80
// simulator with the CPU set to 8080). Random programs over the whole instruction set
// run here and there; registers, SP, S Z P CY and all 16384 memory cells must agree.
//
// simh computes AC like a Z-80 for subtractions, compares, ANA, DCR, CMA, STC, CMC,
// the rotates and DAD, and stores bits 1, 3 and 5 of the flag byte as a Z-80 does. So
// AC is never compared, DAA is generated only where the last instruction that set AC
// set it the same way on both (additions, INR, XRA, ORA, DAA, POP PSW of a flag byte
// pushed after one of them), and a flag byte that PUSH PSW stored is compared in S Z P CY only. AC itself
// is checked against hand-computed cases in the simulator tests.
//
// All programs go to one simh process: each is loaded as a memory image, stepped until
// HLT (a step limit stops a runaway one) and dumped back to a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "scratch_folder.h"
#include "support.h"

namespace verdin {
namespace {

constexpr int kPrograms = 300;
constexpr int kDataStart = 0x2000;
constexpr int kDataSize = 0x200;

std::string hex8(int v) {
    char text[8];
    std::snprintf(text, sizeof text, "0%02XH", v & 0xFF);
    return text;
}
std::string hex16(int v) {
    char text[10];
    std::snprintf(text, sizeof text, "0%04XH", v & 0xFFFF);
    return text;
}

struct Program {
    std::vector<std::string> lines;
    std::vector<int> flagCells;  // where PUSH PSW stored a flag byte
};

// Builds one program: a main part of straight-line code, forward jumps over short
// blocks, balanced pushes and pops and calls, ending in HLT; then the subroutines.
// H and L only ever hold data addresses (2000H-21FFH), so M never reaches the code.
class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    Program make() {
        std::vector<std::vector<std::string>> subs(3);
        for (size_t k = 0; k < subs.size(); ++k) {
            out_ = &subs[k];
            acTrusted_ = false;  // unknown at entry: no DAA in a subroutine
            bool untrusts = false;
            pending_ = "S" + std::to_string(k);
            int length = 2 + pick(5);
            for (int i = 0; i < length; ++i) {
                simple(false);
                untrusts |= !acTrusted_ && lastSetAc_;
                if (pick(4) == 0) emit("R" + std::string(kConditions[pick(8)]));
            }
            emit("RET");
            subUntrusts_[k] = untrusts;
        }
        std::vector<std::string> main;
        out_ = &main;
        acTrusted_ = true;  // every flag starts at 0 on both
        emit("LXI H," + hex16(kDataStart + pick(256)));
        int items = 40 + pick(40);
        for (int i = 0; i < items; ++i) item();
        emit("HLT");
        Program p;
        p.lines = main;
        for (const auto& sub : subs) p.lines.insert(p.lines.end(), sub.begin(), sub.end());
        p.flagCells = flagCells_;
        return p;
    }

private:
    static constexpr const char* kConditions[8] = {"NZ", "Z", "NC", "C", "PO", "PE", "P", "M"};
    static constexpr const char* kAlu[8] = {"ADD", "ADC", "SUB", "SBB", "ANA", "XRA", "ORA", "CMP"};
    static constexpr const char* kAluImmediate[8] = {"ADI", "ACI", "SUI", "SBI", "ANI", "XRI", "ORI", "CPI"};

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    std::string dest() { return std::string(1, "ABCDEM"[pick(6)]); }
    std::string source() { return std::string(1, "ABCDEHLM"[pick(8)]); }
    std::string dataAddress() { return hex16(kDataStart + pick(kDataSize - 1)); }

    void emit(const std::string& text) {
        out_->push_back((pending_.empty() ? "  " : pending_ + ": ") + text);
        pending_.clear();
    }
    void land(const std::string& label) {
        if (!pending_.empty()) emit("NOP");
        pending_ = label;
    }
    // Whether the instruction just generated set AC, and whether simh set it alike.
    void setsAc(bool alike) {
        lastSetAc_ = true;
        acTrusted_ = alike;
    }

    void simple(bool allowDaa) {
        lastSetAc_ = false;
        switch (pick(13)) {
            case 0: emit("MVI " + dest() + "," + hex8(pick(256))); break;
            case 1: {
                std::string d = dest(), s = source();
                if (d == "M" && s == "M") s = "A";
                emit("MOV " + d + "," + s);
                break;
            }
            case 2:
            case 3: {
                int op = pick(8);
                emit(pick(2) ? std::string(kAlu[op]) + " " + source() : std::string(kAluImmediate[op]) + " " + hex8(pick(256)));
                setsAc(op <= 1 || op == 5 || op == 6);
                break;
            }
            case 4: {
                bool increment = pick(2) != 0;
                emit(std::string(increment ? "INR " : "DCR ") + dest());
                setsAc(increment);
                break;
            }
            case 5:
                if (allowDaa && acTrusted_) {
                    emit("DAA");
                    setsAc(true);
                } else {
                    emit("ADI " + hex8(pick(256)));
                    setsAc(true);
                }
                break;
            case 6: {
                static const char* const kOthers[] = {"CMA", "STC", "CMC", "RLC", "RRC", "RAL", "RAR"};
                emit(kOthers[pick(7)]);
                setsAc(false);
                break;
            }
            case 7: {
                const char* pair = pick(2) ? "B" : "D";
                if (pick(2)) emit(std::string("LXI ") + pair + "," + hex16(pick(65536)));
                else emit(std::string(pick(2) ? "INX " : "DCX ") + "BDH"[pick(3)]);
                break;
            }
            case 8:
                if (pick(3) == 0) emit("LXI H," + dataAddress());
                else emit(std::string(pick(2) ? "LDA " : "STA ") + dataAddress());
                break;
            case 9: {
                const char* pair = pick(2) ? "B" : "D";
                emit(std::string("LXI ") + pair + "," + dataAddress());
                emit(std::string(pick(2) ? "LDAX " : "STAX ") + pair);
                break;
            }
            case 10:
                emit(std::string("DAD ") + (pick(4) == 0 ? "SP" : std::string(1, "BDH"[pick(3)])));
                setsAc(false);
                emit("SHLD " + dataAddress());
                emit("LXI H," + dataAddress());
                break;
            case 11:
                emit("XCHG");
                emit("SHLD " + dataAddress());
                emit("XCHG");
                break;
            default:
                emit("LHLD " + dataAddress());
                emit("SHLD " + dataAddress());
                emit("LXI H," + dataAddress());
        }
    }

    struct Pushed {
        char pair;
        bool acTrusted;
    };

    void item() {
        int kind = pick(20);
        if (kind < 12) {
            simple(true);
        } else if (kind < 14) {
            // A forward jump over a short block; AC is trusted afterwards only when it
            // is on both paths.
            bool before = acTrusted_;
            std::string label = "L" + std::to_string(labels_++);
            int c = pick(9);
            emit((c == 8 ? std::string("JMP") : "J" + std::string(kConditions[c])) + " " + label);
            int length = 1 + pick(4);
            for (int i = 0; i < length; ++i) simple(true);
            acTrusted_ = c == 8 ? before : before && acTrusted_;
            land(label);
        } else if (kind < 16) {
            int k = pick(3);
            int c = pick(9);
            emit((c == 8 ? std::string("CALL") : "C" + std::string(kConditions[c])) + " S" + std::to_string(k));
            acTrusted_ = acTrusted_ && !subUntrusts_[k];
        } else if (kind < 18) {
            if (stack_.size() >= 6) return;
            char pair = "BDHP"[pick(4)];
            emit(pair == 'P' ? std::string("PUSH PSW") : std::string("PUSH ") + pair);
            sp_ -= 2;
            if (pair == 'P') flagCells_.push_back(sp_);
            stack_.push_back({pair, acTrusted_});
        } else if (kind < 19) {
            if (stack_.empty()) return;
            Pushed top = stack_.back();
            stack_.pop_back();
            sp_ += 2;
            // A flag byte may only go back into the flags: its bits 1, 3 and 5 differ.
            char into = top.pair == 'P' ? 'P' : pick(2) ? 'P' : top.pair == 'H' ? 'H' : "BD"[pick(2)];
            if (into == 'P') {
                emit("POP PSW");
                // simh's DAA also reads bit 1 as the Z-80's subtract flag, which
                // data from another pair may have set.
                acTrusted_ = top.pair == 'P' && top.acTrusted;
            } else {
                emit(std::string("POP ") + into);
            }
        } else {
            // XTHL and SPHL, keeping HL a data address.
            if (pick(2) || !stack_.empty()) {
                emit("PUSH B");
                emit("XTHL");
                emit("SHLD " + dataAddress());
                emit("POP H");
            } else {
                sp_ = 0x3F80 + 2 * pick(32);
                emit("LXI H," + hex16(sp_));
                emit("SPHL");
                emit("LXI H," + dataAddress());
            }
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
    std::vector<Pushed> stack_;
    std::vector<int> flagCells_;
};

// The end of one run, here or in simh; memory as raw bytes.
struct Outcome {
    int a = 0, f = 0, bc = 0, de = 0, hl = 0, sp = 0;
    bool halted = false;
    std::string memory;
};

std::string memoryBytes(const Machine& m) {
    std::string bytes(kMemorySize, '\0');
    for (int a = 0; a < kMemorySize; ++a) bytes[static_cast<size_t>(a)] = static_cast<char>(m.memory[a]);
    return bytes;
}

// Runs every image in one simh process and reads back the registers and memory.
std::vector<Outcome> runSimh(const testing_support::ScratchFolder& folder, int count) {
    std::ostringstream script;
    script << "set cpu 8080\n";
    for (int i = 0; i < count; ++i) {
        std::string n = std::to_string(i);
        script << "load " << folder.file("p" + n + ".bin") << " 0\n"
               << "d af 0\nd bc 0\nd de 0\nd hl 0\nd sp " << std::hex << kInitialSp << std::dec << "\nd pc 0\n"
               << "s 1000000\n"
               << "e af,bc,de,hl,sp\n"
               << "dump " << folder.file("r" + n + ".bin") << " 0-3fff\n";
    }
    script << "exit\n";
    testing_support::ScratchFolder::write(folder.file("run.sim"), script.str());
    std::string command = "timeout 120 altairz80 " + folder.file("run.sim") + " </dev/null 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    std::vector<Outcome> outcomes;
    if (pipe == nullptr) return outcomes;
    std::string text;
    std::array<char, 4096> buffer{};
    for (size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) text.append(buffer.data(), got);
    ::pclose(pipe);

    std::istringstream lines(text);
    std::string line;
    Outcome current;
    bool started = false;
    auto value = [&](const std::string& l) { return static_cast<int>(std::stoul(l.substr(l.find('\t') + 1), nullptr, 16)); };
    while (std::getline(lines, line)) {
        if (line.rfind("HALT instruction", 0) == 0 || line.rfind("Step expired", 0) == 0) {
            if (started) outcomes.push_back(current);
            current = Outcome{};
            current.halted = line.rfind("HALT", 0) == 0;
            started = true;
        } else if (line.rfind("AF:", 0) == 0) {
            current.a = value(line) >> 8;
            current.f = value(line) & 0xFF;
        } else if (line.rfind("BC:", 0) == 0) current.bc = value(line);
        else if (line.rfind("DE:", 0) == 0) current.de = value(line);
        else if (line.rfind("HL:", 0) == 0) current.hl = value(line);
        else if (line.rfind("SP:", 0) == 0) current.sp = value(line);
    }
    if (started) outcomes.push_back(current);
    for (size_t i = 0; i < outcomes.size(); ++i) {
        outcomes[i].memory = testing_support::ScratchFolder::read(folder.file("r" + std::to_string(i) + ".bin"));
    }
    return outcomes;
}

std::string listing(const Program& p) {
    std::string text;
    for (const auto& l : p.lines) text += l + "\n";
    return text;
}

TEST(SimhDifferential, RandomProgramsAgreeWithTheIntelRules) {
    testing_support::ScratchFolder folder;
    std::vector<Program> programs;
    std::vector<Outcome> ours;
    for (int i = 0; i < kPrograms; ++i) {
        Generator generator(static_cast<unsigned>(1000 + i));
        programs.push_back(generator.make());
        testing::Bench bench;
        Machine& m = bench.machine;
        m.arithmeticRules = ArithmeticRules::Intel8080;
        ASSERT_EQ(compileProgram(m, programs.back().lines, true, false), -1) << bench.last() << "\n" << listing(programs.back());
        std::mt19937 data(static_cast<unsigned>(i));
        for (int a = kDataStart; a < kDataStart + kDataSize; ++a) m.memory[a] = static_cast<std::int32_t>(data() & 0xFF);
        testing_support::ScratchFolder::write(folder.file("p" + std::to_string(i) + ".bin"), memoryBytes(m));
        m.resetRun();
        m.lineBudget = 1'000'000;
        m.run();
        ASSERT_EQ(m.lastStatus, Interrupted) << bench.last() << "\n" << listing(programs.back());
        ours.push_back({m.regA, m.composeFlags(), m.pairBC(), m.pairDE(), m.pairHL(), m.sp, true, memoryBytes(m)});
    }

    std::vector<Outcome> reference = runSimh(folder, kPrograms);
    ASSERT_EQ(reference.size(), static_cast<size_t>(kPrograms)) << "simh did not run every program";
    int failures = 0;
    for (int i = 0; i < kPrograms && failures < 3; ++i) {
        const Outcome& m = ours[static_cast<size_t>(i)];
        const Outcome& r = reference[static_cast<size_t>(i)];
        const Program& p = programs[static_cast<size_t>(i)];
        ASSERT_TRUE(r.halted) << "program " << i << " did not reach HLT in simh\n" << listing(p);
        ASSERT_EQ(r.memory.size(), static_cast<size_t>(kMemorySize));
        const int mask = 0xC5;  // S Z P CY
        std::ostringstream diff;
        auto check = [&](const char* what, int mine, int theirs) {
            if (mine != theirs) diff << what << ": ours " << mine << ", simh " << theirs << "\n";
        };
        check("A", m.a, r.a);
        check("BC", m.bc, r.bc);
        check("DE", m.de, r.de);
        check("HL", m.hl, r.hl);
        check("SP", m.sp, r.sp);
        check("S Z P CY", m.f & mask, r.f & mask);
        for (size_t a = 0; a < kMemorySize; ++a) {
            int theirs = static_cast<unsigned char>(r.memory[a]);
            int mine = static_cast<unsigned char>(m.memory[a]);
            bool flagByte = std::find(p.flagCells.begin(), p.flagCells.end(), static_cast<int>(a)) != p.flagCells.end();
            if (flagByte) mine &= mask, theirs &= mask;
            if (mine != theirs) diff << "memory " << a << ": ours " << mine << ", simh " << theirs << "\n";
        }
        if (!diff.str().empty()) {
            ++failures;
            ADD_FAILURE() << "program " << i << " differs:\n" << diff.str() << listing(p);
        }
    }
}

}  // namespace
}  // namespace verdin
