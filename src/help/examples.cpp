#include "help/examples.h"

#include "files/source_file.h"
#include "help/embedded_files.h"

namespace verdin::help {

std::vector<ExampleProgram> examplePrograms() {
    std::vector<ExampleProgram> programs;
    for (const EmbeddedFile& file : embeddedExamples()) {
        ExampleProgram program;
        program.name = std::string(file.name);
        program.lines = splitSourceText(file.content).lines;
        if (!program.lines.empty() && program.lines.front().rfind(';', 0) == 0) {
            const std::string& first = program.lines.front();
            const size_t start = first.find_first_not_of("; ");
            if (start != std::string::npos) program.title = first.substr(start);
        }
        programs.push_back(std::move(program));
    }
    return programs;
}

}  // namespace verdin::help
