#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm {

// Number text: the one locale-independent way a number is written, by the
// calculator (double values) and in the series files (single values).
//
// - a blank before a value that is not negative, "-" before a negative one;
// - "." as separator whatever the locale, no "0" before the point below 1
//   (" .5", "-.25"), no trailing zeros (" 2", " 12.25");
// - positional while the value rounded to its digits satisfies
//   1E-04 <= |v| < 10^n, n being the number of significant digits (15 for a
//   double, 7 for a single); outside that range the exponent form: mantissa,
//   "E", sign, at least two digits (" 1E-05", " 1.5E+10", "-1E+15").
//   The lower bound keeps " .0001" readable; the upper one is where the
//   positional form would need more digits than the value has.
// - zero, negative zero included, is " 0". A value that is not finite has no
//   number text; it is written " 0" as well (callers never store one).
//
// Double values keep 15 significant digits: reading the text back gives the
// value within that rounding, which is the calculator's own rounding.
std::string textenombre(double v);

// Single values take the fewest significant digits that bring back the same
// float, seven at most: an amount typed with up to 6 digits is written as
// typed (" .000991331", not the " .0009913309" of its binary image). A float
// that would need 8 or 9 digits is written with 7 and reads back rounded to
// them (12345679 is written " 1.234568E+07"): the series files keep amounts to
// seven significant digits. The switch to the exponent form is at 10^7.
std::string textenombre(float v);

// Reads the leading number of a text: blanks, tabs and line feeds are skipped
// wherever they stand; then the longest prefix made of an optional sign,
// digits with at most one ".", and an optional exponent ("E" or "D" in either
// case, an optional sign, at least one digit). What follows is ignored, and a
// text without such a prefix reads 0 (" .5)" is 0.5, "E5" and "-" are 0).
// A value beyond the double range gives no value; one too small to be
// represented reads 0.
std::optional<double> lirenombre(std::string_view texte);

// lirenombre rounded to single precision; no value when the text is beyond
// the single range (a series file holding " 1E+39" as an amount).
std::optional<float> lirenombresimple(std::string_view texte);

// The calculator's scientific form "#.#######E+00": one digit, the point
// always, up to seven more digits rounded with trailing zeros dropped, then the
// exponent with its sign and at least two digits: 250 is "2.5E+02", 0.5 is
// "5.E-01", -1500 is "-1.5E+03". Zero is "0.E+00", which keeps the pattern.
// No leading blank: this is a display text, not a number text.
std::string formescientifique(double v);

// The text without the blanks before and after it.
std::string_view sansblancs(std::string_view texte);

} // namespace qm
