// The service table of RST in execute mode, and the resources the services own.
#include "services/services.h"

#include "machine/machine.h"
#include "services/service_support.h"

namespace verdin {

std::unique_ptr<SystemServices> makeSystemServices() { return std::make_unique<Services>(); }

// Every machine is made with a Services (makeSystemServices), so the cast cannot miss.
Services& servicesOf(Machine& m) { return static_cast<Services&>(m.services()); }
const Services& servicesOf(const Machine& m) { return static_cast<const Services&>(m.services()); }

Services::~Services() {
    if (userFile != nullptr) std::fclose(userFile);
}

void Services::closeTextScreen(Platform& platform) {
    if (!textScreenShown) return;
    textScreenShown = 0;
    textScreenLines.clear();
    platform.textScreenChanged(textScreenLines, false);
}

bool Services::perform(std::int32_t n, ServiceCall& m) {
    switch (n) {
        case 0: portService(m); return true;
        case 2: numberArithmetic(m); return true;
        case 3: copyNumber(m); return true;
        case 4: m.outsideEffect = true; return databaseService(m, *this);
        case 5: return conversionService(m);
        case 6: m.outsideEffect = true; return fileService(m, *this);
        case 7:
            if (m.cpu.regB == 0) screenWrite(m, *this);
            else inputService(m, *this);
            return m.status != WaitingForInput;  // the line runs again with the answer
        default: return true;  // RST 1 has no service
    }
}

std::string readMemoryText(const ProcessorState& m, std::int32_t address) {
    std::string text;
    for (std::int32_t a = address; a >= 0 && a < kTextLimit && text.size() < kTextLength; ++a) {
        const std::int32_t c = m.memory[static_cast<std::size_t>(a)];
        if (c == 0) break;
        text += static_cast<char>(c);
    }
    return text;
}

void storeMemoryText(ProcessorState& m, std::int32_t address, std::string_view text) {
    if (address < 0 || address > kTextLimit) return;
    std::int32_t a = address;
    for (char c : text) {
        if (a >= kTextLimit) break;
        m.memory[static_cast<std::size_t>(a++)] = static_cast<unsigned char>(c);
    }
    m.memory[static_cast<std::size_t>(a)] = 0;
}

void showServiceError(ServiceCall& m, std::int32_t code) { m.platform.showMessageWithHelp(messageOf({code}, {})); }

}  // namespace verdin
