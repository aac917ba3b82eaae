// A table file of arbitrary bytes opened, then worked on as the RST 4 services do:
// browse, get, put, append, insert, deletion marks, moving and export.
//
// Input: one byte S, then S bytes of operations, then the file's bytes.
#include <algorithm>
#include <cstdlib>

#include "fuzz_support.h"
#include "services/dbf_table.h"
#include "services/service_support.h"
#include "services/services.h"

namespace {
// A field name: one the table declares (chosen by the input) or any text.
std::string fieldName(verdin::fuzz::ByteReader& ops, const verdin::DbfTable& table) {
    const std::uint8_t pick = ops.byte();
    if (pick < 200 && !table.fieldDescriptors.empty()) {
        const auto& d = table.fieldDescriptors[pick % table.fieldDescriptors.size()];
        return std::string(d.begin(), std::find(d.begin(), d.begin() + 11, 0));  // NUL-padded, at most 11
    }
    return ops.text(12);
}
std::int64_t signedIndex(verdin::fuzz::ByteReader& ops) {
    const std::uint8_t scale = ops.byte();
    const std::int64_t value = static_cast<std::int16_t>(ops.word());
    return scale >= 240 ? value * 1000003 : value;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace verdin;
    if (size == 0) return 0;
    const std::size_t opsSize = std::min<std::size_t>(data[0], size - 1);
    fuzz::ByteReader ops{data + 1, opsSize};
    const std::string path = fuzz::writeScratchFile("table.dbf", fuzz::asText(data + 1 + opsSize, size - 1 - opsSize));
    // The services alone, as an RST hands them the processor and the platform.
    HeadlessPlatform platform;
    ServicesFields services;
    ProcessorState cpu;
    ServiceCall call{cpu, platform};
    DbfTable& table = services.database;
    if (table.open(path)) {
        while (!ops.empty()) {
            switch (ops.byte() % 11) {
                case 0: (void)table.getField(fieldName(ops, table)); break;
                case 1: {
                    const std::string name = fieldName(ops, table);
                    table.putField(name, ops.text(40));
                    break;
                }
                case 2: table.append(); break;
                case 3: table.insert(); break;
                case 4: table.toggleDeleted(); break;
                case 5: table.go(signedIndex(ops)); break;
                case 6: table.skip(signedIndex(ops)); break;
                case 7: (void)table.recordText(signedIndex(ops)); break;
                case 8: {
                    const std::int64_t first = signedIndex(ops), last = signedIndex(ops);
                    (void)table.exportRange(first, last, fuzz::scratchFolder() + "/copy.dbf");
                    DbfTable copy;
                    (void)copy.open(fuzz::scratchFolder() + "/copy.dbf");
                    break;
                }
                case 9: {
                    // Browse: BC records from the current one onto the text screen.
                    const std::uint16_t count = ops.word();
                    cpu.regB = count >> 8;
                    cpu.regC = count & 0xFF;
                    screenListRecords(call, services);
                    break;
                }
                default:  // export onto the open table itself is refused, never done
                    (void)table.exportRange(0, 1, path);
            }
            if (!table.isOpen()) std::abort();
        }
    }
    return 0;
}
