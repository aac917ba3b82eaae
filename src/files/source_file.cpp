#include "files/source_file.h"

#include "files/atomic_write.h"
#include "files/windows_1252.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace verdin {

SourceText splitSourceText(std::string_view bytes) {
    SourceText result;
    bool endingKnown = false;
    std::string line;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c != '\n' && c != '\r') {
            line += c;
            continue;
        }
        LineEnding ending = LineEnding::Lf;
        if (c == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ending = LineEnding::CrLf;
                ++i;
            } else {
                ending = LineEnding::Cr;
            }
        }
        if (!endingKnown) {
            result.ending = ending;
            endingKnown = true;
        }
        result.lines.push_back(std::move(line));
        line.clear();
    }
    result.lines.push_back(std::move(line));
    return result;
}

const char* lineEndingText(LineEnding ending) {
    switch (ending) {
        case LineEnding::Lf: return "\n";
        case LineEnding::CrLf: return "\r\n";
        case LineEnding::Cr: return "\r";
    }
    return "\n";
}

std::string joinSourceText(const SourceText& text) {
    std::string out;
    const char* end = lineEndingText(text.ending);
    for (size_t i = 0; i < text.lines.size(); ++i) {
        if (i > 0) out += end;
        out += text.lines[i];
    }
    return out;
}

namespace {

void refuse(LoadResult& result, const Diagnostic& why) {
    result.ok = false;
    result.text = {};
    result.error = boxText(why);
    result.errorCode = why.code;
}

// Reads at most `limit` bytes of the file (a device or a file still growing may have
// no end). A read error is reported, never taken for the end of the file: an
// unreadable file must not open as an empty text that a save would then write back.
bool readFileBytes(const std::string& path, std::size_t limit, std::string& bytes, LoadResult& result) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        refuse(result, {CantOpenFile, -1, path, std::strerror(errno)});
        return false;
    }
    char block[65536];
    while (bytes.size() < limit) {
        const std::size_t got = std::fread(block, 1, std::min(sizeof block, limit - bytes.size()), file);
        bytes.append(block, got);
        if (got == 0) break;
    }
    const int readError = std::ferror(file) ? errno : 0;
    std::fclose(file);
    if (readError != 0) {
        refuse(result, {CantReadFile, -1, path, std::strerror(readError)});
        return false;
    }
    return true;
}

// A program another editor wrote in UTF-8 is turned into the editor's single bytes;
// returns the note that says so, or nothing for a file in single bytes already.
std::string toEditorEncoding(std::string& bytes, const std::string& path) {
    if (!isUtf8BeyondAscii(bytes)) return {};
    const Windows1252Text converted = utf8ToWindows1252(bytes);
    bytes = converted.bytes;
    std::string note = "The file " + path + " was written in UTF-8; its characters were converted to " +
                       "Windows-1252, the editor's encoding, in which Save writes it.";
    if (converted.leftOut > 0) {
        note += " " + std::to_string(converted.leftOut) + " character(s) with no place there were left out.";
    }
    return note;
}

}  // namespace

LoadResult loadProgramText(const std::string& path) {
    LoadResult result;
    std::string bytes;
    if (!readFileBytes(path, static_cast<std::size_t>(-1), bytes, result)) return result;
    result.note = toEditorEncoding(bytes, path);
    result.text = splitSourceText(bytes);
    result.ok = true;
    return result;
}

LoadResult loadSourceFile(const std::string& path) {
    LoadResult result;
    std::string bytes;
    if (!readFileBytes(path, static_cast<std::size_t>(-1), bytes, result)) return result;
    result.text = splitSourceText(bytes);
    result.ok = true;
    return result;
}

std::size_t editorTextSize(const SourceText& text) {
    if (text.lines.empty()) return 0;
    std::size_t size = text.lines.size() - 1;
    for (const auto& line : text.lines) size += line.size();
    return size;
}

Diagnostic editorRefusalOf(const SourceText& text, const std::string& path) {
    for (size_t i = 0; i < text.lines.size(); ++i) {
        const auto line = static_cast<std::int32_t>(i + 1);
        // The editor's text ends at a NUL, so one inside the file would hide the rest.
        if (text.lines[i].find('\0') != std::string::npos) return {FileHoldsNul, line, path};
        if (text.lines[i].size() > kMaxEditorLineLength) {
            return {FileLineTooLong, line, path, std::to_string(text.lines[i].size())};
        }
    }
    const std::size_t size = editorTextSize(text);
    if (size > kEditorCapacity) return {FileTooLarge, -1, path, std::to_string(size)};
    return {};
}

std::string editorRefusal(const SourceText& text, const std::string& path) {
    return boxText(editorRefusalOf(text, path));
}

LoadResult loadEditorFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        LoadResult missing;
        refuse(missing, {FileDoesNotExist});
        return missing;
    }
    if (std::filesystem::is_directory(path, ec)) {
        LoadResult folder;
        refuse(folder, {CantOpenFile, -1, path, "it is a folder"});
        return folder;
    }
    // Every character takes at most two bytes of the file (CR LF is one line end), so
    // a file of more bytes than this cannot fit; reading stops there.
    constexpr std::size_t kLargestFitting = 2 * kEditorCapacity + 1;
    LoadResult result;
    std::string bytes;
    if (!readFileBytes(path, kLargestFitting + 1, bytes, result)) return result;
    if (bytes.size() > kLargestFitting) {
        refuse(result, {FileTooLargeToRead, -1, path});
        return result;
    }
    result.note = toEditorEncoding(bytes, path);
    result.text = splitSourceText(bytes);
    result.ok = true;
    const Diagnostic refusal = editorRefusalOf(result.text, path);
    if (refusal.code != Ok) refuse(result, refusal);
    // An over-long line is nearly always a long comment, which the converter cuts.
    if (refusal.code == FileLineTooLong) {
        result.error += " Run \"verdin-cli tidy " + path + " -o NEW.asm\" or use File > Import: both cut a comment "
                        "that makes a line too long.";
    }
    return result;
}

bool saveSourceFile(const std::string& path, const SourceText& text) {
    return writeFileAtomically(path, joinSourceText(text));
}

}  // namespace verdin
