#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

class QCheckBox;
class QFont;
class QPainter;

namespace qm {

class PanneauMasses;

// Where the tabs stand, worked out from the caption widths; the paint reads
// it and never measures anything itself.
struct dispositiononglets {
    int h = 0;    // height of "W": the tab row
    int T = 0;    // the three caption widths, the selected one in bold
    double g = 0; // the blank on either side of a caption
    std::array<std::int16_t, 4> bords{};
};

// The tab strip of the main window.
struct etatonglets {
    std::int16_t ongletcourant = 0; // 1 to 3; 0 until the strip is first laid out
    std::array<QString, 6> titresonglets;
    std::array<std::int16_t, 6> bordsonglets{};
    dispositiononglets disposition;
};

// Caption widths in pixels, places 1 to 3, in regular and in bold weight.
struct largeurstitres {
    int h = 0;
    std::array<int, 4> normal{};
    std::array<int, 4> gras{};
};

// The tab boundaries for a strip `largeur` pixels wide inside: each tab is its
// caption plus a gap g on either side, and the last one takes what is left,
// so bords[3] is always `largeur`.
dispositiononglets disposeronglets(const largeurstitres& l, int largeur, int ongletcourant);

// The tab under a release at (x, y): no value when y is outside 0..15 (the
// click is ignored), 0 when x is outside every tab, else 1 to 3. A boundary
// belongs to the tab on its left.
std::optional<int> choisironglet(const std::array<std::int16_t, 6>& bordsonglets, double x, double y);

// The selected panel's place inside a strip of `taille`.
QRect placepanneau(QSize taille, int h);

// The captions measured in the strip's font ("Arial" 8 pt, bold for the
// selected one).
largeurstitres mesurertitres(const etatonglets& e);

// Puts the captions in place, turns a 0 selection into the first tab and lays
// the tabs out for a strip `largeur` pixels wide.
void disposer(etatonglets& e, int largeur);

// Outline, captions and the frame round the panel, from the stored layout.
void peindreonglets(QPainter& p, const etatonglets& e, QSize taille);

// The "Affichage" panel: display options; their actions belong to the main window.
class PanneauAffichage : public QWidget {
public:
    explicit PanneauAffichage(QWidget* parent = nullptr);

    QCheckBox* final = nullptr;
    QCheckBox* conso = nullptr;
    QCheckBox* COLORSTO = nullptr;
    QCheckBox* litteral = nullptr;
    QCheckBox* saisiemasse = nullptr; // a reactant's initial amount from a mass or a volume
    QCheckBox* graphe = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The "Illustration" panel: the picture that goes with an exercise, shown from
// its top-left corner at its own size.
class PanneauIllustration : public QWidget {
public:
    explicit PanneauIllustration(QWidget* parent = nullptr);

    void mettreimage(const QImage& image);
    void effacerimage();
    const QImage& image() const { return illustration; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage illustration;
};

// Background, and the notice printed centred while there is no picture.
void peindreillustration(QPainter& p, const QImage& image, QSize taille);

// The tab strip `Onglets` with its three panels `ong1`, `ong2`, `ong3`.
class Onglets : public QWidget {
public:
    explicit Onglets(QWidget* parent = nullptr);

    // Brings the "Illustration" tab to the front, once its picture is loaded.
    void specialimage();

    const etatonglets& etat() const { return e; }

    PanneauAffichage* ong1 = nullptr;
    PanneauMasses* ong2 = nullptr;
    PanneauIllustration* ong3 = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    friend void appliquer(Onglets& o);
    friend void Onglets_MouseUp(Onglets& o, double x, double y);

    // From the keyboard: the next tab (pas = 1) or the previous one (-1), round
    // the three.
    void Onglets_Voisin(Onglets& o, int pas);
    friend void Onglets_Voisin(Onglets& o, int pas);
    etatonglets e;
};

// Lays the strip out again and shows the selected panel, hiding the others.
void appliquer(Onglets& o);

// A click released on the strip: a new tab is selected and the strip redrawn;
// the tab already selected changes nothing.
void Onglets_MouseUp(Onglets& o, double x, double y);

} // namespace qm
