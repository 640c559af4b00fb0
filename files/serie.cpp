#include "files/serie.h"

#include <cerrno>
#include <cmath>

#include <unistd.h>

#include "core/nombre.h"
#include "files/enregistrements.h"

namespace qm {

namespace {

constexpr int premierenregistrement(int slot)
{
    return 2 + 12 * slot;
}

// A check-box state: the number rounded to the nearest whole number, halves
// to the even one. Only the three states a check box has are accepted.
bool lireetat(const std::string& texte, std::int16_t& etat)
{
    const auto v = lirenombre(texte);
    if (!v)
        return false;
    const double arrondi = std::nearbyint(*v);
    if (!(arrondi >= 0 && arrondi <= 2))
        return false;
    etat = static_cast<std::int16_t>(arrondi);
    return true;
}

// r holds records 2 to 121, etats records 123 to 125.
bool lireslots(const std::vector<std::string>& r, const std::vector<std::string>& etats, serie& s)
{
    for (int k = 0; k < 10; ++k) {
        const auto base = static_cast<std::size_t>(premierenregistrement(k) - 2);
        s.eqtexte[static_cast<std::size_t>(k)] = r[base];
        for (std::size_t j = 1; j <= 11; ++j) {
            // An amount of matter is never negative: the table cannot show one.
            const auto q = lirenombresimple(r[base + j]);
            if (!q || *q < 0)
                return false;
            s.eqquant[static_cast<std::size_t>(k)][j] = *q;
        }
    }
    return lireetat(etats[0], s.colorsto) && lireetat(etats[1], s.conso) && lireetat(etats[2], s.final);
}

} // namespace

message messageserie(erreurserie e)
{
    switch (e) {
    case erreurserie::nonvalide:
        return msgnonvalide;
    case erreurserie::lecture:
        return msglecture;
    case erreurserie::ecriture:
        return msgecriture;
    case erreurserie::aucune:
        break;
    }
    return {};
}

std::vector<std::string> enregistrementsserie(const serie& s)
{
    std::vector<std::string> r;
    r.reserve(nombreenregistrementsserie);
    r.emplace_back(magieserie);
    for (std::size_t k = 0; k < 10; ++k) {
        r.push_back(s.eqtexte[k]);
        for (std::size_t j = 1; j <= 11; ++j)
            r.push_back(textenombre(s.eqquant[k][j]));
    }
    r.emplace_back();
    r.push_back(textenombre(static_cast<double>(s.colorsto)));
    r.push_back(textenombre(static_cast<double>(s.conso)));
    r.push_back(textenombre(static_cast<double>(s.final)));
    return r;
}

lectureserie lireserie(const std::string& chemin)
{
    lectureserie l;
    // A missing file reads as an empty one: it has no magic. So does a name
    // that is no regular file (a FIFO, a device), which is never opened.
    const int fd = ouvrirlecture(chemin);
    if (fd < 0) {
        l.erreur = errno == ENOENT || errno == ENOTDIR ? erreurserie::nonvalide : erreurserie::lecture;
        return l;
    }
    ::close(fd);
    const auto magie = lireenregistrements(chemin, 1, 1);
    if (!magie) {
        l.erreur = erreurserie::lecture;
        return l;
    }
    if (magie->front() != magieserie) {
        l.erreur = erreurserie::nonvalide;
        return l;
    }
    // Record 122 is skipped: whatever it holds, the file is accepted.
    const auto slots = lireenregistrements(chemin, 2, 121);
    const auto etats = lireenregistrements(chemin, 123, nombreenregistrementsserie);
    if (!slots || !etats || !lireslots(*slots, *etats, l.contenu)) {
        l.erreur = erreurserie::lecture;
        l.contenu = {};
    }
    return l;
}

erreurserie ecrireserie(const std::string& chemin, const serie& s)
{
    return remplacerenregistrements(chemin, enregistrementsserie(s)) ? erreurserie::aucune
                                                                     : erreurserie::ecriture;
}

} // namespace qm
