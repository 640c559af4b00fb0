#pragma once

#include <string>

namespace qm {

// What a message box shows: its text and its title. The window side adds the
// icon and the buttons (critical stop with OK for every failure).
struct message {
    std::string texte;
    std::string titre;
    bool operator==(const message&) const = default;
};

} // namespace qm
