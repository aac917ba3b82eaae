#include "help/markdown.h"

#include <algorithm>
#include <cctype>

namespace verdin::help {

namespace {

constexpr std::size_t kTextWidth = 78;

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        if (end == text.size()) break;
        start = end + 1;
    }
    return lines;
}

std::string trim(std::string_view s) {
    std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string_view::npos) return {};
    std::size_t b = s.find_last_not_of(" \t");
    return std::string(s.substr(a, b - a + 1));
}

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool isTableSeparator(std::string_view row) {
    return row.find('-') != std::string_view::npos &&
           row.find_first_not_of("|-: ") == std::string_view::npos;
}

std::string tableCells(std::string_view row) {
    std::string body = trim(row);
    if (!body.empty() && body.front() == '|') body.erase(0, 1);
    if (!body.empty() && body.back() == '|') body.pop_back();
    std::string cells;
    std::size_t start = 0;
    bool inCode = false;
    for (std::size_t i = 0; i <= body.size(); ++i) {
        if (i < body.size() && body[i] == '`') inCode = !inCode;
        if (i == body.size() || (body[i] == '|' && !inCode)) {
            if (!cells.empty() || start > 0) cells += '\t';
            cells += trim(std::string_view(body).substr(start, i - start));
            start = i + 1;
        }
    }
    return cells;
}

std::vector<std::string> splitCells(const std::string& row) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    while (true) {
        std::size_t tab = row.find('\t', start);
        cells.push_back(row.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    return cells;
}

std::string escapeHtml(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '"') out += "&quot;";
        else out += c;
    }
    return out;
}

// Walks one line of inline Markdown, handing each piece to the visitor.
template <typename Text, typename Code, typename Bold, typename LinkFn>
void walkInline(std::string_view line, Text text, Code code, Bold bold, LinkFn link) {
    std::size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == '`') {
            std::size_t end = line.find('`', i + 1);
            if (end != std::string_view::npos) {
                code(line.substr(i + 1, end - i - 1));
                i = end + 1;
                continue;
            }
        } else if (c == '*' && i + 1 < line.size() && line[i + 1] == '*') {
            bold();
            i += 2;
            continue;
        } else if (c == '[') {
            std::size_t close = line.find("](", i + 1);
            std::size_t end = close == std::string_view::npos ? close : line.find(')', close + 2);
            if (end != std::string_view::npos && line.substr(i + 1, close - i - 1).find('[') == std::string_view::npos) {
                link(line.substr(i + 1, close - i - 1), line.substr(close + 2, end - close - 2));
                i = end + 1;
                continue;
            }
        }
        text(c);
        ++i;
    }
}

std::string inlineHtml(std::string_view line) {
    std::string out;
    bool boldOpen = false;
    walkInline(
        line, [&](char c) { out += escapeHtml(std::string_view(&c, 1)); },
        [&](std::string_view code) { out += "<code>" + escapeHtml(code) + "</code>"; },
        [&] {
            out += boldOpen ? "</b>" : "<b>";
            boldOpen = !boldOpen;
        },
        [&](std::string_view text, std::string_view target) {
            out += "<a href=\"" + escapeHtml(target) + "\">" + inlineHtml(text) + "</a>";
        });
    if (boldOpen) out += "</b>";
    return out;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// In running text a link keeps its topic even when the two read alike ("Directives"),
// or nothing would show that it leads anywhere; a table cell that is its own topic
// ("MOV" in the index) needs none and keeps the table narrow.
enum class Targets { None, Always, UnlessSame };

std::string inlinePlain(std::string_view line, Targets targets) {
    std::string out;
    walkInline(
        line, [&](char c) { out += c; }, [&](std::string_view code) { out += code; }, [] {},
        [&](std::string_view text, std::string_view target) {
            std::string shown = inlinePlain(text, Targets::None);
            out += shown;
            if (targets == Targets::Always || (targets == Targets::UnlessSame && lower(shown) != target)) {
                out += " (help " + std::string(target) + ")";
            }
        });
    return out;
}

// Word wrap with a first-line prefix and an indent for the following lines.
std::string wrap(const std::string& text, const std::string& first, const std::string& indent) {
    std::string out;
    std::string line = first;
    std::size_t lineStart = first.size();
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = text.find(' ', i);
        if (end == std::string::npos) end = text.size();
        std::string word = text.substr(i, end - i);
        i = end + 1;
        if (word.empty()) continue;
        if (line.size() > lineStart && line.size() + 1 + word.size() > kTextWidth) {
            out += line + "\n";
            line = indent;
            lineStart = indent.size();
        }
        if (line.size() > lineStart) line += ' ';
        line += word;
    }
    return out + line + "\n";
}

std::size_t displayWidth(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80 ? 1 : 0;  // UTF-8 lead bytes only
    return n;
}

bool isExpectLine(const Block& b) {
    return b.kind == Block::Paragraph && !b.lines.empty() && startsWith(b.lines[0], "Expect:");
}

bool isIntelExpectLine(const Block& b) {
    return b.kind == Block::Paragraph && !b.lines.empty() && startsWith(b.lines[0], kIntelExpectPrefix);
}

std::string expectShown(const Block& b) {
    if (isIntelExpectLine(b)) return "After a Run with Intel 8080 arithmetic:" + b.lines[0].substr(kIntelExpectPrefix.size());
    return "After a Run:" + b.lines[0].substr(7);
}

}  // namespace

std::string anchorOf(std::string_view heading) {
    std::string anchor;
    for (unsigned char c : stripInline(heading)) {
        if (std::isalnum(c)) anchor += static_cast<char>(std::tolower(c));
        else if (!anchor.empty() && anchor.back() != '-') anchor += '-';
    }
    while (!anchor.empty() && anchor.back() == '-') anchor.pop_back();
    return anchor;
}

std::string stripInline(std::string_view line) { return inlinePlain(line, Targets::None); }

std::vector<Block> parseMarkdown(std::string_view text) {
    std::vector<Block> blocks;
    std::vector<std::string> lines = splitLines(text);
    Block* open = nullptr;  // the paragraph, list or table being collected
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string& raw = lines[n];
        std::string line = trim(raw);
        const int lineNumber = static_cast<int>(n) + 1;
        if (startsWith(line, "```")) {
            Block code{Block::Code, {}, trim(line.substr(3)), {}, false, lineNumber};
            for (++n; n < lines.size() && !startsWith(trim(lines[n]), "```"); ++n) code.lines.push_back(lines[n]);
            blocks.push_back(std::move(code));
            open = nullptr;
            continue;
        }
        if (line.empty()) {
            open = nullptr;
            continue;
        }
        Block::Kind heading = startsWith(line, "### ") ? Block::Subheading
                              : startsWith(line, "## ") ? Block::Heading
                              : startsWith(line, "# ")  ? Block::Title
                                                        : Block::Paragraph;
        if (heading != Block::Paragraph) {
            std::string title = trim(line.substr(line.find(' ') + 1));
            blocks.push_back(Block{heading, {title}, {}, anchorOf(title), false, lineNumber});
            open = nullptr;
            continue;
        }
        if (line.front() == '|') {
            if (open == nullptr || open->kind != Block::Table) {
                blocks.push_back(Block{Block::Table, {}, {}, {}, false, lineNumber});
                open = &blocks.back();
            }
            if (isTableSeparator(line)) open->headerRow = open->lines.size() == 1;
            else open->lines.push_back(tableCells(line));
            continue;
        }
        if (startsWith(line, "- ")) {
            if (open == nullptr || open->kind != Block::List) {
                blocks.push_back(Block{Block::List, {}, {}, {}, false, lineNumber});
                open = &blocks.back();
            }
            open->lines.push_back(trim(line.substr(2)));
            continue;
        }
        if (open != nullptr && (open->kind == Block::Paragraph || open->kind == Block::List)) {
            open->lines.back() += " " + line;
            continue;
        }
        blocks.push_back(Block{Block::Paragraph, {line}, {}, {}, false, lineNumber});
        open = &blocks.back();
    }
    return blocks;
}

std::string titleOf(std::string_view text) {
    for (const Block& b : parseMarkdown(text)) {
        if (b.kind == Block::Title) return stripInline(b.lines[0]);
    }
    return {};
}

std::string toHtml(std::string_view text) {
    std::string html;
    for (const Block& b : parseMarkdown(text)) {
        switch (b.kind) {
            case Block::Title: html += "<h1>" + inlineHtml(b.lines[0]) + "</h1>\n"; break;
            case Block::Heading:
            case Block::Subheading: {
                const char* tag = b.kind == Block::Heading ? "h2" : "h3";
                html += std::string("<") + tag + "><a name=\"" + b.anchor + "\"></a>" + inlineHtml(b.lines[0]) +
                        "</" + tag + ">\n";
                break;
            }
            case Block::Paragraph:
                if (isExpectLine(b) || isIntelExpectLine(b)) html += "<p><i>" + inlineHtml(expectShown(b)) + "</i></p>\n";
                else html += "<p>" + inlineHtml(b.lines[0]) + "</p>\n";
                break;
            case Block::List:
                html += "<ul>\n";
                for (const std::string& item : b.lines) html += "<li>" + inlineHtml(item) + "</li>\n";
                html += "</ul>\n";
                break;
            case Block::Table:
                html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";
                for (std::size_t r = 0; r < b.lines.size(); ++r) {
                    const char* cell = b.headerRow && r == 0 ? "th" : "td";
                    html += "<tr>";
                    for (const std::string& c : splitCells(b.lines[r])) {
                        html += std::string("<") + cell + ">" + inlineHtml(c) + "</" + cell + ">";
                    }
                    html += "</tr>\n";
                }
                html += "</table>\n";
                break;
            case Block::Code: {
                html += "<pre>";
                for (const std::string& l : b.lines) html += escapeHtml(l) + "\n";
                html += "</pre>\n";
                break;
            }
        }
    }
    return html;
}

std::string toPlainText(std::string_view text) {
    std::string out;
    for (const Block& b : parseMarkdown(text)) {
        if (!out.empty()) out += "\n";
        switch (b.kind) {
            case Block::Title:
            case Block::Heading:
            case Block::Subheading: {
                std::string heading = inlinePlain(b.lines[0], Targets::None);
                char rule = b.kind == Block::Title ? '=' : b.kind == Block::Heading ? '-' : '.';
                out += heading + "\n" + std::string(displayWidth(heading), rule) + "\n";
                break;
            }
            case Block::Paragraph:
                out += wrap(inlinePlain(isExpectLine(b) || isIntelExpectLine(b) ? expectShown(b) : b.lines[0], Targets::Always), "", "");
                break;
            case Block::List:
                for (const std::string& item : b.lines) out += wrap(inlinePlain(item, Targets::Always), "  - ", "    ");
                break;
            case Block::Table: {
                std::vector<std::vector<std::string>> rows;
                std::vector<std::size_t> widths;
                for (const std::string& row : b.lines) {
                    std::vector<std::string> cells;
                    for (const std::string& c : splitCells(row)) cells.push_back(inlinePlain(c, Targets::UnlessSame));
                    if (widths.size() < cells.size()) widths.resize(cells.size(), 0);
                    for (std::size_t i = 0; i < cells.size(); ++i) widths[i] = std::max(widths[i], displayWidth(cells[i]));
                    rows.push_back(std::move(cells));
                }
                for (std::size_t r = 0; r < rows.size(); ++r) {
                    std::string line = "  ";
                    for (std::size_t i = 0; i < rows[r].size(); ++i) {
                        line += rows[r][i];
                        if (i + 1 < rows[r].size()) line += std::string(widths[i] - displayWidth(rows[r][i]) + 2, ' ');
                    }
                    out += line + "\n";
                    if (r == 0 && b.headerRow) {
                        std::size_t total = 0;
                        for (std::size_t w : widths) total += w + 2;
                        out += "  " + std::string(total - 2, '-') + "\n";
                    }
                }
                break;
            }
            case Block::Code:
                for (const std::string& l : b.lines) out += "    " + l + "\n";
                break;
        }
    }
    return out;
}

std::string sectionOf(std::string_view text, std::string_view anchor) {
    if (anchor.empty()) return std::string(text);
    std::vector<std::string> lines = splitLines(text);
    std::vector<Block> blocks = parseMarkdown(text);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const Block& b = blocks[i];
        if ((b.kind != Block::Heading && b.kind != Block::Subheading) || b.anchor != anchor) continue;
        std::size_t endLine = lines.size();
        for (std::size_t j = i + 1; j < blocks.size(); ++j) {
            const Block& next = blocks[j];
            if (next.kind == Block::Heading || (next.kind == Block::Subheading && b.kind == Block::Subheading)) {
                endLine = static_cast<std::size_t>(next.sourceLine) - 1;
                break;
            }
        }
        std::string out = "# " + titleOf(text) + "\n\n";
        for (std::size_t l = static_cast<std::size_t>(b.sourceLine) - 1; l < endLine; ++l) out += lines[l] + "\n";
        return out;
    }
    return std::string(text);
}

std::vector<Link> linksOf(std::string_view text) {
    std::vector<Link> links;
    for (const Block& b : parseMarkdown(text)) {
        if (b.kind == Block::Code) continue;
        for (const std::string& line : b.lines) {
            for (const std::string& piece : splitCells(line)) {
                walkInline(
                    piece, [](char) {}, [](std::string_view) {}, [] {},
                    [&](std::string_view shown, std::string_view target) {
                        links.push_back(Link{stripInline(shown), std::string(target), b.sourceLine});
                    });
            }
        }
    }
    return links;
}

std::vector<Example> examplesOf(std::string_view text) {
    std::vector<Example> examples;
    std::vector<Block> blocks = parseMarkdown(text);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const Block& b = blocks[i];
        if (b.kind != Block::Code || b.info != "asm") continue;
        Example example;
        for (const std::string& line : b.lines) example.code += line + "\n";
        example.sourceLine = b.sourceLine;
        std::size_t next = i + 1;
        if (next < blocks.size() && isExpectLine(blocks[next])) example.expect = trim(blocks[next++].lines[0].substr(7));
        if (next < blocks.size() && isIntelExpectLine(blocks[next])) {
            example.intelExpect = trim(blocks[next].lines[0].substr(kIntelExpectPrefix.size()));
        }
        examples.push_back(std::move(example));
    }
    return examples;
}

}  // namespace verdin::help
