#include "rtf/jetons.h"

#include <climits>

namespace qm {

namespace {

bool lettre(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool chiffre(char c)
{
    return c >= '0' && c <= '9';
}

int valeurhex(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Digits are all consumed, but the value stops growing at int's limits: a 30-digit parameter
// must neither overflow nor leave digits behind to be read as text.
void litparametre(analyseur& a, jeton& j)
{
    const std::string_view s = a.src;
    bool negatif = false;
    if (a.pos < s.size() && s[a.pos] == '-' && a.pos + 1 < s.size() && chiffre(s[a.pos + 1])) {
        negatif = true;
        ++a.pos;
    }
    if (a.pos >= s.size() || !chiffre(s[a.pos]))
        return;
    long long v = 0;
    while (a.pos < s.size() && chiffre(s[a.pos])) {
        if (v < INT_MAX)
            v = v * 10 + (s[a.pos] - '0');
        ++a.pos;
    }
    if (v > INT_MAX)
        v = INT_MAX;
    j.aparam = true;
    j.param = int(negatif ? -v : v);
}

void litbinaire(analyseur& a, jeton& j)
{
    if (!j.aparam || j.param <= 0)
        return;
    const std::size_t reste = a.src.size() - a.pos;
    const std::size_t n = std::size_t(j.param) < reste ? std::size_t(j.param) : reste;
    j.binaire = a.src.substr(a.pos, n);
    a.pos += n;
}

jeton litmot(analyseur& a)
{
    jeton j;
    j.sorte = sortejeton::mot;
    const std::size_t debut = a.pos;
    while (a.pos < a.src.size() && lettre(a.src[a.pos]))
        ++a.pos;
    j.texte = a.src.substr(debut, a.pos - debut);
    litparametre(a, j);
    // One space is the word's delimiter and belongs to it.
    if (a.pos < a.src.size() && a.src[a.pos] == ' ')
        ++a.pos;
    if (j.texte == "bin")
        litbinaire(a, j);
    return j;
}

jeton lithex(analyseur& a)
{
    jeton j;
    j.sorte = sortejeton::hex;
    const int h = a.pos < a.src.size() ? valeurhex(a.src[a.pos]) : -1;
    const int l = a.pos + 1 < a.src.size() ? valeurhex(a.src[a.pos + 1]) : -1;
    if (h < 0 || l < 0) {
        // A broken escape is dropped; the characters after it are read again as they are.
        j.tronque = true;
        if (h >= 0)
            ++a.pos;
        return j;
    }
    j.octet = (unsigned char)(h * 16 + l);
    a.pos += 2;
    return j;
}

jeton litcontrole(analyseur& a)
{
    ++a.pos; // the backslash
    if (a.pos >= a.src.size()) {
        jeton j;
        j.sorte = sortejeton::symbole;
        j.tronque = true;
        return j;
    }
    const char c = a.src[a.pos];
    if (lettre(c))
        return litmot(a);
    ++a.pos;
    if (c == '\'')
        return lithex(a);
    jeton j;
    j.sorte = sortejeton::symbole;
    // A backslash before a line end is an old spelling of \par.
    j.symbole = (c == '\r' || c == '\n') ? '\n' : c;
    return j;
}

} // namespace

jeton jetonsuivant(analyseur& a)
{
    const std::string_view s = a.src;
    while (a.pos < s.size() && (s[a.pos] == '\r' || s[a.pos] == '\n'))
        ++a.pos;
    jeton j;
    if (a.pos >= s.size())
        return j;
    const char c = s[a.pos];
    if (c == '{' || c == '}') {
        j.sorte = c == '{' ? sortejeton::ouvre : sortejeton::ferme;
        ++a.pos;
        return j;
    }
    if (c == '\\')
        return litcontrole(a);
    const std::size_t debut = a.pos;
    while (a.pos < s.size()) {
        const char d = s[a.pos];
        if (d == '\\' || d == '{' || d == '}' || d == '\r' || d == '\n')
            break;
        ++a.pos;
    }
    j.sorte = sortejeton::texte;
    j.texte = s.substr(debut, a.pos - debut);
    return j;
}

} // namespace qm
