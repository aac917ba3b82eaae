#include "isa/instruction_table.h"
#include "machine/machine.h"

namespace verdin {

// A friend of Machine, whose handlers are its own.
struct HandlerTable {
    using Mc = Machine;
    struct NamedHandler {
        std::string_view name;
        Handler handler;
    };
    // Row for row beside the instruction table, which stays plain data that every layer
    // can read; the names are repeated so that a row added to one table and not the
    // other stops the build instead of running the wrong handler.
    static constexpr std::array<NamedHandler, kInstructionCount> kHandlers = {{
    {"NOP", &Mc::nop},
    {"HLT", &Mc::hlt},
    {"LXI", &Mc::lxi},
    {"STAX", &Mc::indirect},
    {"INX", &Mc::pairStep},
    {"INR", &Mc::incDec},
    {"DCR", &Mc::incDec},
    {"MVI", &Mc::mvi},
    {"RLC", &Mc::accumulator},
    {"DAD", &Mc::dad},
    {"LDAX", &Mc::indirect},
    {"DCX", &Mc::pairStep},
    {"RRC", &Mc::accumulator},
    {"RAL", &Mc::accumulator},
    {"RAR", &Mc::accumulator},
    {"SHLD", &Mc::directAddress},
    {"DAA", &Mc::daa},
    {"LHLD", &Mc::directAddress},
    {"CMA", &Mc::accumulator},
    {"STA", &Mc::directAddress},
    {"STC", &Mc::accumulator},
    {"LDA", &Mc::directAddress},
    {"CMC", &Mc::accumulator},
    {"MOV", &Mc::mov},
    {"ADD", &Mc::aluRegister},
    {"ADC", &Mc::aluRegister},
    {"SUB", &Mc::aluRegister},
    {"SBB", &Mc::aluRegister},
    {"ANA", &Mc::aluRegister},
    {"CPI", &Mc::aluImmediate},
    {"XRA", &Mc::aluRegister},
    {"ORA", &Mc::aluRegister},
    {"CMP", &Mc::aluRegister},
    {"POP", &Mc::pop},
    {"JMP", &Mc::jump},
    {"JZ", &Mc::jump},
    {"JNZ", &Mc::jump},
    {"JC", &Mc::jump},
    {"JNC", &Mc::jump},
    {"JPO", &Mc::jump},
    {"JPE", &Mc::jump},
    {"JP", &Mc::jump},
    {"JM", &Mc::jump},
    {"CALL", &Mc::call},
    {"CZ", &Mc::call},
    {"CNZ", &Mc::call},
    {"CC", &Mc::call},
    {"CNC", &Mc::call},
    {"CPO", &Mc::call},
    {"CPE", &Mc::call},
    {"CP", &Mc::call},
    {"CM", &Mc::call},
    {"PUSH", &Mc::push},
    {"ADI", &Mc::aluImmediate},
    {"RST", &Mc::rstService},
    {"RET", &Mc::ret},
    {"RZ", &Mc::ret},
    {"RNZ", &Mc::ret},
    {"RC", &Mc::ret},
    {"RNC", &Mc::ret},
    {"RPO", &Mc::ret},
    {"RPE", &Mc::ret},
    {"RP", &Mc::ret},
    {"RM", &Mc::ret},
    {"ACI", &Mc::aluImmediate},
    {"OUT", &Mc::port},
    {"SUI", &Mc::aluImmediate},
    {"IN", &Mc::port},
    {"SBI", &Mc::aluImmediate},
    {"XTHL", &Mc::xthl},
    {"ANI", &Mc::aluImmediate},
    {"PCHL", &Mc::pchl},
    {"XCHG", &Mc::xchg},
    {"XRI", &Mc::aluImmediate},
    {"DI", &Mc::interruptFlag},
    {"ORI", &Mc::aluImmediate},
    {"SPHL", &Mc::sphl},
    {"EI", &Mc::interruptFlag},
    {"EQU", &Mc::equ},
    {"DB", &Mc::db},
    {"DW", &Mc::dw},
    {"DS", &Mc::ds},
    {"ORG", &Mc::org},
    {"END", &Mc::end},
    }};
};

namespace {
constexpr bool sameRows() {
    const auto& kHandlers = HandlerTable::kHandlers;
    for (std::size_t i = 0; i < kHandlers.size(); ++i)
        if (kHandlers[i].name != instructionTable()[i].name) return false;
    return true;
}
static_assert(sameRows(), "the handler table must list the instruction table's rows in its order");
}  // namespace

Handler Machine::handlerOf(const Instruction& ins) { return HandlerTable::kHandlers[rowOf(ins)].handler; }

}  // namespace verdin
