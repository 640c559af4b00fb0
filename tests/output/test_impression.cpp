#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <optional>

#include "app/boite.h"
#include "output/confimp.h"
#include "output/feuillef.h"
#include "workspace/dessin.h"
#include "workspace/editeur.h"
#include "workspace/espace.h"
#include "workspace/feuillep.h"

namespace {

using namespace qm;

constexpr double rendu = 96; // pdftoppm's resolution: one screen pixel per pixel

// Pages of a PDF as Qt writes it: one "/Type /Page" dictionary each.
int pages(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(f.readAll()).count(page));
}

// The pages as pictures, or none without pdftoppm.
std::optional<std::vector<QImage>> rendre(const QString& pdf, const QString& dossier,
                                          double resolution = rendu)
{
    const QString outil = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (outil.isEmpty())
        return std::nullopt;
    const QString prefixe = QDir(dossier).filePath(QStringLiteral("page"));
    QProcess::execute(
        outil, {QStringLiteral("-r"), QString::number(resolution), QStringLiteral("-png"), pdf, prefixe});
    std::vector<QImage> images;
    for (const QString& nom : QDir(dossier).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name))
        images.push_back(QImage(QDir(dossier).filePath(nom)));
    return images;
}

// The smallest rectangle holding every pixel that is not white.
QRect encre(const QImage& page)
{
    QRect r;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() < 240 || c.green() < 240 || c.blue() < 240)
                r = r.united(QRect(x, y, 1, 1));
        }
    return r;
}

class Impression : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    QTemporaryDir images;
    std::unique_ptr<FeuilleP> f;
    QString pdf;
    std::vector<questionboite> questions;

    void SetUp() override
    {
        ASSERT_TRUE(dossier.isValid());
        f = std::make_unique<FeuilleP>(dossier.path());
        f->move(30, 50);
        brancherdessins(*f);
        pdf = dossier.filePath(QStringLiteral("copie.pdf"));
        QPrinter& p = imprimante();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        p.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(20, 15, 10, 10), QPageLayout::Millimeter));
        installerrepondeur([this](const questionboite& q) {
            questions.push_back(q);
            return reponse::ok;
        });
    }
    void TearDown() override
    {
        observerconfimp({});
        installerrepondeur({});
    }
    // Opens the print window from the main window's button and runs `a` on it.
    void ouvrir(const std::function<void(Confimp&)>& a)
    {
        bool vue = false;
        observerconfimp([&](Confimp& d) {
            vue = true;
            a(d);
        });
        f->commandes.at(QStringLiteral("Command10"))->click();
        EXPECT_TRUE(vue);
    }
    // Where the picture's top-left corner belongs on the rendered page, printed across.
    QPointF coinattendu() const
    {
        QPageLayout travers = imprimante().pageLayout();
        travers.setOrientation(QPageLayout::Landscape);
        const QRectF zone = travers.paintRect(QPageLayout::Point);
        return QPointF(zone.left() + zone.width() / 10, zone.top() + zone.height() / 20) * rendu / 72;
    }
    void tableau()
    {
        f->Text1->setText(QStringLiteral("2H#2+O#2=2H#2O"));
        valideur_Click(*f);
    }
};

TEST_F(Impression, WindowAtOpening)
{
    ouvrir([&](Confimp& d) {
        EXPECT_EQ(d.windowTitle(), "Imprimer");
        EXPECT_TRUE(d.isModal());
        EXPECT_EQ(d.frameGeometry().top(), f->frameGeometry().top() + 20);
        EXPECT_EQ(d.defaut->text(), QDir::toNativeSeparators(pdf));
        EXPECT_EQ(d.findChild<QLabel*>("Label2")->text(), "Imprimante:");
        EXPECT_EQ(d.findChild<QGroupBox*>("Frame1")->title(), "Options");
        EXPECT_EQ(d.Option1->text(), "Imprimer l'équation-bilan");
        EXPECT_EQ(d.Option2->text(), "Imprimer l'équation-bilan et le tableau");
        EXPECT_TRUE(d.Option2->isChecked());
        EXPECT_EQ(d.findChild<QLabel*>("Label3")->text(), "Nombre d'exemplaires:");
        EXPECT_EQ(d.Label4->text(), "1");
        EXPECT_EQ(d.UpDown1->minimum(), 1);
        EXPECT_EQ(d.UpDown1->maximum(), 40);
        EXPECT_EQ(d.findChild<QPushButton*>("Command1")->text(), "&OK");
        EXPECT_EQ(d.findChild<QPushButton*>("Command2")->text(), "&Imprimantes");
        EXPECT_EQ(d.findChild<QPushButton*>("Command3")->text(), "&Annuler");
        EXPECT_TRUE(d.findChild<QFrame*>("Frame2")->isHidden());
        EXPECT_EQ(d.findChild<QLabel*>("Label1")->text(), "Veuillez patienter quelques instants...");
        d.UpDown1->setValue(7);
        EXPECT_EQ(d.Label4->text(), "7");
        d.UpDown1->setValue(41);
        EXPECT_EQ(d.Label4->text(), "40");
        d.Option1->setChecked(true);
        d.Command3->click();
        EXPECT_EQ(d.result(), QDialog::Rejected);
    });
    EXPECT_FALSE(QFile::exists(pdf)) << "cancelling prints nothing";
    // Nothing is kept from one opening to the next.
    ouvrir([](Confimp& d) {
        EXPECT_EQ(d.Label4->text(), "1");
        EXPECT_EQ(d.UpDown1->value(), 1);
        EXPECT_TRUE(d.Option2->isChecked());
    });
}

TEST_F(Impression, ThreeCopiesThreePagesEachPlaced)
{
    tableau();
    // A count left in the set-up dialog: a real printer would print each page that often.
    imprimante().setCopyCount(2);
    ouvrir([](Confimp& d) {
        d.UpDown1->setValue(3);
        d.Command1->click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_FALSE(d.Frame2->isHidden());
        EXPECT_TRUE(d.Command1->isHidden());
        EXPECT_TRUE(d.Frame1->isHidden());
    });
    EXPECT_EQ(pages(pdf), 3);
    EXPECT_EQ(imprimante().copyCount(), 1);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(feuillef(*f).copieur.size(), QSize(777, 189));

    const auto rendues = rendre(pdf, images.path());
    if (!rendues)
        GTEST_SKIP() << "pdftoppm is not installed: the placement is not checked";
    ASSERT_EQ(rendues->size(), 3u);
    const QPointF coin = coinattendu();
    for (const QImage& page : *rendues) {
        const QRect r = encre(page);
        EXPECT_NEAR(r.left(), coin.x(), 1.5);
        EXPECT_NEAR(r.top(), coin.y(), 1.5);
        EXPECT_NEAR(r.width(), 777, 2) << "at its size on screen";
        EXPECT_NEAR(r.height(), 189, 2);
    }
}

TEST_F(Impression, EquationOnly)
{
    f->Picture2->image.fill(QColor(128, 128, 128));
    ouvrir([](Confimp& d) {
        d.Option1->setChecked(true);
        d.Command1->click();
    });
    EXPECT_EQ(pages(pdf), 1);
    EXPECT_EQ(feuillef(*f).copieur, f->Picture2->image);
    const auto rendues = rendre(pdf, images.path());
    if (!rendues)
        GTEST_SKIP() << "pdftoppm is not installed: the placement is not checked";
    ASSERT_EQ(rendues->size(), 1u);
    const QRect r = encre(rendues->front());
    EXPECT_NEAR(r.left(), coinattendu().x(), 1.5);
    EXPECT_NEAR(r.top(), coinattendu().y(), 1.5);
    EXPECT_NEAR(r.width(), 689, 2);
    EXPECT_NEAR(r.height(), 41, 2);
}

// The picture is stored as drawn: no JPEG, each screen pixel a block of the
// printed picture, so that scaled back it is the screen picture exactly.
TEST_F(Impression, PictureStoredWithoutLoss)
{
    tableau();
    ouvrir([](Confimp& d) { d.Command1->click(); });
    const QImage& ecran = feuillef(*f).copieur;
    ASSERT_EQ(ecran.size(), QSize(777, 189));
    const QString outil = QStandardPaths::findExecutable(QStringLiteral("pdfimages"));
    if (outil.isEmpty())
        GTEST_SKIP() << "pdfimages is not installed";
    QProcess liste;
    liste.start(outil, {QStringLiteral("-list"), pdf});
    ASSERT_TRUE(liste.waitForFinished(20000));
    const QStringList lignes =
        QString::fromLatin1(liste.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lignes.size(), 3) << "a title, a rule and one picture";
    const QStringList champs = lignes[2].simplified().split(' ');
    ASSERT_GE(champs.size(), 9);
    EXPECT_EQ(champs[8].toStdString(), "image") << "not JPEG";

    QProcess::execute(outil, {QStringLiteral("-png"), pdf, images.filePath(QStringLiteral("img"))});
    const QImage imprimee(images.filePath(QStringLiteral("img-000.png")));
    ASSERT_FALSE(imprimee.isNull());
    const int k = imprimee.width() / ecran.width();
    EXPECT_GE(k, 4);
    ASSERT_EQ(imprimee.size(), ecran.size() * k);
    int differents = 0;
    for (int y = 0; y < imprimee.height(); ++y)
        for (int x = 0; x < imprimee.width(); ++x)
            if ((imprimee.pixel(x, y) & 0xffffff) != (ecran.pixel(x / k, y / k) & 0xffffff))
                ++differents;
    EXPECT_EQ(differents, 0);
}

// On a printable area of 4000 x 6000 units the corner is at (400, 300): at
// 72 units to the inch a unit is a point of the PDF page.
TEST_F(Impression, CornerInPrinterUnits)
{
    QPrinter p(QPrinter::HighResolution);
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(dossier.filePath(QStringLiteral("unites.pdf")));
    p.setResolution(72);
    // Given upright, printed across: 4040 wide and 6040 high once turned.
    p.setPageLayout(QPageLayout(QPageSize(QSizeF(6040, 4040), QPageSize::Point), QPageLayout::Portrait,
                                QMarginsF(20, 20, 20, 20), QPageLayout::Point));
    QImage carre(96, 96, QImage::Format_RGB32); // 72 points on paper
    carre.fill(Qt::black);
    ASSERT_TRUE(imprimer(p, carre, 1));
    QPageLayout travers = p.pageLayout();
    travers.setOrientation(QPageLayout::Landscape);
    ASSERT_EQ(travers.paintRectPixels(p.resolution()), QRect(20, 20, 4000, 6000));
    constexpr double resolution = 18; // a rendered pixel is 4 points
    const auto rendues = rendre(p.outputFileName(), images.path(), resolution);
    if (!rendues)
        GTEST_SKIP() << "pdftoppm is not installed: the placement is not checked";
    ASSERT_EQ(rendues->size(), 1u);
    const QRect r = encre(rendues->front());
    EXPECT_NEAR(r.left(), (20 + 400) / 4.0, 1.0);
    EXPECT_NEAR(r.top(), (20 + 300) / 4.0, 1.0);
    EXPECT_NEAR(r.width(), 72 / 4.0, 1.0);
}

TEST_F(Impression, PrinterSetUpCancelledChangesNothing)
{
    ouvrir([&](Confimp& d) {
        d.defaut->setText(QString());
        bool choix = false;
        QTimer::singleShot(0, &d, [&] {
            if (auto* p = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
                choix = true;
                p->reject();
            }
        });
        d.Command2->click();
        EXPECT_TRUE(choix) << "the set-up dialog was open";
        EXPECT_EQ(d.defaut->text(), QDir::toNativeSeparators(pdf)) << "the name is shown again";
        EXPECT_TRUE(d.Frame2->isHidden());
    });
    EXPECT_EQ(imprimante().outputFileName(), pdf);
    EXPECT_EQ(imprimante().outputFormat(), QPrinter::PdfFormat);
}

TEST_F(Impression, PrinterFaultShowsNothingAndCloses)
{
    imprimante().setOutputFileName(dossier.filePath(QStringLiteral("absent/dossier/copie.pdf")));
    ouvrir([](Confimp& d) {
        d.Command1->click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    EXPECT_TRUE(questions.empty());
}

} // namespace
