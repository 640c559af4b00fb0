#pragma once

#include <functional>

#include <QDialog>
#include <QRect>
#include <QString>

#include "core/message.h"
#include "files/serie.h"

class QComboBox;
class QEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace qm {

// The open and save windows of equation series. They know nothing of the main
// window: they set the series file name they are given and hand the reading
// and the writing to the functions they are given.

inline const char* const motifserie = "*.C02";
inline const char* const extensionserie = ".C02";

inline const message msgnomvide{"Il faut donner un nom au fichier!", "Enregistrement impossible"};
inline const message msgintrouvable{"Nom de fichier incorrect ou chemin non valide",
                                    "impossible d'ouvrir ce fichier"};
inline const message msgecraser{"Ecraser le fichier existant?", "Ce fichier existe déjà!"};

// `nom` in `dossier`, with one "/" between them.
QString joindre(const QString& dossier, const QString& nom);

// The path a series is saved to for what the pupil typed, the folder list on
// `dossier`: extension removed from the file name, the folder put before a bare
// name, ".C02" appended. Or, when no name is left, the message that says so.
struct nomserie {
    QString chemin;
    message erreur; // empty when chemin is usable
    QString reste;  // with an error: what the name field keeps, trimmed and cut
};
nomserie nomenregistrement(const QString& saisie, const QString& dossier);

// What the name field keeps when the file list moves to another folder: the
// name without its old folder.
QString nomsansdossier(const QString& saisie);

// The pupil's documents folder, or the home folder when there is none.
QString dossierdocuments();

// The name the save window proposes for the series in use: the same, except
// that a series lying in the program's folder (a shipped exercise's, often not
// writable and shared by every pupil) is proposed under the same name in
// `documents`.
QString nompropose(const QString& nomfichier, const QString& dossierprogramme, const QString& documents);

// The drives the drive list offers among the roots of the mounted volumes: "/"
// and the home folder first, then the removable and network volumes (mounted
// under /media, /run/media or /mnt), in order; system, sandbox and snap mounts
// are left out.
QStringList lecteursretenus(const QStringList& racines, const QString& maison);

// The drive, folder and file lists that both windows browse with.
struct listesfichiers {
    QComboBox* Drive1 = nullptr;
    QListWidget* Dir1 = nullptr;
    QListWidget* File1 = nullptr;
    QString dossier;                                 // the folder list's folder
    QString dossierfichiers;                         // the folder the file list shows
    QString motif = QString::fromLatin1(motifserie); // the files listed, whatever their case
    std::function<void()> File1_PathChange;
};

// The three lists at their places in `parent`, starting on the current folder;
// `filtre` receives the folder list's keys (Enter opens a folder there).
void construirelistes(QWidget& parent, QObject& filtre, listesfichiers& l, QRect drive, QRect dir,
                      QRect file);

// Moves the folder list to `chemin` and the file list after it; false (and
// nothing moves) when the folder cannot be listed.
bool changerdossier(listesfichiers& l, const QString& chemin);
void Drive1_Change(listesfichiers& l);
// A key press of Enter (either key), which the lists take as a double click.
bool toucheentree(QEvent* event);
// Opens the highlighted folder of the folder list.
void Dir1_Ouvrir(listesfichiers& l);

// "Ouvrir une configuration".
class Ouvrir : public QDialog {
public:
    Ouvrir(QWidget* parent, QString& nomfichier, std::function<void()> chargeserie);

    listesfichiers listes;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* ficharge = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Image1 = nullptr;

    QString& nomfichier;
    std::function<void()> chargeserie;

protected:
    bool eventFilter(QObject* objet, QEvent* event) override;
};

void File1_Click(Ouvrir& w, QListWidgetItem* item);
void Command1_Click(Ouvrir& w);

// "Enregistrer les paramètres.". `ecrire` writes the series into nomfichier
// (and, once written, says so in the main window) and tells how it went.
// `dossierprogramme` empty means the executable's folder.
class Enregistrer : public QDialog {
public:
    Enregistrer(QWidget* parent, QString& nomfichier, std::function<erreurserie()> ecrire,
                const QString& dossierprogramme = QString());

    listesfichiers listes;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    QString& nomfichier;
    std::function<erreurserie()> ecrire;

protected:
    bool eventFilter(QObject* objet, QEvent* event) override;
};

void File1_DblClick(Enregistrer& w, QListWidgetItem* item);
void Command1_Click(Enregistrer& w);

// The two windows, placed over `parent` and run modally.
void montrerouvrir(QWidget* parent, QString& nomfichier, std::function<void()> chargeserie);
void montrerenregistrer(QWidget* parent, QString& nomfichier, std::function<erreurserie()> ecrire,
                        const QString& dossierprogramme = QString());

} // namespace qm
