// Loading a source file into lines, the one routine shared by the editor and the
// command-line tool, so both see exactly the same program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace verdin {

enum class LineEnding { Lf, CrLf, Cr };

struct SourceText {
    // Lines without their line ends. The empty line after a final line break is the
    // last line, so joining them with `ending` gives back the file's bytes.
    std::vector<std::string> lines;
    // The file's own convention (its first line end), used again when saving.
    LineEnding ending = LineEnding::Lf;
};

// Splits text at LF, CR LF or a lone CR.
SourceText splitSourceText(std::string_view bytes);
// The lines joined with the line end, the exact inverse of splitSourceText for a
// text that uses one convention.
std::string joinSourceText(const SourceText& text);
const char* lineEndingText(LineEnding ending);

struct LoadResult {
    bool ok = false;
    SourceText text;
    std::string error;  // a sentence for the user when !ok
};

// Reads a whole file; refuses what cannot be read with a message that names the file.
LoadResult loadSourceFile(const std::string& path);

}  // namespace verdin
