// Helpers shared by the RST services: memory texts, host paths, error boxes, the
// text screen's line model and the service families of each restart number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "files/file_names.h"
#include "machine/system_services.h"
#include "machine/text_tools.h"
#include "services/services.h"

namespace verdin {

// A memory text is never read from, or written past, this address.
constexpr std::int32_t kTextLimit = 16382;
// The highest address at which a packed number (four cells) fits.
constexpr std::int32_t kLastNumberAddress = 16380;
// Memory texts, and the lines of the text screen, hold at most this many characters.
constexpr std::size_t kTextLength = 256;

// A service sees the machine only through its ServiceCall: the processor state and
// the platform.
// The text at `address`: one character per cell up to a 0 cell, at most 256
// characters, never from address 16382 on.
std::string readMemoryText(const ProcessorState& m, std::int32_t address);
// One character per cell and a 0 cell; characters stop at address 16382, where the 0
// then goes. Nothing is written when `address` itself is past 16382.
void storeMemoryText(ProcessorState& m, std::int32_t address, std::string_view text);

// The "Error" box of `code` (no hint); the simulated program goes on afterwards.
void showServiceError(ServiceCall& m, std::int32_t code);

// The packed decimal number at `address`, and whether its cells are a valid number
// (the value computed from them is there all the same).
struct PackedNumber {
    double value = 0.0;
    bool valid = true;
};
PackedNumber readPackedNumber(const ProcessorState& cpu, std::int32_t address);
// Stores `value` as a packed decimal number at `address`: Ok, or the fault that left
// the cells untouched (ResultOutOfRange, OutOfMemory).
std::int32_t writePackedNumber(ProcessorState& cpu, std::int32_t address, double value);
// The number at 256*high + low, with status InvalidNumber (else Ok) for cells that
// are not one; and the number stored at HL, with the fault of writePackedNumber.
double readNumber(ServiceCall& m, std::int32_t high, std::int32_t low);
void writeNumber(ServiceCall& m, double value);

// The "%e" text with three exponent digits, as the text screen shows numbers.
std::string exponentText(double value);
// The value truncated toward zero, as a whole decimal number.
std::string integerText(double value);
// At most ten significant digits, fixed or exponent form, whichever is shorter.
std::string generalText(double value);

// The text screen. Opens it when closed; returns true when it was already open.
bool ensureTextScreen(ServicesFields& s);
// Tells the platform the screen changed, and streams `appended` (CR and character 1
// included) to front ends that show output as it happens.
void textScreenUpdated(ServiceCall& m, const ServicesFields& s, const std::string& appended);
// RST 7 output of the text (A = 0) or number at HL onto the text screen.
void screenWrite(ServiceCall& m, ServicesFields& s);
// RST 4 "B": BC records of the open table from the current one onto the text screen.
void screenListRecords(ServiceCall& m, ServicesFields& s);

// The service families; each returns false when one of its own address checks leaves
// the program counter on the RST line.
void portService(ServiceCall& m);
void copyNumber(ServiceCall& m);
void numberArithmetic(ServiceCall& m);
bool conversionService(ServiceCall& m);
void inputService(ServiceCall& m, ServicesFields& s);
// The value input's idea of a number: blanks around it, an optional sign, digits
// with at most one point among them, and at least one digit.
bool isTypedNumber(std::string_view text);
bool fileService(ServiceCall& m, ServicesFields& s);
bool databaseService(ServiceCall& m, ServicesFields& s);

}  // namespace verdin
