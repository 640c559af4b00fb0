#pragma once

// The progress table written out for other programs: the rows and cells as
// texts, and from them the HTML and tab-separated forms of the clipboard, the
// CSV file for spreadsheets and a Python script that does the calculation
// again. Plain functions of values; nothing here touches a window.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/avancement.h"
#include "core/constituants.h"

namespace qm {

struct etatfeuille;

// One row of the table: the state's name, its advancement and one amount per
// species (empty for a product in the consumed row).
struct lignetableau {
    std::string etat;
    std::string avancement;
    std::vector<std::string> cellules;
};

struct textestableau {
    std::string equation;          // "A + 2 B → C", Unicode sub- and superscripts
    std::vector<espece> especes;   // the columns
    std::vector<std::string> noms; // each species with its coefficient: "2 B"
    std::vector<int> coefficients;
    std::vector<float> initiales;       // products at 0
    lignetableau entete;                // the species' row: "État du système", "Avancement (mol)", noms
    std::vector<lignetableau> lignes;   // initial, during (at the cursor), consumed when asked, final
    std::string xmax;                   // as the table writes it
    std::vector<std::string> limitants; // the reactants that run out (final amount "0")
};

// The table of `equation` with the checker's coefficients, the initial amounts,
// the cursor p (0..10000) and the consumed row or not. Amounts are written as
// the table writes them, with a decimal comma. Nothing when the equation has
// no reactant or no product.
std::optional<textestableau> tableauentextes(std::string_view equation, const tabcoef& coef,
                                             const tabquant& quant, int p, bool conso);
// The same, of the equation on display in the main window's state.
std::optional<textestableau> tableaudelafeuille(const etatfeuille& e);

// The equation alone, plain ("A + 2 B → C") and in HTML ("H<sub>2</sub>O").
std::string equationtexte(std::string_view equation);
std::string equationhtml(std::string_view equation);

// An HTML document: the equation, then the table when given.
std::string documenthtml(std::string_view equation, const textestableau* t);
// The equation's line, then the table's rows with tabs between the cells.
std::string textetabule(std::string_view equation, const textestableau* t);

// The species' row then the other rows, ";" between cells, CRLF line ends,
// UTF-8 behind a byte order mark.
std::string textecsv(const textestableau& t);

// A Python 3 script, commented in French, that holds this equation's
// coefficients and initial amounts and prints xmax, the limiting reactant(s)
// and the final state.
std::string scriptpython(const textestableau& t);

} // namespace qm
