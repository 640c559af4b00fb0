#pragma once

#include <QDialog>
#include <QImage>

#include <functional>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace qm {

class FeuilleP;

// The printer of the session: the system's current printer, or a PDF file
// where no printer is installed. What the set-up dialog chooses stays chosen
// until the program ends; tests point it at a PDF file of their own.
QPrinter& imprimante();

// The name shown for a printer: its own, or the file it writes.
QString nomimprimante(const QPrinter& p);

// One page per copy, in one job, across the page, the picture's top-left
// corner at a tenth of the printable width and a twentieth of its height, a
// screen pixel of the picture staying a screen pixel on paper, its colours
// kept exactly (no lossy compression, no smoothing). The printer's
// orientation is given back afterwards. Returns false when the printer
// could not be opened; nothing is reported.
bool imprimer(QPrinter& p, const QImage& image, int exemplaires);

// The print window "Imprimer".
class Confimp : public QDialog {
public:
    explicit Confimp(FeuilleP& f);

    FeuilleP& feuille;
    QLabel* Label2 = nullptr;
    QLineEdit* defaut = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QSpinBox* UpDown1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QFrame* Frame2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;

    // Under the design's controls: the series handout and the header line.
    QGroupBox* Frame3 = nullptr;
    QCheckBox* serie = nullptr;
    QCheckBox* entete = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* titre = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* nom = nullptr;
    QLabel* date = nullptr;
};

// The title of the exercise whose file the main window's title bar `fich`
// names; empty when none is open (or a pupil's text is shown).
QString titreexercice(const QString& fich);

void confimp_Load(Confimp& d);
void UpDown1_Change(Confimp& d);
void entete_Click(Confimp& d);   // the header's fields follow the box
void Command1_Click(Confimp& d); // "&OK": prints, then closes
void Command2_Click(Confimp& d); // "&Imprimantes": the printer set-up dialog
void Command3_Click(Confimp& d); // "&Annuler"

// "&Imprimer" of the main window: the print window, modal.
void Command10_Click(FeuilleP& f);

// Tests look at the print window instead of waiting for a pupil: while set,
// the window is handed here, loaded and placed, instead of being shown.
void observerconfimp(std::function<void(Confimp&)> observateur);

} // namespace qm
