// The programs the run-loop benchmarks time, shared so that their figures compare.
#pragma once

#include <string>
#include <vector>

namespace verdin::bench {

// Case (a): a three-level DCR/JNZ delay loop, 250 x 250 x `outer` inner rounds.
inline std::vector<std::string> delayLoop(int outer) {
    return {
        "        MVI  D," + std::to_string(outer),
        "OUTER:  MVI  B,250",
        "MIDDLE: MVI  C,250",
        "INNER:  DCR  C",
        "        JNZ  INNER",
        "        DCR  B",
        "        JNZ  MIDDLE",
        "        DCR  D",
        "        JNZ  OUTER",
        "        HLT",
    };
}

}  // namespace verdin::bench
