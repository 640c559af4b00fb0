#include "core/notation.h"

namespace qm {

namespace {

// 1-based access that reads past either end as "no character".
char32_t car(const std::u32string& s, long i)
{
    return (i >= 1 && i <= static_cast<long>(s.size())) ? s[static_cast<std::size_t>(i - 1)] : U'\0';
}

bool estchiffre(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

std::u32string sansblancs(std::u32string s)
{
    const auto debut = s.find_first_not_of(U' ');
    if (debut == std::u32string::npos)
        return {};
    const auto fin = s.find_last_not_of(U' ');
    return s.substr(debut, fin - debut + 1);
}

// Removes characters de..a (1-based, inclusive) that exist.
void enlever(std::u32string& s, long de, long a)
{
    if (de < 1)
        de = 1;
    if (a > static_cast<long>(s.size()))
        a = static_cast<long>(s.size());
    if (a >= de)
        s.erase(static_cast<std::size_t>(de - 1), static_cast<std::size_t>(a - de + 1));
}

bool pairesupprimee(char32_t a, char32_t b)
{
    if (a != U' ' && a != U'+' && a != U'=')
        return false;
    if (b == U'#' || b == U'*')
        return true;
    if (b == U'0')
        return true;               // " 0", "+0", "=0"
    return b == U'+' && a != U'+'; // " +", "=+"
}

std::u32string nettoie(std::u32string s)
{
    s.insert(s.begin(), U' ');
    for (long i = 1; i <= static_cast<long>(s.size()); ++i) {
        const bool paire = pairesupprimee(car(s, i), car(s, i + 1));
        if (i >= 3 && car(s, i) == U'0') {
            const long k = (car(s, i - 1) == U'*' || car(s, i - 1) == U'#') ? 2 : 1;
            if (!estchiffre(car(s, i - k)))
                enlever(s, i - k + 1, i);
        }
        if (car(s, i) == U'#' || car(s, i) == U'*') {
            const char32_t suivant = car(s, i + 1);
            if (suivant < U'+' || suivant > U'9')
                enlever(s, i, i);
        }
        if (paire)
            enlever(s, i + 1, i + 1);
    }
    return sansblancs(std::move(s));
}

} // namespace

std::u32string versu32(std::string_view t)
{
    std::u32string r;
    r.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        const auto c = static_cast<unsigned char>(t[i]);
        int n = 0;
        char32_t v = 0;
        if (c < 0x80) {
            v = c;
        } else if ((c & 0xE0) == 0xC0) {
            n = 1;
            v = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2;
            v = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3;
            v = c & 0x07;
        } else {
            r.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        if (i + static_cast<std::size_t>(n) >= t.size()) {
            // Truncated sequence at the end of the text.
            r.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        bool valide = true;
        for (int k = 1; k <= n; ++k) {
            const auto s = static_cast<unsigned char>(t[i + static_cast<std::size_t>(k)]);
            if ((s & 0xC0) != 0x80) {
                valide = false;
                break;
            }
            v = (v << 6) | (s & 0x3F);
        }
        if (!valide) {
            r.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        r.push_back(v);
        i += static_cast<std::size_t>(n) + 1;
    }
    return r;
}

std::string versutf8(std::u32string_view t)
{
    std::string r;
    r.reserve(t.size());
    for (char32_t c : t) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = U'\uFFFD';
        if (c < 0x80) {
            r.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            r.push_back(static_cast<char>(0xC0 | (c >> 6)));
            r.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            r.push_back(static_cast<char>(0xE0 | (c >> 12)));
            r.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            r.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            r.push_back(static_cast<char>(0xF0 | (c >> 18)));
            r.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            r.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            r.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return r;
}

std::string nettoieequation(std::string_view texte)
{
    return versutf8(nettoie(versu32(texte)));
}

saisie corrigetext1(const saisie& avant)
{
    std::u32string s = versu32(avant.texte);
    const std::u32string fin = sansblancs(s);
    if (!fin.empty() && (fin.back() == U'#' || fin.back() == U'*'))
        return avant;

    saisie apres;
    apres.fleche = true;
    long curseur = avant.curseur;

    // Put every subscript item before the superscript item it follows:
    // "*2#3" becomes "#3*2". Each move restarts the scan; the bound only
    // guards against a text built to keep the items circling.
    long deplacements = 0;
    const long limite = 4 * static_cast<long>(s.size()) * static_cast<long>(s.size()) + 16;
    for (long i = 1; i <= static_cast<long>(s.size()); ++i) {
        if (car(s, i) == U'=')
            apres.fleche = false;
        if (car(s, i) == U'*' && car(s, i + 2) == U'#' && deplacements < limite) {
            const auto base = static_cast<std::size_t>(i - 1);
            const std::u32string exposant = s.substr(base, 2);
            const std::u32string indice = s.substr(base + 2, 2);
            s.replace(base, exposant.size() + indice.size(), indice + exposant);
            curseur = static_cast<long>(s.size());
            ++deplacements;
            i = 0;
        }
    }

    s = nettoie(std::move(s));
    const long longueur = static_cast<long>(s.size());
    if (curseur > longueur)
        curseur = longueur;
    if (curseur < 0)
        curseur = 0;
    apres.texte = versutf8(s);
    apres.curseur = static_cast<int>(curseur);
    return apres;
}

coupure moinsde10(std::string_view texte)
{
    int separateurs = 0;
    for (std::size_t p = 1; p < texte.size(); ++p) {
        const char c = texte[p];
        if (c == '=' || (c == '+' && texte[p - 1] != '*')) {
            ++separateurs;
            if (separateurs == 10)
                return {std::string(texte.substr(0, p)), true};
        }
    }
    return {std::string(texte), false};
}

} // namespace qm
