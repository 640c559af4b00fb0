// The equation box's normalisation on any bytes and any caret. The first two
// bytes give the caret (signed, so it may lie outside the text) and the state
// of the arrow button; the rest is the text.
#include "core/notation.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

bool utf8valide(const std::string& t)
{
    return qm::versutf8(qm::versu32(t)) == t;
}

bool sansblancsautour(const std::u32string& t)
{
    return t.empty() || (t.front() != U' ' && t.back() != U' ');
}

// The separators of an equation as moinsde10 counts them.
int separateurs(std::string_view t)
{
    int n = 0;
    for (std::size_t p = 1; p < t.size(); ++p)
        n += t[p] == '=' || (t[p] == '+' && t[p - 1] != '*');
    return n;
}

// A superscript item followed by a subscript item: the case the normalisation
// reorders before cleaning up.
bool areordonner(const std::u32string& t)
{
    for (std::size_t i = 0; i + 2 < t.size(); ++i)
        if (t[i] == U'*' && t[i + 2] == U'#')
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int curseur = static_cast<std::int8_t>(data[0]) * 3;
    const bool fleche = data[1] & 1;
    const std::string texte(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::u32string u = qm::versu32(texte);

    const qm::saisie avant{texte, curseur, fleche};
    const qm::saisie apres = qm::corrigetext1(avant);
    const std::u32string fin = [&] {
        const auto d = u.find_first_not_of(U' ');
        return d == std::u32string::npos ? std::u32string() : u.substr(d, u.find_last_not_of(U' ') - d + 1);
    }();
    if (!fin.empty() && (fin.back() == U'#' || fin.back() == U'*')) {
        // A marker waiting for its character: nothing changes.
        if (apres.texte != avant.texte || apres.curseur != avant.curseur || apres.fleche != avant.fleche)
            std::abort();
    } else {
        const std::u32string v = qm::versu32(apres.texte);
        if (!utf8valide(apres.texte) || !sansblancsautour(v) || v.size() > u.size())
            std::abort();
        if (apres.curseur < 0 || static_cast<std::size_t>(apres.curseur) > v.size())
            std::abort();
        // The arrow stays available exactly while the equation has no "=".
        if (apres.fleche != (apres.texte.find('=') == std::string::npos))
            std::abort();
        // Without an item to reorder, the normalisation is the clean-up pass.
        if (!areordonner(u) && apres.texte != qm::nettoieequation(texte))
            std::abort();
    }

    const std::string propre = qm::nettoieequation(texte);
    if (!utf8valide(propre) || !sansblancsautour(qm::versu32(propre)))
        std::abort();

    const qm::coupure c = qm::moinsde10(texte);
    const int n = separateurs(texte);
    if (c.message != (n >= 10))
        std::abort();
    if (c.message) {
        if (c.texte.size() >= texte.size() || texte.compare(0, c.texte.size(), c.texte) != 0 ||
            separateurs(c.texte) != 9)
            std::abort();
    } else if (c.texte != texte) {
        std::abort();
    }
    return 0;
}
