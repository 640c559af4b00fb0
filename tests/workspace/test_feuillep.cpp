#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>

#include <fstream>

#include "app/boite.h"
#include "app/initialisation.h"
#include "files/enregistrements.h"
#include "impression.h"
#include "workspace/cadre.h"
#include "workspace/feuillep.h"

namespace {

using namespace qm;

std::string enregistrement(const QTemporaryDir& d, int n)
{
    const auto r = lireenregistrements(d.filePath(QStringLiteral("TEMP1S.TMP")).toStdString(), n, n);
    return r ? r->front() : std::string("<illisible>");
}

// Answers every message box with the next answer of a list, noting the questions.
struct repondeurliste {
    std::vector<reponse> reponses;
    std::vector<questionboite> questions;
    void installer()
    {
        installerrepondeur([this](const questionboite& q) {
            questions.push_back(q);
            if (reponses.empty())
                return reponse::annuler;
            const reponse r = reponses.front();
            reponses.erase(reponses.begin());
            return r;
        });
    }
    ~repondeurliste() { installerrepondeur({}); }
};

class Feuille : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    std::unique_ptr<FeuilleP> f;
    void SetUp() override
    {
        ASSERT_TRUE(dossier.isValid());
        f = std::make_unique<FeuilleP>(dossier.path());
    }
    template <typename T> T* controle(const char* nom) { return f->findChild<T*>(QString::fromUtf8(nom)); }
};

TEST_F(Feuille, Cadre)
{
    EXPECT_EQ(f->objectName(), "feuilleP");
    EXPECT_EQ(f->windowTitle(), "Quilmaret");
    EXPECT_EQ(f->size(), QSize(800, 600));
    const struct {
        const char* nom;
        const char* legende;
        const char* bulle;
        int x, largeur;
    } boutons[] = {
        {"Command12", "&Nouveau", "Nouvelle équation-bilan", 0, 89},
        {"Command2", "&Ouvrir", "Retrouver une série d'équations", 88, 89},
        {"Command11", "&Enregistrer", "Enregistrer la série de réactions", 176, 89},
        {"Command4", "Co&pier", "Placer dans le presse-papiers", 264, 89},
        {"Command13", "Co&ller", "Retrouver le presse-papiers", 352, 89},
        {"Command10", "&Imprimer", "Configurer l'imprimante et imprimer", 440, 89},
        {"Command8", "&Calculatrice", "Machine à calculer", 528, 97},
        {"Command7", "&Aide", "Aide pour utiliser cette application", 624, 89},
        {"Command1", "&Fermer", "Quitter cette application", 712, 89},
    };
    for (const auto& b : boutons) {
        SCOPED_TRACE(b.nom);
        auto* k = controle<QToolButton>(b.nom);
        ASSERT_NE(k, nullptr);
        EXPECT_EQ(k->text(), QString::fromUtf8(b.legende));
        EXPECT_EQ(k->toolTip(), QString::fromUtf8(b.bulle));
        EXPECT_EQ(k->geometry(), QRect(b.x, 0, b.largeur, 41));
        EXPECT_EQ(k->isEnabled(), std::string(b.nom) != "Command13");
    }
    EXPECT_EQ(controle<QWidget>("Onglets")->geometry(), QRect(8, 312, 409, 233));
    EXPECT_EQ(controle<QLineEdit>("fich")->geometry(), QRect(424, 312, 361, 19));
    EXPECT_EQ(controle<QTextEdit>("supertext")->geometry(), QRect(424, 331, 361, 214));
    EXPECT_EQ(controle<QLabel>("info")->geometry(), QRect(520, 272, 233, 33));
    const QPalette pf = controle<QLineEdit>("fich")->palette();
    EXPECT_EQ(pf.color(QPalette::Base), QColor(128, 0, 0));
    EXPECT_EQ(pf.color(QPalette::Text), QColor(Qt::white));
    ASSERT_NE(controle<QToolButton>("BTEXO"), nullptr);
    // Every control stays inside the client area (the last button of the top
    // row reaches one pixel beyond it, as the row's positions give it).
    for (QWidget* w : f->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!w->isWindow()) {
            EXPECT_TRUE(QRect(0, 0, 801, 600).contains(w->geometry())) << w->objectName().toStdString();
        }
    }
}

TEST_F(Feuille, BoutonsDesEquations)
{
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        auto* b = controle<QRadioButton>(QStringLiteral("numeq_%1").arg(i).toUtf8().constData());
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), QString::number(i + 1));
        EXPECT_EQ(b->palette().color(QPalette::WindowText), QColor(Qt::black));
        // The colour reaches the screen: the button's face right of its caption.
        const QImage vu = b->grab().toImage();
        EXPECT_EQ(vu.pixelColor(vu.width() - 3, vu.height() / 2), QColor(255, 255 - 9 * i, 180));
    }
    EXPECT_EQ(controle<QRadioButton>("numeq_9")->toolTip(), "Equation chimique n° 10");
    EXPECT_EQ(controle<QRadioButton>("numeq_0")->toolTip(), "Equation chimique n° 1");
}

TEST_F(Feuille, Demarrage)
{
    EXPECT_EQ(enregistrement(dossier, 9), "OUI");
    EXPECT_EQ(f->etat.numcourant, 0);
    EXPECT_EQ(controle<QLabel>("info")->text(),
              "Vous pouvez modifier les paramètres,\nouvrir une série d'équations ou un exercice");
    EXPECT_EQ(f->etat.messagecopie,
              "L'image est copiée: vous pouvez la retrouver depuis toute application Windows (coller)");
    EXPECT_TRUE(controle<QPlainTextEdit>("Text3")->toPlainText().startsWith(
        "Pour écrire l'équation chimique de la réaction, vous pouvez utiliser les flèches (haut et bas) ou "
        "cocher les options indice / exposant.\nLe tableau d'avancement ne peut être obtenu que si"));
    EXPECT_TRUE(controle<QLineEdit>("fich")->text().isEmpty());
    // The element table, then its masses with the molar-mass list, last.
    EXPECT_EQ(f->etat.elements.symbole[103], "Lw");
    EXPECT_DOUBLE_EQ(f->etat.elements.masse[17], 35.5);
    EXPECT_EQ(controle<QListWidget>("List1")->count(), 103);
    EXPECT_EQ(controle<QListWidget>("List1")->item(0)->text(), "  hydrogene (H)          1,0");
    // The display options start as the table expects them.
    ASSERT_NE(f->final, nullptr);
    EXPECT_TRUE(f->final->isChecked());
    EXPECT_FALSE(f->conso->isChecked());
    EXPECT_TRUE(f->COLORSTO->isChecked());
}

TEST_F(Feuille, TexteDAccueil)
{
    const QTextDocument* d = controle<QTextEdit>("supertext")->document();
    QString attendu;
    for (const morceau& m : accueilmorceaux())
        attendu += m.texte;
    EXPECT_EQ(d->toPlainText(), attendu);
    EXPECT_EQ(accueilmorceaux().size(), 19u);

    const QTextBlock titre = d->firstBlock();
    EXPECT_EQ(titre.text(), "Quilmaret");
    EXPECT_EQ(titre.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextCharFormat ft = titre.begin().fragment().charFormat();
    EXPECT_EQ(ft.foreground().color(), QColor(0, 0, 200));
    EXPECT_EQ(ft.font().pixelSize(), 24);
    EXPECT_EQ(titre.next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

    // Each piece carries its style.
    const auto formatde = [&](const QString& mot) {
        const int pos = d->toPlainText().indexOf(mot);
        QTextCursor c(const_cast<QTextDocument*>(d));
        c.setPosition(pos + 1);
        return c.charFormat();
    };
    EXPECT_TRUE(formatde("Rien ne se perd").fontItalic());
    EXPECT_EQ(formatde("écrire").foreground().color(), QColor(0, 0, 200));
    EXPECT_EQ(formatde("Prise en main").foreground().color(), QColor(0, 0, 200));
    const QTextCharFormat simple = formatde("Cette application");
    EXPECT_FALSE(simple.fontItalic());
    EXPECT_EQ(simple.foreground().color(), QColor(Qt::black));
    EXPECT_EQ(simple.font().pixelSize(), 13);
}

TEST(Cadre, RegleDeTaille)
{
    EXPECT_EQ(regletaille(QRect(0, 0, 1024, 768), QSize(800, 600)), QRect(112, 84, 800, 600));
    EXPECT_EQ(regletaille(QRect(0, 0, 851, 700), QSize(800, 600)), QRect(25, 50, 800, 600));
    EXPECT_EQ(regletaille(QRect(0, 0, 850, 700), QSize(800, 600)), std::nullopt);
    EXPECT_EQ(regletaille(QRect(0, 0, 800, 600), QSize(640, 480)), std::nullopt);
}

TEST_F(Feuille, TailleSelonLEcran)
{
    // A narrow screen changes nothing: the window may be resized.
    f->show();
    f->appliquertaille(QRect(0, 0, 800, 600));
    f->resize(500, 400);
    QTest::qWait(20);
    EXPECT_EQ(f->size(), QSize(500, 400));

    // A wide one puts it back at 800 x 600 in the middle, in its normal state.
    f->setWindowState(Qt::WindowMaximized);
    f->appliquertaille(QRect(0, 0, 1024, 768));
    EXPECT_EQ(f->windowState(), Qt::WindowNoState);
    EXPECT_EQ(f->size(), QSize(800, 600));
    EXPECT_EQ(f->minimumSize(), f->maximumSize());
    EXPECT_EQ(f->pos(),
              QPoint((1024 - f->frameGeometry().width()) / 2, (768 - f->frameGeometry().height()) / 2));
}

TEST_F(Feuille, Fermeture)
{
    repondeurliste r;
    r.installer();

    // Cancel at the only question keeps the window.
    r.reponses = {reponse::annuler};
    EXPECT_FALSE(f->close());
    ASSERT_EQ(r.questions.size(), 1u);
    EXPECT_EQ(r.questions[0].texte, "Quitter vraiment ce simulateur ?");
    EXPECT_EQ(r.questions[0].titre, "Fermer");
    EXPECT_EQ(r.questions[0].i, icone::question);
    EXPECT_EQ(r.questions[0].b, boutons::okannuler);
    EXPECT_EQ(enregistrement(dossier, 9), "OUI");

    // Unsaved text: its question first; cancelling it leaves the second unasked.
    r.questions.clear();
    f->etat.textemodifie = 1;
    r.reponses = {reponse::annuler};
    EXPECT_FALSE(f->close());
    ASSERT_EQ(r.questions.size(), 1u);
    EXPECT_EQ(r.questions[0].texte, "Attention: perte des modifications du texte.");
    EXPECT_EQ(r.questions[0].titre, "Abandon des données?");

    r.questions.clear();
    r.reponses = {reponse::ok, reponse::ok};
    EXPECT_TRUE(f->close());
    EXPECT_EQ(r.questions.size(), 2u);
    EXPECT_EQ(enregistrement(dossier, 9), "NON");
}

TEST_F(Feuille, FermetureNeToucheQueSonEnregistrement)
{
    const std::string chemin = dossier.filePath(QStringLiteral("TEMP1S.TMP")).toStdString();
    for (int n = 1; n <= 40; ++n)
        if (n != 9)
            ecrireenregistrement(chemin, n, "autre " + std::to_string(n));
    repondeurliste r;
    r.installer();
    r.reponses = {reponse::ok};
    EXPECT_TRUE(f->close());
    const auto tout = lireenregistrements(chemin, 1, 40);
    ASSERT_TRUE(tout);
    for (int n = 1; n <= 40; ++n)
        EXPECT_EQ((*tout)[static_cast<std::size_t>(n - 1)], n == 9 ? "NON" : "autre " + std::to_string(n));
}

TEST_F(Feuille, DemandeDExercice)
{
    const std::string chemin = dossier.filePath(QStringLiteral("TEMP1S.TMP")).toStdString();
    QStringList ouverts;
    bool ouvre = false;
    f->ouvrirexercice = [&](const QString& p) {
        ouverts << p;
        return ouvre;
    };

    ecrireenregistrement(chemin, 31, "   ");
    f->demandeexercice();
    EXPECT_TRUE(ouverts.isEmpty());
    EXPECT_EQ(enregistrement(dossier, 31), "");
    EXPECT_EQ(f->etat.exerciceouvert, 0);

    // An exercise that fails to open offers no correction.
    ecrireenregistrement(chemin, 31, "exercices/absent.E07");
    f->demandeexercice();
    EXPECT_EQ(ouverts, QStringList{dossier.path() + "/exercices/absent.E07"});
    EXPECT_EQ(f->etat.exerciceouvert, 0);

    ouvre = true;
    ouverts.clear();
    ecrireenregistrement(chemin, 31, "exercices/acides.E07");
    f->demandeexercice();
    EXPECT_EQ(ouverts, QStringList{dossier.path() + "/exercices/acides.E07"});
    EXPECT_EQ(enregistrement(dossier, 31), "");
    EXPECT_EQ(f->etat.exerciceouvert, 1);
    f->demandeexercice(); // served once
    EXPECT_EQ(ouverts.size(), 1);
    EXPECT_EQ(enregistrement(dossier, 9), "OUI");
}

// What the window system sends when the pointer moves over a control.
void survoler(QWidget* w, QPoint p = {10, 10})
{
    QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

TEST_F(Feuille, LigneDAide)
{
    auto* info = controle<QLabel>("info");
    survoler(controle<QWidget>("Command2"));
    EXPECT_EQ(info->text(), "En appuyant sur le bouton Ouvrir, vous pouvez retrouver une série d'équations");
    survoler(controle<QWidget>("numeq_4"));
    EXPECT_EQ(info->text(), "Utiliser les boutons numérotés pour changer d'équation");
    survoler(controle<QWidget>("Onglets"));
    EXPECT_EQ(info->text(), "Cliquer sur un onglet pour l'afficher");

    // Right after a copy the copy button leaves its message in place.
    info->setText(f->etat.messagecopie);
    survoler(controle<QWidget>("Command4"));
    EXPECT_EQ(info->text(), f->etat.messagecopie);
    survoler(controle<QWidget>("Command8"));
    EXPECT_EQ(info->text(), "En appuyant sur le bouton Calculatrice, vous activerez la machine à calculer");
    survoler(controle<QWidget>("Command4"));
    EXPECT_EQ(info->text(),
              "Copier pour placer le dessin dans le presse- papiers puis coller depuis Word, Paint...");
    survoler(f.get(), {3, 150});
    EXPECT_EQ(info->text(), aidefond());
    // A control without a help text leaves the line as it was.
    survoler(controle<QWidget>("Command12"));
    EXPECT_EQ(info->text(), aidefond());
    // The advancement cursor's caption has its help.
    survoler(controle<QLabel>("Label4"));
    EXPECT_EQ(info->text(), "Déplacer le curseur pour modifier l'avancement de la réaction.");
}

TEST_F(Feuille, LigneDAideLisibleEnEntier)
{
    auto* info = controle<QLabel>("info");
    const QSize place = info->contentsRect().adjusted(2, 1, -2, -1).size();
    QStringList textes{aidefond(), f->etat.messagecopie,
                       "Vous devez cliquer sous un réactif pour saisir la quantité de matière initiale"};
    for (const char* nom : {"Onglets", "BTEXO", "Command1", "Command10", "Command11", "Command13", "Command2",
                            "Command4", "Command7", "Command8", "Label4", "numeq", "outilequa", "Picture2"})
        textes << aidecontrole(QString::fromLatin1(nom));
    for (const QString& t : textes) {
        SCOPED_TRACE(t.toStdString());
        const QFont p = policeajustee(t, place, info->font());
        EXPECT_GE(p.pixelSize(), 8);
        const QRect r = QFontMetrics(p).boundingRect(QRect(QPoint(0, 0), place), Qt::TextWordWrap, t);
        EXPECT_TRUE(QRect(QPoint(0, 0), place).contains(r));
    }
    // The longest, painted from the top, its last line above the frame.
    survoler(controle<QWidget>("BTEXO"));
    const QImage vu = info->grab().toImage();
    const QColor fond = vu.pixelColor(vu.width() - 3, vu.height() - 3);
    int premiere = -1, derniere = -1;
    for (int y = 1; y < vu.height() - 1; ++y)
        for (int x = 1; x < vu.width() - 1; ++x)
            if (vu.pixelColor(x, y) != fond) {
                premiere = premiere < 0 ? y : premiere;
                derniere = y;
            }
    EXPECT_GE(premiere, 2);
    EXPECT_LE(premiere, 5);
    EXPECT_LE(derniere, vu.height() - 3);
}

TEST_F(Feuille, BoiteDeLEquationInvisible)
{
    // The raw equation box has the keyboard and its caret, but what the
    // window shows there is the equation picture.
    f->show();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    auto* text1 = controle<QLineEdit>("Text1");
    text1->setFocus();
    text1->setText(QStringLiteral("H#2O"));
    ASSERT_TRUE(text1->hasFocus());
    auto* picture2 = controle<QWidget>("Picture2");
    const QRect zone = text1->geometry();
    EXPECT_TRUE(picture2->geometry().contains(zone));
    const QImage vu = f->grab(zone).toImage();
    const QImage attendu = picture2->grab(zone.translated(-picture2->pos())).toImage();
    EXPECT_EQ(vu.convertToFormat(QImage::Format_RGB32), attendu.convertToFormat(QImage::Format_RGB32));
}

TEST_F(Feuille, FondPeint)
{
    const QImage image = f->grab().toImage();
    // The gradient, where no control covers it.
    for (int y : {60, 150, 300, 599}) {
        SCOPED_TRACE(y);
        EXPECT_EQ(image.pixelColor(3, y), couleurfond(y));
    }
    EXPECT_EQ(couleurfond(0), QColor(255, 255, 255));
    EXPECT_EQ(couleurfond(600), QColor(200, 200, 180));
    EXPECT_EQ(couleurfond(300), QColor(228, 228, 218)); // 227.5 and 217.5, halves to even
    // The drop shadow shows on the right of and under the text area.
    EXPECT_EQ(image.pixelColor(787, 400), QColor(128, 128, 128));
    EXPECT_EQ(image.pixelColor(600, 547), QColor(128, 128, 128));
    EXPECT_NE(image.pixelColor(789, 400), QColor(128, 128, 128));
    // The caption's two colours.
    bool bleu = false;
    for (int x = 120; x < 220 && !bleu; ++x)
        for (int y = 276; y < 300 && !bleu; ++y)
            bleu = image.pixelColor(x, y) == QColor(0, 0, 220);
    EXPECT_TRUE(bleu);
}

TEST(Polices, FacesDeSubstitution)
{
    const struct {
        const char* nom;
        const char* face;
    } faces[] = {{"Arial", "Liberation Sans"},
                 {"MS Sans Serif", "Liberation Sans"},
                 {"Times New Roman", "Liberation Serif"},
                 {"Courier New", "Liberation Mono"},
                 {"Symbol", "DejaVu Sans"}};
    for (const auto& f : faces) {
        SCOPED_TRACE(f.nom);
        EXPECT_EQ(QFontInfo(police(QString::fromUtf8(f.nom), 12)).family(), QString::fromUtf8(f.face));
    }
    EXPECT_EQ(police(QStringLiteral("Arial"), 12).pixelSize(), 16);
    EXPECT_EQ(police(QStringLiteral("Arial"), 8).pixelSize(), 11);
    EXPECT_EQ(police(QStringLiteral("Arial"), 18).pixelSize(), 24);
    EXPECT_EQ(QLocale().decimalPoint(), ",");
}

} // namespace
