// Replacing a file so that a failed write never costs the user the previous one:
// sources, translations, program images and settings are all written this way.
#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace verdin {

// Writes `bytes` to a temporary file beside `path` and renames it over `path`, so the
// old file stays whole until the new one is complete. An existing file's permissions
// carry over; a symbolic link is followed and its target replaced. False (and the
// old file untouched) when anything fails; `failure`, when given, then holds why.
bool writeFileAtomically(const std::string& path, std::string_view bytes, std::error_code* failure = nullptr);

// The hint under "Can't save the file.": "PATH: the folder does not exist", or PATH
// and the system's reason ("permission denied").
std::string saveFailureHint(const std::string& path, const std::error_code& failure);

}  // namespace verdin
