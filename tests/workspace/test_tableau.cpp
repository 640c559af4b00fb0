#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "impression.h"
#include "workspace/dessin.h"
#include "workspace/feuillep.h"
#include "workspace/tableau.h"

namespace {

using namespace qm;

const QColor bleu(100, 150, 255);
const QColor bleupale(220, 240, 255);
const QColor rouge(255, 0, 0);

bool grille(int y)
{
    return y >= 35 && y <= 115 && y % 10 == 5;
}

// The first row of column x, from the top of the bar band, that has colour c.
int premiere(const QImage& image, int x, const QColor& c)
{
    for (int y = 25; y <= 126; ++y)
        if (image.pixelColor(x, y) == c)
            return y;
    return -1;
}

// Where a bar whose top is `haut` first shows: the grid and the band's edge
// are drawn over it.
int visible(int haut)
{
    while (haut == 25 || grille(haut))
        ++haut;
    return haut;
}

int compter(const QImage& image, const QRect& zone, const std::function<bool(QColor)>& test)
{
    int n = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            if (image.rect().contains(x, y) && test(image.pixelColor(x, y)))
                ++n;
    return n;
}

bool sombre(QColor c)
{
    return c.red() < 100 && c.green() < 100;
}
// Navy ink on white, antialiased edges included; not the bars.
bool bleuatre(QColor c)
{
    return c.blue() - c.red() > 60 && c.green() < 150;
}
bool rougeatre(QColor c)
{
    return c.red() > 200 && c.green() < 120 && c.blue() < 120;
}
bool nonblanc(QColor c)
{
    return c != QColor(Qt::white);
}

QRect boite(const textedessin& t)
{
    const QFontMetrics m(t.police);
    return QRect(t.coin, QSize(m.horizontalAdvance(t.texte), m.height()));
}

const textedessin* trouver(const std::vector<textedessin>& textes, int colonne, int y)
{
    for (const textedessin& t : textes)
        if (t.colonne == colonne && t.coin.y() == y)
            return &t;
    return nullptr;
}

// A + 2 B = C with 1 mol of A and of B, on the real window.
class Tableau : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    std::unique_ptr<FeuilleP> f;

    void SetUp() override
    {
        f = std::make_unique<FeuilleP>(dossier.path());
        if (!f->final) {
            f->final = new QCheckBox(f.get());
            f->final->setChecked(true);
        }
        if (!f->conso)
            f->conso = new QCheckBox(f.get());
        if (!f->outilequa)
            f->outilequa = new QFrame(f.get());
        if (!f->Picture3)
            construiretableau(*f);
        f->outilequa->hide();
        etatfeuille& e = f->etat;
        e.nbcolonnes = 3;
        e.premierproduit = 3;
        e.largeurcolonne = 230;
        e.coef = {0, 1, 2, 1};
        e.quant = {0, 1, 1};
        e.tableaudemande = 0;
        if (f->Text1)
            f->Text1->setText(QStringLiteral("A+2B=C"));
    }
    void avancement(int p)
    {
        if (f->HScroll1->value() == p)
            majtab(*f);
        else
            f->HScroll1->setValue(p);
    }
    // The drawing as majtab lays it out in the window's present state.
    dessintableau disposition()
    {
        entreedessin e;
        e.taille = f->Picture3->image.size();
        e.nbcolonnes = f->etat.nbcolonnes;
        e.premierproduit = f->etat.premierproduit;
        e.largeurcolonne = f->etat.largeurcolonne;
        e.coef = f->etat.coef;
        e.p = f->HScroll1->sliderPosition();
        e.final = f->final->isChecked();
        e.conso = f->conso->isChecked();
        parametrestableau c{f->etat.nbcolonnes,
                            f->etat.premierproduit,
                            e.coef,
                            static_cast<std::int16_t>(e.p),
                            e.final,
                            e.conso,
                            e.largeurcolonne,
                            {}};
        const tableau t = calcultableau(c, f->etat.quant);
        e.quant = f->etat.quant;
        return disposertableau(e, t);
    }
    QImage& image() { return f->Picture3->image; }
    void cliquer(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(f->Picture3, b, {}, p); }
    void montrer()
    {
        f->show();
        QApplication::setActiveWindow(f.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    }
    void ouvrirsaisie(int colonne)
    {
        cliquer(QPoint((colonne - 1) * 230 + 100, 10));
        ASSERT_TRUE(f->Text2->isVisible());
        ASSERT_TRUE(f->Text2->hasFocus());
    }
    QToolButton* image5(int i) { return f->findChild<QToolButton*>(QStringLiteral("Image5_%1").arg(i)); }
};

TEST_F(Tableau, Controles)
{
    EXPECT_EQ(f->Picture3->objectName(), "Picture3");
    EXPECT_EQ(f->Picture3->image.size(), QSize(689, 169));
    EXPECT_EQ(f->Picture4->image.size(), QSize(89, 191));
    EXPECT_EQ(f->findChild<QScrollBar*>(QStringLiteral("HScroll1")), f->HScroll1);
    EXPECT_EQ(f->HScroll1->maximum(), 10000);
    EXPECT_FALSE(f->HScroll1->hasTracking());
    // Under the drawing, over the whole width of Picture3.
    EXPECT_EQ(f->HScroll1->geometry(), QRect(f->Picture3->x(), f->Picture3->y() + 151, 689, 17));
    EXPECT_EQ(f->findChild<QLineEdit*>(QStringLiteral("Text2")), f->Text2);
    EXPECT_TRUE(f->Text2->isHidden());
    const char* bulles[] = {"Etat initial", "Etat final", "Animation", "Pause"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(image5(i), nullptr) << i;
        EXPECT_EQ(image5(i)->toolTip(), QString::fromUtf8(bulles[i]));
        EXPECT_FALSE(image5(i)->icon().isNull());
    }
    EXPECT_EQ(f->Timer1->interval(), 10);
    EXPECT_FALSE(f->Timer1->isActive());
}

TEST_F(Tableau, CadreEtColonnes)
{
    avancement(0);
    EXPECT_EQ(f->etat.largeurcolonne, 230); // 689 / 3
    EXPECT_TRUE(f->Picture3->isEnabled());
    const QImage& im = image();
    for (QPoint p : {QPoint(0, 0), QPoint(688, 0), QPoint(688, 150), QPoint(0, 150), QPoint(300, 25),
                     QPoint(300, 125), QPoint(300, 150), QPoint(230, 10), QPoint(230, 140)})
        EXPECT_EQ(im.pixelColor(p), QColor(Qt::black)) << p.x() << "," << p.y();
    EXPECT_EQ(im.pixelColor(229, 10), QColor(Qt::white));
    EXPECT_EQ(im.pixelColor(231, 10), QColor(Qt::white));
    // The reactant-product boundary is three pixels wide.
    for (int x = 459; x <= 461; ++x)
        EXPECT_EQ(im.pixelColor(x, 10), QColor(Qt::black)) << x;
    EXPECT_EQ(im.pixelColor(458, 10), QColor(Qt::white));
    EXPECT_EQ(im.pixelColor(462, 10), QColor(Qt::white));
    // Nine grey lines over the bars, every 10 px.
    for (int y = 35; y <= 115; y += 10)
        EXPECT_EQ(im.pixelColor(5, y), QColor(192, 192, 192)) << y;
    EXPECT_EQ(im.pixelColor(5, 30), bleu);
}

TEST_F(Tableau, BarresAuxTroisEtats)
{
    struct cas {
        int p;
        int hauts[4]; // current bar top per column
    } const cass[] = {{0, {0, 25, 25, 125}}, {5000, {0, 50, 75, 100}}, {10000, {0, 75, 125, 75}}};
    for (const cas& c : cass) {
        avancement(c.p);
        SCOPED_TRACE(c.p);
        const dessintableau d = disposition();
        for (int i = 1; i <= 3; ++i) {
            const int x = (i - 1) * 230 + 5; // clear of the texts
            const barredessin* courant = nullptr;
            for (const barredessin& b : d.barres)
                if (b.colonne == i && b.couleur == bleu)
                    courant = &b;
            ASSERT_NE(courant, nullptr) << i;
            EXPECT_EQ(courant->rect.top(), c.hauts[i]) << i;
            EXPECT_EQ(courant->rect.bottom(), 125);
            if (c.hauts[i] < 125)
                EXPECT_EQ(premiere(image(), x, bleu), visible(c.hauts[i])) << i;
            else
                EXPECT_EQ(premiere(image(), x, bleu), -1) << i;
        }
        // The initial amount of a reactant stays behind in pale blue.
        EXPECT_EQ(premiere(image(), 5, bleupale), c.hauts[1] > 25 ? 26 : -1);
        EXPECT_EQ(premiere(image(), 235, bleupale), c.hauts[2] > 25 ? 26 : -1);
        EXPECT_EQ(premiere(image(), 465, bleupale), -1);
    }
    // Each bar stops a pixel short of the boundaries; the last one short of the frame.
    avancement(10000);
    EXPECT_EQ(image().pixelColor(1, 100), bleu);
    EXPECT_EQ(image().pixelColor(229, 100), bleu);
    EXPECT_EQ(image().pixelColor(230, 100), QColor(Qt::black));
    EXPECT_EQ(image().pixelColor(231, 100), bleupale); // B is used up
    EXPECT_EQ(image().pixelColor(687, 100), bleu);
    EXPECT_EQ(image().pixelColor(688, 100), QColor(Qt::black));
}

TEST_F(Tableau, Textes)
{
    avancement(5000);
    const dessintableau d = disposition();
    const struct {
        const std::vector<textedessin>& rangee;
        int y;
        const char* textes[4];
        QColor couleur;
    } rangees[] = {{d.initiaux, 4, {"", "1,0", "1,0", "0"}, QColor(0, 0, 128)},
                   {d.courants, 64, {"", "0,75", "0,5", "0,25"}, QColor(Qt::black)},
                   {d.finaux, 128, {"", "0,5", "0", "0,5"}, QColor(0, 0, 128)}};
    for (const auto& r : rangees) {
        ASSERT_EQ(r.rangee.size(), 3u);
        for (int i = 1; i <= 3; ++i) {
            SCOPED_TRACE(testing::Message() << "y " << r.y << " colonne " << i);
            const textedessin* t = trouver(r.rangee, i, r.y);
            ASSERT_NE(t, nullptr);
            EXPECT_EQ(t->texte, QString::fromUtf8(r.textes[i]));
            EXPECT_EQ(t->couleur, r.couleur);
            EXPECT_EQ(t->police.bold(), r.y == 64);
            const QRect b = boite(*t);
            // Centred in its column to the pixel.
            EXPECT_LE(std::abs(b.left() + b.right() + 1 - (2 * i - 1) * 230), 1);
            // And drawn there: glyph pixels in the box, of the text's colour.
            EXPECT_GT(compter(image(), b, r.couleur == QColor(Qt::black) ? sombre : bleuatre), 3);
        }
    }
    EXPECT_EQ(compter(image(), image().rect(), rougeatre), 0);
}

TEST_F(Tableau, QuantiteConsommee)
{
    avancement(5000);
    f->conso->setChecked(true); // redraws by itself
    const dessintableau d = disposition();
    ASSERT_EQ(d.courants.size(), 5u);
    for (int i = 1; i <= 2; ++i) {
        SCOPED_TRACE(i);
        const textedessin* consomme = trouver(d.courants, i, 44);
        const textedessin* reste = trouver(d.courants, i, 84);
        ASSERT_NE(consomme, nullptr);
        ASSERT_NE(reste, nullptr);
        EXPECT_EQ(trouver(d.courants, i, 64), nullptr);
        EXPECT_EQ(consomme->couleur, rouge);
        EXPECT_TRUE(consomme->police.bold());
        EXPECT_EQ(reste->couleur, QColor(Qt::black));
        EXPECT_GT(compter(image(), boite(*consomme), rougeatre), 3);
        EXPECT_GT(compter(image(), boite(*reste), sombre), 3);
        // Nothing between the two.
        const QRect b = boite(*reste);
        EXPECT_EQ(compter(image(), QRect(b.left(), 65, b.width(), 18), sombre), 0);
    }
    EXPECT_EQ(trouver(d.courants, 1, 44)->texte, "0,25");
    EXPECT_EQ(trouver(d.courants, 1, 84)->texte, "0,75");
    EXPECT_EQ(trouver(d.courants, 2, 44)->texte, "0,5");
    EXPECT_EQ(trouver(d.courants, 2, 84)->texte, "0,5");
    ASSERT_NE(trouver(d.courants, 3, 64), nullptr);
    EXPECT_EQ(trouver(d.courants, 3, 64)->texte, "0,25");
    EXPECT_EQ(compter(image(), QRect(460, 40, 229, 20), rougeatre), 0);

    f->conso->setChecked(false);
    EXPECT_EQ(compter(image(), image().rect(), rougeatre), 0);
    f->final->setChecked(false);
    for (const QRect& bande : {QRect(2, 127, 226, 22), QRect(233, 127, 224, 22), QRect(464, 127, 222, 22)})
        EXPECT_EQ(compter(image(), bande, sombre), 0);
}

TEST_F(Tableau, RienSaisi)
{
    f->etat.quant = {};
    f->etat.tableaudemande = 1;
    avancement(5000);
    EXPECT_EQ(f->etat.tableaudemande, 0);
    const QImage& im = image();
    EXPECT_EQ(compter(im, im.rect(), [](QColor c) { return c == bleu || c == bleupale; }), 0);
    const dessintableau d = disposition();
    EXPECT_TRUE(d.barres.empty());
    for (const auto* rangee : {&d.initiaux, &d.courants, &d.finaux})
        for (const textedessin& t : *rangee)
            EXPECT_EQ(t.texte, "0");
    // The scale of the caption column: three "0 -", level with 25, 75 and 125.
    tabquant q{};
    const tableau t = calcultableau({3, 3, f->etat.coef, 0, true, false, 230, {}}, q);
    int echelles = 0;
    for (const textedessin& l : disposerlegendes(89, &t))
        if (l.coin.y() == 57 || l.coin.y() == 107 || l.coin.y() == 157) {
            ++echelles;
            EXPECT_EQ(l.texte, "0 -");
            EXPECT_EQ(boite(l).right(), 89 - 2 - 1);
            EXPECT_GT(compter(f->Picture4->image, boite(l), nonblanc), 3) << l.coin.y();
        }
    EXPECT_EQ(echelles, 3);
    // Animation starts the timer, and its first redraw stops it again.
    image5(2)->click();
    EXPECT_TRUE(f->Timer1->isActive());
    Timer1_Timer(*f);
    EXPECT_FALSE(f->Timer1->isActive());
}

TEST_F(Tableau, Legendes)
{
    tabini(*f);
    const QImage& im = f->Picture4->image;
    const std::vector<textedessin> sans = disposerlegendes(89, nullptr);
    ASSERT_EQ(sans.size(), 7u);
    EXPECT_EQ(sans[0].texte, "Équation");
    EXPECT_EQ(sans[6].texte, "Etat final.........");
    for (const textedessin& l : sans) {
        EXPECT_EQ(l.couleur, QColor(0, 0, 128));
        EXPECT_GT(compter(im, boite(l), nonblanc), 3) << l.texte.toStdString();
    }
    // Ending 4 pixels from the right edge.
    EXPECT_EQ(boite(sans[2]).right(), 89 - 4 - 1);
    // No scale from the start-up drawing.
    EXPECT_EQ(compter(im, QRect(40, 57, 49, 12), nonblanc), 0);

    tabquant q{0, 1, 1};
    const tableau t = calcultableau({3, 3, f->etat.coef, 0, true, false, 230, {}}, q);
    const std::vector<textedessin> avec = disposerlegendes(89, &t);
    ASSERT_EQ(avec.size(), 10u);
    EXPECT_EQ(avec[6].texte, "1 -");
    EXPECT_EQ(avec[7].texte, "0,5 -");
    EXPECT_EQ(avec[8].texte, "0 -");
    EXPECT_EQ(avec[7].coin.y(), 107);
}

TEST_F(Tableau, ClicsIgnores)
{
    montrer();
    avancement(0);
    cliquer(QPoint(500, 10)); // over the product
    EXPECT_TRUE(f->Text2->isHidden());
    cliquer(QPoint(100, 60)); // under a reactant's top band
    EXPECT_TRUE(f->Text2->isHidden());
    cliquer(QPoint(460, 10)); // just past the reactants
    EXPECT_TRUE(f->Text2->isHidden());
    f->outilequa->show(); // the equation is being edited
    cliquer(QPoint(100, 10));
    EXPECT_TRUE(f->Text2->isHidden());
    f->outilequa->hide();
    cliquer(QPoint(300, 10), Qt::RightButton); // any button opens the box
    EXPECT_TRUE(f->Text2->isVisible());
    EXPECT_EQ(f->etat.colsaisie, 2);
    EXPECT_EQ(f->Text2->geometry(), QRect(230, 1, 231, 23));
    EXPECT_EQ(f->Text2->text(), "1");
}

TEST_F(Tableau, Pointeur)
{
    const auto deplacer = [&](QPoint p) {
        QMouseEvent m(QEvent::MouseMove, p, f->Picture3->mapToGlobal(p), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(f->Picture3, &m);
        return f->Picture3->cursor().shape();
    };
    EXPECT_EQ(deplacer(QPoint(100, 10)), Qt::BitmapCursor);
    EXPECT_EQ(f->info->text(),
              "Vous devez cliquer sous un réactif pour saisir la quantité de matière initiale");
    EXPECT_EQ(deplacer(QPoint(100, 30)), Qt::ArrowCursor);
    EXPECT_EQ(deplacer(QPoint(500, 10)), Qt::ArrowCursor);
    f->outilequa->show();
    EXPECT_EQ(deplacer(QPoint(100, 10)), Qt::ArrowCursor);
}

TEST_F(Tableau, Saisie)
{
    montrer();
    avancement(0);
    f->etat.quant[1] = 0;
    QToolButton* copier = f->commandes.at(QStringLiteral("Command4"));
    f->Timer1->start();
    ouvrirsaisie(1);
    EXPECT_FALSE(f->Timer1->isActive());
    EXPECT_EQ(f->Text2->text(), "");
    EXPECT_FALSE(copier->isEnabled());
    EXPECT_EQ(f->etat.tableaudemande, 1);
    QTest::keyClicks(f->Text2, QStringLiteral("1.5"));
    EXPECT_EQ(f->Text2->text(), "1,5");
    QTest::keyClicks(f->Text2, QStringLiteral("a- +"));
    EXPECT_EQ(f->Text2->text(), "1,5");
    QTest::keyClick(f->Text2, Qt::Key_Enter);
    EXPECT_TRUE(f->Text2->isHidden());
    EXPECT_FLOAT_EQ(f->etat.quant[1], 1.5f);
    EXPECT_TRUE(copier->isEnabled());
    EXPECT_EQ(f->etat.tableaudemande, 0);
    // Opened again: the amount, with a comma.
    ouvrirsaisie(1);
    EXPECT_EQ(f->Text2->text(), "1,5");
    EXPECT_EQ(f->Text2->cursorPosition(), 0);
    QTest::keyClick(f->Text2, Qt::Key_End); // keys that only move the caret pass
    QTest::keyClick(f->Text2, Qt::Key_Backspace);
    QTest::keyClick(f->Text2, Qt::Key_Backspace);
    QTest::keyClick(f->Text2, Qt::Key_Backspace);
    QTest::keyClick(f->Text2, Qt::Key_Return);
    EXPECT_EQ(f->Text2->text(), "0");
    EXPECT_EQ(f->etat.quant[1], 0.0f);
    // Several commas read as nothing; losing the focus commits too.
    ouvrirsaisie(2);
    QTest::keyClicks(f->Text2, QStringLiteral(",2,"));
    f->HScroll1->setFocus();
    EXPECT_TRUE(f->Text2->isHidden());
    EXPECT_EQ(f->Text2->text(), "0");
    EXPECT_EQ(f->etat.quant[2], 0.0f);
    // A click on the cursor commits the amount before it moves.
    ouvrirsaisie(1);
    QTest::keyClicks(f->Text2, QStringLiteral("2"));
    QTest::mouseClick(f->HScroll1, Qt::LeftButton, {}, QPoint(600, 8));
    EXPECT_TRUE(f->Text2->isHidden());
    EXPECT_FLOAT_EQ(f->etat.quant[1], 2.0f);
    EXPECT_GT(f->HScroll1->value(), 0);
    EXPECT_TRUE(f->HScroll1->hasFocus());
    const int p = f->HScroll1->value();
    // The arrow keys move it the way they point, by one animation step.
    QTest::keyClick(f->HScroll1, Qt::Key_Right);
    EXPECT_EQ(f->HScroll1->value(), p + 100);
    QTest::keyClick(f->HScroll1, Qt::Key_Left);
    QTest::keyClick(f->HScroll1, Qt::Key_Left);
    EXPECT_EQ(f->HScroll1->value(), p - 100);
}

TEST_F(Tableau, LectureDesQuantites)
{
    const struct {
        const char* texte;
        std::optional<float> attendu;
    } cas[] = {{"1,5", 1.5f},
               {",5", 0.5f},
               {"2", 2.0f},
               {"2,", 2.0f},
               {"0", 0.0f},
               {"", std::nullopt},
               {",", std::nullopt},
               {"1,2,3", std::nullopt},
               {"1E+39", std::nullopt},
               {"1,5E+10", 1.5e10f},
               {"-1", std::nullopt},
               {"1 5", std::nullopt},
               {"1.5", std::nullopt},
               {"99999999999999999999999999999999999999999", std::nullopt}};
    for (const auto& c : cas) {
        const std::optional<float> v = lirequantite(QString::fromUtf8(c.texte));
        EXPECT_EQ(v.has_value(), c.attendu.has_value()) << c.texte;
        if (v && c.attendu) {
            EXPECT_FLOAT_EQ(*v, *c.attendu) << c.texte;
        }
    }
    EXPECT_EQ(textequantite(0), "");
    EXPECT_EQ(textequantite(1.5f), "1,5");
    EXPECT_EQ(textequantite(0.1f), "0,1");
    EXPECT_EQ(textequantite(1234.5f), "1234,5");
    // A box opened on a very large amount gives it back when committed untouched.
    for (float q : {1e7f, 5e-5f, 3.4e38f, 1234567.f})
        EXPECT_FLOAT_EQ(lirequantite(textequantite(q)).value_or(-1), q) << q;
    EXPECT_FALSE(filtresaisie(QString(), 0, QChar(0x0663))); // an Arabic-Indic digit
}

TEST_F(Tableau, SaisieAvecExposant)
{
    montrer();
    // Typed on the keys: an exponent and its sign pass where they can stand,
    // every other letter or sign is dropped.
    const struct {
        const char* touches;
        const char* vu;
        float quantite;
    } cas[] = {{"2e-3", "2e-3", 2e-3f},
               {"2,5E-3", "2,5E-3", 2.5e-3f},
               {"2.5e+2", "2,5e+2", 250.f},
               {"e-2x", "2", 2.f},
               {"1e2e-", "1e2", 100.f}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.touches);
        ouvrirsaisie(1);
        f->Text2->clear();
        QTest::keyClicks(f->Text2, QString::fromUtf8(c.touches));
        EXPECT_EQ(f->Text2->text(), QString::fromUtf8(c.vu));
        QTest::keyClick(f->Text2, Qt::Key_Return);
        EXPECT_FLOAT_EQ(f->etat.quant[1], c.quantite);
    }
}

TEST_F(Tableau, Curseur)
{
    f->HScroll1->setValue(5000);
    EXPECT_EQ(f->info->text(), "Déplacer le curseur pour modifier l'avancement de la réaction.");
    EXPECT_EQ(premiere(image(), 5, bleu), 50);
    // While the thumb is dragged the value stays behind; the drawing follows the thumb.
    f->HScroll1->setSliderDown(true);
    f->HScroll1->setSliderPosition(10000);
    EXPECT_EQ(f->HScroll1->value(), 5000);
    EXPECT_EQ(f->info->text(), "Déplacer le curseur pour\nmodifier l'avancement de la réaction.");
    EXPECT_EQ(premiere(image(), 5, bleu), 76); // top 75, under a grid line
    f->HScroll1->setSliderDown(false);
    EXPECT_EQ(f->HScroll1->value(), 10000);
    EXPECT_EQ(f->info->text(), "Déplacer le curseur pour modifier l'avancement de la réaction.");
}

TEST_F(Tableau, Animation)
{
    avancement(0);
    image5(2)->click();
    ASSERT_TRUE(f->Timer1->isActive());
    for (int k = 1; k <= 100; ++k) {
        Timer1_Timer(*f);
        ASSERT_EQ(f->HScroll1->value(), std::min(100 * k, 10000)) << k;
    }
    EXPECT_TRUE(f->Timer1->isActive());
    EXPECT_EQ(premiere(image(), 235, bleu), -1); // B used up
    Timer1_Timer(*f);
    EXPECT_FALSE(f->Timer1->isActive());
    EXPECT_EQ(f->HScroll1->value(), 10000);
    // From the final state the animation starts again from the beginning.
    image5(2)->click();
    EXPECT_EQ(f->HScroll1->value(), 0);
    EXPECT_TRUE(f->Timer1->isActive());
    // And the timer itself drives it.
    QTRY_VERIFY_WITH_TIMEOUT(f->HScroll1->value() >= 200, 5000);
    image5(3)->click();
    EXPECT_FALSE(f->Timer1->isActive());
    // A value near the end goes to exactly the end.
    f->HScroll1->setValue(9950);
    Timer1_Timer(*f);
    EXPECT_EQ(f->HScroll1->value(), 10000);
}

TEST_F(Tableau, BoutonsInactifsSansTableau)
{
    avancement(0);
    image5(1)->click();
    EXPECT_EQ(f->HScroll1->value(), 10000);
    f->etat.tableauactif = false; // the equation being edited
    image5(0)->click();
    image5(2)->click();
    EXPECT_EQ(f->HScroll1->value(), 10000);
    EXPECT_FALSE(f->Timer1->isActive());
    f->etat.tableauactif = true;
    f->Picture3->setEnabled(false);
    image5(0)->click();
    EXPECT_EQ(f->HScroll1->value(), 10000);
    // Pause works whatever the state of the table.
    f->Timer1->start();
    image5(3)->click();
    EXPECT_FALSE(f->Timer1->isActive());
    f->Picture3->setEnabled(true);
    image5(0)->click();
    EXPECT_EQ(f->HScroll1->value(), 0);
}

} // namespace
