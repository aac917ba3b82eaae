// The clock states of a debug session as a student reads them: how many the last
// command took, how many since the start, and how long that is at the clock chosen
// under Options > Clock...
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "isa/instruction_states.h"

namespace verdin {

// The clock when none was chosen: 2 MHz, the 8080's usual one; 3 MHz for an 8085.
constexpr int defaultClockKHz(Timing timing) { return timing == Timing::Intel8085 ? 3000 : 2000; }
constexpr int kMinClockKHz = 1;
constexpr int kMaxClockKHz = 100000;

// "2 MHz", "3.072 MHz", "500 kHz".
std::string clockText(int kHz);
// The clock in megahertz without a unit, as the Clock box offers it: "2", "0.5".
std::string megahertzText(int kHz);
// The Clock box's caption for the processor whose states are counted: "Clock of the
// 8080 in MHz:".
std::string clockCaption(Timing timing);
// A clock typed in megahertz ("2", "3.072", "2 MHz", "2,5"), in kHz; nullopt for text
// that is not a clock from 1 kHz to 100 MHz or is finer than 1 kHz.
std::optional<int> parseClockMHz(std::string_view text);
// "States: last 17, total 1234 (617 µs at 2 MHz)".
std::string statesText(std::int64_t last, std::int64_t total, int clockKHz);

}  // namespace verdin
