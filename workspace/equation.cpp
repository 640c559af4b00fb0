#include "workspace/equation.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "app/initialisation.h"

namespace qm {

namespace {

// An "=", or a "+" that is no charge: at the start, or not after "*".
bool estseparateur(const QString& t, int i)
{
    return t[i] == QLatin1Char('=') || (t[i] == QLatin1Char('+') && (i <= 1 || t[i - 1] != QLatin1Char('*')));
}

int arrondi(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

struct trace {
    const entreeequation& e;
    const mesuresequation& m;
    dispositionequation d;
    bool opti;
    bool opte;
    int y0 = 0;
    int x = 20;
    int colonne = 1;
    int precclic = -1000; // start x of the previous character, for the click test
    int precchev = 0;     // and for the overlap test
    int run = 0;          // the open run: 0 none, 1 subscripts, 2 superscripts
    int debutrun = 0;
    int xdroite = 0; // rightmost x reached

    trace(const entreeequation& e, const mesuresequation& m) : e(e), m(m), opti(e.opti), opte(e.opte)
    {
        y0 = arrondi((e.hauteur - m.hauteur(faceequation::grande)) / 2.0);
        if (e.modeaffichage == 100)
            x = e.decalage[1];
        d.curseur = e.curseur;
        d.placement = e.placement;
    }

    void placerposi(int xp)
    {
        int y = y0 - 5;
        if (opte)
            y = y0 - 15;
        else if (opti)
            y = y0 - 1;
        d.posi = QPoint(xp - 10, y);
    }

    // The options follow the character after the caret, unless the pupil chose them.
    void suivreoptions()
    {
        if (e.synchro == 2)
            return;
        const QChar apres = caractere(e.texte, d.curseur);
        opti = apres == QLatin1Char('#');
        opte = apres == QLatin1Char('*');
        d.options = std::make_pair(opti, opte);
    }

    // One character at i (0-based), drawn as `texte`; false when the drawing stops.
    bool poser(int i, bool marque, const QString& texte, faceequation face, int y)
    {
        const QString& t = e.texte;
        const QChar c = t[i];
        const int debutc = x;
        const bool coefficient = c.isDigit() && !marque;
        if (d.placement && precclic < e.xclic && e.xclic <= x) {
            d.curseur = marque ? i + 1 : i;
            d.placement = false;
        }
        d.caracteres.push_back({texte, QPoint(x, y), face, coefficient && e.colorsto});
        if (e.modeaffichage == 100 && x < precchev) {
            d.fin = finequation::chevauchement;
            return false;
        }
        if (x > 0.95 * e.largeur) {
            d.fin = finequation::depassement;
            return false;
        }
        precclic = debutc;
        precchev = debutc;
        x += m.largeur(texte, face);
        xdroite = std::max(xdroite, x);
        if (d.curseur == i + 1) {
            const bool indicepuisexposant =
                marque && i >= 1 && t[i - 1] == QLatin1Char('#') && caractere(t, i + 1) == QLatin1Char('*');
            suivreoptions();
            placerposi(indicepuisexposant ? debutc : x);
        }
        return true;
    }
};

} // namespace

QFont policeequation(faceequation f)
{
    switch (f) {
    case faceequation::petite:
        return police(QStringLiteral("Arial"), 8);
    case faceequation::fleche:
        return police(QStringLiteral("Symbol"), 12);
    case faceequation::grande:
        break;
    }
    return police(QStringLiteral("Arial"), 12);
}

const mesuresequation& mesuresecran()
{
    static const mesuresequation m = [] {
        // Three faces, measured once each: a key is laid out several times.
        struct faces {
            QFontMetrics grande{policeequation(faceequation::grande)};
            QFontMetrics petite{policeequation(faceequation::petite)};
            QFontMetrics fleche{policeequation(faceequation::fleche)};
            const QFontMetrics& de(faceequation f) const
            {
                return f == faceequation::petite ? petite : f == faceequation::fleche ? fleche : grande;
            }
        };
        auto f = std::make_shared<faces>();
        mesuresequation r;
        r.largeur = [f](const QString& t, faceequation face) { return f->de(face).horizontalAdvance(t); };
        r.hauteur = [f](faceequation face) { return f->de(face).height(); };
        r.ascendante = [f](faceequation face) { return f->de(face).ascent(); };
        return r;
    }();
    return m;
}

dispositionequation disposerequation(const entreeequation& e, const mesuresequation& m)
{
    trace d(e, m);
    const QString& t = e.texte;
    if (t.isEmpty() || d.d.curseur == 0)
        d.d.posi = QPoint(d.x - 10, d.y0 - 5);
    for (int i = 0; i < t.size(); ++i) {
        int y = d.y0;
        bool marque = false;
        int genre = 0;
        QChar c = t[i];
        if (estmarqueur(c) && i + 1 < t.size()) {
            genre = c == QLatin1Char('#') ? 1 : 2;
            ++i;
            c = t[i];
            marque = true;
            y = genre == 1 ? d.y0 + 8 : d.y0 - 6;
            if (d.run != 0 && d.run != genre)
                d.x = d.debutrun;
            if (d.run != genre) {
                d.run = genre;
                d.debutrun = d.x;
            }
        } else if (d.run != 0) {
            d.x = std::max(d.x, d.xdroite);
            d.run = 0;
        }
        QString texte(c);
        // A charge's sign drawn as a true minus, as wide as the plus: a
        // hyphen that small is hardly seen.
        if (genre == 2 && c == QLatin1Char('-'))
            texte = QString(QChar(0x2212));
        faceequation face = marque ? faceequation::petite : faceequation::grande;
        std::optional<int> suivante; // where the next species starts, in the table layout
        if (!marque && estseparateur(t, i)) {
            texte = c == QLatin1Char('=') ? QStringLiteral(" ⟶ ") : QStringLiteral(" + ");
            if (c == QLatin1Char('='))
                face = faceequation::fleche;
            if (e.modeaffichage == 100 && d.colonne <= 10) {
                d.x = d.colonne * e.largeurcolonne - arrondi(m.largeur(texte, face) / 2.0);
                // The next species at its own offset in its column, never
                // over the separator.
                suivante = d.colonne * e.largeurcolonne + e.decalage[static_cast<std::size_t>(d.colonne + 1)];
                ++d.colonne;
            }
        }
        if (!d.poser(i, marque, texte, face, y)) {
            d.d.x = d.x;
            return d.d;
        }
        if (suivante && *suivante > d.x) {
            d.x = *suivante;
            d.xdroite = std::max(d.xdroite, d.x);
        }
    }
    d.d.x = d.x;
    return d.d;
}

void peindreequation(QPainter& p, const dispositionequation& d)
{
    const mesuresequation& m = mesuresecran();
    for (const caracteredessine& c : d.caracteres) {
        p.setFont(policeequation(c.face));
        p.setPen(c.rouge ? QColor(255, 0, 0) : QColor(0, 0, 128));
        p.drawText(c.coin.x(), c.coin.y() + m.ascendante(c.face), c.texte);
    }
}

} // namespace qm
