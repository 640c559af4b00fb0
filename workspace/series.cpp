#include "workspace/series.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include "app/boite.h"
#include "app/sansfaute.h"
#include "files/fenetres.h"
#include "workspace/editeur.h"
#include "workspace/espace.h"
#include "workspace/feuillep.h"
#include "workspace/tableau.h"
#include "workspace/travail.h"

namespace qm {

namespace {

// The three display options' boxes show the state; setting them here runs
// none of their click actions.
void montreroptions(FeuilleP& f)
{
    const etatfeuille& e = f.etat;
    for (auto [c, etat] :
         {std::pair{f.COLORSTO, e.colorsto}, std::pair{f.conso, e.conso}, std::pair{f.final, e.final}}) {
        const QSignalBlocker b(c);
        c->setCheckState(etat == 1 ? Qt::Checked : etat == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    }
}

std::string chemin(const QString& nom)
{
    return QFile::encodeName(nom).toStdString();
}

void titre(FeuilleP& f)
{
    f.setWindowTitle(QStringLiteral("Quilmaret - ") + f.etat.nomfichier);
}

void montrerserie(FeuilleP& f, const serie& s)
{
    effets r;
    ouvrirserie(f.etat, cadre(f), s, r);
    montreroptions(f);
    titre(f);
    f.numeq[0]->setChecked(true);
    appliquerespace(f, r);
    // The switch has just checked the equation when the button was enabled:
    // checking it again would show an unbalanced one's count grid twice.
    const bool verifiee = validable(f.etat);
    QCoreApplication::processEvents();
    if (validable(f.etat) && !verifiee)
        valideur_Click(f);
    QCoreApplication::processEvents();
}

} // namespace

serie seriefeuille(const FeuilleP& f)
{
    return seriede(f.etat);
}

void chargeserie(FeuilleP& f)
{
    const lectureserie l = lireserie(chemin(f.etat.nomfichier));
    if (l.erreur != erreurserie::aucune) {
        boitemessage(&f, messageserie(l.erreur));
        return;
    }
    montrerserie(f, l.contenu);
}

erreurserie ecrireserie(FeuilleP& f)
{
    const erreurserie e = ecrireserie(chemin(f.etat.nomfichier), seriefeuille(f));
    if (e == erreurserie::aucune)
        titre(f);
    return e;
}

void Command2_Click(FeuilleP& f)
{
    f.outilequa->show();
    for (QToolButton* b : f.Image5)
        b->setCursor(Qt::ArrowCursor);
    f.Timer1->stop();
    f.repaint();
    const int verifiees = f.etat.verifications;
    montrerouvrir(&f, f.etat.nomfichier, [&f] { chargeserie(f); });
    // A series opened has had its first equation checked already: checking
    // it again would show an unbalanced one's count grid a second time.
    const bool dejaverifiee = f.etat.verifications != verifiees;
    // The tools' own flag: the window itself may not be on screen.
    if (!dejaverifiee && !f.outilequa->isHidden() && validable(f.etat)) {
        valideur_Click(f);
        f.HScroll1->setValue(0);
    } else if (!f.outilequa->isHidden()) {
        // Not while the loaded table is shown: the equation box taking the
        // keyboard would put the equation tools back over it.
        f.Text1->setFocus();
    }
}

void Command11_Click(FeuilleP& f)
{
    const int k = f.etat.numcourant;
    // Two switches store the equation on display into its slot.
    choisirequation(f, 9);
    choisirequation(f, 0);
    montrerenregistrer(
        &f, f.etat.nomfichier, [&f] { return ecrireserie(f); }, f.etat.dossierprogramme);
    choisirequation(f, k);
}

void brancherseries(FeuilleP& f)
{
    auto brancher = [&f](const char* nom, void (*action)(FeuilleP&)) {
        const auto i = f.commandes.find(QString::fromLatin1(nom));
        if (i == f.commandes.end() || !i->second)
            return;
        QObject::connect(i->second, &QToolButton::clicked, &f,
                         [&f, action] { sansfaute([&] { action(f); }); });
    };
    brancher("Command2", Command2_Click);
    brancher("Command11", Command11_Click);
}

} // namespace qm
