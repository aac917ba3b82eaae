#include "fuzz_support.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace verdin::fuzz {

namespace {
bool guardActive = false;

// True when a guard is active and `path` lies outside the scratch folder. Relative
// names are taken from the current directory, as the C library takes them; the
// scratch folder holds no symbolic links, and ".." is resolved lexically, so a name
// cannot climb out of it.
bool refuse(const char* path) {
    if (!guardActive) return false;
    std::error_code error;
    const fs::path full = path == nullptr || *path == '\0' ? fs::path() : fs::absolute(path, error);
    const fs::path relative = full.lexically_normal().lexically_relative(scratchFolder());
    if (!error && !full.empty() && !relative.empty() && relative != "." && *relative.begin() != "..") return false;
    errno = EACCES;
    return true;
}
}  // namespace

const std::string& scratchFolder() {
    // Never destroyed, so that the exit handler below can still read it.
    static const std::string* folder = [] {
        std::string pattern = (fs::temp_directory_path() / "verdin-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(scratchFolder(), ignored);
        });
        return new std::string(fs::canonical(pattern).string());
    }();
    return *folder;
}

void clearScratch() {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(scratchFolder(), error)) fs::remove_all(entry.path(), error);
}

std::string writeScratchFile(const std::string& name, std::string_view bytes) {
    const std::string path = scratchFolder() + "/" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

FileGuard::FileGuard() {
    (void)scratchFolder();
    guardActive = true;
}
FileGuard::~FileGuard() { guardActive = false; }

}  // namespace verdin::fuzz

// The guard: these definitions take the place of the C library's for the whole fuzz
// executable; outside a FileGuard they pass every call on unchanged.
extern "C" {
std::FILE* fopen(const char* path, const char* mode) {
    static const auto real = reinterpret_cast<std::FILE* (*)(const char*, const char*)>(dlsym(RTLD_NEXT, "fopen"));
    return verdin::fuzz::refuse(path) ? nullptr : real(path, mode);
}
std::FILE* fopen64(const char* path, const char* mode) {
    static const auto real = reinterpret_cast<std::FILE* (*)(const char*, const char*)>(dlsym(RTLD_NEXT, "fopen64"));
    return verdin::fuzz::refuse(path) ? nullptr : real(path, mode);
}
int remove(const char* path) noexcept {
    static const auto real = reinterpret_cast<int (*)(const char*)>(dlsym(RTLD_NEXT, "remove"));
    return verdin::fuzz::refuse(path) ? -1 : real(path);
}
}
