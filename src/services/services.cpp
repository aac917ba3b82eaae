// The service table of RST in execute mode.
#include "machine/machine.h"

namespace verdin {

void Machine::closeTextScreen() {
    if (!textScreenShown) return;
    textScreenShown = 0;
    textScreenLines.clear();
    ownerWindow->textScreenChanged(textScreenLines, false);
}

void Machine::performService(std::int32_t) {}

}  // namespace verdin
