#include "machine/machine.h"
#include "simulator/instruction_table.h"

namespace verdin {

void Machine::translateLine(const Instruction&) {}

}  // namespace verdin
