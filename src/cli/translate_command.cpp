// verdin-cli translate: the Translate to Z-80 / x86 commands of the main window.
#include <ostream>

#include "cli/cli.h"
#include "cli/session.h"
#include "shell/commands.h"
#include "translator/translate.h"

namespace verdin::cli {

int commandTranslate(Session& session) {
    const Options& options = session.options;
    if (options.z80 == options.x86) {
        session.err << "verdin-cli: translate needs exactly one of --z80 and --x86\n"
                    << "usage: verdin-cli translate (--z80 | --x86) FILE [-o OUT]\n";
        return UsageError;
    }
    const std::int32_t mode = options.z80 ? TranslateZ80 : TranslateX86;
    if (compileProgram(session.machine, session.lines, {.mode = mode}) != -1) return ProgramFault;

    // The file the editor holds has exactly these lines, so the output has as many.
    const auto lineCount = static_cast<int>(session.lines.size());
    const bool written = options.output.empty()
                             ? writeTranslation(session.machine, lineCount, options.file).has_value()
                             : writeTranslationTo(session.machine, lineCount, options.output);
    return written ? Success : UsageError;
}

}  // namespace verdin::cli
