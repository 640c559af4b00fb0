#pragma once

#include <string>

namespace qm {

// A non-negative number as decimal digits: value = 0.chiffres x 10^exposant,
// so "12345" with exposant 5 is 12345 and "5" with exposant -4 is 0.00005.
// An empty digit string is zero.
struct decimal {
    bool negatif = false;
    std::string chiffres;
    int exposant = 0;
};

// The decimal digits of v, correctly rounded to `precision` significant digits
// (15 suits a double, 7 a float), trailing zeros removed. v must be finite.
decimal decomposer(double v, int precision);

// Keeps the first `garder` digits, rounding half away from zero on the digits
// themselves (the decimal value is what the pupil typed, not its binary image).
void arrondir(decimal& d, int garder);

// Fixed form with at least one integer digit and between mindec and maxdec
// decimals ("##0.0" is 1, 1; "#####0.0####" is 1, 5). The separator is left
// out when no decimal remains.
std::string textefixe(double v, int mindec, int maxdec, char separateur, int precision = 15);

// Scientific form "0.###E+00": one integer digit, up to maxdec decimals without
// trailing zeros, the separator always written, exponent sign always, two
// exponent digits at least (12345 with 3 decimals is "1,235E+04", 20000 "2,E+04").
std::string textescientifique(double v, int maxdec, char separateur, int precision = 15);

// "E+04", "E-05", "E+123".
std::string texteexposant(int exposant);

// General form: the shortest text with at most `chiffres` significant digits,
// fixed for 1E-4 <= |v| < 10^chiffres, otherwise "1,5E+10" / "1E-05".
std::string textegeneral(double v, int chiffres, char separateur);

} // namespace qm
