#include "files/cp1252.h"

#include "core/notation.h"

namespace qm {

namespace {

// Code points of bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr char32_t zone80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> octet(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (zone80[i] == c)
            return static_cast<char>(0x80 + i);
    return std::nullopt;
}

} // namespace

std::string depuiscp1252(std::string_view octets)
{
    std::u32string t;
    t.reserve(octets.size());
    for (char o : octets) {
        const auto b = static_cast<unsigned char>(o);
        t.push_back(b >= 0x80 && b < 0xA0 ? zone80[b - 0x80] : static_cast<char32_t>(b));
    }
    return versutf8(t);
}

std::optional<std::string> verscp1252(std::string_view utf8)
{
    const std::u32string t = versu32(utf8);
    std::string r;
    r.reserve(t.size());
    for (char32_t c : t) {
        const auto b = octet(c);
        if (!b)
            return std::nullopt; // U+FFFD from malformed input lands here too
        r.push_back(*b);
    }
    return r;
}

} // namespace qm
