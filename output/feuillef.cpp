#include "output/feuillef.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QCursor>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <sys/stat.h>

#include "app/boite.h"
#include "app/sansfaute.h"
#include "files/disque.h"
#include "files/fenetres.h"
#include "output/confimp.h"
#include "output/exportation.h"
#include "output/imagecopie.h"
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

// The sharp picture is this many times the windows' size.
constexpr int echellecopie = 3;

// The windows' picture as a bitmap, as always; beside it for other programs
// the picture drawn again sharper and as SVG, and the equation (with the
// table when copied) as HTML and as text with tabs.
void mettresurpressepapiers(const FeuilleP& f, const QImage& image, bool avectableau)
{
    QClipboard* c = QGuiApplication::clipboard();
    if (!c)
        return;
    c->clear();
    auto donnees = std::make_unique<QMimeData>();
    donnees->setImageData(image);
    sansfaute([&] {
        const scenecopie scene = scenedelafeuille(f, avectableau);
        QByteArray png;
        QBuffer tampon(&png);
        tampon.open(QIODevice::WriteOnly);
        if (imagecopie(scene, echellecopie).save(&tampon, "PNG"))
            donnees->setData(QStringLiteral("image/png"), png);
        donnees->setData(QStringLiteral("image/svg+xml"), svgcopie(scene));
    });
    sansfaute([&] {
        const std::string equation = f.etat.texte.toStdString();
        const std::optional<textestableau> t = avectableau ? tableaudelafeuille(f.etat) : std::nullopt;
        const textestableau* table = t ? &*t : nullptr;
        donnees->setHtml(QString::fromStdString(documenthtml(equation, table)));
        donnees->setText(QString::fromStdString(textetabule(equation, table)));
    });
    c->setMimeData(donnees.release());
}

// What both copy entries do after the picture is on the clipboard.
void noterlacopie(FeuilleP& f)
{
    textecopie = f.etat.texte;
    f.info->setText(f.etat.messagecopie);
    if (QToolButton* k = commande(f, "Command13"))
        k->setEnabled(true);
}

// A table can be exported when one is shown for a balanced equation.
std::optional<textestableau> tableauexportable(const FeuilleP& f)
{
    if (!f.outilequa || !f.outilequa->isHidden())
        return std::nullopt;
    return tableaudelafeuille(f.etat);
}

// The file an export goes to, chosen in the common save dialog (Qt's own, as
// for the texts), proposed in the pupil's documents; nothing when cancelled
// or when the pupil does not want to replace the file that is there.
std::optional<QString> choisirexport(FeuilleP& f, const QString& titre, const QString& filtre,
                                     const QString& nom, const QString& suffixe)
{
    QFileDialog d(&f);
    d.setObjectName(QStringLiteral("comexport"));
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setWindowTitle(titre);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    d.setNameFilter(filtre);
    d.setDefaultSuffix(suffixe);
    d.setDirectory(dossierdocuments());
    d.selectFile(nom);
    d.setOption(QFileDialog::DontConfirmOverwrite);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty() || d.selectedFiles().front().isEmpty())
        return std::nullopt;
    const QString chemin = d.selectedFiles().front();
    struct stat st {};
    if (::lstat(QFile::encodeName(chemin).constData(), &st) == 0 &&
        boitemessage(
            &f,
            QStringLiteral("Le fichier %1 existe déjà.\nLe remplacer ?").arg(QFileInfo(chemin).fileName()),
            titre, icone::question, boutons::ouinon) != reponse::oui)
        return std::nullopt;
    return chemin;
}

// Writes the export as every save is written, never through a link.
void ecrireexport(FeuilleP& f, const QString& titre, const QString& chemin, const std::string& octets)
{
    if (remplacerfichier(QFile::encodeName(chemin).toStdString(), octets, liens::refuses))
        return;
    boitemessage(
        &f,
        QStringLiteral("Le fichier %1 n'a pas pu être écrit.\nVérifier le dossier et le nom du fichier.")
            .arg(QFileInfo(chemin).fileName()),
        titre);
}

void exporter(FeuilleP& f, const char* titre, const char* filtre, const char* nom, const char* suffixe,
              std::string (*contenu)(const textestableau&))
{
    const std::optional<textestableau> t = tableauexportable(f);
    if (!t)
        return;
    const QString t8 = QString::fromUtf8(titre);
    const auto chemin =
        choisirexport(f, t8, QString::fromUtf8(filtre), QString::fromUtf8(nom), QString::fromUtf8(suffixe));
    if (chemin)
        ecrireexport(f, t8, *chemin, contenu(*t));
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
    // Made once, shown only while the menu is up (see Command4_Click).
    separateurexport = new QAction(menu);
    separateurexport->setSeparator(true);
    exportcsv = new QAction(QStringLiteral("Exporter le tableau (CSV)…"), menu);
    exportcsv->setObjectName(QStringLiteral("exportcsv"));
    exportpython = new QAction(QStringLiteral("Exporter un script Python…"), menu);
    exportpython->setObjectName(QStringLiteral("exportpython"));
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
    mettresurpressepapiers(f, f.Picture2->bitmap(), false);
    noterlacopie(f);
    f.etat.eqquant[10].fill(0);
}

void eqbietab_Click(FeuilleP& f)
{
    Feuillef& ff = feuillef(f);
    ff.copieur = assembler(f.Picture2->bitmap(), f.Picture4->bitmap(), f.Picture3->bitmap());
    mettresurpressepapiers(f, ff.copieur, true);
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

void exportcsv_Click(FeuilleP& f)
{
    exporter(f, "Exporter le tableau (CSV)", "Tableau pour tableur (*.csv)", "tableau-avancement.csv", "csv",
             textecsv);
}

void exportpython_Click(FeuilleP& f)
{
    exporter(f, "Exporter un script Python", "Script Python (*.py)", "avancement.py", "py", scriptpython);
}

void Command4_Click(FeuilleP& f)
{
    Feuillef& ff = feuillef(f);
    ff.eqbietab->setEnabled(f.outilequa && f.outilequa->isHidden());
    const bool exportable = tableauexportable(f).has_value();
    ff.exportcsv->setEnabled(exportable);
    ff.exportpython->setEnabled(exportable);
    // The menu keeps the copy entries alone; the export entries follow them,
    // after a line, while it is up.
    ff.menu->addActions({ff.separateurexport, ff.exportcsv, ff.exportpython});
    QAction* a = choisir(ff, *ff.menu);
    for (QAction* e : {ff.separateurexport, ff.exportcsv, ff.exportpython})
        ff.menu->removeAction(e);
    if (a == ff.ceqbi)
        ceqbi_Click(f);
    else if (a == ff.eqbietab)
        eqbietab_Click(f);
    else if (a == ff.exportcsv)
        exportcsv_Click(f);
    else if (a == ff.exportpython)
        exportpython_Click(f);
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
