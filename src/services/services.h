// The workbench's RST services and the state they own: the text screen, the typed
// value offered again, the folder host names are resolved in, the RST 6 host file and
// the RST 4 table. The machine reaches them only through SystemServices; tests reach
// the state through servicesOf(m).fields().
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "machine/system_services.h"
#include "services/dbf_table.h"

namespace verdin {

// What the services keep between two RSTs. The service functions
// (service_support.h) work on it; outside this folder it is read through
// Services::fields().
struct ServicesFields {
    // The text screen of RST 7: its lines, the last one being continued by output.
    std::vector<std::string> textScreenLines;
    std::int32_t textScreenShown = 0;
    // The text last confirmed in the "Input value" box, offered again by the next one.
    std::string inputText;
    std::string sourceFolder;
    // The host file of the RST 6 services; null when none is open.
    std::FILE* userFile = nullptr;
    // The .dbf table of the RST 4 services.
    DbfTable database;
};

class Services final : public SystemServices, private ServicesFields {
public:
    Services() = default;
    ~Services() override;
    Services(const Services&) = delete;
    Services& operator=(const Services&) = delete;

    bool perform(std::int32_t n, ServiceCall& call) override;
    void closeTextScreen(Platform& platform) override;
    const std::vector<std::string>& screenLines() const override { return textScreenLines; }
    bool screenShown() const override { return textScreenShown != 0; }
    void setSourceFolder(std::string folder) override { sourceFolder = std::move(folder); }
    ScreenState screenState() const override { return {textScreenLines, textScreenShown != 0, inputText}; }
    void restoreScreenState(ScreenState state) override {
        textScreenLines = std::move(state.lines);
        textScreenShown = state.shown ? 1 : 0;
        inputText = std::move(state.inputText);
    }
    // What the services keep, to read: the tests look at the screen, the host file and
    // the table through it.
    const ServicesFields& fields() const { return *this; }
};

class Machine;
// The services `m` was made with.
Services& servicesOf(Machine& m);
const Services& servicesOf(const Machine& m);

}  // namespace verdin
