#include "debugger/program_lines.h"

#include <algorithm>

#include "machine/hints.h"
#include "machine/line_fields.h"
#include "machine/machine.h"
#include "machine/numbers.h"

namespace verdin {

std::vector<ProgramLineInfo> programLineInfo(Machine& m, int count) {
    count = std::clamp(count, 0, kMaxProgramLines);
    std::vector<ProgramLineInfo> lines(static_cast<std::size_t>(count));
    const int width = static_cast<int>(std::to_string(std::max(count, 1)).size());
    const bool addresses = m.fields().lineTable.lineCount > 0 && m.fields().lineTable.lineCount == m.fields().programLineCount;
    for (int i = 0; i < count; ++i) {
        ProgramLineInfo& info = lines[static_cast<std::size_t>(i)];
        const std::string n = std::to_string(i + 1);
        info.number = std::string(static_cast<std::size_t>(width) - n.size(), ' ') + n;
        if (i < static_cast<int>(m.fields().sourceLines.size())) {
            const std::string& asTyped = m.fields().sourceLines[static_cast<std::size_t>(i)];
            info.comment = asTyped.substr(typed::codePart(asTyped).size());
        }
        if (!addresses || i >= m.fields().lineTable.lineCount) continue;
        const std::int32_t at = m.fields().lineTable.lineAddress[static_cast<std::size_t>(i)];
        const std::int32_t next = m.fields().lineTable.lineAddress[static_cast<std::size_t>(i) + 1];
        // ORG moves the counter without code of its own; EQU, END and a label alone
        // move nothing.
        if (next > at && splitFields(m.fields().programLines[static_cast<std::size_t>(i)]).mnemonic != "ORG") {
            info.address = hex4(at);
        }
    }
    return lines;
}

}  // namespace verdin
