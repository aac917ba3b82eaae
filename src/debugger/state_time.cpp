#include "debugger/state_time.h"

#include <cmath>
#include <cstdio>

namespace verdin {

namespace {

// A number with at most `decimals` places and no trailing zeros: 617, 3.33, 1.5.
std::string trimmed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string s = text;
    if (s.find('.') != std::string::npos) {
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.') s.pop_back();
    }
    return s;
}

// The time of `states` at `clockKHz`, in the unit that keeps the number short.
std::string duration(std::int64_t states, int clockKHz) {
    const double micro = static_cast<double>(states) * 1000.0 / clockKHz;
    if (micro < 1000) return trimmed(micro, 2) + " µs";
    if (micro < 1e6) return trimmed(micro / 1e3, 3) + " ms";
    return trimmed(micro / 1e6, 3) + " s";
}

}  // namespace

std::string megahertzText(int kHz) { return trimmed(kHz / 1000.0, 3); }

std::string clockCaption(Timing timing) { return std::string("Clock of the ") + timingKey(timing) + " in MHz:"; }

std::string clockText(int kHz) {
    if (kHz < 1000) return std::to_string(kHz) + " kHz";
    return megahertzText(kHz) + " MHz";
}

std::optional<int> parseClockMHz(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    for (std::string_view unit : {"MHz", "mhz", "MHZ"}) {
        if (text.size() >= unit.size() && text.substr(text.size() - unit.size()) == unit) {
            text.remove_suffix(unit.size());
            while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
        }
    }
    // Whole megahertz, then at most three decimals (a comma counts as the point).
    long long kHz = 0;
    int decimals = -1;
    bool digits = false;
    for (char c : text) {
        if ((c == '.' || c == ',') && decimals < 0) {
            decimals = 0;
        } else if (c >= '0' && c <= '9' && decimals < 3 && kHz < kMaxClockKHz) {
            kHz = kHz * 10 + (c - '0');
            digits = true;
            if (decimals >= 0) ++decimals;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    for (int d = decimals < 0 ? 0 : decimals; d < 3; ++d) kHz *= 10;
    if (kHz < kMinClockKHz || kHz > kMaxClockKHz) return std::nullopt;
    return static_cast<int>(kHz);
}

std::string statesText(std::int64_t last, std::int64_t total, int clockKHz) {
    if (clockKHz < kMinClockKHz) clockKHz = kMinClockKHz;
    return "States: last " + std::to_string(last) + ", total " + std::to_string(total) + " (" +
           duration(total, clockKHz) + " at " + clockText(clockKHz) + ")";
}

}  // namespace verdin
