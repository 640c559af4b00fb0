#include "output/confimp.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>

#include <memory>
#include <optional>

#include "app/initialisation.h"
#include "app/sansfaute.h"
#include "files/enregistrements.h"
#include "output/feuillef.h"
#include "output/papier.h"
#include "workspace/dessin.h"
#include "workspace/feuillep.h"

namespace qm {

namespace {

// Fonts are fixed at 96 pixels to the inch (initialisation.h): that is the
// size a picture has on screen.
constexpr double pixelsecran = 96.0;

std::function<void(Confimp&)>& observateurcourant()
{
    static std::function<void(Confimp&)> o;
    return o;
}

QString fichierpardefaut()
{
    QString dossier = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dossier.isEmpty() || !QDir(dossier).exists())
        dossier = QDir::homePath();
    return QDir(dossier).filePath(QStringLiteral("Quilmaret.pdf"));
}

QPushButton* bouton(QWidget* parent, const char* nom, const char* texte, const char* icone,
                    const QRect& place)
{
    auto* b = new QPushButton(QIcon::fromTheme(QString::fromUtf8(icone)), QString::fromUtf8(texte), parent);
    b->setObjectName(QString::fromUtf8(nom));
    b->setGeometry(place);
    return b;
}

template <typename T> T* nomme(T* w, const char* nom, const QRect& place)
{
    w->setObjectName(QString::fromUtf8(nom));
    w->setGeometry(place);
    return w;
}

void construireoptions(Confimp& d)
{
    d.Frame1 = nomme(new QGroupBox(QStringLiteral("Options"), &d), "Frame1", QRect(16, 48, 257, 81));
    d.Option1 = nomme(new QRadioButton(QStringLiteral("Imprimer l'équation-bilan"), d.Frame1), "Option1",
                      QRect(12, 22, 237, 22));
    d.Option2 = nomme(new QRadioButton(QStringLiteral("Imprimer l'équation-bilan et le tableau"), d.Frame1),
                      "Option2", QRect(12, 48, 237, 22));
    d.Option2->setChecked(true);
}

void construireattente(Confimp& d)
{
    d.Frame2 = nomme(new QFrame(&d), "Frame2", QRect(16, 48, 353, 113));
    d.Frame2->setFrameShape(QFrame::Box);
    d.Image1 = nomme(new QLabel(d.Frame2), "Image1", QRect(16, 40, 32, 32));
    d.Image1->setPixmap(QIcon::fromTheme(QStringLiteral("document-print")).pixmap(32, 32));
    d.Label1 = nomme(new QLabel(QStringLiteral("Veuillez patienter quelques instants..."), d.Frame2),
                     "Label1", QRect(64, 40, 277, 32));
    d.Frame2->hide();
}

void construirepapier(Confimp& d)
{
    d.Frame3 = nomme(new QGroupBox(QStringLiteral("Papier"), &d), "Frame3", QRect(16, 173, 353, 125));
    d.serie = nomme(new QCheckBox(QStringLiteral("Imprimer la série (polycopié)"), d.Frame3), "serie",
                    QRect(12, 20, 329, 20));
    d.entete = nomme(new QCheckBox(QStringLiteral("Ajouter un en-tête"), d.Frame3), "entete",
                     QRect(12, 42, 329, 20));
    d.Label5 = nomme(new QLabel(QStringLiteral("Titre :"), d.Frame3), "Label5", QRect(28, 66, 41, 21));
    d.titre = nomme(new QLineEdit(d.Frame3), "titre", QRect(72, 65, 269, 23));
    d.Label6 = nomme(new QLabel(QStringLiteral("Nom :"), d.Frame3), "Label6", QRect(28, 94, 41, 21));
    d.nom = nomme(new QLineEdit(d.Frame3), "nom", QRect(72, 93, 141, 23));
    d.date = nomme(new QLabel(datelongue(QDate::currentDate()), d.Frame3), "date", QRect(221, 94, 120, 21));
    d.date->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    d.Label5->setBuddy(d.titre);
    d.Label6->setBuddy(d.nom);
    d.serie->setAccessibleDescription(
        QStringLiteral("Les dix équations de la série, chacune avec son tableau, les unes sous les autres"));
    d.entete->setAccessibleDescription(
        QStringLiteral("Une ligne au-dessus de l'image : le titre, le nom de l'élève et la date"));
    d.titre->setAccessibleName(QStringLiteral("Titre de l'en-tête"));
    d.nom->setAccessibleName(QStringLiteral("Nom de l'élève"));
    d.date->setAccessibleName(QStringLiteral("Date de l'en-tête"));
}

// Each screen pixel printed as a block of agrandissement x agrandissement
// pixels of the same colour, stored without loss: the PDF engine would
// otherwise compress the picture as JPEG (halos round thin lines and text),
// and a viewer smooths a picture it enlarges less than four times.
constexpr int agrandissement = 4;

bool peindrecopies(QPrinter& p, const QImage& image, int exemplaires)
{
    QPainter peintre;
    if (!peintre.begin(&p))
        return false;
    peintre.setRenderHint(QPainter::LosslessImageRendering);
    peintre.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QImage nette =
        image.scaled(image.size() * agrandissement, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QRect zone = p.pageLayout().paintRectPixels(p.resolution());
    const double echelle = p.resolution() / pixelsecran;
    const QSizeF taille(image.width() * echelle, image.height() * echelle);
    for (int i = 1; i <= exemplaires; ++i) {
        const QPointF coin(zone.width() / 10.0, zone.height() / 20.0);
        peintre.drawImage(QRectF(coin, taille), nette);
        if (i < exemplaires)
            p.newPage();
    }
    return peintre.end();
}

// The ten equations of the series, each with its table when asked for,
// drawn by the program's own painting (their texts stay texts on paper).
void imprimerserie(FeuilleP& f, bool tableaux, const std::optional<lignetete>& tete, int exemplaires)
{
    surfacespapier s;
    s.entete.largeur = f.Picture2->width();
    s.entete.hauteur = f.Picture2->height();
    s.table = f.Picture3->size();
    s.legendes = f.Picture4->size();
    s.fondentete = f.Picture2->fond;
    std::vector<equationpapier> serie = preparerserie(f.etat, s);
    std::vector<blocpapier> blocs;
    for (equationpapier& q : serie) {
        q.tableau = q.tableau && tableaux;
        blocs.push_back(
            {QSizeF(tailleequation(q, s)), [&q, &s](QPainter& p) { peindreequationpapier(p, q, s); }});
    }
    imprimerpapier(imprimante(), blocs, tete, exemplaires);
}

} // namespace

QPrinter& imprimante()
{
    static std::unique_ptr<QPrinter> p;
    if (!p) {
        p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            p->setOutputFormat(QPrinter::PdfFormat);
            p->setOutputFileName(fichierpardefaut());
        }
    }
    return *p;
}

QString nomimprimante(const QPrinter& p)
{
    return p.outputFormat() == QPrinter::PdfFormat ? QDir::toNativeSeparators(p.outputFileName())
                                                   : p.printerName();
}

bool imprimer(QPrinter& p, const QImage& image, int exemplaires)
{
    if (image.isNull() || exemplaires < 1)
        return false;
    // Across the page: the table at its size on screen is wider than the
    // printable width of an upright A4 or Letter page.
    const enpaysage travers(p);
    return peindrecopies(p, image, exemplaires);
}

Confimp::Confimp(FeuilleP& f) : QDialog(&f), feuille(f)
{
    setObjectName(QStringLiteral("confimp"));
    setWindowTitle(QStringLiteral("Imprimer"));
    setModal(true);
    setFixedSize(385, 177);
    setFont(police(QStringLiteral("MS Sans Serif"), 8.25));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(pal);

    Label2 = nomme(new QLabel(QStringLiteral("Imprimante:"), this), "Label2", QRect(16, 16, 73, 21));
    defaut = nomme(new QLineEdit(this), "defaut", QRect(88, 14, 281, 23));
    defaut->setReadOnly(true); // a name typed here would choose no printer
    construireoptions(*this);
    Label3 =
        nomme(new QLabel(QStringLiteral("Nombre d'exemplaires:"), this), "Label3", QRect(16, 141, 137, 21));
    Label4 = nomme(new QLabel(QStringLiteral("1"), this), "Label4", QRect(156, 141, 25, 21));
    Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Only the arrows of the counter show; Label4 shows its value.
    UpDown1 = nomme(new QSpinBox(this), "UpDown1", QRect(184, 137, 17, 28));
    UpDown1->setRange(1, 40);
    UpDown1->setSingleStep(1);
    UpDown1->setValue(1);
    Command1 = bouton(this, "Command1", "&OK", "document-print", QRect(288, 52, 81, 29));
    Command2 = bouton(this, "Command2", "&Imprimantes", "document-properties", QRect(288, 86, 81, 29));
    Command3 = bouton(this, "Command3", "&Annuler", "process-stop", QRect(288, 120, 81, 29));
    Command1->setDefault(true);
    construireattente(*this);
    // Below the design's controls: the window grows downwards.
    setFixedSize(385, 307);
    construirepapier(*this);
    entete_Click(*this);
    defaut->setAccessibleName(QStringLiteral("Imprimante"));
    UpDown1->setAccessibleName(QStringLiteral("Nombre d'exemplaires"));
    Label4->setAccessibleName(QStringLiteral("Nombre d'exemplaires choisi"));
    Image1->setAccessibleName(QStringLiteral("Impression en cours"));
    Frame2->setAccessibleName(QStringLiteral("Veuillez patienter"));

    connect(UpDown1, &QSpinBox::valueChanged, this, [this] { UpDown1_Change(*this); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(*this); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(*this); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(*this); });
    connect(entete, &QCheckBox::stateChanged, this, [this] { entete_Click(*this); });
}

QString titreexercice(const QString& fich)
{
    if (fich.isEmpty() || !QFileInfo(fich).isFile())
        return {};
    constexpr int champtitre = 11; // the exercise file's record of its title
    const auto r = lireenregistrements(fich.toStdString(), champtitre, champtitre);
    return r && !r->empty() ? QString::fromStdString(r->front()).trimmed() : QString();
}

void entete_Click(Confimp& d)
{
    // The captions stay readable on the window's grey.
    for (QWidget* w : std::initializer_list<QWidget*>{d.titre, d.nom})
        w->setEnabled(d.entete->isChecked());
}

void confimp_Load(Confimp& d)
{
    const QRect principale = d.feuille.frameGeometry();
    d.move(principale.left() + (principale.width() - d.frameGeometry().width()) / 2, principale.top() + 20);
    d.defaut->setText(nomimprimante(imprimante()));
    if (d.titre->text().isEmpty())
        d.titre->setText(titreexercice(d.feuille.fich->text()));
}

void UpDown1_Change(Confimp& d)
{
    d.Label4->setText(QString::number(d.UpDown1->value()));
}

void Command1_Click(Confimp& d)
{
    d.Command1->hide();
    d.Command2->hide();
    d.Command3->hide();
    d.Frame1->hide();
    d.Frame3->hide();
    d.Frame2->show();
    d.repaint();
    // a printer fault is not reported, and the window closes all the same
    sansfaute([&] {
        FeuilleP& f = d.feuille;
        std::optional<lignetete> tete;
        if (d.entete->isChecked())
            tete = lignetete{d.titre->text(), d.nom->text(), d.date->text()};
        if (d.serie->isChecked()) {
            imprimerserie(f, d.Option2->isChecked(), tete, d.UpDown1->value());
            return;
        }
        Feuillef& ff = feuillef(f);
        if (d.Option1->isChecked())
            ff.copieur = f.Picture2->bitmap();
        else
            ff.copieur = assembler(f.Picture2->bitmap(), f.Picture4->bitmap(), f.Picture3->bitmap());
        if (tete)
            imprimerpapier(imprimante(), {blocimage(ff.copieur)}, tete, d.UpDown1->value());
        else
            imprimer(imprimante(), ff.copieur, d.UpDown1->value());
    });
    d.accept();
}

void Command2_Click(Confimp& d)
{
    QPrintDialog choix(&imprimante(), &d);
    choix.setOptions(QAbstractPrintDialog::PrintToFile);
    choix.exec();
    confimp_Load(d);
}

void Command3_Click(Confimp& d)
{
    d.reject();
}

void Command10_Click(FeuilleP& f)
{
    Confimp d(f);
    confimp_Load(d);
    if (const auto& o = observateurcourant())
        o(d);
    else
        d.exec();
}

void observerconfimp(std::function<void(Confimp&)> observateur)
{
    observateurcourant() = std::move(observateur);
}

} // namespace qm
