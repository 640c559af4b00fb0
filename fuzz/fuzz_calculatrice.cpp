// The calculator's keys, in any order: each byte is a key of the window (its
// name, as the window hands it over), a key typed on the display, or a change
// of the angle or display option. After every key the display shows what the
// state says; after EXE it shows the answer, which is a number that reads back
// unless it is an error or an overflow message; the memory is always a number.
#include "commun.h"
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calculator/machine.h"
#include "core/nombre.h"

namespace {

constexpr std::string_view touches[] = {
    "B0",      "B1",     "B2",       "B3",       "B4",       "B5",       "B6",
    "B7",      "B8",     "B9",       "Bpoint",   "bpf",      "BtoEXP",   "kilo",
    "mega",    "giga",   "tera",     "mil",      "micro",    "nano",     "pico",
    "Bpo",     "bsin",   "Bcos",     "Btan",     "invsin",   "invcos",   "Btoncommande3",
    "Bln",     "Blog",   "Bexp",     "racine",   "B10x",     "Command5", "puissance",
    "btcarre", "pi",     "multip",   "div",      "plus",     "moins",    "ANS",
    "RAZ",     "EFFACE", "Command1", "Command2", "Command3", "Command4", "EXE",
    "EXE",     "EXE",
};
constexpr char clavier[] = "0123456789.,eEdD()*/+-^\b\r";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qm::etatmachine e;
    qm::memoire = 0;
    constexpr std::size_t ntouches = std::size(touches);
    constexpr std::size_t nclavier = sizeof clavier - 1;
    for (std::size_t i = 0; i < size && i < 400; ++i) {
        const std::size_t k = data[i] % (ntouches + nclavier + 2);
        bool exe = false;
        if (k < ntouches) {
            qm::appuyer(e, touches[k]);
            exe = touches[k] == "EXE";
        } else if (k < ntouches + nclavier) {
            bool bip = false;
            const char c = clavier[k - ntouches];
            VERIFIER(qm::z1_KeyPress(e, c == '\b' ? 8 : c == '\r' ? 13 : c, bip));
            exe = c == '\r';
        } else if (k == ntouches + nclavier) {
            e.radians = !e.radians;
        } else {
            e.scientifique = !e.scientifique;
            qm::C_Click(e);
        }
        VERIFIER(std::isfinite(qm::memoire));
        if (!exe)
            continue;
        VERIFIER(e.affichage == e.reponse);
        VERIFIER(e.codeerreur >= 0 && e.codeerreur <= 3);
        if (e.codeerreur == 0 && e.reponse != qm::textedepassement) {
            const auto v = qm::lirenombre(e.reponse);
            VERIFIER(v.has_value() && std::isfinite(*v));
            VERIFIER(e.saisie.empty());
        }
    }
    return 0;
}
