// verdin-cli tidy: a program from a trainer kit or another assembler rewritten into
// this language, every change listed, and what is left to do by hand.
#include <ostream>

#include "cli/cli.h"
#include "cli/session.h"
#include "files/source_file.h"
#include "shell/tidy.h"

namespace verdin::cli {

int commandTidy(const Options& options, std::ostream& out, std::ostream& err) {
    LoadResult loaded = loadProgramText(options.file);
    if (!loaded.ok) {
        std::string where = loaded.error.find(options.file) == std::string::npos ? options.file + ": " : "";
        err << "verdin-cli: " << where << loaded.error << "\n";
        return UsageError;
    }
    if (!loaded.note.empty()) err << formatMessageLine({MessageKind::Information, loaded.note}) << "\n";
    TidyResult result = tidyProgram(loaded.text.lines, options.hex);
    SourceText text{result.lines, loaded.text.ending};

    // With -o the report is the command's result; without, the text is, and the
    // report goes beside the messages.
    std::ostream& report = options.output.empty() ? err : out;
    for (const TidyNote& note : result.changes) report << formatChange(note) << "\n";
    for (const TidyNote& note : result.byHand) report << formatByHand(note) << "\n";
    const std::string target = options.output.empty() ? options.file : options.output;
    std::string refusal = editorRefusal(text, target);
    if (!refusal.empty()) report << "by hand: " << refusal << "\n";

    // What the assembler still says about the result, with its hint.
    std::vector<Message> faults = remainingFaults(result.lines);
    for (const Message& message : faults) {
        report << "still to fix: " << formatMessageLine(message) << "\n";
        if (!message.hint.empty()) report << "still to fix: " << formatHintLine(message) << "\n";
    }
    report << result.changes.size() << " change(s), " << result.byHand.size() + faults.size()
           << " thing(s) to do by hand\n";

    if (options.output.empty()) {
        out << joinSourceText(text);
        return Success;
    }
    if (!saveSourceFile(options.output, text)) {
        err << "verdin-cli: can't write " << options.output << "\n";
        return UsageError;
    }
    return Success;
}

}  // namespace verdin::cli
