// Rewriting an assembled 8080 program as Z-80 or x86 assembly text.
//
// The rewriting is a pass of its own over the assembled lines, which a compile in mode
// TranslateZ80 or TranslateX86 runs in place of the assembler's walk: it appends one
// line per program line to the machine's translation store. The store then becomes a
// file beside the source.
//
// Usage:
//   verdin::compileProgram(machine, lines, {.mode = verdin::TranslateZ80});
//   if (machine.fields().status == verdin::Ok)
//       verdin::writeTranslation(machine, static_cast<int>(lines.size()), "/work/prog.asm");
//       // writes /work/prog.z80 and says "File was saved with as /work/prog.z80"
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "machine/machine.h"

namespace verdin {

// The name of register `index` (registerIndex numbering, "BCDEHLMA") in the target
// of `mode`; M is the memory cell at HL, "(HL)" or "[CX]". Empty for an index that
// names no register.
std::string_view registerName(int index, std::int32_t mode);
// The name of pair `index` (pairIndex numbering: 0 B, 2 D, 4 H, 11 SP, 12 PSW) in
// the target of `mode`. Empty for an index that names no pair.
std::string_view pairName(int index, std::int32_t mode);
// "NZ" .. "M" for condition codes 0..7; empty for Always and anything else.
std::string_view conditionName(std::int32_t code);

// The two line templates of a mnemonic, or nullptr for a text that is not one.
struct TranslationTemplate {
    std::string_view mnemonic;
    std::string_view z80;
    std::string_view x86;
};
const TranslationTemplate* findTranslationTemplate(std::string_view mnemonic);

// The pass, one line at a time: the line the machine's walk has just split, in the
// target of the machine's mode: its line of the translation (the label alone for a
// line without a mnemonic), or InvalidCommand for an unknown mnemonic. A compile in a
// translate mode walks it over the program store (see compileProgram).
Machine::TranslatedLine translateLine(const Machine& machine);

// ---- The translation file -----------------------------------------------------

// The line end of text files on this platform.
#ifdef _WIN32
inline constexpr std::string_view kPlatformLineEnd = "\r\n";
#else
inline constexpr std::string_view kPlatformLineEnd = "\n";
#endif

// The file's content: one line per editor line (`editorLineCount` lines, never fewer
// than the store holds), the translated lines first and empty lines after them, each
// ended by kPlatformLineEnd.
std::string translationText(const Machine& machine, int editorLineCount);

// The file beside `sourcePath` named after it with the extension of the target of
// `mode` ("z80" or "i86"); a name without a dot gets "." and the extension.
std::string translationPath(std::string_view sourcePath, std::int32_t mode);

// Writes translationText to `outputPath` atomically, then reports it through the
// machine's platform: "File was saved with as <outputPath>" (Information), or
// "Can't save the file." (Error) with any previous file left whole. True when written.
bool writeTranslationTo(Machine& machine, int editorLineCount, const std::string& outputPath);

// writeTranslationTo the file beside the source for the machine's current mode, which
// must be the translate mode the pass ran in. The path written, or nothing on failure.
// Whether the source is saved is the caller's question: only a text that matches its
// file should be translated under that file's name.
std::optional<std::string> writeTranslation(Machine& machine, int editorLineCount, std::string_view sourcePath);

}  // namespace verdin
