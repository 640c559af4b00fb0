#include "output/feuillef.h"

#include <QAction>
#include <QClipboard>
#include <QCursor>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include "app/sansfaute.h"
#include "output/confimp.h"
#include "workspace/dessin.h"
#include "workspace/editeur.h"
#include "workspace/espace.h"
#include "workspace/feuillep.h"
#include "workspace/tableau.h"
#include "workspace/travail.h"

namespace qm {

QString textecopie;

namespace {

QAction* entree(QMenu* m, const char* nom, const char* legende)
{
    auto* a = new QAction(QString::fromUtf8(legende), m);
    a->setObjectName(QString::fromUtf8(nom));
    m->addAction(a);
    return a;
}

QMenu* menuvide(QWidget* parent, const char* nom)
{
    auto* m = new QMenu(QString::fromUtf8(nom), parent);
    m->setObjectName(QString::fromUtf8(nom));
    return m;
}

// The chosen entry, or none when the menu was dismissed; a greyed entry
// never counts as chosen, whoever returns it.
QAction* choisir(Feuillef& ff, QMenu& m)
{
    QAction* a = ff.montrer ? ff.montrer(m, QCursor::pos()) : nullptr;
    return a && a->isEnabled() ? a : nullptr;
}

QToolButton* commande(FeuilleP& f, const char* nom)
{
    const auto k = f.commandes.find(QString::fromUtf8(nom));
    return k == f.commandes.end() ? nullptr : k->second;
}

void mettresurpressepapiers(const QImage& image)
{
    QClipboard* c = QGuiApplication::clipboard();
    if (!c)
        return;
    c->clear();
    c->setImage(image);
}

// What both copy entries do after the picture is on the clipboard.
void noterlacopie(FeuilleP& f)
{
    textecopie = f.etat.texte;
    f.info->setText(f.etat.messagecopie);
    if (QToolButton* k = commande(f, "Command13"))
        k->setEnabled(true);
}

} // namespace

Feuillef::Feuillef(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("feuillef"));
    setAttribute(Qt::WA_DontShowOnScreen);
    menu = menuvide(this, "menu");
    ceqbi = entree(menu, "ceqbi", "Copier l'équation-bilan");
    eqbietab = entree(menu, "eqbietab", "Copier l'équation-bilan et le tableau");
    nouvel = menuvide(this, "nouvel");
    onlyyou = entree(nouvel, "onlyyou", "Effacer l'équation affichée");
    les10 = entree(nouvel, "les10", "Effacer la série dees 10 équations");
    copieur = QImage(1, 1, QImage::Format_RGB32);
    copieur.fill(Qt::white);
    montrer = [](QMenu& m, const QPoint& ou) { return m.exec(ou); };
}

Feuillef& feuillef(FeuilleP& f)
{
    if (auto* ff = f.findChild<Feuillef*>(QStringLiteral("feuillef"), Qt::FindDirectChildrenOnly))
        return *ff;
    return *new Feuillef(&f);
}

QImage assembler(const QImage& entete, const QImage& legendes, const QImage& table)
{
    const int w2 = entete.width();
    const int w4 = legendes.width();
    const int h2 = entete.height();
    const int h4 = legendes.height();
    const int largeur = w2 + w4 - 1;
    const int hauteur = h4 - 2;
    if (largeur <= 0 || hauteur <= 0)
        return QImage();
    QImage image(largeur, hauteur, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.drawImage(w4 - 1, 0, entete);
    p.drawImage(0, 0, legendes);
    p.drawImage(w4 - 1, h2 - 2, table);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(0, 0, largeur - 1, hauteur - 1);
    p.drawLine(w4 - 1, 0, w4 - 1, hauteur);
    return image;
}

void ceqbi_Click(FeuilleP& f)
{
    mettresurpressepapiers(f.Picture2->bitmap());
    noterlacopie(f);
    f.etat.eqquant[10].fill(0);
}

void eqbietab_Click(FeuilleP& f)
{
    Feuillef& ff = feuillef(f);
    ff.copieur = assembler(f.Picture2->bitmap(), f.Picture4->bitmap(), f.Picture3->bitmap());
    mettresurpressepapiers(ff.copieur);
    noterlacopie(f);
    for (std::size_t j = 1; j <= nombreespeces; ++j)
        f.etat.eqquant[10][j] = f.etat.quant[j];
}

void onlyyou_Click(FeuilleP& f)
{
    effets r;
    effacerequation(f.etat, cadre(f), r);
    appliquerespace(f, r);
}

void les10_Click(FeuilleP& f)
{
    effets r;
    effacerserie(f.etat, cadre(f), r);
    appliquerespace(f, r);
}

void Command4_Click(FeuilleP& f)
{
    Feuillef& ff = feuillef(f);
    ff.eqbietab->setEnabled(f.outilequa && f.outilequa->isHidden());
    QAction* a = choisir(ff, *ff.menu);
    if (a == ff.ceqbi)
        ceqbi_Click(f);
    else if (a == ff.eqbietab)
        eqbietab_Click(f);
}

void Command12_Click(FeuilleP& f)
{
    Feuillef& ff = feuillef(f);
    QAction* a = choisir(ff, *ff.nouvel);
    if (a == ff.onlyyou)
        sansfaute([&f] { onlyyou_Click(f); });
    else if (a == ff.les10)
        sansfaute([&f] { les10_Click(f); });
    f.Text1->setFocus();
}

void Command13_Click(FeuilleP& f)
{
    effets r;
    coller(f.etat, cadre(f), textecopie, r);
    appliquerespace(f, r);
}

void brancherdessins(FeuilleP& f)
{
    feuillef(f);
    const std::pair<const char*, void (*)(FeuilleP&)> liens[] = {
        {"Command4", Command4_Click},
        {"Command12", Command12_Click},
        {"Command13", Command13_Click},
        {"Command10", Command10_Click},
    };
    for (const auto& [nom, action] : liens) {
        QToolButton* k = commande(f, nom);
        if (!k)
            continue;
        QObject::connect(k, &QToolButton::clicked, &f,
                         [&f, action = action] { sansfaute([&] { action(f); }); });
    }
}

} // namespace qm
