// Arbitrary source text through both translate passes and the translation file's
// text and name.
#include "files/source_file.h"
#include "fuzz_support.h"
#include "shell/commands.h"
#include "translator/translate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace verdin;
    const SourceText source = splitSourceText(fuzz::asText(data, size));
    const int editorLines = static_cast<int>(source.lines.size());
    HeadlessPlatform platform;
    Machine machine(platform);
    for (std::int32_t mode : {TranslateZ80, TranslateX86}) {
        if (compileProgram(machine, source.lines, {.mode = mode}) != -1) continue;
        const std::string text = translationText(machine, editorLines);
        // One line per editor line, never fewer than the store holds.
        std::size_t ends = 0;
        for (std::size_t at = text.find(kPlatformLineEnd); at != std::string::npos;
             at = text.find(kPlatformLineEnd, at + 1)) {
            ++ends;
        }
        if (ends < static_cast<std::size_t>(std::min(editorLines, kMaxProgramLines))) std::abort();
    }
    // The first line as a file name: any text gets a name with the target's extension.
    const std::string name = source.lines.empty() ? std::string() : source.lines.front();
    for (std::int32_t mode : {TranslateZ80, TranslateX86}) (void)translationPath(name, mode);
    return 0;
}
