#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "core/avancement.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QTextEdit;
class QToolButton;

namespace qm {

// The main window's own state, alive as long as the program.
struct etatfeuille {
    std::int16_t numcourant = 0;
    std::array<std::string, 10> eqtexte;
    std::array<std::array<float, 12>, 11> eqquant{}; // row 10 is the copy slot
    tabquant quant{};
    std::int16_t exerciceouvert = 0;
    std::int16_t textemodifie = 0;
    QString messagecopie;
    QString nomfichier;       // the series file in use
    QString dossierprogramme; // where the exchange, help and exercise files live
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
    QWidget* onglets = nullptr;

    // Opens an exercise the companion program asks for (full path); set by the
    // exercise browser.
    std::function<void(const QString&)> ouvrirexercice;

    void accueil();
    void demandeexercice();
    void reglertaille();
    void appliquertaille(const QRect& ecran);
    void aide(QObject* controle);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void construireboutons();
    void construirenumeq();
    void construiretextes();
    void demarrage();
    bool confirmerfermeture();

    QImage fond; // the painted background, drawn once
};

// Paints the background of the main window: the gradient, the drop shadow of
// the text area, the shadowed "Animation:" caption.
void peindrefond(QPainter& p, const QRect& ombre);

} // namespace qm
