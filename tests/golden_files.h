// Reading the data under tests/golden: files of cases, each headed "## NAME [OPTION]...",
// whose lines are "VERB REST" commands and checks, and the escapes their texts are
// written with. Every line keeps its FILE:LINE for the failures it causes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace verdin::golden {

struct Line {
    std::string where;  // FILE:LINE
    std::string text;
    std::string verb() const { return text.substr(0, text.find(' ')); }
    std::string rest() const { return text.find(' ') == std::string::npos ? "" : text.substr(text.find(' ') + 1); }
};

struct Case {
    std::string name;
    std::map<std::string, std::string> options;  // the heading's words KEY or KEY=VALUE
    std::string where;
    std::vector<Line> lines;  // comments left out, and the blank lines that end the case
};

inline void PrintTo(const Case& c, std::ostream* out) { *out << c.where; }
inline std::string caseName(const ::testing::TestParamInfo<Case>& info) { return info.param.name; }

// Every case of the files ending in `extension` in tests/golden/FOLDER, the files taken
// in the order of their names. Lines starting with "#" are comments, and so is the
// description above the first case.
inline std::vector<Case> readCases(const std::string& folder, const std::string& extension) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VERDIN_SOURCE_DIR) + "/tests/golden/" + folder)) {
        if (entry.path().extension() == extension) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::vector<Case> cases;
    for (const auto& path : files) {
        std::ifstream in(path);
        std::string text;
        for (int number = 1; std::getline(in, text); ++number) {
            const Line line{path.filename().string() + ":" + std::to_string(number), text};
            if (text.rfind("## ", 0) == 0) {
                std::istringstream words(text.substr(3));
                cases.push_back({"", {}, line.where, {}});
                words >> cases.back().name;
                for (std::string option; words >> option;) {
                    const size_t eq = option.find('=');
                    cases.back().options[option.substr(0, eq)] = eq == std::string::npos ? "" : option.substr(eq + 1);
                }
            } else if (!cases.empty() && text.rfind("#", 0) != 0) {
                cases.back().lines.push_back(line);
            }
        }
    }
    for (Case& c : cases) {
        while (!c.lines.empty() && c.lines.back().text.empty()) c.lines.pop_back();
    }
    return cases;
}

inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
}

inline std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> items;
    std::istringstream stream(text);
    for (std::string item; std::getline(stream, item, separator);) items.push_back(item);
    return items;
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

// "KEY=VALUE ...": each pair that `special` does not check itself must name one of
// `fields` and hold its value, read by `parse` (decimal without it).
inline void expectPairs(const std::string& text, const std::map<std::string, int>& fields,
                        int (*parse)(const std::string&) = nullptr,
                        const std::function<bool(const std::string&, const std::string&)>& special = nullptr) {
    std::istringstream words(text);
    for (std::string pair; words >> pair;) {
        const size_t eq = pair.find('=');
        const auto field = fields.find(pair.substr(0, eq));
        if (eq == std::string::npos) {
            ADD_FAILURE() << "not KEY=VALUE: " << pair;
        } else if (special && special(pair.substr(0, eq), pair.substr(eq + 1))) {
            continue;
        } else if (field == fields.end()) {
            ADD_FAILURE() << "unknown key " << pair;
        } else {
            EXPECT_EQ(field->second, parse ? parse(pair.substr(eq + 1)) : std::stoi(pair.substr(eq + 1))) << pair;
        }
    }
}

}  // namespace verdin::golden
