// What the last Step or Run changed, so that the debug window can draw those
// registers, flags, stack entries, memory cells and output ports in another colour.
//
// Usage:
//   verdin::MachineChanges changes;
//   changes.remember(machine);   // before the command
//   machine.step(line);
//   changes.compare(machine);    // after it
//   if (changes.registerEntryChanged(1)) ...   // BC
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace verdin {

class Machine;

class MachineChanges {
public:
    void remember(const Machine& m);
    void compare(const Machine& m);
    // Forgets every change (nothing has run yet).
    void clear();

    // Entries of the registers list: 0 AF, 1 BC, 2 DE, 3 HL, 4 SP, 5 PC.
    bool registerEntryChanged(int index) const;
    // Entries of the flags list: 0 CY, 1 Z, 2 P, 3 S, 4 AC.
    bool flagEntryChanged(int index) const;
    bool cellChanged(int address) const;
    bool outPortChanged(int port) const;
    // A stack entry shows the cells at `address` and `address` + 1.
    bool stackEntryChanged(int address) const { return cellChanged(address) || cellChanged(address + 1); }
    bool anyCellChanged() const { return changedCells_ > 0; }

private:
    struct Snapshot {
        std::array<std::int32_t, 8> registers{};  // A F B C D E H L
        std::array<std::int32_t, 5> flags{};      // CY Z P S AC, as the flags list
        std::int32_t sp = 0;
        std::int32_t pc = 0;
        std::vector<std::int32_t> memory;
        std::array<std::int32_t, 16> outPorts{};
    };
    static Snapshot take(const Machine& m);

    Snapshot before_;
    std::array<bool, 6> registers_{};
    std::array<bool, 5> flags_{};
    std::array<bool, 16> outPorts_{};
    std::vector<std::uint8_t> cells_;
    int changedCells_ = 0;
};

}  // namespace verdin
