// The files of resources/help/ and the programs of examples/, compiled into the
// program by the build (see scripts/embed_help.cmake), so that neither the help nor
// File > Examples needs installed data.
#pragma once

#include <string_view>
#include <vector>

namespace verdin::help {

struct EmbeddedFile {
    std::string_view name;     // path below its folder, e.g. "pages/flags.md"
    std::string_view content;
};

const std::vector<EmbeddedFile>& embeddedFiles();
// The examples, by file name ("multiply.asm"), in the order of their names.
const std::vector<EmbeddedFile>& embeddedExamples();

}  // namespace verdin::help
