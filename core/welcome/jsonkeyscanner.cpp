#include "core/welcome/jsonkeyscanner.h"

#include <QVarLengthArray>

#include <list>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

// Objects of a web-channel message have a handful of keys; comparing each new
// key with the earlier ones is cheapest there. Past this many keys an object
// gets a hash set, so a hostile frame with many keys stays linear.
const int kLinearKeys = 16;

// How Qt's reader stores a key decides how it compares keys. A key without
// escapes is kept as written (UTF-8), one with escapes as UTF-16. Two UTF-16
// keys compare by code unit, so a lone surrogate ("\ud800") is a character of
// its own; a UTF-16 key compared with a UTF-8 one is converted to UTF-8
// first, which turns each lone surrogate into U+FFFD. A key with a lone
// surrogate is therefore entered twice: exactly, for the keys with escapes,
// and with U+FFFD in place of its lone surrogates, for the keys without.
enum class KeyKind : unsigned char {
    Raw,            // no escapes: the text as written
    Escaped,        // escapes, no lone surrogate: the decoded text
    LoneExact,      // escapes and lone surrogates, each encoded as its three bytes
    LoneReplaced    // the same key with U+FFFD for each lone surrogate
};

struct Key
{
    std::string_view text;
    KeyKind kind;

    bool operator==(const Key &other) const { return kind == other.kind && text == other.text; }
};

struct KeyHash
{
    std::size_t operator()(const Key &key) const
    {
        return std::hash<std::string_view>()(key.text) * 31 + std::size_t(key.kind);
    }
};

using KeyIndex = std::unordered_set<Key, KeyHash>;

struct Level
{
    bool bObject;
    int nFirstKey;   // index of this object's first key in the key list
    int nIndex;      // its hash set in the list of sets, or -1 while it has few keys
};

// Small messages, the usual ones, are scanned without touching the heap.
using Levels = QVarLengthArray<Level, 16>;
using Keys = QVarLengthArray<Key, 32>;

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads the four hex digits after "\u"; -1 when they are not four hex digits.
int readUnit(std::string_view text, std::size_t nAt)
{
    if (nAt + 4 > text.size())
        return -1;
    int nUnit = 0;
    for (std::size_t i = nAt; i < nAt + 4; ++i) {
        const int nDigit = hexValue(text[i]);
        if (nDigit < 0)
            return -1;
        nUnit = nUnit * 16 + nDigit;
    }
    return nUnit;
}

void appendUtf8(std::string &out, char32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xc0 | (code >> 6));
        out += char(0x80 | (code & 0x3f));
    } else if (code < 0x10000) {
        // A lone surrogate lands here too: its three bytes never equal valid
        // UTF-8 text, and two equal lone surrogates stay equal.
        out += char(0xe0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3f));
        out += char(0x80 | (code & 0x3f));
    } else {
        out += char(0xf0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3f));
        out += char(0x80 | ((code >> 6) & 0x3f));
        out += char(0x80 | (code & 0x3f));
    }
}

// The key's text with its escapes decoded, as UTF-8 like the unescaped keys.
// A lone surrogate is written as its own three bytes, or as U+FFFD with
// bReplaceLone; *pLone tells whether there was one. An escape the reader
// would refuse is kept as it is: the frame fails anyway.
std::string unescape(std::string_view key, bool bReplaceLone, bool *pLone)
{
    std::string out;
    out.reserve(key.size());
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (key[i] != '\\' || i + 1 == key.size()) {
            out += key[i];
            continue;
        }
        const char c = key[++i];
        switch (c) {
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
            const int nUnit = readUnit(key, i + 1);
            if (nUnit < 0) {
                out += "\\u";
                break;
            }
            i += 4;
            char32_t code = char32_t(nUnit);
            // The reader joins an escaped surrogate pair into one character.
            if (nUnit >= 0xd800 && nUnit < 0xdc00 && i + 2 < key.size() && key[i + 1] == '\\'
                && key[i + 2] == 'u') {
                const int nLow = readUnit(key, i + 3);
                if (nLow >= 0xdc00 && nLow < 0xe000) {
                    code = 0x10000 + ((char32_t(nUnit) - 0xd800) << 10) + (char32_t(nLow) - 0xdc00);
                    i += 6;
                }
            }
            if (code >= 0xd800 && code < 0xe000) {
                *pLone = true;
                if (bReplaceLone)
                    code = 0xfffd;
            }
            appendUtf8(out, code);
            break;
        }
        default:   // '"', '\\', '/' and escapes the reader refuses
            out += c;
            break;
        }
    }
    return out;
}

bool hasKey(const Level &level, const Keys &keys, const std::vector<KeyIndex> &indexes, const Key &key)
{
    if (level.nIndex >= 0)
        return indexes[std::size_t(level.nIndex)].count(key) != 0;
    for (int i = level.nFirstKey; i < keys.size(); ++i) {
        if (keys[i] == key)
            return true;
    }
    return false;
}

void addKey(Level &level, Keys &keys, std::vector<KeyIndex> &indexes, const Key &key)
{
    keys.append(key);
    if (level.nIndex >= 0) {
        indexes[std::size_t(level.nIndex)].insert(key);
    } else if (keys.size() - level.nFirstKey > kLinearKeys) {
        level.nIndex = int(indexes.size());
        indexes.emplace_back(keys.begin() + level.nFirstKey, keys.end());
    }
}

} // namespace

bool JsonKeyScanner::hasRepeatedKey(const QByteArray &json)
{
    Levels levels;                    // the open objects and arrays, innermost last
    Keys keys;                        // keys of the open objects, innermost last
    std::vector<KeyIndex> indexes;    // hash sets of the open objects with many keys
    std::list<std::string> decoded;   // keys with escapes; a list never moves them
    bool bExpectKey = false;          // right after "{" or after "," in an object

    const char *p = json.constData();
    const char *const pEnd = p + json.size();
    while (p != pEnd) {
        switch (*p++) {
        case '{':
            levels.append(Level{true, int(keys.size()), -1});
            bExpectKey = true;
            break;
        case '[':
            levels.append(Level{false, int(keys.size()), -1});
            bExpectKey = false;
            break;
        case '}':
        case ']':
            if (!levels.isEmpty()) {
                keys.resize(levels.last().nFirstKey);
                if (levels.last().nIndex >= 0)
                    indexes.pop_back();   // always the last one made
                levels.removeLast();
            }
            bExpectKey = false;
            break;
        case ',':
            bExpectKey = !levels.isEmpty() && levels.last().bObject;
            break;
        case '"': {
            const char *const pStart = p;
            bool bEscaped = false;
            while (p != pEnd && *p != '"') {
                if (*p == '\\') {
                    bEscaped = true;
                    if (++p == pEnd)
                        break;
                }
                ++p;
            }
            if (p == pEnd)
                return false;   // an unterminated string: the reader refuses the frame
            const std::string_view text(pStart, std::size_t(p - pStart));
            ++p;
            if (!bExpectKey)
                break;
            bExpectKey = false;
            Level &level = levels.last();
            const auto has = [&](std::string_view keyText, KeyKind kind) {
                return hasKey(level, keys, indexes, Key{keyText, kind});
            };
            const auto add = [&](std::string_view keyText, KeyKind kind) {
                addKey(level, keys, indexes, Key{keyText, kind});
            };
            if (!bEscaped) {
                if (has(text, KeyKind::Raw) || has(text, KeyKind::Escaped) || has(text, KeyKind::LoneReplaced))
                    return true;
                add(text, KeyKind::Raw);
                break;
            }
            bool bLone = false;
            decoded.push_back(unescape(text, false, &bLone));
            const std::string_view exact = decoded.back();
            if (!bLone) {
                if (has(exact, KeyKind::Raw) || has(exact, KeyKind::Escaped))
                    return true;
                add(exact, KeyKind::Escaped);
                break;
            }
            decoded.push_back(unescape(text, true, &bLone));
            const std::string_view replaced = decoded.back();
            if (has(exact, KeyKind::LoneExact) || has(replaced, KeyKind::Raw))
                return true;
            add(exact, KeyKind::LoneExact);
            add(replaced, KeyKind::LoneReplaced);
            break;
        }
        default:
            break;
        }
    }
    return false;
}
