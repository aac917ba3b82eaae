// The files of resources/help/, compiled into the program by the build (see
// scripts/embed_help.cmake), so that the help needs no installed data.
#pragma once

#include <string_view>
#include <vector>

namespace verdin::help {

struct EmbeddedFile {
    std::string_view name;     // path below resources/help/, e.g. "pages/flags.md"
    std::string_view content;
};

const std::vector<EmbeddedFile>& embeddedFiles();

}  // namespace verdin::help
