// Reading the data under tests/golden: files of cases, each headed "## NAME", and the
// escapes their texts are written with.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace verdin::golden {

struct CaseText {
    std::string heading;  // the rest of the "## " line
    std::string where;    // FILE:LINE of the heading
    std::vector<std::pair<int, std::string>> lines;  // with their numbers; comments left out
};

// Every case of the files ending in `extension` in tests/golden/FOLDER, the files taken
// in the order of their names. Lines starting with "#" are comments, and so is the
// description above the first case.
inline std::vector<CaseText> readCases(const std::string& folder, const std::string& extension) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VERDIN_SOURCE_DIR) + "/tests/golden/" + folder)) {
        if (entry.path().extension() == extension) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::vector<CaseText> cases;
    for (const auto& path : files) {
        std::ifstream in(path);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            if (line.rfind("## ", 0) == 0) {
                cases.push_back({line.substr(3), path.filename().string() + ":" + std::to_string(number), {}});
            } else if (!cases.empty() && line.rfind("#", 0) != 0) {
                cases.back().lines.emplace_back(number, line);
            }
        }
    }
    return cases;
}

// \r \n \t \b \f \\ and \xHH as in C; {N*c} stands for N copies of the character c.
inline std::string unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t star = text.find('*', i);
        if (text[i] == '{' && star != std::string::npos && text.find('}', star) == star + 2) {
            out.append(std::stoul(text.substr(i + 1, star - i - 1)), text[star + 1]);
            i = star + 2;
        } else if (text[i] == '\\' && i + 1 < text.size()) {
            const char c = text[++i];
            if (c == 'x' && i + 2 < text.size()) {
                out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c == 'b' ? '\b' : c == 'f' ? '\f' : c;
            }
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace verdin::golden
