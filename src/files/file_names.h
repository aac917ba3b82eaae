// Names derived from the current file: the window title, the folder remembered in the
// settings, and the output files of Translate and Save code.
//
// Paths may use "/" or "\" as separator: names typed into the settings file by hand
// or carried over from another system are read either way.
#pragma once

#include <string>
#include <string_view>

namespace verdin {

// "Verdin - Untitled" for an untitled text, else "Verdin - " and the full path; a
// trailing "*" marks unsaved changes.
std::string windowTitle(std::string_view currentFile, bool modified = false);

// The part after the last separator (the whole name when there is none).
std::string fileNamePart(std::string_view path);
// Everything up to and including the last separator; empty when there is none.
std::string folderOf(std::string_view path);

// The file name part with its extension replaced by `extension` (given without a
// dot). A name without a dot gets "." and the extension, so "prog" becomes
// "prog.z80" rather than losing its name. Empty for an empty path.
std::string withExtension(std::string_view path, std::string_view extension);

// `path` unchanged when its file name part has a dot, else with "." and the
// extension appended: what a Save dialog's default extension does.
std::string withDefaultExtension(std::string_view path, std::string_view extension);

// The relative output name of a translation: "z80" for Z-80, "i86" for x86.
enum class TranslationTarget { Z80, X86 };
std::string translationOutputName(std::string_view currentFile, TranslationTarget target);

// The name offered by Save code: the source's name with the extension "dat" in its
// folder; empty for an untitled text.
std::string codeOutputName(std::string_view currentFile);

// The absolute folder of a source file (no trailing separator): where the names a
// program gives its host files and tables are looked up.
std::string absoluteFolderOf(const std::string& file);
// `name` as the host opens it: relative names are taken from `folder`.
std::string resolveHostPath(const std::string& folder, const std::string& name);

constexpr const char* kSourceExtension = "asm";
constexpr const char* kCodeExtension = "dat";

}  // namespace verdin
