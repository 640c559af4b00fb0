#pragma once

// The RTF tokenizer: cuts the bytes into braces, control words, control symbols, hex escapes
// and runs of plain text. It never looks back and every call moves forward, so a reading loop
// over it ends on any input.

#include <cstddef>
#include <string_view>

namespace qm {

enum class sortejeton { fin, ouvre, ferme, mot, symbole, hex, texte };

struct jeton {
    sortejeton sorte = sortejeton::fin;
    std::string_view texte; // the letters of a word, or the bytes of a text run
    bool aparam = false;
    int param = 0;            // saturated to int's range, however many digits the file has
    char symbole = 0;         // the character after the backslash of a control symbol
    unsigned char octet = 0;  // the byte of a \'hh
    std::string_view binaire; // the data that follows \binN (cut short at the end of the input)
    bool tronque = false;     // a \'h or a backslash cut off by the end or a non-hex character
};

struct analyseur {
    std::string_view src;
    std::size_t pos = 0;
};

jeton jetonsuivant(analyseur& a);

} // namespace qm
