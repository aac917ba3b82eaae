#include "files/atomic_write.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace verdin {

namespace {

namespace fs = std::filesystem;

// A file beside `target` that did not exist before; "x" makes the creation exclusive
// so two writers never share one temporary file.
std::FILE* createTemporaryBeside(const fs::path& target, fs::path& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = target;
        candidate += ".~tmp" + std::to_string(attempt);
        if (std::FILE* f = std::fopen(candidate.c_str(), "wbx")) {
            temporary = candidate;
            return f;
        }
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

}  // namespace

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
    std::error_code ec;
    fs::path target = path;
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (ec) return false;
        target = resolved;
    }
    fs::path temporary;
    std::FILE* f = createTemporaryBeside(target, temporary);
    if (f == nullptr) return false;

    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (ok) {
        fs::file_status old = fs::status(target, ec);
        if (!ec && fs::exists(old)) fs::permissions(temporary, old.permissions(), ec);
        fs::rename(temporary, target, ec);
        ok = !ec;
    }
    if (!ok) fs::remove(temporary, ec);
    return ok;
}

}  // namespace verdin
