#pragma once

#include <array>
#include <string_view>

// Pieces of the tokenised expression text shared by the evaluator's passes.
namespace qm::vocabulaire {

inline constexpr std::array<std::string_view, 10> fonctions = {"SQR", "LON", "SIN", "COS", "LOG",
                                                               "TAN", "ISI", "EXP", "ITA", "ICO"};

// In the order the operations are computed.
inline constexpr std::array<std::string_view, 5> operateurs = {" ^ ", " / ", " * ", " - ", " + "};

// t holds m from position i. Asked at every position of the text, so it
// compares characters in line rather than call a library comparison.
inline bool en(std::string_view t, std::size_t i, std::string_view m)
{
    if (i > t.size() || t.size() - i < m.size())
        return false;
    for (std::size_t k = 0; k < m.size(); ++k)
        if (t[i + k] != m[k])
            return false;
    return true;
}

// The three characters of t from i name a function.
inline bool estfonction(std::string_view t, std::size_t i)
{
    if (i + 3 > t.size())
        return false;
    const char a = t[i];
    if (a != 'S' && a != 'L' && a != 'C' && a != 'T' && a != 'I' && a != 'E')
        return false;
    for (std::string_view f : fonctions)
        if (en(t, i, f))
            return true;
    return false;
}

inline bool estchiffre(char c)
{
    return c >= '0' && c <= '9';
}
inline bool estsigne(char c)
{
    return c == '+' || c == '-';
}

} // namespace qm::vocabulaire
