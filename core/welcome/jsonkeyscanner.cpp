#include "core/welcome/jsonkeyscanner.h"

#include <QVarLengthArray>

#include <climits>
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

// Whether a key of the kind `added` and an earlier one of the kind `earlier`
// are one key to Qt's reader when their texts are equal.
bool clash(KeyKind added, KeyKind earlier)
{
    switch (added) {
    case KeyKind::Raw:
        return earlier != KeyKind::LoneExact;
    case KeyKind::Escaped:
        return earlier == KeyKind::Raw || earlier == KeyKind::Escaped;
    case KeyKind::LoneExact:
        return earlier == KeyKind::LoneExact;
    case KeyKind::LoneReplaced:
        return earlier == KeyKind::Raw;
    }
    return false;
}

const KeyKind kKinds[] = {KeyKind::Raw, KeyKind::Escaped, KeyKind::LoneExact, KeyKind::LoneReplaced};

// A raw key's text lies in the frame, a decoded one in the scan's arena.
// Offsets rather than pointers: the arena moves when it grows.
struct Key
{
    int nOffset;
    int nLength;
    KeyKind kind;
    bool bInArena;
};

struct Level
{
    bool bObject;
    int nFirstKey;     // index of this object's first key in the key list
    int nArenaStart;   // the arena's size when it opened
    int nIndex;        // its hash set in the list of sets, or -1 while it has few keys
};

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

class Scanner
{
public:
    explicit Scanner(const QByteArray &json)
        : m_json(json.constData(), std::size_t(json.size()))
    {
    }

    JsonKeyScanner::Finding run(int nMaxDepth);

private:
    struct KeyHash
    {
        const Scanner *pScanner;
        std::size_t operator()(const Key &key) const
        {
            return std::hash<std::string_view>()(pScanner->text(key)) * 31 + std::size_t(key.kind);
        }
    };
    struct KeyEqual
    {
        const Scanner *pScanner;
        bool operator()(const Key &a, const Key &b) const
        {
            return a.kind == b.kind && pScanner->text(a) == pScanner->text(b);
        }
    };
    using KeyIndex = std::unordered_set<Key, KeyHash, KeyEqual>;

    std::string_view text(const Key &key) const
    {
        const char *pBase = key.bInArena ? m_arena.constData() : m_json.data();
        return std::string_view(pBase + key.nOffset, std::size_t(key.nLength));
    }
    bool repeats(const Level &level, const Key &key) const;
    void add(Level &level, const Key &key);
    Key decode(std::string_view escaped, bool bReplaceLone, bool *pLone);
    void appendUtf8(char32_t code);

    std::string_view m_json;
    // Small messages, the usual ones, are scanned without touching the heap.
    QVarLengthArray<Level, 16> m_levels;   // the open objects and arrays, innermost last
    QVarLengthArray<Key, 32> m_keys;       // keys of the open objects, innermost last
    QVarLengthArray<char, 256> m_arena;    // decoded keys of the open objects
    std::vector<KeyIndex> m_indexes;       // hash sets of the open objects with many keys
};

bool Scanner::repeats(const Level &level, const Key &key) const
{
    const std::string_view keyText = text(key);
    if (level.nIndex >= 0) {
        const KeyIndex &index = m_indexes[std::size_t(level.nIndex)];
        for (KeyKind earlier : kKinds) {
            if (clash(key.kind, earlier) && index.count(Key{key.nOffset, key.nLength, earlier, key.bInArena}) != 0)
                return true;
        }
        return false;
    }
    for (int i = level.nFirstKey; i < m_keys.size(); ++i) {
        const Key &earlier = m_keys[i];
        if (earlier.nLength == key.nLength && clash(key.kind, earlier.kind) && text(earlier) == keyText)
            return true;
    }
    return false;
}

void Scanner::add(Level &level, const Key &key)
{
    m_keys.append(key);
    if (level.nIndex >= 0) {
        m_indexes[std::size_t(level.nIndex)].insert(key);
    } else if (m_keys.size() - level.nFirstKey > kLinearKeys) {
        level.nIndex = int(m_indexes.size());
        m_indexes.emplace_back(m_keys.begin() + level.nFirstKey, m_keys.end(), 0, KeyHash{this}, KeyEqual{this});
    }
}

void Scanner::appendUtf8(char32_t code)
{
    if (code < 0x80) {
        m_arena.append(char(code));
    } else if (code < 0x800) {
        m_arena.append(char(0xc0 | (code >> 6)));
        m_arena.append(char(0x80 | (code & 0x3f)));
    } else if (code < 0x10000) {
        // A lone surrogate lands here too: its three bytes never equal valid
        // UTF-8 text, and two equal lone surrogates stay equal.
        m_arena.append(char(0xe0 | (code >> 12)));
        m_arena.append(char(0x80 | ((code >> 6) & 0x3f)));
        m_arena.append(char(0x80 | (code & 0x3f)));
    } else {
        m_arena.append(char(0xf0 | (code >> 18)));
        m_arena.append(char(0x80 | ((code >> 12) & 0x3f)));
        m_arena.append(char(0x80 | ((code >> 6) & 0x3f)));
        m_arena.append(char(0x80 | (code & 0x3f)));
    }
}

// The key's text with its escapes decoded, as UTF-8 like the unescaped keys,
// appended to the arena. A lone surrogate is written as its own three bytes,
// or as U+FFFD with bReplaceLone; *pLone tells whether there was one. An
// escape the reader would refuse is kept as it is: the frame fails anyway.
Key Scanner::decode(std::string_view key, bool bReplaceLone, bool *pLone)
{
    const int nOffset = int(m_arena.size());
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (key[i] != '\\' || i + 1 == key.size()) {
            m_arena.append(key[i]);
            continue;
        }
        const char c = key[++i];
        switch (c) {
        case 'b': m_arena.append('\b'); break;
        case 'f': m_arena.append('\f'); break;
        case 'n': m_arena.append('\n'); break;
        case 'r': m_arena.append('\r'); break;
        case 't': m_arena.append('\t'); break;
        case 'u': {
            const int nUnit = readUnit(key, i + 1);
            if (nUnit < 0) {
                m_arena.append('\\');
                m_arena.append('u');
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
            appendUtf8(code);
            break;
        }
        default:   // '"', '\\', '/' and escapes the reader refuses
            m_arena.append(c);
            break;
        }
    }
    return Key{nOffset, int(m_arena.size()) - nOffset, KeyKind::Escaped, true};
}

JsonKeyScanner::Finding Scanner::run(int nMaxDepth)
{
    bool bExpectKey = false;   // right after "{" or after "," in an object
    const char *const pBegin = m_json.data();
    const char *const pEnd = pBegin + m_json.size();
    const char *p = pBegin;
    while (p != pEnd) {
        switch (*p++) {
        case '{':
        case '[':
            if (m_levels.size() >= nMaxDepth)
                return JsonKeyScanner::TooDeep;
            bExpectKey = p[-1] == '{';
            m_levels.append(Level{bExpectKey, int(m_keys.size()), int(m_arena.size()), -1});
            break;
        case '}':
        case ']':
            if (!m_levels.isEmpty()) {
                const Level &level = m_levels.last();
                m_keys.resize(level.nFirstKey);
                m_arena.resize(level.nArenaStart);
                if (level.nIndex >= 0)
                    m_indexes.pop_back();   // always the last one made
                m_levels.removeLast();
            }
            bExpectKey = false;
            break;
        case ',':
            bExpectKey = !m_levels.isEmpty() && m_levels.last().bObject;
            break;
        case '"': {
            const char *const pStart = p;
            bool bEscaped = false;
            for (;;) {
                while (p != pEnd && *p != '"' && *p != '\\')
                    ++p;
                if (p == pEnd)
                    return JsonKeyScanner::NoFinding;   // unterminated: the reader refuses the frame
                if (*p == '"')
                    break;
                bEscaped = true;
                if (pEnd - p < 2)
                    return JsonKeyScanner::NoFinding;
                p += 2;   // the backslash and what it escapes
            }
            const std::string_view keyText(pStart, std::size_t(p - pStart));
            ++p;
            if (!bExpectKey)
                break;
            bExpectKey = false;
            Level &level = m_levels.last();
            if (!bEscaped) {
                const Key key{int(pStart - pBegin), int(keyText.size()), KeyKind::Raw, false};
                if (repeats(level, key))
                    return JsonKeyScanner::RepeatedKey;
                add(level, key);
                break;
            }
            bool bLone = false;
            const Key exact = decode(keyText, false, &bLone);
            if (!bLone) {
                if (repeats(level, exact))
                    return JsonKeyScanner::RepeatedKey;
                add(level, exact);
                break;
            }
            const Key loneExact{exact.nOffset, exact.nLength, KeyKind::LoneExact, true};
            Key replaced = decode(keyText, true, &bLone);
            replaced.kind = KeyKind::LoneReplaced;
            if (repeats(level, loneExact) || repeats(level, replaced))
                return JsonKeyScanner::RepeatedKey;
            add(level, loneExact);
            add(level, replaced);
            break;
        }
        default:
            break;
        }
    }
    return JsonKeyScanner::NoFinding;
}

} // namespace

bool JsonKeyScanner::hasRepeatedKey(const QByteArray &json)
{
    return Scanner(json).run(INT_MAX) == RepeatedKey;
}

JsonKeyScanner::Finding JsonKeyScanner::check(const QByteArray &json, int nMaxDepth)
{
    return Scanner(json).run(nMaxDepth);
}
