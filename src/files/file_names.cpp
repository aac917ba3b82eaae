#include "files/file_names.h"

#include <filesystem>
#include <system_error>

namespace verdin {

namespace {

size_t lastSeparator(std::string_view path) { return path.find_last_of("/\\"); }

}  // namespace

std::string windowTitle(std::string_view currentFile, bool modified) {
    std::string title = "Verdin - ";
    title += currentFile.empty() ? std::string_view("Untitled") : currentFile;
    if (modified) title += '*';
    return title;
}

std::string fileNamePart(std::string_view path) {
    const size_t sep = lastSeparator(path);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string folderOf(std::string_view path) {
    const size_t sep = lastSeparator(path);
    return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

std::string withExtension(std::string_view path, std::string_view extension) {
    std::string name = fileNamePart(path);
    if (name.empty()) return name;
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        name += '.';
    } else {
        name.resize(dot + 1);
    }
    name += extension;
    return name;
}

std::string withDefaultExtension(std::string_view path, std::string_view extension) {
    std::string result(path);
    if (!result.empty() && fileNamePart(path).find('.') == std::string::npos) {
        result += '.';
        result += extension;
    }
    return result;
}

std::string translationOutputName(std::string_view currentFile, TranslationTarget target) {
    return withExtension(currentFile, target == TranslationTarget::Z80 ? "z80" : "i86");
}

std::string codeOutputName(std::string_view currentFile) {
    if (fileNamePart(currentFile).empty()) return {};
    return folderOf(currentFile) + withExtension(currentFile, kCodeExtension);
}

std::string absoluteFolderOf(const std::string& file) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(std::filesystem::path(file), error);
    if (error) path = std::filesystem::path(file);
    return path.parent_path().string();
}

std::string resolveHostPath(const std::string& folder, const std::string& name) {
    // A program names its files relative to itself, not to wherever the workbench
    // happened to be started.
    if (folder.empty() || name.empty()) return name;
    std::filesystem::path path(name);
    if (path.has_root_directory() || path.has_root_name()) return name;
    return (std::filesystem::path(folder) / path).string();
}

}  // namespace verdin
