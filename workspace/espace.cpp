#include "workspace/espace.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include "app/boite.h"
#include "app/sansfaute.h"
#include "workspace/dessin.h"
#include "workspace/editeur.h"
#include "workspace/feuillep.h"
#include "workspace/tableau.h"
#include "workspace/travail.h"

namespace qm {

void appliquerespace(FeuilleP& f, const effets& r)
{
    // Step by step: a step that fails leaves the next ones to run.
    if (r.arreteranimation)
        sansfaute([&] { f.Timer1->stop(); });
    sansfaute([&] { montreravantcoupe(f, r); });
    sansfaute([&] { montrerediteur(f); });
    if (r.verification) {
        // Back at 0 (the table follows the cursor), out of use while checked.
        // The redraw this may cause is that of the table as it was: the new
        // table is asked for only once the check is over, so an unbalanced
        // equation's grid never shows over a table laid out for it.
        const std::int16_t demande = f.etat.tableaudemande;
        if (r.demandeavant)
            f.etat.tableaudemande = *r.demandeavant;
        sansfaute([&] { f.HScroll1->setValue(f.etat.p); });
        f.etat.tableaudemande = demande;
        sansfaute([&] {
            f.Picture3->setEnabled(false);
            f.HScroll1->setEnabled(false);
        });
    }
    for (const message& m : r.messages)
        boitemessage(&f, m);
    // A balanced equation's table is usable before the congratulation shows.
    if (r.verification) {
        f.HScroll1->setEnabled(f.etat.tableauactif);
        f.Picture3->setEnabled(f.etat.tableauactif);
    }
    if (r.grille && f.fenetreaidequa)
        sansfaute([&] { f.fenetreaidequa(*r.grille); });
    if (r.bravo && f.fenetrebravo)
        sansfaute([&] { f.fenetrebravo(); });
    if (r.effacertableau) {
        sansfaute([&] {
            f.Picture3->effacer();
            // No table, no scale: the caption column as the program starts with it.
            tabini(f);
        });
    }
    switch (r.table) {
    case effets::tableau::construire:
        sansfaute([&] {
            // The table takes the keyboard (its cursor moves with the arrows):
            // left in the equation box or passed on to it as the tools hide, the
            // focus would mean editing again and disable the cursor at once.
            f.HScroll1->setFocus(Qt::OtherFocusReason);
            f.outilequa->hide();
            pointeurs(f, true);
            majtab(f);
        });
        f.outilequa->repaint();
        break;
    case effets::tableau::outils:
        f.outilequa->show();
        pointeurs(f, false);
        f.outilequa->repaint();
        break;
    case effets::tableau::inchange:
        break;
    }
    if (r.curseurazero)
        sansfaute([&] { f.HScroll1->setValue(0); });
    if (r.focus)
        f.Text1->setFocus();
    if (r.valider && f.tableauavancement)
        sansfaute([&] { f.tableauavancement(); });
}

void verifequation(FeuilleP& f, bool avecbravo)
{
    effets r;
    verifier(f.etat, avecbravo, r);
    appliquerespace(f, r);
}

void Command14_Click(FeuilleP& f)
{
    effets r;
    verifierequation(f.etat, cadre(f), r);
    appliquerespace(f, r);
}

void valideur_Click(FeuilleP& f)
{
    effets r;
    validerequation(f.etat, cadre(f), r);
    appliquerespace(f, r);
}

void numeq_Click(FeuilleP& f, int index)
{
    effets r;
    choisirequation(f.etat, cadre(f), index, r);
    appliquerespace(f, r);
}

void choisirequation(FeuilleP& f, int index)
{
    if (index < 0 || index > 9)
        return;
    f.numeq[static_cast<std::size_t>(index)]->setChecked(true);
    numeq_Click(f, index);
}

void brancherespace(FeuilleP& f)
{
    f.tableauavancement = [&f] { valideur_Click(f); };
    QObject::connect(f.Command14, &QPushButton::clicked, &f,
                     [&f] { sansfaute([&f] { Command14_Click(f); }); });
    QObject::connect(f.valideur, &QPushButton::clicked, &f, [&f] { sansfaute([&f] { valideur_Click(f); }); });
    for (int i = 0; i < 10; ++i)
        QObject::connect(f.numeq[static_cast<std::size_t>(i)], &QRadioButton::clicked, &f,
                         [&f, i] { sansfaute([&f, i] { numeq_Click(f, i); }); });
}

void etaler(FeuilleP& f)
{
    effets r;
    etalerequation(f.etat, cadre(f), r);
    f.Picture3->effacer();
    f.outilequa->hide();
    pointeurs(f, true);
    cadretableau(f, f.etat.nbcolonnes - 1);
    appliquer(f, r);
}

} // namespace qm
