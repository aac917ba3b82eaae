// Loading a source file into lines, the one routine shared by the editor and the
// command-line tool, so both see exactly the same program; and writing files back
// so that a failed write never costs the user the previous file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics/diagnostics.h"

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
    // The code of that message (diagnostics/), which finds its help.
    std::int32_t errorCode = 0;
    // A sentence for the user about a text that loaded but was changed on the way
    // (a UTF-8 file turned into the editor's single bytes); empty otherwise.
    std::string note;
};

// Reads a whole file; refuses what cannot be read with a message that names the file.
LoadResult loadSourceFile(const std::string& path);
// loadSourceFile for a program that is to become editor text, converted from UTF-8 as
// loadEditorFile does, but without the editor's limits.
LoadResult loadProgramText(const std::string& path);

// ---- The editor's limits ------------------------------------------------------

// The editor holds at most this many characters, each line end stored as one.
constexpr std::size_t kEditorCapacity = 16383;
// The longest line the editor takes from a file.
constexpr std::size_t kMaxEditorLineLength = 255;

// The characters the text takes in the editor: its characters plus one per line end.
std::size_t editorTextSize(const SourceText& text);

// Empty when the text fits the editor whole; otherwise the sentence that says why it
// does not (too large, a line too long, a NUL character), naming `path`. A file is
// never cut to fit: it is taken whole or not at all.
std::string editorRefusal(const SourceText& text, const std::string& path);
// The same as a message; code Ok when the text fits.
Diagnostic editorRefusalOf(const SourceText& text, const std::string& path);

// Loads a file for the editor: "File doesn't exist." when there is no such file, the
// reader's message when it cannot be read, and editorRefusal's when it does not fit.
// A file in UTF-8 with characters beyond ASCII is converted to Windows-1252, the
// editor's encoding, with a note; a file in single bytes is taken as it is.
LoadResult loadEditorFile(const std::string& path);

// ---- Writing ------------------------------------------------------------------

// The text as joinSourceText gives it, written atomically.
bool saveSourceFile(const std::string& path, const SourceText& text);

}  // namespace verdin
