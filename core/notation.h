#pragma once

#include <string>
#include <string_view>

namespace qm {

// The equation box as the normalisation sees it: the text (UTF-8), the caret
// as a number of characters before it, and whether the arrow button is enabled.
struct saisie {
    std::string texte;
    int curseur = 0;
    bool fleche = true;
};

// Normalises the equation text after a change. A text whose trimmed end is a
// "#" or "*" marker waits for its character and comes back unchanged.
saisie corrigetext1(const saisie& avant);

// The clean-up pass of corrigetext1 over the whole text; the result is trimmed.
std::string nettoieequation(std::string_view texte);

// Outcome of limiting an equation to ten species.
struct coupure {
    std::string texte;
    bool message = false; // the "more than 10 columns" message is due
};

// Keeps the first ten species of an equation that has more: the text up to,
// not including, the tenth separator. A separator is "=" or a "+" not
// preceded by "*"; the first character never counts as one.
coupure moinsde10(std::string_view texte);

std::u32string versu32(std::string_view utf8);
std::string versutf8(std::u32string_view texte);

} // namespace qm
