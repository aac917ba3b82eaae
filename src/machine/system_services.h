// The services an RST calls, as the executor and the front ends see them: the
// machine hands a restart number over and asks about the text screen; what the
// services keep (the screen's lines, the host file, the table, the last typed value)
// is theirs, behind this interface, and no part of the processor state.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "diagnostics/diagnostics.h"
#include "machine/processor_state.h"
#include "platform/platform.h"

namespace verdin {

// All that a service reaches of the machine that runs it: the processor, to read its
// registers and write its results, and the platform for the boxes it shows. It ends
// with the fault of the RST line in `status`, and says whether it touched the host
// file or the table, whose effects no debugger can take back.
struct ServiceCall {
    ProcessorState& cpu;
    Platform& platform;
    std::int32_t status = Ok;
    bool outsideEffect = false;
};

// What a Step back puts back of the services: the text screen and the last typed
// value. The host file and the table are not here: what a program did to them
// outside the machine cannot be taken back.
struct ScreenState {
    std::vector<std::string> lines;
    bool shown = false;
    std::string inputText;
    bool operator==(const ScreenState&) const = default;
};

class SystemServices {
public:
    virtual ~SystemServices() = default;
    // Executes the service of `RST n` with the registers as they stand. False when an
    // address check of the service leaves the program counter on the RST line.
    virtual bool perform(std::int32_t n, ServiceCall& call) = 0;
    // Closes the text screen (the step driver does so at the end of a program), and
    // tells `platform` when it was open.
    virtual void closeTextScreen(Platform& platform) = 0;
    // The text screen's lines, the last one being continued by output; and whether
    // the screen is open.
    virtual const std::vector<std::string>& screenLines() const = 0;
    virtual bool screenShown() const = 0;
    // Relative host-file and table names are resolved against this folder: the folder
    // of the program's source file, or empty (the current directory) for an untitled text.
    virtual void setSourceFolder(std::string folder) = 0;
    virtual ScreenState screenState() const = 0;
    virtual void restoreScreenState(ScreenState state) = 0;
};

// The workbench's services (defined in services/).
std::unique_ptr<SystemServices> makeSystemServices();

}  // namespace verdin
