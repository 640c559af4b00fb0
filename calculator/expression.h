#pragma once

#include <cstdint>
#include <string>

namespace qm {

// The expression evaluator of the calculator window, free of any window.
//
// It works by rewriting the text: each step computes one piece (a function of
// a plain number, a group without functions, one operator between two plain
// numbers) and writes the result back as number text (textenombre, 15
// significant digits, blank trimmed). Every intermediate result is therefore
// rounded: "1 / 3 * 3" gives ".999999999999999". Operators are taken in the
// fixed order "^" (left to right), "/", "*", "-", "+", each kind before the
// next, so "2 ^ 3 ^ 2" is 64, "-2 ^ 2" is 4 and "1 + 2 - 3" computes "2 - 3"
// first.

// codeerreur values.
inline constexpr std::int16_t calculpossible = 0;
inline constexpr std::int16_t calculimpossible = 1;  // "Calcul impossible"
inline constexpr std::int16_t erreurparentheses = 2; // "(" and ")" counts differ
inline constexpr std::int16_t erreuroperateurs = 3;  // "*", "/", "^" without right operand

// Counts that the passes share: compter sets them, the computing passes
// consume them, the driver reads them to choose the next pass.
struct compteurs {
    std::int16_t nbparentheses = 0; // "("
    std::int16_t nbfonctions = 0;   // function names
    std::int16_t nboperateurs = 0;  // blank-framed operators
};

// Reduces `texte` to one number. On codeerreur 0 the text is the result,
// blanks trimmed (empty for an empty expression); otherwise it is not a
// result and the caller keeps its own copy. enradians = 1: SIN, COS, TAN take
// radians and ISI, ICO, ITA give radians; any other value means degrees.
// An expression longer than 500 characters is refused with code 1, the
// text unchanged. Never throws; ends within 100 passes whatever the text.
void calculexpression(std::string& texte, std::int16_t& codeerreur, std::int16_t enradians);

// The passes, exposed for the tests. Each rewrites the text in place; those
// returning bool give false on a run-time failure (a division by zero, a
// value out of range, an argument out of a function's domain, a search that
// runs past the text), which ends the evaluation with code 1.

// Tokenises: upper case, blanks only where they mean something: one around
// the text, one after each function name ("LN" becomes "LON", "INVSIN"
// "ISI"), one on each side of an operator. A sign stays on its number.
void decouper(std::string& texte);

// Cleans up sign pairs ("--" is "+", "+-", "-+" are "-", "++" is "+"), a
// leading "+" and parentheses around a plain signed number ("(-2.5)"), until
// nothing changes, then tokenises.
void simplifier(std::string& texte);

// Sets codeerreur to 3 for "*", "/" or "^" followed by another operator or by
// the end, then to 2 when the counts of "(" and ")" differ.
void verifsaisie(const std::string& texte, std::int16_t& codeerreur);

// Sets the three counts; false when one would leave the 16-bit range.
bool compter(const std::string& texte, compteurs& c);

// Computes every function whose argument is a plain number.
bool calculfonctions(std::string& texte, compteurs& c, std::int16_t enradians);

// Reduces groups from the last "(" on, until one holds a function name.
bool calculparentheses(std::string& texte, compteurs& c);

// Computes the operators between plain numbers in the fixed order.
bool calculoperations(std::string& texte, compteurs& c);

} // namespace qm
