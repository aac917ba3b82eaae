// Tests set the processor up as a line should find it: through a copy of its state,
// put back whole when the statement ends, as Step back puts a state back.
//
// Usage:
//   arrange(m)->regA = 5;
//   { Arranged s(m); s->memory[0x100] = 0x3E; s->sp = 0x3000; }
#pragma once

#include "machine/machine.h"

namespace verdin {

class Arranged {
public:
    explicit Arranged(Machine& m) : m_(m), state_(m.processorState()) {}
    ~Arranged() { m_.restoreProcessorState(state_); }
    Arranged(const Arranged&) = delete;
    Arranged& operator=(const Arranged&) = delete;
    ProcessorState* operator->() { return &state_; }
    ProcessorState& operator*() { return state_; }

private:
    Machine& m_;
    ProcessorState state_;
};

inline Arranged arrange(Machine& m) { return Arranged(m); }

}  // namespace verdin
