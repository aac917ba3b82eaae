// Code of another folder, as the debugger or a front end is: it may read everything the
// machine holds, and may change it only through the machine's named functions. Each
// WRITE_* below is a write that must not compile (scripts/check_outside_writes.cmake).
#include "machine/machine.h"

std::int32_t reads(const verdin::Machine& m) {
    return m.fields().regA + m.fields().status + m.processorState().memory[0] + m.fields().pairHL();
}

void namedWrites(verdin::Machine& m) {
    m.setRegister(7, 1);
    m.setLineBudget(10);
    m.requestStop();
}

#ifdef WRITE_MEMBER
void write(verdin::Machine& m) { m.regA = 1; }
#endif
#ifdef WRITE_THROUGH_VIEW
void write(verdin::Machine& m) { m.fields().status = 1; }
#endif
#ifdef WRITE_THROUGH_BASE
void write(verdin::Machine& m) { static_cast<verdin::ProcessorState&>(m).regA = 1; }
#endif
#ifdef WRITE_MEMORY
void write(verdin::Machine& m) { m.fields().memory[0] = 1; }
#endif
#ifdef WRITE_BY_WALK
// The walks move the machine's position and rewrite memory: a debugger runs them only
// through step, runFrom and the other commands.
void write(verdin::Machine& m) { m.prescan(3); }
#endif
