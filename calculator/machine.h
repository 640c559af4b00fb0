#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPainter;
class QPushButton;
class QRadioButton;

namespace qm {

// The calculator window "Machine à calculer".
//
// The keys only edit a text, `saisie`, which the display copies; EXE hands a
// copy of it to calculexpression. All that logic lives in plain procedures on
// etatmachine below, text in and text out, so that it is tested without a
// window; the dialog only applies their result to its controls.

// The memory keys' value. It belongs to the program, not to the window: it
// keeps its value when the calculator is closed and opened again.
extern double memoire;

inline constexpr std::string_view texteattente = "    Patience... Calculs en cours.     ";
inline constexpr std::string_view textecalculimpossible = "Calcul impossible";
inline constexpr std::string_view texteparentheses = "Erreur saisie: revoir les parenthèses";
inline constexpr std::string_view texteoperateurs =
    "Erreur saisie: incompréhension sur opérateurs: ^ * / + -";
inline constexpr std::string_view textedepassement = "Dépassement de capacité";

struct etatmachine {
    std::string saisie;          // the expression being built
    std::string reponse;         // what the last EXE showed: a result or a message
    std::int16_t codeerreur = 0; // the last evaluation's code
    std::string affichage;       // the text of the display z1
    bool radians = false;        // angle(1) "Radians" selected, else degrees
    bool scientifique = false;   // C(0) "Scientifique" selected, else "Standard"
};

// Keys that append their text as it stands: digits, ".", ")", "E", the
// prefixes "E+3" and so on.
void ajouter(etatmachine& e, std::string_view texte);
// Keys that open a factor ("(", functions, pi, "10 ^ ", "1 / "): a " * " goes
// first when the expression ends with something that could be multiplied.
void ajouterfacteur(etatmachine& e, std::string_view texte);
// Binary keys that can start from the last answer (" * ", " / ", " ^ ", " ^ 2").
void ajouteroperateur(etatmachine& e, std::string_view texte);

void ANS_Click(etatmachine& e);
void RAZ_Click(etatmachine& e);
void EFFACE_Click(etatmachine& e);
void multip_Click(etatmachine& e);
void div_Click(etatmachine& e);
void plus_Click(etatmachine& e);
void moins_Click(etatmachine& e);
void pi_Click(etatmachine& e);
// Evaluates; true when the computer should beep (an error or an overflow).
bool EXE_Click(etatmachine& e);
void Command1_Click(etatmachine& e); // M+
void Command2_Click(etatmachine& e); // M-
void Command3_Click(etatmachine& e); // RM
void Command4_Click(etatmachine& e); // CM
// After the display mode option changed (e.scientifique already set).
void C_Click(etatmachine& e);

// The key named `nom` (the objectName of its button); true for a beep.
// An unknown name does nothing.
bool appuyer(etatmachine& e, std::string_view nom);

// A character typed on the display: '0'..'9', '.' or ',' (both the decimal
// point), e/E/d/D, ( ) * / + - ^, 8 (Backspace) and 13 (Enter). True when the
// key is one of these.
// `bip` is set when the computer should beep.
bool z1_KeyPress(etatmachine& e, char touche, bool& bip);

// The result of an evaluation as the display writes it, in the mode chosen.
std::string textereponse(double v, bool scientifique);

// The painted background: gradient, outline, frame around the digit keys.
void peindrefond(QPainter& p);

class Machine : public QDialog {
public:
    explicit Machine(QWidget* parent = nullptr);

    etatmachine etat;

    QLineEdit* z1 = nullptr; // the display; a message wider than it shows on several lines
    QWidget* Picture1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QRadioButton* angle[2] = {};
    QRadioButton* C[2] = {};

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;
};

// The window's side of every key: the state's procedure, then the display
// and its focus. Never throws.
void touche_Click(Machine& m, std::string_view nom);
// Loading: an empty expression and an empty display.
void Form_Load(Machine& m);

// Opens the calculator modally over `parent`; returns when it is closed.
void ouvrircalculatrice(QWidget* parent);
// Closes the calculator if it is open (the main window does so when it ends).
void fermercalculatrice();
// The calculator open at this moment, if any (for the main window and tests).
Machine* calculatriceouverte();

} // namespace qm
