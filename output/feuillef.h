#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <functional>

class QAction;
class QMenu;

namespace qm {

class FeuilleP;

// The equation text last copied; the paste button gives it back.
extern QString textecopie;

// The window that holds the copy and erase pop-up menus and the off-screen
// picture on which copies and prints are assembled. It is never shown.
class Feuillef : public QWidget {
public:
    explicit Feuillef(QWidget* parent);

    QMenu* menu = nullptr;
    QAction* ceqbi = nullptr;
    QAction* eqbietab = nullptr;
    QMenu* nouvel = nullptr;
    QAction* onlyyou = nullptr;
    QAction* les10 = nullptr;
    // After the copy entries: the table for a spreadsheet, and a script.
    QAction* separateurexport = nullptr;
    QAction* exportcsv = nullptr;
    QAction* exportpython = nullptr;
    QImage copieur;

    // Pops a menu up and returns the entry chosen, or none. QMenu::exec by
    // default; tests choose an entry here without a modal loop.
    std::function<QAction*(QMenu&, const QPoint&)> montrer;
};

// The menus' window of this main window, made on first use.
Feuillef& feuillef(FeuilleP& f);

// The equation header, the caption column and the table in one picture:
// the table under the header, both right of the captions, overlapping by the
// pictures' own borders, framed in black with a line after the captions.
QImage assembler(const QImage& entete, const QImage& legendes, const QImage& table);

void Command4_Click(FeuilleP& f);  // "Co&pier": the copy menu
void Command12_Click(FeuilleP& f); // "&Nouveau": the erase menu
void Command13_Click(FeuilleP& f); // "Co&ller"
void ceqbi_Click(FeuilleP& f);
void eqbietab_Click(FeuilleP& f);
void onlyyou_Click(FeuilleP& f);
void les10_Click(FeuilleP& f);
// "Exporter le tableau (CSV)…" and "Exporter un script Python…": the table on
// display into a file chosen in the save dialog.
void exportcsv_Click(FeuilleP& f);
void exportpython_Click(FeuilleP& f);

// Connects the copy, paste, erase and print buttons of the main window.
void brancherdessins(FeuilleP& f);

} // namespace qm
