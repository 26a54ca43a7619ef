#include "common/code_page.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <utility>

namespace {

// Code points of the bytes 0x80 to 0xFF of code page 850.
constexpr std::array<char16_t, 128> kCp850High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5, // 88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, // 90
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, // A0
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, // B0
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, // C8
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, // D0
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, // D8
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, // E0
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, // E8
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8, // F0
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0, // F8
};

// Code points of the bytes 0x80 to 0x9F of Windows-1252; 0xA0 to 0xFF equal Latin-1.
// The five unassigned bytes keep their C1 control code point so that they round-trip.
constexpr std::array<char16_t, 32> kCp1252C1 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98
};

using ReverseEntry = std::pair<char16_t, unsigned char>;

// Code point to byte for the upper half of a code page, sorted by code point.
template <size_t N>
constexpr std::array<ReverseEntry, N> BuildReverse(const std::array<char16_t, N>& forward,
                                                   unsigned char first) {
    std::array<ReverseEntry, N> reverse{};
    for (size_t i = 0; i < N; ++i)
        reverse[i] = {forward[i], static_cast<unsigned char>(first + i)};
    std::sort(reverse.begin(), reverse.end());
    return reverse;
}

constexpr auto kCp850Reverse = BuildReverse(kCp850High, 0x80);
constexpr auto kCp1252C1Reverse = BuildReverse(kCp1252C1, 0x80);

template <size_t N> constexpr int FindReverse(const std::array<ReverseEntry, N>& reverse, char32_t cp) {
    if (cp > 0xFFFF) return -1;
    const auto it =
        std::lower_bound(reverse.begin(), reverse.end(), ReverseEntry{static_cast<char16_t>(cp), 0},
                         [](const ReverseEntry& a, const ReverseEntry& b) { return a.first < b.first; });
    return it != reverse.end() && it->first == cp ? it->second : -1;
}

constexpr char32_t Cp850ToUnicodeImpl(unsigned char c) {
    return c < 0x80 ? c : kCp850High[c - 0x80];
}

constexpr int UnicodeToCp850Impl(char32_t cp) {
    return cp < 0x80 ? static_cast<int>(cp) : FindReverse(kCp850Reverse, cp);
}

constexpr char32_t Cp1252ToUnicodeImpl(unsigned char c) {
    return c >= 0x80 && c < 0xA0 ? kCp1252C1[c - 0x80] : c;
}

constexpr int UnicodeToCp1252Impl(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    return FindReverse(kCp1252C1Reverse, cp);
}

using ByteTable = std::array<char, 256>;

// Byte to byte through Unicode; '?' where the target code page lacks the character.
template <typename ToUnicode, typename FromUnicode>
constexpr ByteTable BuildByteTable(ToUnicode toUnicode, FromUnicode fromUnicode) {
    ByteTable table{};
    for (int b = 0; b < 256; ++b) {
        const int target = fromUnicode(toUnicode(static_cast<unsigned char>(b)));
        table[b] = static_cast<char>(target < 0 ? '?' : target);
    }
    return table;
}

constexpr ByteTable kCp850ToCp1252 = BuildByteTable(Cp850ToUnicodeImpl, UnicodeToCp1252Impl);
constexpr ByteTable kCp1252ToCp850 = BuildByteTable(Cp1252ToUnicodeImpl, UnicodeToCp850Impl);

std::string MapBytes(std::string_view text, const ByteTable& table) {
    std::string out(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i)
        out[i] = table[static_cast<unsigned char>(text[i])];
    return out;
}

void AppendCp1252(std::string& out, char32_t cp) {
    const int byte = UnicodeToCp1252Impl(cp);
    out.push_back(static_cast<char>(byte < 0 ? '?' : byte));
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

} // namespace

char32_t Cp850ToUnicode(unsigned char c) {
    return Cp850ToUnicodeImpl(c);
}

int UnicodeToCp850(char32_t cp) {
    return UnicodeToCp850Impl(cp);
}

char32_t Cp1252ToUnicode(unsigned char c) {
    return Cp1252ToUnicodeImpl(c);
}

int UnicodeToCp1252(char32_t cp) {
    return UnicodeToCp1252Impl(cp);
}

std::string Cp850ToCp1252(std::string_view text) {
    return MapBytes(text, kCp850ToCp1252);
}

void Cp850ToCp1252InPlace(std::string& text) {
    // Both code pages agree on ASCII, which is nearly all of a file: runs of eight ASCII
    // bytes are passed over whole.
    static_assert([] {
        for (int b = 0; b < 0x80; ++b)
            if (kCp850ToCp1252[static_cast<size_t>(b)] != static_cast<char>(b)) return false;
        return true;
    }());
    char* c = text.data();
    char* const end = c + text.size();
    while (c < end) {
        if (end - c >= 8) {
            uint64_t word;
            std::memcpy(&word, c, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                c += 8;
                continue;
            }
        }
        *c = kCp850ToCp1252[static_cast<unsigned char>(*c)];
        ++c;
    }
}

std::string Cp1252ToCp850(std::string_view text) {
    return MapBytes(text, kCp1252ToCp850);
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    AppendCp1252AsUtf8(out, text);
    return out;
}

void AppendCp1252AsUtf8(std::string& out, std::string_view text) {
    out.reserve(out.size() + text.size() + text.size() / 8);
    for (char ch : text) {
        const char32_t cp = Cp1252ToUnicodeImpl(static_cast<unsigned char>(ch));
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
}

namespace {

// Decodes the character at text[i] (not ASCII) with the same rules as Utf8ToCp1252: cp is
// its code point, or U+FFFD for an invalid or truncated part; returns the bytes taken.
size_t DecodeAt(std::string_view text, size_t i, char32_t& cp) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        cp = 0xFFFD;
        return 1;
    }
    size_t taken = 1;
    while (taken < length && i + taken < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i + taken]);
        if (taken == 1 ? (c < low || c > high) : !IsContinuation(c)) break;
        cp = (cp << 6) | (c & 0x3F);
        ++taken;
    }
    if (taken != length) cp = 0xFFFD;
    return taken;
}

} // namespace

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        // An invalid or incomplete sequence becomes one '?'; the byte that broke it is read
        // again as the start of the next character.
        char32_t cp = 0;
        i += DecodeAt(text, i, cp);
        if (cp == 0xFFFD)
            out.push_back('?');
        else
            AppendCp1252(out, cp);
    }
    return out;
}

std::string Utf16ToCp1252(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            // A pair encodes a code point above U+FFFF, which Windows-1252 never has.
            out.push_back('?');
            i += 2;
            continue;
        }
        if (unit >= 0xD800 && unit <= 0xDFFF)
            out.push_back('?'); // lone surrogate
        else
            AppendCp1252(out, unit);
        ++i;
    }
    return out;
}

namespace {

struct NearestEntry {
    char32_t cp;
    const char* text; // Windows-1252 bytes
};

// Sorted by code point.
constexpr NearestEntry kNearest[] = {
    {0x02B9, "'"},    {0x02BA, "\""},   {0x02BB, "'"},    {0x02BC, "'"},      {0x02C8, "'"},
    {0x02CB, "`"},    {0x02D0, ":"},    {0x02D7, "-"},    {0x03BC, "\xb5"},   {0x2000, " "},
    {0x2001, " "},    {0x2002, " "},    {0x2003, " "},    {0x2004, " "},      {0x2005, " "},
    {0x2006, " "},    {0x2007, " "},    {0x2008, " "},    {0x2009, " "},      {0x200A, " "},
    {0x200B, ""},     {0x200C, ""},     {0x200D, ""},     {0x200E, ""},       {0x200F, ""},
    {0x2010, "-"},    {0x2011, "-"},    {0x2012, "-"},    {0x2015, "\x97"},   {0x2017, "_"},
    {0x201B, "'"},    {0x201F, "\""},   {0x2024, "."},    {0x2027, "\xb7"},   {0x2028, " "},
    {0x2029, " "},    {0x202F, " "},    {0x2032, "'"},    {0x2033, "\""},     {0x2035, "`"},
    {0x2043, "-"},    {0x2044, "/"},    {0x204E, "*"},    {0x205F, " "},      {0x2060, ""},
    {0x2070, "\xb0"}, {0x2074, "4"},    {0x2080, "0"},    {0x2081, "1"},      {0x2082, "2"},
    {0x2083, "3"},    {0x2116, "Nr."},  {0x2126, "Ohm"},  {0x2190, "<-"},     {0x2192, "->"},
    {0x2194, "<->"},  {0x21D2, "=>"},   {0x2205, "\xd8"}, {0x2206, "Delta"},  {0x2212, "-"},
    {0x2215, "/"},    {0x2217, "*"},    {0x2219, "\xb7"}, {0x221A, "Wurzel"}, {0x221E, "unendlich"},
    {0x2223, "|"},    {0x2248, "~"},    {0x2260, "<>"},   {0x2261, "="},      {0x2264, "<="},
    {0x2265, ">="},   {0x22C5, "\xb7"}, {0x2300, "\xd8"}, {0x2400, " "},      {0x2500, "-"},
    {0x2502, "|"},    {0x25AA, "\x95"}, {0x25CF, "\x95"}, {0x2610, "[ ]"},    {0x2611, "[x]"},
    {0x2612, "[x]"},  {0x2713, "x"},    {0x2714, "x"},    {0x2717, "x"},      {0x3000, " "},
    {0xFEFF, ""},     {0xFF0C, ","},
};
static_assert(std::is_sorted(std::begin(kNearest), std::end(kNearest),
                             [](const NearestEntry& a, const NearestEntry& b) { return a.cp < b.cp; }));

} // namespace

const char* NearestCp1252(char32_t cp) {
    const auto it = std::lower_bound(std::begin(kNearest), std::end(kNearest), cp,
                                     [](const NearestEntry& e, char32_t c) { return e.cp < c; });
    return it != std::end(kNearest) && it->cp == cp ? it->text : nullptr;
}

std::string Utf8ToCp1252Nearest(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        // Plain ASCII, the bulk of most texts, is taken over in runs.
        size_t end = i;
        while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80)
            ++end;
        out.append(text.substr(i, end - i));
        if (end == text.size()) break;
        char32_t cp = 0;
        i = end + DecodeAt(text, end, cp);
        const int byte = UnicodeToCp1252Impl(cp);
        if (byte >= 0)
            out.push_back(static_cast<char>(byte));
        else if (const char* nearest = NearestCp1252(cp))
            out += nearest;
        else
            out.push_back('?');
    }
    return out;
}
