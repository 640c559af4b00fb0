// The main window under a long run of random clicks, drags and keys on its own
// controls, as a pupil who tries everything would send them. The window must
// neither crash nor leave its workspace in a state the rest of the program
// cannot take: ten slots, the equation on display one of them, amounts that
// are numbers of matter, texts the series file can hold or refuse cleanly.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <cstdio>
#include <deque>
#include <map>
#include <random>
#include <sstream>
#include <string>

#include <sys/stat.h>

#include "app/boite.h"
#include "files/enregistrements.h"
#include "output/feuillef.h"
#include "programme/relier.h"
#include "rtf/rtf.h"
#include "workspace/dessin.h"
#include "workspace/editeur.h"
#include "workspace/espace.h"
#include "workspace/onglets.h"
#include "workspace/series.h"

namespace {

using namespace qm;

// Every window that goes modal or pops up while the run goes on is met from
// the event loop at once. The program's own secondary windows are used a few
// times as a pupil would, with names and files of the run's folder only: the
// open and save windows of series, the exercise menu and browser, the text
// dialogs, the calculator's keys; then they are closed. Anything else (a
// context menu of a scroll bar or of the advice box, the printer dialog) is
// closed at once.
class Gardien {
public:
    Gardien(std::function<int(int)> hasard, QString dossier)
        : entier(std::move(hasard)), ici(std::move(dossier))
    {
        minuterie.setInterval(0);
        QObject::connect(&minuterie, &QTimer::timeout, [this] { agir(); });
        minuterie.start();
    }
    std::map<QString, int> fermees;
    std::map<QString, int> conduites; // actions done in each kind of window

private:
    // The names a pupil types: files of the run's folder (a FIFO among them), a
    // missing one, names that are only an extension or hold dots.
    QString nomauhasard(const char* extension)
    {
        static const char* const noms[] = {"serie",  "bonne", "tube", "etrangere",
                                           "absent", "a.b.c", "",     "x y"};
        return QString::fromLatin1(noms[entier(int(std::size(noms)))]) + QLatin1String(extension);
    }
    template <typename T> T* auhasard(QWidget& w)
    {
        const QList<T*> tous = w.findChildren<T*>();
        return tous.isEmpty() ? nullptr : tous[entier(int(tous.size()))];
    }
    void cliquerfichier(QListWidget* liste, bool double_)
    {
        if (!liste || liste->count() == 0)
            return;
        QListWidgetItem* i = liste->item(entier(liste->count()));
        liste->setCurrentItem(i);
        if (double_)
            emit liste->itemDoubleClicked(i);
        else
            emit liste->itemClicked(i);
    }
    void conduire(QDialog& d)
    {
        const QString nom = d.objectName();
        ++conduites[nom];
        if (nom == QLatin1String("ouvrir")) {
            if (entier(3) == 0)
                d.findChild<QLineEdit*>(QStringLiteral("ficharge"))->setText(ici + "/" + nomauhasard(".C02"));
            else
                cliquerfichier(d.findChild<QListWidget*>(QStringLiteral("File1")), entier(4) == 0);
            if (entier(2) == 0)
                d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        } else if (nom == QLatin1String("enregistrer")) {
            // Always a name of the run's folder: the name proposed may be in the pupil's documents.
            d.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(nomauhasard(entier(2) ? ".C02" : ""));
            d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        } else if (nom == QLatin1String("Fichexo")) {
            cliquerfichier(d.findChild<QListWidget*>(QStringLiteral("File1")), entier(3) == 0);
            if (entier(2) == 0)
                d.findChild<QToolButton*>(QStringLiteral("ouvreur"))->click();
        } else if (nom == QLatin1String("Machine")) {
            for (int k = 0; k < 6; ++k)
                if (QPushButton* b = auhasard<QPushButton>(d))
                    b->click();
        } else if (auto* choix = qobject_cast<QFileDialog*>(&d)) {
            choix->setDirectory(ici);
            if (auto* champ = choix->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                champ->setText(nomauhasard(".rtf"));
            // Later: the dialog may answer with a box of its own, met on a next round.
            QMetaObject::invokeMethod(choix, &QDialog::accept, Qt::QueuedConnection);
        } else {
            d.reject();
        }
    }
    void agir()
    {
        if (occupe)
            return;
        occupe = true;
        if (QWidget* p = QApplication::activePopupWidget()) {
            auto* menu = qobject_cast<QMenu*>(p);
            const QList<QAction*> entrees = menu ? menu->actions() : QList<QAction*>();
            QAction* a = entrees.isEmpty() ? nullptr : entrees[entier(int(entrees.size()))];
            if (menu && menu->objectName() == QLatin1String("optionexo") && a && a->isEnabled() &&
                !a->isSeparator()) {
                ++conduites[QStringLiteral("optionexo ") + a->objectName()];
                menu->setActiveAction(a);
                QTest::keyClick(menu, Qt::Key_Return);
            } else {
                ++fermees[QStringLiteral("popup ") + p->metaObject()->className()];
                p->close();
            }
        }
        if (QWidget* m = QApplication::activeModalWidget(); m && m->isVisible()) {
            auto* d = qobject_cast<QDialog*>(m);
            if (d != derniere) {
                derniere = d;
                actions = 0;
            }
            if (d && actions++ < 4 && entier(4) != 0) {
                conduire(*d);
            } else if (QApplication::activeModalWidget() == m) {
                ++fermees[QStringLiteral("modale ") + m->objectName()];
                if (d)
                    d->reject();
                else
                    m->close();
            }
        }
        occupe = false;
    }
    std::function<int(int)> entier;
    QString ici;
    const QDialog* derniere = nullptr; // the window being used, and the actions done in it
    int actions = 0;
    bool occupe = false;
    QTimer minuterie;
};

// What the equation box may ever hold: the keys it lets through and the
// subscript and superscript markers it adds.
bool textepermis(const std::string& t)
{
    for (const char c : t) {
        const bool permis = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                            std::string_view("+-()=#*").find(c) != std::string_view::npos;
        if (!permis)
            return false;
    }
    return true;
}

// The off-screen platform says so each time a pop-up menu opens: that is no
// fault of the window, and thousands of lines of it would hide the report.
QtMessageHandler suivant = nullptr;
int plateforme = 0;
void filtremessages(QtMsgType type, const QMessageLogContext& contexte, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support"))) {
        ++plateforme;
        return;
    }
    suivant(type, contexte, message);
}

// Balanced equations as a pupil types them: a digit after a letter becomes a
// subscript by itself, "^" is the Up key that asks for a superscript.
const char* const equilibrees[] = {
    "2H2+O2=2H2O",
    "CH4+2O2=CO2+2H2O",
    "N2+3H2=2NH3",
    "2Na+Cl2=2NaCl",
    "Zn+2HCl=ZnCl2+H2",
    "CaCO3=CaO+CO2",
    "Fe2O3+3CO=2Fe+3CO2",
    "Ag^++Cl-=AgCl",
    "Fe^3++3OH-=Fe(OH)3",
    "C3H8+5O2=3CO2+4H2O",
    "Ca(OH)2+2HCl=CaCl2+2H2O",
    // Thirteen species: cut to the first ten, with its message.
    "H+H+H+H+H+H+H+H+H+H+H+H=6H2",
};

long nombreenv(const char* nom, long defaut)
{
    const QByteArray v = qgetenv(nom);
    bool ok = false;
    const long n = v.toLong(&ok);
    return ok && n > 0 ? n : defaut;
}

class Singe : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    std::unique_ptr<FeuilleP> f;
    std::mt19937 hasard{
        static_cast<std::mt19937::result_type>(nombreenv("QUILMARET_SINGE_GRAINE", 20240611))};
    std::map<QString, int> questions; // message boxes by title
    int grilles = 0;
    int bravos = 0;
    int menus = 0;
    int tableaux = 0; // times the table came up in place of the tools
    int saisies = 0;  // times the amount box opened
    long envoyes = 0; // clicks, drags, keys and waits sent
    const long voulus = nombreenv("QUILMARET_SINGE_EVENEMENTS", 100000);
    std::size_t pluslong = 0;        // the longest text seen in the equation box, in bytes
    std::deque<std::string> journal; // the last events, to replay a failure by hand

    void SetUp() override
    {
        ASSERT_TRUE(dossier.isValid());
        installerrepondeur([this](const questionboite& q) {
            ++questions[q.titre];
            switch (q.b) {
            case boutons::ok:
                return reponse::ok;
            case boutons::okannuler:
                return entier(2) ? reponse::ok : reponse::annuler;
            case boutons::ouinon:
                break;
            }
            return entier(2) ? reponse::oui : reponse::non;
        });
        // The open and save windows start on the current folder: the run's.
        QDir::setCurrent(dossier.path());
        preparerdossier();
        f = std::make_unique<FeuilleP>(dossier.path());
        relierfenetres(*f);
        f->fenetreaidequa = [this](const std::vector<lignegrille>&) { ++grilles; };
        f->fenetrebravo = [this] { ++bravos; };
        // The copy and erase menus choose an entry at random, greyed ones included
        // (the program must ignore those), or are dismissed.
        feuillef(*f).montrer = [this](QMenu& m, const QPoint&) -> QAction* {
            ++menus;
            const QList<QAction*> entrees = m.actions();
            const int k = entier(static_cast<int>(entrees.size()) + 1);
            return k < entrees.size() ? entrees[k] : nullptr;
        };
        f->show();
        f->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
        suivant = qInstallMessageHandler(filtremessages);
    }
    void TearDown() override
    {
        qInstallMessageHandler(suivant);
        installerrepondeur({});
        f.reset();
    }

    int entier(int n) { return std::uniform_int_distribution<int>(0, n - 1)(hasard); }

    // What the windows find in the run's folder, which is the program's: a
    // series, a file that is not one, FIFOs where a series, a text and a
    // picture are looked for, an exercise with its statement, series and
    // picture, and one whose names climb out of the folder.
    void preparerdossier()
    {
        const auto ici = [this](const char* nom) {
            return dossier.filePath(QLatin1String(nom)).toStdString();
        };
        serie s;
        s.eqtexte[0] = "CH#4+2O#2=CO#2+2H#2O";
        s.eqquant[0][1] = 1;
        s.eqquant[0][2] = 3;
        ASSERT_EQ(ecrireserie(ici("bonne.C02"), s), erreurserie::aucune);
        QFile etrangere(dossier.filePath(QStringLiteral("etrangere.C02")));
        ASSERT_TRUE(etrangere.open(QIODevice::WriteOnly));
        etrangere.write("QUILMARET mais pas une série");
        etrangere.close();
        for (const char* tube : {"tube.C02", "tube.rtf", "tube.png"})
            ASSERT_EQ(::mkfifo(ici(tube).c_str(), 0666), 0);
        QTextDocument enonce;
        enonce.setPlainText(QStringLiteral("Ajuster la combustion du méthane."));
        ASSERT_TRUE(ecrirefichierrtf(enonce, dossier.filePath(QStringLiteral("enonce.rtf"))));
        std::vector<std::string> exo(15);
        exo[0] = "enonce.rtf";
        exo[1] = "bonne.C02";
        exo[14] = "tube.png";
        ASSERT_TRUE(remplacerenregistrements(ici("methane.E07"), exo));
        ASSERT_TRUE(remplacerenregistrements(ici("dehors.E07"), {"..\\..\\etc\\passwd", "tube.C02"}));
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(hasard); }
    template <typename T, std::size_t N> const T& unde(const T (&choix)[N]) { return choix[entier(int(N))]; }

    void noter(std::string e)
    {
        journal.push_back(std::move(e));
        if (journal.size() > 40)
            journal.pop_front();
    }
    std::string dernierevenements() const
    {
        std::string s;
        for (const std::string& e : journal)
            s += "  " + e + "\n";
        return s;
    }

    // A point of a control, in the window, kept inside the window. The buttons
    // of the top row overlap their right neighbour by their last column.
    QPoint dans(QWidget* w, int marge = 0)
    {
        const QPoint local(entier(std::max(1, w->width() - marge)), entier(std::max(1, w->height())));
        const QPoint p = w->mapTo(f.get(), local);
        return QPoint(std::clamp(p.x(), 0, f->width() - 1), std::clamp(p.y(), 0, f->height() - 1));
    }

    // Mouse events go through the window, which gives them to whatever lies
    // under the pointer: a covered control is not reached.
    void cliquer(const char* nom, QWidget* w, int marge = 0)
    {
        ++envoyes;
        const QPoint p = dans(w, marge);
        const Qt::MouseButton b = chance(0.85) ? Qt::LeftButton : Qt::RightButton;
        QWindow* fenetre = f->windowHandle();
        if (chance(0.05)) {
            noter(std::string("double-clic ") + nom);
            QTest::mouseDClick(fenetre, b, {}, p);
        } else {
            noter(std::string("clic ") + nom + (b == Qt::RightButton ? " droit " : " ") +
                  std::to_string(p.x()) + "," + std::to_string(p.y()));
            QTest::mouseClick(fenetre, b, {}, p);
        }
    }

    void glisser(const char* nom, QWidget* w)
    {
        ++envoyes;
        QWindow* fenetre = f->windowHandle();
        QPoint p = dans(w);
        noter(std::string("glisser ") + nom + " depuis " + std::to_string(p.x()) + "," +
              std::to_string(p.y()));
        QTest::mousePress(fenetre, Qt::LeftButton, {}, p);
        const int pas = 1 + entier(8);
        for (int i = 0; i < pas; ++i) {
            // Drags wander off the control now and then, as hands do.
            p += QPoint(entier(121) - 60, entier(31) - 15);
            p = QPoint(std::clamp(p.x(), 0, f->width() - 1), std::clamp(p.y(), 0, f->height() - 1));
            QTest::mouseMove(fenetre, p);
        }
        QTest::mouseRelease(fenetre, Qt::LeftButton, {}, p);
    }

    // A key goes to the box that has the focus: the box is given it first, as
    // a click on it would.
    void touche(QWidget* boite, const char* nom, Qt::Key k, QChar c, Qt::KeyboardModifiers m = {})
    {
        ++envoyes;
        if (!boite->hasFocus())
            boite->setFocus(Qt::MouseFocusReason);
        noter(std::string("touche ") + nom + " " +
              (c.isNull() ? QKeySequence(k).toString().toStdString() : QString(c).toStdString()));
        if (c.isNull())
            QTest::keyClick(boite, k, m);
        else
            QTest::keyClick(boite, c.toLatin1(), m);
    }

    void toucheequation()
    {
        static const char lettres[] = "HHHOOOCCNSlaeKgMFuPBr";
        static const char signes[] = "0123456789+=()-+=";
        static const Qt::Key touches[] = {Qt::Key_Left,  Qt::Key_Right,     Qt::Key_Home,   Qt::Key_End,
                                          Qt::Key_Up,    Qt::Key_Down,      Qt::Key_Delete, Qt::Key_Backspace,
                                          Qt::Key_Enter, Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Left};
        const int genre = entier(10);
        if (genre < 4)
            touche(f->Text1, "Text1", Qt::Key_unknown, QLatin1Char(lettres[entier(int(sizeof lettres) - 1)]));
        else if (genre < 7)
            touche(f->Text1, "Text1", Qt::Key_unknown, QLatin1Char(signes[entier(int(sizeof signes) - 1)]));
        else if (genre < 9)
            touche(f->Text1, "Text1", unde(touches), QChar());
        else // a modifier cancels the key
            touche(f->Text1, "Text1 maj", unde(touches), QChar(), Qt::ShiftModifier);
    }

    void touchequantite()
    {
        static const char caracteres[] = "0123456789,,..Ee+-a";
        static const Qt::Key touches[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Enter, Qt::Key_Return,
                                          Qt::Key_Left,      Qt::Key_Right,  Qt::Key_Home,  Qt::Key_End};
        if (chance(0.7))
            touche(f->Text2, "Text2", Qt::Key_unknown,
                   QLatin1Char(caracteres[entier(int(sizeof caracteres) - 1)]));
        else if (chance(0.95))
            touche(f->Text2, "Text2", unde(touches), QChar());
        else
            touche(f->Text2, "Text2 coller", Qt::Key_V, QChar(), Qt::ControlModifier);
    }

    void touchecurseur()
    {
        static const Qt::Key touches[] = {Qt::Key_Left, Qt::Key_Right,  Qt::Key_Home,
                                          Qt::Key_End,  Qt::Key_PageUp, Qt::Key_PageDown};
        touche(f->HScroll1, "HScroll1", unde(touches), QChar());
    }

    // The box emptied key by key, then a whole balanced equation typed in.
    void taperequation()
    {
        touche(f->Text1, "Text1", Qt::Key_End, QChar());
        for (int i = 0; i < 400 && !f->Text1->text().isEmpty(); ++i)
            touche(f->Text1, "Text1", Qt::Key_Backspace, QChar());
        for (const char* c = unde(equilibrees); *c; ++c) {
            if (*c == '^')
                touche(f->Text1, "Text1", Qt::Key_Up, QChar());
            else
                touche(f->Text1, "Text1", Qt::Key_unknown, QLatin1Char(*c));
        }
        // Enter asks for the table.
        if (chance(0.7))
            touche(f->Text1, "Text1", Qt::Key_Enter, QChar());
    }

    bool outilscaches = false;
    bool saisieouverte = false;

    // One random action on the window's controls.
    void evenement()
    {
        const int tirage = entier(1000);
        if (tirage < 380) {
            toucheequation();
        } else if (tirage < 470) {
            if (f->Text2->isVisible())
                touchequantite();
            else
                cliquer("Picture3 bande", f->Picture3); // may open the amount box
        } else if (tirage < 520) {
            cliquer("Picture2", f->Picture2);
        } else if (tirage < 540) {
            glisser("Picture2", f->Picture2);
        } else if (tirage < 610) {
            cliquer("Picture3", f->Picture3);
        } else if (tirage < 630) {
            glisser("Picture3", f->Picture3);
        } else if (tirage < 665) {
            cliquer("HScroll1", f->HScroll1);
        } else if (tirage < 700) {
            glisser("HScroll1", f->HScroll1);
        } else if (tirage < 715) {
            touchecurseur();
        } else if (tirage < 745) {
            cliquer("onglets", f->onglets);
        } else if (tirage < 785) {
            QCheckBox* cases[] = {f->final, f->conso, f->COLORSTO, f->opti, f->opte};
            QCheckBox* c = unde(cases);
            cliquer(c->objectName().toLatin1().constData(), c);
        } else if (tirage < 860) {
            const int i = entier(10);
            cliquer(("numeq " + std::to_string(i + 1)).c_str(), f->numeq[static_cast<std::size_t>(i)]);
        } else if (tirage < 900) {
            const int i = entier(4);
            cliquer(("Image5 " + std::to_string(i)).c_str(), f->Image5[static_cast<std::size_t>(i)]);
        } else if (tirage < 960) {
            QPushButton* boutons[] = {f->valideur, f->Command14, f->fleche};
            QPushButton* b = unde(boutons);
            cliquer(b->objectName().toLatin1().constData(), b);
        } else if (tirage < 980) {
            const char* noms[] = {"Command4", "Command12", "Command13"};
            const char* nom = unde(noms);
            cliquer(nom, f->commandes.at(QString::fromLatin1(nom)), 1);
        } else if (tirage < 984) {
            // "&Ouvrir", "&Enregistrer", "&Calculatrice" and the exercise menu:
            // their windows are used by the keeper of the run.
            const char* noms[] = {"Command2", "Command11", "Command8", "BTEXO"};
            const char* nom = unde(noms);
            QWidget* b = std::string_view(nom) == "BTEXO" ? static_cast<QWidget*>(f->BTEXO)
                                                          : f->commandes.at(QString::fromLatin1(nom));
            cliquer(nom, b, 1);
        } else if (tirage < 995 && voulus - envoyes > 450) {
            taperequation(); // at most 400 keys to empty the box and the equation's own
        } else {
            // Time for the animation to take a step or two.
            ++envoyes;
            noter("attente");
            QTest::qWait(12);
        }
        QCoreApplication::processEvents();
        if (f->outilequa->isHidden() && !outilscaches)
            ++tableaux;
        outilscaches = f->outilequa->isHidden();
        if (f->Text2->isVisible() && !saisieouverte)
            ++saisies;
        saisieouverte = f->Text2->isVisible();
        pluslong = std::max(pluslong, static_cast<std::size_t>(f->Text1->text().toUtf8().size()));
    }

    ::testing::AssertionResult coherent() const
    {
        std::ostringstream faute;
        const etatfeuille& e = f->etat;
        if (e.numcourant < 0 || e.numcourant > 9)
            faute << "numcourant " << e.numcourant << "; ";
        else if (!f->numeq[static_cast<std::size_t>(e.numcourant)]->isChecked())
            faute << "le bouton de l'équation " << e.numcourant + 1 << " n'est pas coché; ";
        int cochees = 0;
        for (const QRadioButton* b : f->numeq)
            cochees += b->isChecked();
        if (cochees != 1)
            faute << cochees << " boutons d'équation cochés; ";
        const auto quantitecorrecte = [](float q) { return std::isfinite(q) && q >= 0; };
        for (std::size_t j = 1; j <= 11; ++j)
            if (!quantitecorrecte(e.quant[j]))
                faute << "quant[" << j << "] = " << e.quant[j] << "; ";
        for (std::size_t k = 0; k < e.eqquant.size(); ++k)
            for (std::size_t j = 1; j <= 11; ++j)
                if (!quantitecorrecte(e.eqquant[k][j]))
                    faute << "eqquant[" << k << "][" << j << "] = " << e.eqquant[k][j] << "; ";
        for (std::size_t k = 0; k < 10; ++k)
            if (!textepermis(e.eqtexte[k]))
                faute << "eqtexte[" << k << "] = \"" << e.eqtexte[k] << "\"; ";
        if (!textepermis(f->Text1->text().toStdString()))
            faute << "Text1 = \"" << f->Text1->text().toStdString() << "\"; ";
        const QScrollBar* s = f->HScroll1;
        if (s->minimum() != 0 || s->maximum() != 10000 || s->value() < 0 || s->value() > 10000 ||
            s->sliderPosition() < 0 || s->sliderPosition() > 10000)
            faute << "HScroll1 " << s->minimum() << ".." << s->maximum() << " à " << s->value() << "/"
                  << s->sliderPosition() << "; ";
        if (e.occupe != 0)
            faute << "une correction de l'équation est restée en cours; ";
        if (f->valideur->isEnabled() == f->fleche->isEnabled())
            faute << "valideur et flèche ensemble " << (f->fleche->isEnabled() ? "actifs" : "inactifs")
                  << "; ";
        if (e.colsaisie < 0 || e.colsaisie > 11)
            faute << "colsaisie " << e.colsaisie << "; ";
        if (e.nbcolonnes < 0 || e.nbcolonnes > 11)
            faute << "nbcolonnes " << e.nbcolonnes << "; ";
        if (!(e.modeaffichage == 0 || e.modeaffichage == 100 ||
              (e.modeaffichage >= 1 && e.modeaffichage <= 10)))
            faute << "modeaffichage " << e.modeaffichage << "; ";
        if (!f->isVisible())
            faute << "la fenêtre s'est fermée; ";
        if (faute.str().empty())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << faute.str() << "\nderniers événements :\n"
                                             << dernierevenements();
    }
};

TEST_F(Singe, CentMilleEvenementsAuHasard)
{
    Gardien gardien([this](int n) { return entier(n); }, dossier.path());
    const long limite = nombreenv("QUILMARET_SINGE_SECONDES", 60) * 1000;
    QElapsedTimer chrono;
    chrono.start();
    long prochaine = 100;
    while (envoyes < voulus && chrono.elapsed() < limite) {
        evenement();
        if (envoyes >= prochaine) {
            ASSERT_TRUE(coherent()) << "après " << envoyes << " événements";
            prochaine = envoyes + 100;
        }
    }
    const long faits = envoyes;
    ASSERT_TRUE(coherent()) << "après " << faits << " événements";

    // The equation on display goes into its slot as a switch stores it; the
    // ten slots are then saved. A text the file cannot hold makes the save
    // fail with its error and leave no file; otherwise the file gives back
    // exactly the texts.
    choisirequation(*f, f->etat.numcourant);
    ASSERT_TRUE(coherent());
    bool tousentrent = true;
    for (const std::string& t : f->etat.eqtexte)
        tousentrent = tousentrent && coderenregistrement(t).has_value();
    f->etat.nomfichier = dossier.filePath(QStringLiteral("SINGE.C02"));
    const erreurserie sauvee = ecrireserie(*f);
    EXPECT_EQ(sauvee, tousentrent ? erreurserie::aucune : erreurserie::ecriture);
    if (sauvee == erreurserie::aucune) {
        const lectureserie relue = lireserie(f->etat.nomfichier.toStdString());
        ASSERT_EQ(relue.erreur, erreurserie::aucune);
        EXPECT_EQ(relue.contenu.eqtexte, f->etat.eqtexte);
    } else {
        EXPECT_FALSE(QFile::exists(f->etat.nomfichier));
    }

    int boites = 0;
    for (const auto& [titre, n] : questions)
        boites += n;
    int fermees = 0;
    for (const auto& [nom, n] : gardien.fermees)
        fermees += n;
    std::printf(
        "[ singe    ] %ld événements en %.1f s ; %d messages, %d grilles, %d bravos, %d tableaux, "
        "%d saisies de quantité, %d menus, %d fenêtres fermées ; équation la plus longue : %zu octets\n",
        faits, chrono.elapsed() / 1000.0, boites, grilles, bravos, tableaux, saisies, menus, fermees,
        pluslong);
    for (const auto& [titre, n] : questions)
        std::printf("[ singe    ]   message « %s » : %d\n", titre.toUtf8().constData(), n);
    for (const auto& [nom, n] : gardien.fermees)
        std::printf("[ singe    ]   fermé : %s : %d\n", nom.toUtf8().constData(), n);
    for (const auto& [nom, n] : gardien.conduites)
        std::printf("[ singe    ]   utilisé : %s : %d\n", nom.toUtf8().constData(), n);
    std::printf("[ singe    ]   avis de la plateforme hors écran (menus surgissants) : %d\n", plateforme);
    RecordProperty("evenements", static_cast<int>(faits));
    // The run must have reached both outcomes of the checker, the table and the
    // amount box, or it proved little.
    EXPECT_GT(grilles, 0);
    EXPECT_GT(bravos, 0);
    EXPECT_GT(tableaux, 0);
    EXPECT_GT(saisies, 0);
    EXPECT_GT(faits, 1000);
    // And the secondary windows were used, not only opened.
    for (const char* fenetre : {"ouvrir", "enregistrer", "Machine", "Fichexo"})
        EXPECT_GT(gardien.conduites[QString::fromLatin1(fenetre)], 0) << fenetre;
}

} // namespace
