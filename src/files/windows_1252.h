// Program text is single bytes in Windows-1252: the editor, the machine's memory, the
// text screen and the files all hold these bytes. Whatever shows them to a person or
// takes them from one (a window system, a clipboard, a UTF-8 file) converts through
// this one pair, so a character reads the same everywhere.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace verdin {

// Every byte as UTF-8. The five bytes Windows-1252 leaves undefined (81, 8D, 8F, 90,
// 9D hex) become the control characters of the same number, so that converting back
// gives every byte again.
std::string windows1252ToUtf8(std::string_view bytes);

struct Windows1252Text {
    std::string bytes;
    // Characters with no byte that were put as the nearest ASCII: a typographic quote
    // as ' or ", a dash or minus sign as -.
    std::size_t replaced = 0;
    // Characters with no byte and no such stand-in, left out; with bytes that are not
    // UTF-8 at all.
    std::size_t leftOut = 0;
};

// UTF-8 text as Windows-1252 bytes; the exact inverse of windows1252ToUtf8.
Windows1252Text utf8ToWindows1252(std::string_view utf8);

// True for text that is valid UTF-8 and holds at least one character beyond ASCII:
// a file another editor wrote in UTF-8, rather than one in single bytes.
bool isUtf8BeyondAscii(std::string_view bytes);

}  // namespace verdin
