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
#include "core/verification.h"
#include "workspace/dessin.h"
#include "workspace/editeur.h"
#include "workspace/feuillep.h"
#include "workspace/tableau.h"

namespace qm {

namespace {

void limiter(FeuilleP& f)
{
    effets r;
    moinsde10(f.etat, cadre(f), r);
    appliquer(f, r);
}

} // namespace

void verifequation(FeuilleP& f, bool avecbravo)
{
    ++f.etat.verifications;
    f.HScroll1->setValue(0);
    f.Picture3->setEnabled(false);
    f.HScroll1->setEnabled(false);
    const verification v = qm::verifequation(f.etat.texte.toStdString(), f.etat.coef, f.etat.elements);
    f.etat.coef = v.coef;
    f.etat.verdictequation = v.resultat;
    switch (v.resultat) {
    case verdict::rejetee:
        boitemessage(&f, v.erreur);
        break;
    case verdict::desequilibree:
        if (f.fenetreaidequa)
            f.fenetreaidequa(v.grille);
        break;
    case verdict::equilibree:
        f.HScroll1->setEnabled(true);
        f.Picture3->setEnabled(true);
        if (avecbravo && f.fenetrebravo)
            f.fenetrebravo();
        break;
    }
}

void Command14_Click(FeuilleP& f)
{
    if (equationvide(f.etat.texte.toStdString())) {
        boitemessage(&f, msgequationvide);
        return;
    }
    limiter(f);
    verifequation(f, true);
}

void valideur_Click(FeuilleP& f)
{
    limiter(f);
    verifequation(f, false);
    f.etat.tableaudemande = 1;
    if (f.Picture3->isEnabled()) {
        // The table takes the keyboard (its cursor moves with the arrows):
        // left in the equation box or passed on to it as the tools hide, the
        // focus would mean editing again and disable the cursor at once.
        f.HScroll1->setFocus(Qt::OtherFocusReason);
        f.outilequa->hide();
        pointeurs(f, true);
        majtab(f);
    } else {
        f.outilequa->show();
        pointeurs(f, false);
    }
    f.outilequa->repaint();
}

void numeq_Click(FeuilleP& f, int index)
{
    if (index < 0 || index > 9)
        return;
    etatfeuille& e = f.etat;
    // Step by step: a step that fails leaves the next ones to run.
    sansfaute([&] { f.Timer1->stop(); });
    const auto courant = static_cast<std::size_t>(e.numcourant);
    const auto choisi = static_cast<std::size_t>(index);
    sansfaute([&] { e.eqtexte[courant] = e.texte.toStdString(); });
    sansfaute([&] {
        for (std::size_t k = 1; k <= 11; ++k) {
            e.eqquant[courant][k] = e.quant[k];
            e.quant[k] = e.eqquant[choisi][k];
        }
    });
    sansfaute([&] { mettreequation(f, QString::fromStdString(e.eqtexte[choisi])); });
    e.numcourant = static_cast<std::int16_t>(index);
    sansfaute([&] {
        if (validable(e)) {
            valideur_Click(f);
            f.HScroll1->setValue(0);
        } else {
            f.Text1->setFocus();
        }
    });
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
    QObject::connect(f.Command14, &QPushButton::clicked, &f, [&f] { sansfaute([&f] { Command14_Click(f); }); });
    QObject::connect(f.valideur, &QPushButton::clicked, &f, [&f] { sansfaute([&f] { valideur_Click(f); }); });
    for (int i = 0; i < 10; ++i)
        QObject::connect(f.numeq[static_cast<std::size_t>(i)], &QRadioButton::clicked, &f,
                         [&f, i] { sansfaute([&f, i] { numeq_Click(f, i); }); });
}

} // namespace qm
