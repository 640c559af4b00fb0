#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/avancement.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTextEdit;
class QTimer;
class QToolButton;

namespace qm {

class Dessin;
class Onglets;

// The main window's own state, alive as long as the program.
struct etatfeuille {
    // The ten equations and the one on display.
    std::int16_t numcourant = 0;
    std::array<std::string, 10> eqtexte;
    std::array<std::array<float, 12>, 11> eqquant{}; // row 10 is the copy slot
    tabquant quant{};
    tabcoef coef{}; // coefficients of the last check

    // Column layout of the equation on display.
    std::array<std::int16_t, 11> possep{};
    std::int16_t sepegal = 0;
    std::int16_t nbcolonnes = 0;
    std::int16_t premierproduit = 0;
    std::int16_t largeurcolonne = 0;
    std::array<std::int16_t, 12> decalage{};
    std::int16_t modeaffichage = 0; // 0 normal, 1..10 measuring species k, 100 table layout
    std::int16_t tableaudemande = 0;

    // Editor.
    std::int16_t occupe = 0;
    std::int16_t debordement = 0;
    std::int16_t redessine = 0;    // a fall-back to the normal drawing has happened
    std::int16_t synchro = 0;      // options: 0 free, 1 set by the drawing, 2 set by the pupil or a key
    std::int16_t placement = 0;    // a click asks for the caret
    int xclic = 0;                 // where, minus 6
    std::int16_t findetexte = 0;   // Down pressed with the caret at the end
    std::int16_t rognage = 0;      // a text too long for the picture is being cut
    int verifications = 0;         // checks of an equation so far

    // Progress table.
    std::int16_t colsaisie = 0;
    std::int16_t exerciceouvert = 0;
    std::int16_t textemodifie = 0;
    QString dossierexo;       // folder of the exercise in use, ending in "/"

    QString messagecopie;
    QString nomfichier;       // the series file in use
    QString dossierprogramme; // where the exchange, help and exercise files live
    tableelements elements;   // symbols and names at start-up, masses with their list
};

// The main window: the program opens with it and ends when it closes.
class FeuilleP : public QWidget {
    Q_OBJECT
public:
    // `dossierprogramme` empty means the executable's folder.
    explicit FeuilleP(const QString& dossierprogramme = QString(), QWidget* parent = nullptr);

    etatfeuille etat;

    std::map<QString, QToolButton*> commandes; // the top row, by name
    QToolButton* BTEXO = nullptr;
    std::array<QRadioButton*, 10> numeq{};
    QLabel* info = nullptr;
    QPlainTextEdit* Text3 = nullptr;
    QLineEdit* fich = nullptr;
    QTextEdit* supertext = nullptr;
    Onglets* onglets = nullptr;

    // Equation editor.
    Dessin* Picture2 = nullptr;
    QFrame* outilequa = nullptr;
    QLineEdit* Text1 = nullptr;
    QCheckBox* opti = nullptr;
    QCheckBox* opte = nullptr;
    QPushButton* fleche = nullptr;
    QPushButton* Command14 = nullptr;
    QPushButton* valideur = nullptr;
    QLabel* posi = nullptr;

    // Progress table.
    Dessin* Picture3 = nullptr;
    Dessin* Picture4 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QLineEdit* Text2 = nullptr;
    std::array<QToolButton*, 4> Image5{};
    QTimer* Timer1 = nullptr;

    // Display options of the "Affichage" tab.
    QCheckBox* final = nullptr;
    QCheckBox* conso = nullptr;
    QCheckBox* COLORSTO = nullptr;

    // Windows of other subsystems, opened through these when set.
    std::function<void(const std::vector<lignegrille>&)> fenetreaidequa; // the count grid
    std::function<void()> fenetrebravo;                                  // the congratulation
    std::function<void()> dechargement; // closes the secondary windows when the program ends

    // Opens an exercise the companion program asks for (full path) and tells
    // whether it opened; set by the exercise browser.
    std::function<bool(const QString&)> ouvrirexercice;

    void accueil();
    void demandeexercice();
    void reglertaille();
    void appliquertaille(const QRect& ecran);
    void aide(QObject* controle);
    // Puts a control under the help line: moving over it shows its help text.
    void suivre(QWidget* controle);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void construireboutons();
    void construirenumeq();
    void construiretextes();
    void demarrage();
    bool confirmerfermeture();

    void notercadre();

    QImage fond; // the painted background, drawn once
    QSize bordures; // what the window manager's frame adds to the window's size
};

// Paints the background of the main window: the gradient, the drop shadow of
// the text area, the shadowed "Animation:" caption.
void peindrefond(QPainter& p, const QRect& ombre);

} // namespace qm
