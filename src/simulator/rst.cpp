// RST n: a call of a system service of the workbench, not a restart into low memory.
// No return address is pushed and control never passes to address 8·n.
#include "isa/instruction_table.h"
#include "machine/machine.h"

namespace verdin {

void Machine::rstService(const Instruction& ins) {
    auto n = static_cast<std::int32_t>(TextTools::toNumber(TextTools::mid(operandText, 0, 1)));
    if (operandText.size() > 1 || n < 0 || n > 7) {
        status = InvalidOperand;
        return;
    }
    mnemonicText = {};
    if (mode == Compile) storeByte(addressCounter, ins.opcode + 8 * n);
    bool advance = true;
    if (mode == Execute) {
        ServiceCall call{*this, *ownerWindow};
        advance = services_->perform(n, call);
        if (call.status != Ok) status = call.status;
        if (call.outsideEffect) outsideEffectLine = currentLine;
        // Services store into memory directly; the line table must compare its cells
        // before it trusts them again.
        lineTable.allDirty = true;
    }
    // A service whose own address check failed leaves the counter on this line, so
    // the run stops with the RST as the faulty instruction.
    if (advance) addressCounter += 1;
}

}  // namespace verdin
