// Replacing a file so that a failed write never costs the user the previous one:
// sources, translations, program images and settings are all written this way.
#pragma once

#include <string>
#include <string_view>

namespace verdin {

// Writes `bytes` to a temporary file beside `path` and renames it over `path`, so the
// old file stays whole until the new one is complete. An existing file's permissions
// carry over; a symbolic link is followed and its target replaced. False (and the
// old file untouched) when anything fails.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace verdin
