#include "workspace/travail.h"

namespace qm {

void verifier(etatfeuille& e, bool avecbravo, effets& r)
{
    ++e.verifications;
    e.p = 0;
    e.tableauactif = false;
    r.verification = true;
    const verification v = verifequation(e.texte.toStdString(), e.coef, e.elements);
    e.coef = v.coef;
    e.verdictequation = v.resultat;
    switch (v.resultat) {
    case verdict::rejetee:
        r.messages.push_back(v.erreur);
        break;
    case verdict::desequilibree:
        r.grille = v.grille;
        break;
    case verdict::equilibree:
        e.tableauactif = true;
        r.bravo = r.bravo || avecbravo;
        break;
    }
}

void verifierequation(etatfeuille& e, const cadreequation& c, effets& r)
{
    if (equationvide(e.texte.toStdString())) {
        r.messages.push_back(msgequationvide);
        return;
    }
    moinsde10(e, c, r);
    verifier(e, true, r);
}

void validerequation(etatfeuille& e, const cadreequation& c, effets& r)
{
    moinsde10(e, c, r);
    verifier(e, false, r);
    if (!r.demandeavant)
        r.demandeavant = e.tableaudemande;
    e.tableaudemande = 1;
    r.table = e.tableauactif ? effets::tableau::construire : effets::tableau::outils;
}

namespace {

// The equation now on display asks for its table when it has an arrow, or
// for the keyboard.
void montrer(etatfeuille& e, const cadreequation& c, effets& r)
{
    if (validable(e)) {
        validerequation(e, c, r);
        r.curseurazero = true;
    } else {
        r.focus = true;
    }
}

} // namespace

void choisirequation(etatfeuille& e, const cadreequation& c, int index, effets& r)
{
    if (index < 0 || index > 9)
        return;
    r.arreteranimation = true;
    const auto courant = static_cast<std::size_t>(e.numcourant);
    const auto choisi = static_cast<std::size_t>(index);
    e.eqtexte[courant] = e.texte.toStdString();
    for (std::size_t k = 1; k <= nombreespeces; ++k) {
        e.eqquant[courant][k] = e.quant[k];
        e.quant[k] = e.eqquant[choisi][k];
    }
    mettreequation(e, c, QString::fromStdString(e.eqtexte[choisi]), r);
    e.numcourant = static_cast<std::int16_t>(index);
    montrer(e, c, r);
}

void coller(etatfeuille& e, const cadreequation& c, const QString& copie, effets& r)
{
    r.arreteranimation = true;
    for (std::size_t j = 1; j <= nombreespeces; ++j)
        e.quant[j] = e.eqquant[10][j];
    mettreequation(e, c, copie, r);
    montrer(e, c, r);
}

void effacerequation(etatfeuille& e, const cadreequation& c, effets& r)
{
    // A running animation would draw the erased table again at its next step.
    r.arreteranimation = true;
    mettreequation(e, c, QString(), r);
    r.effacertableau = true;
    for (std::size_t j = 1; j <= nombreespeces; ++j)
        e.quant[j] = 0;
}

void effacerserie(etatfeuille& e, const cadreequation& c, effets& r)
{
    e.quant.fill(0);
    for (auto& texte : e.eqtexte)
        texte.clear();
    for (auto& ligne : e.eqquant)
        ligne.fill(0);
    effacerequation(e, c, r);
}

namespace {

// The ten equations and the three display options, between the workspace
// and a series file (the workspace's copy slot is no part of a file).
template <typename De, typename Vers> void copierserie(const De& de, Vers& vers)
{
    vers.eqtexte = de.eqtexte;
    for (std::size_t k = 0; k < vers.eqtexte.size(); ++k)
        for (std::size_t j = 1; j <= nombreespeces; ++j)
            vers.eqquant[k][j] = de.eqquant[k][j];
    vers.colorsto = de.colorsto;
    vers.conso = de.conso;
    vers.final = de.final;
}

} // namespace

void ouvrirserie(etatfeuille& e, const cadreequation& c, const serie& s, effets& r)
{
    copierserie(s, e);
    // The slot on display first, as the switch to equation 0 stores it back.
    const auto n = static_cast<std::size_t>(e.numcourant);
    for (std::size_t j = 1; j <= nombreespeces; ++j)
        e.quant[j] = e.eqquant[n][j];
    mettreequation(e, c, QString::fromStdString(e.eqtexte[n]), r);
    choisirequation(e, c, 0, r);
}

serie seriede(const etatfeuille& e)
{
    serie s;
    copierserie(e, s);
    return s;
}

} // namespace qm
