#include "files/windows_1252.h"

#include <array>
#include <cstdint>

namespace verdin {

namespace {

// Bytes 80..9F hex; 0 where Windows-1252 defines no character.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t characterOf(unsigned char byte) {
    if (byte < 0x80 || byte >= 0xA0) return byte;
    const char32_t c = kHighControls[byte - 0x80u];
    return c != 0 ? c : byte;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The byte of `c`, or -1.
int byteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c || (kHighControls[i] == 0 && c == 0x80 + i)) return static_cast<int>(0x80 + i);
    }
    return -1;
}

// The ASCII a student meant by a character that has no byte, or 0.
char standIn(char32_t c) {
    switch (c) {
        case 0x201B: case 0x2032: case 0x2035: case 0xFF07: case 0x275B: case 0x275C: return '\'';
        case 0x201F: case 0x2033: case 0x2036: case 0x301D: case 0x301E: case 0xFF02: case 0x275D:
        case 0x275E: return '"';
        case 0x2010: case 0x2011: case 0x2012: case 0x2015: case 0x2212: case 0xFE58: case 0xFE63:
        case 0xFF0D: return '-';
        default: return 0;
    }
}

// Decodes one UTF-8 character at `at`; false (and `at` one byte on) for bytes that
// are not UTF-8.
bool decode(std::string_view text, std::size_t& at, char32_t& c) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) length = 1, c = lead;
    else if ((lead & 0xE0) == 0xC0) length = 2, c = lead & 0x1Fu, minimum = 0x80;
    else if ((lead & 0xF0) == 0xE0) length = 3, c = lead & 0x0Fu, minimum = 0x800;
    else if ((lead & 0xF8) == 0xF0) length = 4, c = lead & 0x07u, minimum = 0x10000;
    if (length == 0 || at + length > text.size()) {
        ++at;
        return false;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return false;
        }
        c = (c << 6) | (next & 0x3Fu);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++at;
        return false;
    }
    at += length;
    return true;
}

}  // namespace

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char b : bytes) appendUtf8(out, characterOf(static_cast<unsigned char>(b)));
    return out;
}

Windows1252Text utf8ToWindows1252(std::string_view utf8) {
    Windows1252Text result;
    result.bytes.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t c = 0;
        if (!decode(utf8, at, c)) {
            ++result.leftOut;
            continue;
        }
        if (const int byte = byteOf(c); byte >= 0) {
            result.bytes += static_cast<char>(byte);
        } else if (const char ascii = standIn(c); ascii != 0) {
            result.bytes += ascii;
            ++result.replaced;
        } else {
            ++result.leftOut;
        }
    }
    return result;
}

bool isUtf8BeyondAscii(std::string_view bytes) {
    bool beyond = false;
    for (std::size_t at = 0; at < bytes.size();) {
        char32_t c = 0;
        if (!decode(bytes, at, c)) return false;
        beyond = beyond || c >= 0x80;
    }
    return beyond;
}

}  // namespace verdin
