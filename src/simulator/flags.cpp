// Flag helpers.
#include "machine/machine.h"
#include "machine/numbers.h"

namespace verdin {

std::int32_t Machine::parityEvenBeyondByte(std::int32_t v) {
    // Values outside a byte (a sum before it is reduced) count the ones of the text
    // the debug window would show for them.
    std::string text = toBinaryText(v);
    int ones = 0;
    for (char c : text) ones += c == '1';
    return ones % 2 == 0 ? 1 : 0;
}

}  // namespace verdin
