// File loading: arbitrary bytes split into lines, and read from a file as the editor
// and the command-line tool read them.
#include <cstdlib>

#include "fuzz_support.h"
#include "files/source_file.h"
#include "files/windows_1252.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace verdin;
    const std::string_view bytes = fuzz::asText(data, size);

    const SourceText text = splitSourceText(bytes);
    if (text.lines.empty()) std::abort();
    // Joined with its own convention, a text of one convention gives back its bytes.
    const std::string joined = joinSourceText(text);
    const bool mixed = bytes.find('\r') != std::string_view::npos && bytes.find('\n') != std::string_view::npos &&
                       text.ending != LineEnding::CrLf;
    if (!mixed && text.ending != LineEnding::CrLf && joined != bytes) std::abort();

    const std::string path = fuzz::writeScratchFile("source.asm", bytes);
    const LoadResult loaded = loadEditorFile(path);
    // Refused exactly when there is a sentence saying why.
    if (loaded.ok != loaded.error.empty()) std::abort();
    // The editor takes a file whole or not at all; one in UTF-8 beyond ASCII comes in
    // as the editor's single bytes, with a note saying so.
    const bool utf8 = isUtf8BeyondAscii(bytes);
    const SourceText expected = utf8 ? splitSourceText(utf8ToWindows1252(bytes).bytes) : text;
    if (loaded.ok && (loaded.text.lines != expected.lines || loaded.note.empty() == utf8)) std::abort();
    if (loaded.ok && !editorRefusal(loaded.text, path).empty()) std::abort();
    const LoadResult plain = loadSourceFile(path);
    if (!plain.ok || plain.text.lines != text.lines) std::abort();
    fuzz::clearScratch();
    return 0;
}
