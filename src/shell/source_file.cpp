#include "shell/source_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

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

LoadResult loadSourceFile(const std::string& path) {
    LoadResult result;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.error = "Can't open the file " + path + ": " + std::strerror(errno) + ".";
        return result;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        result.error = "Can't read the file " + path + ".";
        return result;
    }
    result.text = splitSourceText(bytes.str());
    result.ok = true;
    return result;
}

}  // namespace verdin
