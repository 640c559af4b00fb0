#include "workspace/saisie.h"

#include <algorithm>
#include <cmath>

#include "core/notation.h"
#include "core/verification.h"
#include "files/cp1252.h"
#include "files/enregistrements.h"

namespace qm {

namespace {

bool caracterepermis(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c.isDigit() ||
           QStringLiteral("+-()=").contains(c);
}

const message msgdepassement{"Il n'y a pas assez de place pour cette expression", "Dépassement de capacité"};

// A message about a text the program then cuts is shown over the text as it was, the first
// time; later ones follow the messages of what came before.
void messageavantcoupe(const etatfeuille& e, effets& r, const message& m)
{
    if (r.messages.empty() && !r.avantcoupe) {
        r.avantcoupe = std::make_shared<const etatfeuille>(e);
        r.avantmessages.push_back(m);
    } else {
        r.messages.push_back(m);
    }
}

bool tientdansunenregistrement(const QString& texte)
{
    const std::string utf8 = texte.toStdString();
    const std::optional<std::string> octets = verscp1252(utf8);
    return (octets ? octets->size() : utf8.size()) <= textemaximal;
}

entreeequation entreede(const etatfeuille& e, const cadreequation& c)
{
    entreeequation x;
    x.texte = e.texte;
    x.curseur = e.curseur;
    x.opti = e.opti;
    x.opte = e.opte;
    x.synchro = e.synchro;
    x.colorsto = e.colorsto == 1;
    x.modeaffichage = e.modeaffichage;
    x.decalage = e.decalage;
    x.largeurcolonne = e.largeurcolonne;
    x.largeur = c.largeur;
    x.hauteur = c.hauteur;
    x.placement = e.placement != 0;
    x.xclic = e.xclic;
    return x;
}

// A text given to the box: its caret goes to the end; only a new text is a change.
void remplacer(etatfeuille& e, const cadreequation& c, const QString& t, effets& r)
{
    e.curseur = static_cast<int>(t.size());
    if (t == e.texte)
        return;
    e.texte = t;
    changement(e, c, r);
}

void inseretexte(etatfeuille& e, const cadreequation& c, const QString& s, effets& r)
{
    if (s.isEmpty())
        return;
    e.texte.insert(e.curseur, s);
    e.curseur += static_cast<int>(s.size());
    changement(e, c, r);
}

void retourarriere(etatfeuille& e, const cadreequation& c, effets& r)
{
    const int n0 = e.curseur;
    if (n0 <= 0)
        return;
    const int n = estmarqueur(caractere(e.texte, n0 - 2)) ? 2 : 1;
    e.texte.remove(n0 - n, n);
    e.curseur = n0 - n;
    changement(e, c, r);
}

} // namespace

void changement(etatfeuille& e, const cadreequation& c, effets& r)
{
    if (e.debordement == 1 || e.texte.isEmpty())
        e.modeaffichage = 0;
    if (e.occupe == 1)
        return;
    e.occupe = 1;
    const saisie apres = corrigetext1({e.texte.toStdString(), e.curseur, e.fleche});
    e.fleche = apres.fleche;
    e.texte = QString::fromStdString(apres.texte);
    e.curseur = std::clamp(apres.curseur, 0, static_cast<int>(e.texte.size()));
    e.occupe = 0;

    const dispositionequation d = disposerequation(entreede(e, c), c.mesures ? *c.mesures : mesuresecran());
    e.dessin = d;
    e.curseur = d.curseur;
    e.placement = d.placement ? 1 : 0;
    if (d.options) {
        // Set by the drawing: the options' own handling stays out of it.
        e.opti = d.options->first;
        e.opte = d.options->second;
    }
    if (d.posi)
        e.posi = *d.posi;

    switch (d.fin) {
    case finequation::chevauchement:
        e.debordement = 1;
        e.redessine = 1;
        e.modeaffichage = 0;
        changement(e, c, r);
        return;
    case finequation::depassement:
        if (e.modeaffichage != 0) {
            e.redessine = 1;
            e.modeaffichage = 0;
            changement(e, c, r);
        } else if (!e.redessine) {
            // One message for one key: while the text is being cut, a text
            // still too long is cut again without a word.
            if (e.rognage == 0)
                messageavantcoupe(e, r, msgdepassement);
            QString u = e.texte;
            u.chop(1);
            // A subscript or superscript goes with its marker.
            if (!u.isEmpty() && estmarqueur(u.back()))
                u.chop(1);
            const std::int16_t avant = e.rognage;
            e.rognage = 1;
            remplacer(e, c, u, r);
            e.rognage = avant;
        }
        // After a fall-back the normal drawing simply stops where the room ends.
        return;
    case finequation::complete:
        break;
    }
    if (e.placement) {
        e.curseur = static_cast<int>(e.texte.size());
        e.placement = 0;
    }
    if (e.modeaffichage >= 1 && e.modeaffichage <= 10)
        e.decalage[static_cast<std::size_t>(e.modeaffichage)] = static_cast<std::int16_t>(d.x - 20);
}

namespace {

// Separators of the text: an "=" or a "+" not preceded by "*", never the first character.
void separateurs(etatfeuille& e, const QString& t)
{
    e.possep.fill(0);
    e.possep[0] = 1;
    int n = 0;
    e.sepegal = 0;
    for (int p = 1; p < t.size(); ++p) {
        const bool plus = t[p] == QLatin1Char('+') && t[p - 1] != QLatin1Char('*');
        const bool egal = t[p] == QLatin1Char('=');
        if (!plus && !egal)
            continue;
        ++n;
        if (egal)
            e.premierproduit = static_cast<std::int16_t>(n + 1);
        if (n < nombreespeces) {
            e.possep[static_cast<std::size_t>(n)] = static_cast<std::int16_t>(p + 1);
            if (egal)
                e.sepegal = static_cast<std::int16_t>(n);
        }
    }
    e.nbcolonnes = static_cast<std::int16_t>(std::min(n, 10) + 1);
}

// The drawn width of species k alone, normalised as the box would have it,
// into decalage(k); a species with no room is drawn normally and leaves it.
void mesurerespece(etatfeuille& e, const cadreequation& c, const QString& espece, int k)
{
    e.modeaffichage = static_cast<std::int16_t>(k);
    if (e.debordement == 1 || espece.isEmpty())
        return;
    const saisie n = corrigetext1({espece.toStdString(), static_cast<int>(espece.size()), true});
    entreeequation x = entreede(e, c);
    x.texte = QString::fromStdString(n.texte);
    x.curseur = n.curseur;
    x.placement = false;
    const dispositionequation d = disposerequation(x, c.mesures ? *c.mesures : mesuresecran());
    if (d.fin == finequation::complete)
        e.decalage[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(d.x - 20);
    else
        e.redessine = 1;
}

} // namespace

void moinsde10(etatfeuille& e, const cadreequation& c, effets& r)
{
    const coupure k = moinsde10(e.texte.toStdString());
    if (!k.message)
        return;
    messageavantcoupe(e, r, msgcolonnes);
    remplacer(e, c, QString::fromStdString(k.texte), r);
}

void etalerequation(etatfeuille& e, const cadreequation& c, effets& r)
{
    moinsde10(e, c, r);
    const QString t = e.texte;
    separateurs(e, t);
    const int n = e.nbcolonnes - 1;
    e.largeurcolonne = static_cast<std::int16_t>(std::nearbyint(c.largeur / static_cast<double>(n + 1)));
    if (n >= 1) {
        for (int k = 1; k <= n + 1; ++k) {
            const int debut = k == 1 ? 0 : e.possep[static_cast<std::size_t>(k - 1)];
            const int fin = k <= n ? e.possep[static_cast<std::size_t>(k)] - 1 : static_cast<int>(t.size());
            mesurerespece(e, c, t.mid(debut, std::min(fin - debut, 1000)), k);
        }
        e.curseur = static_cast<int>(t.size());
    }
    for (int k = 1; k <= n + 1; ++k) {
        auto& d = e.decalage[static_cast<std::size_t>(k)];
        d = static_cast<std::int16_t>(std::nearbyint((e.largeurcolonne - d) / 2.0));
    }
    e.modeaffichage = 100;
    changement(e, c, r);
    if (e.debordement) {
        // Drawn normally, as the overlap asked.
        changement(e, c, r);
        e.debordement = 0;
    }
}

void mettreequation(etatfeuille& e, const cadreequation& c, const QString& texte, effets& r)
{
    remplacer(e, c, texte, r);
}

void cocheroption(etatfeuille& e, bool indice, bool coche, effets& r)
{
    bool& lui = indice ? e.opti : e.opte;
    if (lui == coche)
        return;
    lui = coche;
    if (e.synchro == 1)
        return;
    e.synchro = 2;
    if (lui)
        cocheroption(e, !indice, false, r);
    r.focus = true;
}

bool toucheenfoncee(etatfeuille& e, const cadreequation& c, int touche, Qt::KeyboardModifiers modifs,
                    effets& r)
{
    e.debordement = 0;
    e.redessine = 0;
    const bool haut = touche == Qt::Key_Up;
    const bool bas = touche == Qt::Key_Down;
    const bool navigation = touche == Qt::Key_Home || touche == Qt::Key_End || touche == Qt::Key_Left ||
                            touche == Qt::Key_Right || haut || bas || touche == Qt::Key_Delete;
    if (navigation && !haut && !bas)
        e.synchro = 0;
    const int n = static_cast<int>(e.texte.size());
    if (bas && e.curseur >= n)
        e.findetexte = 1;
    // A modifier cancels the key; the caret is then left alone, so that it never
    // ends between a marker and its character.
    const bool annule = !navigation || (modifs & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    bool supprime = false;
    if (!annule) {
        if (touche == Qt::Key_Left && estmarqueur(caractere(e.texte, e.curseur - 2)))
            e.curseur -= 1;
        if (touche == Qt::Key_Right && estmarqueur(caractere(e.texte, e.curseur)))
            e.curseur += 1;
        if (touche == Qt::Key_Delete && estmarqueur(caractere(e.texte, e.curseur))) {
            e.texte.remove(e.curseur, 2);
            supprime = true;
        }
    }
    changement(e, c, r);
    // Up and Down do nothing to a one-line text: the key-up step has nothing
    // to undo. The other keys move the caret, or delete, as a text box does.
    if (annule || supprime || haut || bas)
        return true;
    const int taille = static_cast<int>(e.texte.size());
    switch (touche) {
    case Qt::Key_Home:
        e.curseur = 0;
        break;
    case Qt::Key_End:
        e.curseur = taille;
        break;
    case Qt::Key_Left:
        e.curseur = std::max(0, e.curseur - 1);
        break;
    case Qt::Key_Right:
        e.curseur = std::min(taille, e.curseur + 1);
        break;
    case Qt::Key_Delete:
        if (e.curseur < taille) {
            e.texte.remove(e.curseur, 1);
            changement(e, c, r);
        }
        break;
    default:
        break;
    }
    return false;
}

void touchetapee(etatfeuille& e, const cadreequation& c, QChar k, effets& r)
{
    if (k == QLatin1Char('\r') || k == QLatin1Char('\n')) {
        if (validable(e))
            r.valider = true;
        return;
    }
    if (k == QLatin1Char('=') && !e.fleche)
        return;
    if (k == QLatin1Char('-'))
        cocheroption(e, false, true, r);
    if (k == QLatin1Char('\b')) {
        retourarriere(e, c, r);
        return;
    }
    if (k.unicode() > 127 || !caracterepermis(k))
        return;
    const QChar avant = caractere(e.texte, e.curseur - 1);
    if (k >= QLatin1Char('0') && k <= QLatin1Char('9')) {
        if (!e.opti && !e.opte && avant.isLetter() && avant.unicode() < 128)
            cocheroption(e, true, true, r);
    } else {
        cocheroption(e, true, false, r);
        if (k != QLatin1Char('+') && k != QLatin1Char('-'))
            cocheroption(e, false, false, r);
    }
    if (k >= QLatin1Char('a') && k <= QLatin1Char('z') &&
        !(avant >= QLatin1Char('A') && avant <= QLatin1Char('Z')))
        k = k.toUpper();
    QString insere;
    if (e.opte)
        insere = QStringLiteral("*");
    else if (e.opti)
        insere = QStringLiteral("#");
    insere += k;
    // An equation is kept in one record of the series file: a key that would
    // make it longer than a record holds is refused, as one past the picture's width.
    QString apres = e.texte;
    apres.insert(e.curseur, insere);
    if (!tientdansunenregistrement(apres)) {
        r.messages.push_back(msgdepassement);
        return;
    }
    inseretexte(e, c, insere, r);
    if (k == QLatin1Char('+') || k == QLatin1Char('-')) {
        cocheroption(e, true, false, r);
        cocheroption(e, false, false, r);
    } else if (k == QLatin1Char(')')) {
        cocheroption(e, true, true, r);
    }
}

void toucherelachee(etatfeuille& e, const cadreequation& c, int touche, effets& r)
{
    if (touche == Qt::Key_Down) {
        if (!e.opte)
            cocheroption(e, true, true, r);
        else
            cocheroption(e, false, false, r);
    } else if (touche == Qt::Key_Up) {
        if (!e.opti)
            cocheroption(e, false, true, r);
        else
            cocheroption(e, true, false, r);
    }
    e.findetexte = 0;
    changement(e, c, r);
}

void inserer(etatfeuille& e, const cadreequation& c, const QString& s, effets& r)
{
    inseretexte(e, c, s, r);
    r.focus = true;
}

void placer(etatfeuille& e, const cadreequation& c, int x, effets& r)
{
    e.placement = 1;
    e.xclic = x - 6;
    e.synchro = 0;
    r.focus = true;
    changement(e, c, r);
}

} // namespace qm
