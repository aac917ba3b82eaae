#include "files/atomic_write.h"

#include <cctype>
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

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::error_code* failure) {
    std::error_code ec;
    auto fail = [&](std::error_code why) {
        if (failure != nullptr) *failure = why;
        return false;
    };
    fs::path target = path;
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::weakly_canonical(target, ec);
        if (ec) return fail(ec);
        target = resolved;
    }
    fs::path temporary;
    std::FILE* f = createTemporaryBeside(target, temporary);
    if (f == nullptr) return fail(std::error_code(errno, std::generic_category()));

    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    std::error_code why = ok ? std::error_code() : std::error_code(errno, std::generic_category());
    ok = std::fclose(f) == 0 && ok;
    if (ok) {
        fs::file_status old = fs::status(target, ec);
        if (!ec && fs::exists(old)) fs::permissions(temporary, old.permissions(), ec);
        fs::rename(temporary, target, ec);
        ok = !ec;
        why = ec;
    } else if (!why) {
        why = std::error_code(errno, std::generic_category());
    }
    if (!ok) {
        fs::remove(temporary, ec);
        return fail(why);
    }
    return true;
}

std::string saveFailureHint(const std::string& path, const std::error_code& failure) {
    std::error_code ec;
    const fs::path parent = fs::path(path).parent_path();
    if (!parent.empty() && !fs::is_directory(parent, ec)) return path + ": the folder does not exist";
    std::string reason = failure ? failure.message() : std::string("the file could not be written");
    if (!reason.empty()) reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
    return path + ": " + reason;
}

}  // namespace verdin
