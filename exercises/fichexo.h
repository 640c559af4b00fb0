#pragma once

#include <QDialog>
#include <QString>

#include <array>

#include "files/fenetres.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidgetItem;
class QMenu;
class QPlainTextEdit;
class QToolButton;

namespace qm {

class FeuilleP;

// The strip across the top of the browser, its title painted letter by letter.
class Tito : public QWidget {
public:
    explicit Tito(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Paints the strip: background, then "Ouvrir un exercice" from x = 30 in
// letters fading from pale yellow to white.
void peindretito(QPainter& p, QSize taille);

// The exercise browser "Ouvrir un exercice", and the exercise menu it carries
// for the main window. Built anew each time; it takes the main window's place.
class Fichexo : public QDialog {
public:
    explicit Fichexo(FeuilleP& f);

    FeuilleP& feuille;

    Tito* tito = nullptr;
    QToolButton* ouvreur = nullptr;
    QToolButton* Image5 = nullptr;
    QFrame* Frame1 = nullptr;
    listesfichiers listes; // Drive1, Dir1, File1
    QLabel* Label5 = nullptr;
    QLineEdit* fichierexo = nullptr;
    QLabel* titratexo = nullptr;
    QLabel* Label4 = nullptr;
    std::array<QLabel*, 3> Image4{};
    QLabel* Imagalu = nullptr;
    QLabel* Imagenoir = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QLabel* intratro = nullptr;
    QFrame* Frame2 = nullptr;

    // The folder of the file chosen, whose statement and series names it
    // holds; it becomes the main window's exercise folder only when the
    // exercise is opened.
    QString dossierchoisi;

    // The exercise menu, popped up under the main window's exercise button.
    QMenu* optionexo = nullptr;
    QAction* PRISENMAIN = nullptr;
    QAction* openexo = nullptr;
    QAction* opencor = nullptr;
    QAction* savetexte = nullptr;
    QAction* opentexte = nullptr;
    QAction* imprimetexte = nullptr;
    QAction* Closexo = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;
};

void Fichexo_Load(Fichexo& w);
void Fichexo_Activate(Fichexo& w);
void File1_Click(Fichexo& w, QListWidgetItem* item);
// The file list moved to another folder: nothing stays previewed.
void File1_PathChange(Fichexo& w);
void apercu(Fichexo& w);
void ouvreur_Click(Fichexo& w);
void Image5_Click(Fichexo& w);

// The exercise menu's entries.
void reglermenu(Fichexo& w); // enables "Voir la correction" and "Fermer l'exercice"
void PRISENMAIN_Click(Fichexo& w);
void openexo_Click(Fichexo& w);
void Closexo_Click(Fichexo& w);
void opencor_Click(Fichexo& w);
void savetexte_Click(Fichexo& w);
void opentexte_Click(Fichexo& w);
void imprimetexte_Click(Fichexo& w);

// Before anything replaces the exercise text: true to go on (nothing to lose,
// or the pupil accepts to lose it).
bool pertemodifications(FeuilleP& f);

// Loads a rich-text file into the main window's text box; false when missing,
// no regular file, unreadable, not RTF or too large (the text is left as it
// was then).
bool chargertexte(FeuilleP& f, const QString& chemin);

// The main window's exercise button: the menu, under the button; the entry
// chosen runs once the menu is closed.
void BTEXO_Click(FeuilleP& f);

// An exercise asked for by the companion program: its full path. True when
// its statement was opened.
bool ouvrirexercice(FeuilleP& f, const QString& chemin);

} // namespace qm
