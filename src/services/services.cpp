// The service table of RST in execute mode, and the resources the services own.
#include "files/file_names.h"
#include "services/dbf_table.h"
#include "services/service_support.h"

namespace verdin {

Machine::ServiceResources::ServiceResources(Machine& owner) : machine(owner) { machine.database = new DbfTable; }

Machine::ServiceResources::~ServiceResources() {
    if (machine.userFile != nullptr) std::fclose(machine.userFile);
    machine.userFile = nullptr;
    delete machine.database;
    machine.database = nullptr;
}

void Machine::closeTextScreen() {
    if (!textScreenShown) return;
    textScreenShown = 0;
    textScreenLines.clear();
    ownerWindow->textScreenChanged(textScreenLines, false);
}

bool Machine::performService(std::int32_t n) {
    switch (n) {
        case 0: portService(*this); return true;
        case 2: numberArithmetic(*this); return true;
        case 3: copyNumber(); return true;
        case 4: outsideEffectLine = currentLine; return databaseService(*this);
        case 5: return conversionService(*this);
        case 6: outsideEffectLine = currentLine; return fileService(*this);
        case 7:
            if (regB == 0) screenWrite();
            else inputService(*this);
            return status != WaitingForInput;  // the line runs again with the answer
        default: return true;  // RST 1 has no service
    }
}

std::string Machine::folderOf(const std::string& file) { return absoluteFolderOf(file); }

std::string readMemoryText(const Machine& m, std::int32_t address) {
    std::string text;
    for (std::int32_t a = address; a >= 0 && a < kTextLimit && text.size() < kTextLength; ++a) {
        const std::int32_t c = m.memory[static_cast<std::size_t>(a)];
        if (c == 0) break;
        text += static_cast<char>(c);
    }
    return text;
}

void storeMemoryText(Machine& m, std::int32_t address, std::string_view text) {
    if (address < 0 || address > kTextLimit) return;
    std::int32_t a = address;
    for (char c : text) {
        if (a >= kTextLimit) break;
        m.memory[static_cast<std::size_t>(a++)] = static_cast<unsigned char>(c);
    }
    m.memory[static_cast<std::size_t>(a)] = 0;
}

void showServiceError(Machine& m, const std::string& text) { m.ownerWindow->showMessage(MessageKind::Error, text); }

}  // namespace verdin
