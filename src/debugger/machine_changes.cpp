#include "debugger/machine_changes.h"

#include <algorithm>

#include "machine/machine.h"

namespace verdin {

MachineChanges::Snapshot MachineChanges::take(const Machine& m) {
    Snapshot s;
    s.registers = {m.fields().regA, m.composeFlags(), m.fields().regB, m.fields().regC, m.fields().regD, m.fields().regE, m.fields().regH, m.fields().regL};
    s.flags = {m.fields().flagCY, m.fields().flagZ, m.fields().flagP, m.fields().flagS, m.fields().flagAC};
    s.sp = m.fields().sp;
    s.pc = m.fields().stopAddress;
    s.memory.assign(m.fields().memory.begin(), m.fields().memory.end());
    std::copy(m.fields().outPorts.begin(), m.fields().outPorts.end(), s.outPorts.begin());
    return s;
}

void MachineChanges::remember(const Machine& m) { before_ = take(m); }

void MachineChanges::compare(const Machine& m) {
    if (before_.memory.empty()) {
        clear();
        return;
    }
    const Snapshot now = take(m);
    const auto& a = before_.registers;
    const auto& b = now.registers;
    for (int pair = 0; pair < 4; ++pair) {
        registers_[static_cast<std::size_t>(pair)] = a[2 * pair] != b[2 * pair] || a[2 * pair + 1] != b[2 * pair + 1];
    }
    registers_[4] = before_.sp != now.sp;
    registers_[5] = before_.pc != now.pc;
    for (std::size_t i = 0; i < flags_.size(); ++i) flags_[i] = before_.flags[i] != now.flags[i];
    for (std::size_t i = 0; i < outPorts_.size(); ++i) outPorts_[i] = before_.outPorts[i] != now.outPorts[i];
    cells_.assign(now.memory.size(), 0);
    changedCells_ = 0;
    for (std::size_t i = 0; i < now.memory.size(); ++i) {
        if (now.memory[i] != before_.memory[i]) {
            cells_[i] = 1;
            ++changedCells_;
        }
    }
}

void MachineChanges::clear() {
    registers_.fill(false);
    flags_.fill(false);
    outPorts_.fill(false);
    cells_.clear();
    changedCells_ = 0;
}

bool MachineChanges::registerEntryChanged(int index) const {
    return index >= 0 && index < static_cast<int>(registers_.size()) && registers_[static_cast<std::size_t>(index)];
}

bool MachineChanges::flagEntryChanged(int index) const {
    return index >= 0 && index < static_cast<int>(flags_.size()) && flags_[static_cast<std::size_t>(index)];
}

bool MachineChanges::cellChanged(int address) const {
    return address >= 0 && address < static_cast<int>(cells_.size()) && cells_[static_cast<std::size_t>(address)];
}

}  // namespace verdin

namespace verdin {

bool MachineChanges::outPortChanged(int port) const {
    return port >= 0 && port < static_cast<int>(outPorts_.size()) && outPorts_[static_cast<std::size_t>(port)];
}

}  // namespace verdin
