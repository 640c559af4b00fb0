#pragma once

#include <functional>

#include <QString>

#include "core/message.h"

class QWidget;

namespace qm {

enum class icone { critique, question, information, exclamation };
enum class boutons { ok, okannuler, ouinon };
enum class reponse { ok, annuler, oui, non };

// Every message box of the program goes through here: text, title, icon and
// buttons, modal over `parent`.
reponse boitemessage(QWidget* parent, const QString& texte, const QString& titre, icone i = icone::critique,
                     boutons b = boutons::ok);

// A failure message of the core or the files (critical icon, OK).
reponse boitemessage(QWidget* parent, const message& m);

// What a box asked, for the tests.
struct questionboite {
    QString texte;
    QString titre;
    icone i = icone::critique;
    boutons b = boutons::ok;
    reponse defaut = reponse::ok; // the answer Enter gives: No when asked Yes or No
};

// While a responder is installed, boxes are not shown: the responder reads the
// question and gives the answer. An empty function puts the real boxes back.
using repondeur = std::function<reponse(const questionboite&)>;
void installerrepondeur(repondeur r);

} // namespace qm
