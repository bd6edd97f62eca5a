// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding, counting, upper-casing and cutting players' names.
#include "player_names.h"

#include <cstdint>
#include <vector>

namespace zem::options {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The next code point of `text` at `i`, moving `i` past it; a malformed sequence gives U+FFFD for one byte.
char32_t decode(const std::string& text, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t b0 = byte(i);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1, cp = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2, cp = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3, cp = b0 & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return kReplacement;
    }
    if (i + static_cast<size_t>(extra) >= text.size()) {
        ++i;
        return kReplacement;
    }
    for (int k = 1; k <= extra; ++k) {
        const uint8_t b = byte(i + static_cast<size_t>(k));
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kReplacement;
    }
    i += static_cast<size_t>(extra) + 1;
    return cp;
}

void encode(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// A code point that a person sees as part of the character before it.
bool joinsPrevious(char32_t cp) {
    return (cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x1AB0 && cp <= 0x1AFF) ||
           (cp >= 0x1DC0 && cp <= 0x1DFF) || (cp >= 0x20D0 && cp <= 0x20FF) ||
           (cp >= 0xFE00 && cp <= 0xFE0F) || (cp >= 0xFE20 && cp <= 0xFE2F) ||
           (cp >= 0x1F3FB && cp <= 0x1F3FF) || (cp >= 0xE0100 && cp <= 0xE01EF) || cp == 0x200D;
}

// Upper case for the letters of the Latin, Greek and Cyrillic alphabets; others as they are.
char32_t upper(char32_t cp) {
    if (cp >= 'a' && cp <= 'z') return cp - 0x20;
    if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return cp - 0x20;
    if (cp == 0xFF) return 0x178;
    if (cp >= 0x100 && cp <= 0x137 && (cp & 1)) return cp - 1;
    if (cp >= 0x139 && cp <= 0x148 && !(cp & 1)) return cp - 1;
    if (cp >= 0x14A && cp <= 0x177 && (cp & 1)) return cp - 1;
    if (cp == 0x17A || cp == 0x17C || cp == 0x17E) return cp - 1;
    if (cp >= 0x3B1 && cp <= 0x3C9 && cp != 0x3C2) return cp - 0x20;
    if (cp == 0x3C2) return 0x3A3;
    if (cp == 0x3AC) return 0x386;
    if (cp >= 0x3AD && cp <= 0x3AF) return cp - 0x25;
    if (cp == 0x3CC) return 0x38C;
    if (cp == 0x3CD || cp == 0x3CE) return cp - 0x3F;
    if (cp >= 0x430 && cp <= 0x44F) return cp - 0x20;
    if (cp >= 0x450 && cp <= 0x45F) return cp - 0x50;
    return cp;
}

// The text as code points grouped into the characters a person sees.
std::vector<std::vector<char32_t>> characters(const std::string& text) {
    std::vector<std::vector<char32_t>> out;
    bool joinNext = false;
    for (size_t i = 0; i < text.size();) {
        const char32_t cp = decode(text, i);
        if (!out.empty() && (joinNext || joinsPrevious(cp))) {
            out.back().push_back(cp);
        } else {
            out.push_back({cp});
        }
        joinNext = cp == 0x200D;
    }
    return out;
}

}  // namespace

size_t visibleLength(const std::string& text) { return characters(text).size(); }

std::string shownName(const std::string& stored) {
    std::string out;
    size_t count = 0;
    bool joinNext = false;
    for (size_t i = 0; i < stored.size();) {
        char32_t cp = decode(stored, i);
        const bool joins = count > 0 && (joinNext || joinsPrevious(cp));
        joinNext = cp == 0x200D;
        if (!joins) {
            if (count == kNameMaxCharacters) break;
            ++count;
        }
        if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0) || cp == 0x2028 || cp == 0x2029) cp = ' ';
        encode(upper(cp), out);
    }
    return out;
}

}  // namespace zem::options
