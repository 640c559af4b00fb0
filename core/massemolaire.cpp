#include "core/massemolaire.h"

#include <cmath>

#include "core/verification.h"

namespace qm {

namespace {

const std::string titreformule = "Formule non comprise";
// Counts beyond this are no chemistry; it also keeps every product in range.
constexpr long nombremax = 1000000;

struct echec {
    message m;
};

[[noreturn]] void refuser(const std::string& texte)
{
    throw echec{{texte, titreformule}};
}

// Code points of a UTF-8 text; a byte that starts no valid sequence stands for itself.
std::u32string decoder(std::string_view s)
{
    std::u32string r;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (n == 1 || i + n > s.size()) {
            r += static_cast<char32_t>(c);
            ++i;
            continue;
        }
        auto v = static_cast<char32_t>(c & (0x3F >> (n - 1)));
        for (std::size_t k = 1; k < n; ++k)
            v = (v << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        r += v;
        i += n;
    }
    return r;
}

std::string encoder(char32_t c)
{
    std::string r;
    const auto v = static_cast<std::uint32_t>(c);
    if (v < 0x80) {
        r += static_cast<char>(v);
    } else if (v < 0x800) {
        r += static_cast<char>(0xC0 | (v >> 6));
        r += static_cast<char>(0x80 | (v & 0x3F));
    } else {
        r += static_cast<char>(0xE0 | (v >> 12));
        r += static_cast<char>(0x80 | ((v >> 6) & 0x3F));
        r += static_cast<char>(0x80 | (v & 0x3F));
    }
    return r;
}

bool chiffre(char32_t c)
{
    return c >= U'0' && c <= U'9';
}
bool indice(char32_t c)
{
    return c >= U'₀' && c <= U'₉';
}
bool exposant(char32_t c)
{
    return c == U'¹' || c == U'²' || c == U'³' || (c >= U'⁰' && c <= U'⁹') || c == U'⁺' || c == U'⁻';
}
bool majuscule(char32_t c)
{
    return c >= U'A' && c <= U'Z';
}
bool minuscule(char32_t c)
{
    return c >= U'a' && c <= U'z';
}
bool hydrate(char32_t c)
{
    return c == U',' || c == U'.' || c == U'·' || c == U'•' || c == U'∙';
}
bool signe(char32_t c)
{
    return c == U'+' || c == U'-';
}
bool blanc(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\u00A0' || c == U'\u202F';
}

long produit(long a, long b)
{
    if (a > nombremax || b > nombremax || a * b > nombremax)
        refuser("Nombre trop grand dans la formule.");
    return a * b;
}

void ajouter(std::vector<atomes>& c, int element, long nombre)
{
    for (atomes& a : c)
        if (a.element == element) {
            a.nombre = produit(1, a.nombre + nombre);
            return;
        }
    c.push_back({element, nombre});
}

class lecteur {
public:
    lecteur(std::u32string s, const tableelements& t) : s(std::move(s)), t(t) {}

    std::vector<atomes> formule()
    {
        std::vector<atomes> c;
        for (;;) {
            for (const atomes& a : partie())
                ajouter(c, a.element, a.nombre);
            if (i == s.size())
                return c;
            if (!hydrate(s[i]))
                inattendu();
            ++i;
        }
    }

private:
    std::u32string s;
    const tableelements& t;
    std::size_t i = 0;

    char32_t courant() const { return i < s.size() ? s[i] : U'\0'; }

    [[noreturn]] void inattendu() const
    {
        if (s[i] == U')' || s[i] == U']' || s[i] == U'(' || s[i] == U'[')
            throw echec{msgparentheses};
        refuser("Caractère non compris dans la formule : « " + encoder(s[i]) + " ».");
    }

    // One formula of a hydrate, with its leading multiplier ("5H2O").
    std::vector<atomes> partie()
    {
        long multiple = 0;
        bool nombre = false;
        while (chiffre(courant())) {
            multiple = produit(multiple, 10) + (s[i++] - U'0');
            nombre = true;
        }
        if (nombre && multiple == 0)
            refuser("Un multiplicateur nul ne convient pas.");
        std::vector<atomes> c = suite(U'\0');
        if (c.empty() && i < s.size() && !hydrate(s[i]))
            inattendu();
        if (c.empty())
            refuser("La formule est incomplète.");
        if (charge() && i < s.size() && !hydrate(s[i]))
            refuser("Une charge se place à la fin de la formule.");
        for (atomes& a : c)
            a.nombre = produit(a.nombre, nombre ? multiple : 1);
        return c;
    }

    // Elements and groups up to the closing bracket `fin` (none at the top).
    std::vector<atomes> suite(char32_t fin)
    {
        std::vector<atomes> c;
        while (i < s.size()) {
            const char32_t x = s[i];
            if (x == U'(' || x == U'[') {
                ++i;
                const std::vector<atomes> groupe = suite(x == U'(' ? U')' : U']');
                if (courant() != (x == U'(' ? U')' : U']') || groupe.empty())
                    throw echec{msgparentheses};
                ++i;
                const long n = nombreatomes();
                for (const atomes& a : groupe)
                    ajouter(c, a.element, produit(a.nombre, n));
            } else if (majuscule(x)) {
                std::string symbole = encoder(s[i++]);
                if (minuscule(courant()))
                    symbole += encoder(s[i++]);
                const int e = chercheelement(t, symbole);
                if (e == 0)
                    throw echec{msgelementinconnu(symbole)};
                ajouter(c, e, nombreatomes());
            } else if (minuscule(x)) {
                refuser("Un symbole d'élément commence par une majuscule : « " + encoder(x) + " ».");
            } else {
                break;
            }
        }
        if (fin == U'\0' && (courant() == U')' || courant() == U']'))
            throw echec{msgparentheses};
        return c;
    }

    // The count after an element or a group: "2", "#1#2" or "₁₂"; 1 without one.
    long nombreatomes()
    {
        long n = 0;
        bool lu = false;
        for (;;) {
            long d = -1;
            if (chiffre(courant())) {
                d = s[i] - U'0';
                ++i;
            } else if (indice(courant())) {
                d = s[i] - U'₀';
                ++i;
            } else if (courant() == U'#' && i + 1 < s.size() && chiffre(s[i + 1])) {
                d = s[i + 1] - U'0';
                i += 2;
            }
            if (d < 0)
                break;
            n = produit(n, 10) + d;
            lu = true;
        }
        if (lu && n == 0)
            refuser("Un indice nul ne convient pas.");
        return lu ? n : 1;
    }

    // A charge ends a formula and weighs nothing. True when there was one.
    bool charge()
    {
        const std::size_t debut = i;
        if (courant() == U'*') {
            while (courant() == U'*' && i + 1 < s.size())
                i += 2;
        } else if (courant() == U'^') {
            ++i;
            while (chiffre(courant()))
                ++i;
            while (signe(courant()))
                ++i;
        } else {
            while (exposant(courant()))
                ++i;
            while (signe(courant()))
                ++i;
        }
        return i != debut;
    }
};

std::string textedixiemes(long dixiemes)
{
    return std::to_string(dixiemes / 10) + "," + std::to_string(dixiemes % 10);
}

} // namespace

massemolaire calculermasse(std::string_view formule, const tableelements& t)
{
    massemolaire r;
    std::u32string s;
    for (const char32_t c : decoder(formule))
        if (!blanc(c))
            s += c;
    try {
        if (s.empty())
            refuser("Il faut saisir une formule chimique.");
        r.composition = lecteur(s, t).formule();
    } catch (const echec& e) {
        r.erreur = e.m;
        r.composition.clear();
        return r;
    }
    for (const atomes& a : r.composition) {
        const double m = t.masse[static_cast<std::size_t>(a.element)];
        r.dixiemes += a.nombre * std::lround(m * 10);
        if (!r.detail.empty())
            r.detail += " + ";
        if (a.nombre != 1)
            r.detail += std::to_string(a.nombre) + " × ";
        r.detail += textemasse(m);
    }
    r.valide = true;
    r.masse = static_cast<double>(r.dixiemes) / 10;
    r.texte = textedixiemes(r.dixiemes);
    return r;
}

} // namespace qm
