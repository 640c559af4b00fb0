#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>

#include <memory>

#include "files/enregistrements.h"
#include "output/confimp.h"
#include "output/feuillef.h"
#include "output/papier.h"
#include "workspace/dessin.h"
#include "workspace/espace.h"
#include "workspace/feuillep.h"

namespace {

using namespace qm;

int pages(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(f.readAll()).count(page));
}

// The text of a PDF in the order it is drawn, or with -bbox its words boxed.
QString texte(const QString& pdf, bool boites = false)
{
    QProcess outil;
    QStringList args{boites ? QStringLiteral("-bbox") : QStringLiteral("-raw")};
    outil.start(QStringLiteral("pdftotext"), args << pdf << QStringLiteral("-"));
    EXPECT_TRUE(outil.waitForFinished(20000));
    return QString::fromUtf8(outil.readAllStandardOutput());
}

// The height of each box of `mot`, in points.
std::vector<double> hauteurs(const QString& pdf, const QString& mot)
{
    static const QRegularExpression boite(QStringLiteral(
        "<word xMin=\"[-0-9.]+\" yMin=\"([-0-9.]+)\" xMax=\"[-0-9.]+\" yMax=\"([-0-9.]+)\">([^<]*)</word>"));
    std::vector<double> h;
    for (auto m = boite.globalMatch(texte(pdf, true)); m.hasNext();) {
        const auto r = m.next();
        if (r.captured(3) == mot)
            h.push_back(r.captured(2).toDouble() - r.captured(1).toDouble());
    }
    return h;
}

QString sansblancs(QString s)
{
    return s.remove(QRegularExpression(QStringLiteral("\\s")));
}

TEST(Papier, DateInFrench)
{
    const struct {
        QDate jour;
        const char* texte;
    } cas[] = {
        {QDate(2026, 12, 8), "8 décembre 2026"},
        {QDate(2027, 1, 1), "1er janvier 2027"},
        {QDate(2026, 8, 15), "15 août 2026"},
        {QDate(2028, 2, 29), "29 février 2028"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(datelongue(c.jour).toStdString(), c.texte);
}

class Polycopie : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    std::unique_ptr<FeuilleP> f;
    QString pdf;

    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext is not installed";
        f = std::make_unique<FeuilleP>(dossier.path());
        brancherdessins(*f);
        pdf = dossier.filePath(QStringLiteral("papier.pdf"));
        page(QPageSize(QPageSize::A4));
    }
    void TearDown() override { observerconfimp({}); }
    void page(const QPageSize& taille)
    {
        QPrinter& p = imprimante();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        p.setPageLayout(
            QPageLayout(taille, QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    }
    void imprimer(const std::function<void(Confimp&)>& reglages)
    {
        QFile::remove(pdf);
        observerconfimp([&](Confimp& d) {
            reglages(d);
            d.Command1->click();
        });
        f->commandes.at(QStringLiteral("Command10"))->click();
    }
};

// Four equations in slots 1, 3, 6 and 10, the one on display half way through
// its transformation; an unbalanced one has no table but is printed.
TEST_F(Polycopie, SeriesHandout)
{
    const char* equations[] = {"2H#2+O#2=2H#2O", nullptr, "C+O#2=CO#2", nullptr, nullptr,
                               "Fe+S=FeS",       nullptr, nullptr,      nullptr, "H#2+O#2=H#2O"};
    for (int i = 9; i >= 0; --i)
        if (equations[i]) {
            choisirequation(*f, i);
            f->Text1->setText(QString::fromLatin1(equations[i]));
            valideur_Click(*f);
        }
    choisirequation(*f, 2);
    f->etat.quant = {0, 1, 2};
    valideur_Click(*f);
    f->HScroll1->setValue(5000);
    const etatfeuille avant = f->etat;
    const QImage table = f->Picture3->image;
    const QImage entete = f->Picture2->image;

    imprimer([](Confimp& d) { d.serie->setChecked(true); });
    const QString lu = sansblancs(texte(pdf));
    for (const char* e : {"2H2+O2⟶2H2O", "C+O2⟶CO2", "Fe+S⟶FeS", "H2+O2⟶H2O"})
        EXPECT_TRUE(lu.contains(QString::fromUtf8(e))) << e << " in " << lu.toStdString();
    EXPECT_TRUE(lu.contains(QStringLiteral("Etatinitial"))) << "the tables' captions";
    EXPECT_GT(pages(pdf), 1);
    EXPECT_LT(pages(pdf), 4) << "several to a page";

    // The window shows what it showed.
    EXPECT_EQ(f->etat.numcourant, avant.numcourant);
    EXPECT_EQ(f->etat.texte, avant.texte);
    EXPECT_EQ(f->etat.quant, avant.quant);
    EXPECT_EQ(f->etat.eqtexte, avant.eqtexte);
    EXPECT_EQ(f->etat.p, 5000);
    EXPECT_EQ(f->HScroll1->value(), 5000);
    EXPECT_EQ(f->Picture3->image, table);
    EXPECT_EQ(f->Picture2->image, entete);

    // As many to a page as fit: all on a page tall enough, one each on a page
    // that holds one.
    page(QPageSize(QSizeF(1000, 1000), QPageSize::Millimeter));
    imprimer([](Confimp& d) { d.serie->setChecked(true); });
    EXPECT_EQ(pages(pdf), 1);
    page(QPageSize(QSizeF(70, 300), QPageSize::Millimeter)); // 300 across
    imprimer([](Confimp& d) {
        d.serie->setChecked(true);
        d.UpDown1->setValue(2);
    });
    EXPECT_EQ(pages(pdf), 8) << "two copies of four pages";
}

// The title comes from the exercise open; the line is printed above the
// picture in 12 points whatever the printer's resolution.
TEST_F(Polycopie, HeaderLine)
{
    const QString exercice = dossier.filePath(QStringLiteral("fer.E07"));
    std::vector<std::string> champs(11);
    champs[10] = "Le fer et le soufre";
    ASSERT_TRUE(remplacerenregistrements(exercice.toStdString(), champs));
    f->fich->setText(exercice);
    f->Text1->setText(QStringLiteral("Fe+S=FeS"));
    valideur_Click(*f);

    // What a 12 pt word of the same face measures in a PDF.
    const QString etalon = dossier.filePath(QStringLiteral("etalon.pdf"));
    {
        QPrinter p(QPrinter::HighResolution);
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(etalon);
        QPainter peintre(&p);
        QFont douze(QStringLiteral("Liberation Sans"));
        douze.setPointSize(12);
        douze.setBold(true);
        peintre.setFont(douze);
        peintre.drawText(500, 500, QStringLiteral("soufre"));
    }
    const std::vector<double> reference = hauteurs(etalon, QStringLiteral("soufre"));
    ASSERT_EQ(reference.size(), 1u);

    for (const int dpi : {1200, 300}) {
        imprimante().setResolution(dpi);
        imprimer([](Confimp& d) {
            EXPECT_EQ(d.titre->text(), "Le fer et le soufre");
            EXPECT_EQ(d.date->text(), datelongue(QDate::currentDate()));
            EXPECT_FALSE(d.titre->isEnabled()) << "until the header is asked for";
            d.entete->setChecked(true);
            EXPECT_TRUE(d.titre->isEnabled());
            d.nom->setText(QStringLiteral("Camille Martin"));
        });
        EXPECT_EQ(pages(pdf), 1);
        const QString lu = texte(pdf);
        for (const QString& t : {QStringLiteral("Le fer et le soufre"),
                                 QStringLiteral("Nom : Camille Martin"), datelongue(QDate::currentDate())})
            EXPECT_TRUE(lu.contains(t)) << t.toStdString() << " in " << lu.toStdString();
        const std::vector<double> h = hauteurs(pdf, QStringLiteral("soufre"));
        ASSERT_EQ(h.size(), 1u) << dpi;
        EXPECT_NEAR(h[0], reference[0], reference[0] * 0.05) << dpi << " dpi";
    }
    imprimante().setResolution(1200);
}

} // namespace
