#include "shell/listing.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "machine/numbers.h"
#include "platform/platform.h"
#include "shell/commands.h"

namespace verdin {

namespace {
constexpr size_t kBytesPerRow = 4;
}  // namespace

std::vector<std::string> listingRows(Machine& machine, const std::vector<std::string>& lines) {
    std::vector<ListingLine> listing = listProgram(machine, lines);
    // The empty line after a final line break is no line of the program.
    if (!listing.empty() && listing.back().source.empty() && listing.back().address < 0) listing.pop_back();
    std::vector<std::string> rows;
    for (const ListingLine& line : listing) {
        // The source stands beside the first row of its bytes.
        const size_t count = line.bytes.empty() ? 1 : (line.bytes.size() + kBytesPerRow - 1) / kBytesPerRow;
        for (size_t r = 0; r < count; ++r) {
            std::string bytes;
            for (size_t b = r * kBytesPerRow; b < line.bytes.size() && b < (r + 1) * kBytesPerRow; ++b) {
                char text[4];
                std::snprintf(text, sizeof text, "%02X ", line.bytes[b]);
                bytes += text;
            }
            bytes.resize(3 * kBytesPerRow, ' ');
            const std::string address =
                line.address < 0 ? "    " : hex4(line.address + static_cast<std::int32_t>(r * kBytesPerRow));
            std::string row = address + "  " + bytes + (r == 0 ? line.source : std::string());
            row.erase(row.find_last_not_of(' ') + 1);
            rows.push_back(std::move(row));
        }
    }
    rows.emplace_back();
    rows.emplace_back("Labels:");
    for (std::int32_t l = 0; l < machine.fields().labelCount; ++l) {
        std::string name = machine.fields().labelNames[l];
        if (!name.empty() && name.back() == ':') name.pop_back();
        name.resize(std::max<size_t>(name.size(), 8), ' ');
        rows.push_back(name + hex4(machine.fields().labelAddresses[l]));
    }
    return rows;
}

ProgramListing makeListing(const std::vector<std::string>& lines, ArithmeticRules rules) {
    HeadlessPlatform quiet;
    // The machine's memory is large: it lives on the heap, not the stack.
    auto machine = std::make_unique<Machine>(quiet);
    machine->setArithmeticRules(rules);
    ProgramListing result;
    const std::int32_t fault = compileProgram(*machine, lines, {});
    if (fault == -1) {
        result.compiled = true;
        result.rows = listingRows(*machine, lines);
        return result;
    }
    result.faultLine = fault;
    for (const Message& message : quiet.messages) {
        result.rows.push_back(formatMessageLine(message));
        if (!message.hint.empty()) result.rows.push_back(formatHintLine(message));
    }
    return result;
}

}  // namespace verdin
