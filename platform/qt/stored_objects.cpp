// SPDX-License-Identifier: GPL-3.0-or-later
// Finding values the settings reader would rebuild as serialized objects, as it decodes them.
#include "stored_objects.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <string_view>
#include <vector>

namespace zem::platform::qt {

namespace {

constexpr std::array<std::string_view, 2> kObjectPrefixes = {"@Variant(", "@DateTime("};

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Skips what the reader drops between characters of a value: quotes (they only group), and a backslash at
// the end of a line (the value goes on on the next).
void skipDropped(const QByteArray& raw, qsizetype& i) {
    while (i < raw.size()) {
        if (raw[i] == '"') {
            ++i;
        } else if (raw[i] == '\\' && i + 1 < raw.size() && (raw[i + 1] == '\n' || raw[i + 1] == '\r')) {
            i += 2;
        } else {
            return;
        }
    }
}

// One character of a value as the reader decodes it: a plain byte, or a backslash escape (a named one, "\x"
// with hex digits, or octal digits; the digits run on as long as they last, in 16 bits).
char16_t decodeOne(const QByteArray& raw, qsizetype& i) {
    const char c = raw[i++];
    if (c != '\\' || i >= raw.size()) return static_cast<unsigned char>(c);
    const char e = raw[i++];
    switch (e) {
        case 'a':
            return u'\a';
        case 'b':
            return u'\b';
        case 'f':
            return u'\f';
        case 'n':
            return u'\n';
        case 'r':
            return u'\r';
        case 't':
            return u'\t';
        case 'v':
            return u'\v';
        case 'x': {
            char16_t value = 0;
            while (i < raw.size() && hexValue(raw[i]) >= 0)
                value = static_cast<char16_t>((value << 4) + hexValue(raw[i++]));
            return value;
        }
        default:
            if (e >= '0' && e <= '7') {
                char16_t value = static_cast<char16_t>(e - '0');
                while (i < raw.size() && raw[i] >= '0' && raw[i] <= '7')
                    value = static_cast<char16_t>((value << 3) + (raw[i++] - '0'));
                return value;
            }
            return static_cast<unsigned char>(e);
    }
}

// Whether the value element starting at `from` decodes to one of the object prefixes; `at` receives where
// its first character stands in the raw text.
bool startsObject(const QByteArray& raw, qsizetype from, qsizetype& at) {
    qsizetype i = from;
    while (i < raw.size()) {
        skipDropped(raw, i);
        if (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t')) {
            ++i;
        } else {
            break;
        }
    }
    if (i >= raw.size()) return false;
    at = i;
    std::u16string decoded;
    while (i < raw.size() && decoded.size() < 10) {
        skipDropped(raw, i);
        if (i >= raw.size() || raw[i] == '\n' || raw[i] == '\r') break;
        decoded += decodeOne(raw, i);
    }
    for (std::string_view prefix : kObjectPrefixes) {
        if (decoded.size() < prefix.size()) continue;
        bool same = true;
        for (size_t k = 0; k < prefix.size() && same; ++k)
            same = decoded[k] == static_cast<char16_t>(prefix[k]);
        if (same) return true;
    }
    return false;
}

}  // namespace

QByteArray defuseStoredObjects(const QByteArray& ini) {
    // A value begins after the first "=" of its line, and each element of a value list after a "," outside
    // quotes. A backslash takes the next byte with it: an escape, or the line going on on the next.
    std::vector<qsizetype> doubled;
    auto look = [&](qsizetype from) {
        qsizetype at = 0;
        if (startsObject(ini, from, at) && (doubled.empty() || doubled.back() < at)) doubled.push_back(at);
    };
    bool inValue = false, inQuotes = false;
    for (qsizetype i = 0; i < ini.size(); ++i) {
        const char c = ini[i];
        if (c == '\\') {
            ++i;
        } else if (c == '\n' || c == '\r') {
            inValue = inQuotes = false;
        } else if (!inValue) {
            if (c == '=') {
                inValue = true;
                look(i + 1);
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ',' && !inQuotes) {
            look(i + 1);
        }
    }
    if (doubled.empty()) return ini;
    QByteArray safe;
    safe.reserve(ini.size() + static_cast<qsizetype>(doubled.size()));
    qsizetype from = 0;
    for (qsizetype at : doubled) {
        safe += ini.mid(from, at - from);
        safe += '@';
        from = at;
    }
    safe += ini.mid(from);
    return safe;
}

bool fileHoldsStoredObjects(const QString& path, QByteArray& defused) {
    if (!QFileInfo(path).isFile()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray raw = file.readAll();
    defused = defuseStoredObjects(raw);
    return defused.size() != raw.size();
}

}  // namespace zem::platform::qt
