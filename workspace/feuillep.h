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

#include "workspace/etat.h"

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
    QCheckBox* litteral = nullptr;
    QCheckBox* saisiemasse = nullptr;
    QCheckBox* graphe = nullptr;

    // Windows of other subsystems, opened through these when set.
    std::function<void(const std::vector<lignegrille>&)> fenetreaidequa; // the count grid
    std::function<void()> fenetrebravo;                                  // the congratulation
    std::function<void()> dechargement;      // closes the secondary windows when the program ends
    std::function<void()> tableauavancement; // Enter in the equation box: the table button's action

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
    void verifierconstruction() const;
    void construireboutons();
    void construirenumeq();
    void construiretextes();
    void demarrage();
    bool confirmerfermeture();

    void notercadre();

    QImage fond;    // the painted background, drawn once
    QSize bordures; // what the window manager's frame adds to the window's size
};

// Paints the background of the main window: the gradient, the drop shadow of
// the text area, the shadowed "Animation:" caption.
void peindrefond(QPainter& p, const QRect& ombre);

// A display option's box as the state and the series files keep it: 0
// unticked, 1 ticked, 2 greyed.
std::int16_t etatcase(const QCheckBox* c);

} // namespace qm
