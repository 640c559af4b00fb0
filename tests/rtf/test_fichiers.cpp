// Files made by word processors: LibreOffice Writer wrote the *_lo.rtf files from the sources in
// data/sources; wordpad*.rtf and word.rtf are written by hand in the forms those programs save.

#include "outils.h"

#include <gtest/gtest.h>

using namespace qm;
using namespace qm::essai;

namespace {

lu fichier(const char* nom)
{
    const QByteArray octets = donnees(nom);
    EXPECT_FALSE(octets.isEmpty()) << nom;
    lu r = lis(octets);
    EXPECT_TRUE(r.ok) << nom;
    EXPECT_TRUE(r.erreur.isEmpty()) << nom << ": " << r.erreur.toStdString();
    return r;
}

// The methane statement is in four of the files: its title, its formulas and its accents must
// come out the same from each.
void titreetformules(const QTextDocument& d, const char* nom)
{
    SCOPED_TRACE(nom);
    EXPECT_EQ(paragraphes(d).value(0), "Combustion du méthane");
    EXPECT_EQ(alignementde(d, "Combustion"), Qt::AlignHCenter);
    EXPECT_TRUE(partout(d, "Combustion du méthane", gras));
    EXPECT_TRUE(partout(d, "Combustion du méthane",
                        [](const QTextCharFormat& f) { return couleur(f) == QColor(0, 0, 200); }));
    EXPECT_EQ(pixels(formatde(d, "Combustion")), 24);
    EXPECT_EQ(premierefamille(formatde(d, "Combustion")), "Arial");
    EXPECT_TRUE(d.toPlainText().contains("Le méthane CH4 brûle dans le dioxygène O2"));
    EXPECT_TRUE(indice(formatde(d, "4 brûle")));
    EXPECT_FALSE(indice(formatde(d, " brûle")));
    EXPECT_TRUE(indice(formatfin(d, "dioxygène O2")));
    EXPECT_FALSE(d.toPlainText().contains('\\'));
}

} // namespace

TEST(Fichiers, LibreOfficeStatement)
{
    const lu r = fichier("enonce_lo.rtf");
    const QTextDocument& d = *r.doc;
    titreetformules(d, "enonce_lo.rtf");
    EXPECT_EQ(d.blockCount(), 6);
    EXPECT_TRUE(partout(d, "Équation :", gras));
    EXPECT_FALSE(gras(formatde(d, " CH4 + 2")));
    EXPECT_TRUE(d.toPlainText().contains("CH4 + 2 O2 → CO2 + 2 H2O"));
    EXPECT_TRUE(partout(d, "3+", exposant));
    EXPECT_TRUE(indice(formatde(d, "42−")));
    EXPECT_TRUE(partout(d, "2−", exposant));
    const QTextCharFormat attention = formatde(d, "Attention");
    EXPECT_EQ(couleur(attention), QColor(255, 0, 0));
    EXPECT_TRUE(attention.fontItalic() && attention.fontUnderline());
    EXPECT_EQ(alignementde(d, "Données"), Qt::AlignRight);
    EXPECT_TRUE(partout(d, "−1", exposant));
    EXPECT_TRUE(d.toRawText().contains(QString("Accents : àâçéèêëîïôûùüÿœæ ÀÉÈÇ€") + QChar(0x2028) +
                                       "Deuxième ligne du même paragraphe."));
    EXPECT_EQ(alignementde(d, "Accents"), Qt::AlignJustify);
    EXPECT_NEAR(d.find("Accents").block().blockFormat().leftMargin(), 567 / 15.0, 1e-9);
    EXPECT_EQ(pixels(formatde(d, "Accents")), 13);
    EXPECT_EQ(premierefamille(formatde(d, "Le méthane")), "Times New Roman");
    EXPECT_EQ(pixels(formatde(d, "Le méthane")), 16);
}

TEST(Fichiers, LibreOfficePictureAndCentralEuropeanNames)
{
    const lu r = fichier("ions_lo.rtf");
    const QTextDocument& d = *r.doc;
    EXPECT_EQ(
        paragraphes(d),
        QStringList({"Le fer et ses ions", QString(QChar(0xFFFC)) + " Fe2+ + 2 OH− → Fe(OH)2",
                     "D’après M. Skłodowska-Curie et A. Dvořák : ½ ≈ 0,5 ; α, β, γ.", "Gras puis normal."}));
    // The picture is shown once: the metafile copy beside it is for older readers.
    const QTextCharFormat image = formatde(d, QString(QChar(0xFFFC)));
    ASSERT_TRUE(image.isImageFormat());
    EXPECT_NEAR(image.toImageFormat().width(), 12 * 3.77, 1e-9);
    EXPECT_TRUE(partout(d, "Gras", gras));
    EXPECT_FALSE(gras(formatde(d, " puis")));
    EXPECT_TRUE(indice(formatfin(d, "Fe(OH)2")));
    EXPECT_TRUE(exposant(formatfin(d, "OH−")));
}

TEST(Fichiers, WordPadStatement)
{
    const lu r = fichier("wordpad.rtf");
    const QTextDocument& d = *r.doc;
    titreetformules(d, "wordpad.rtf");
    EXPECT_EQ(pixels(formatde(d, "Le méthane")), 13); // \fs20
    EXPECT_TRUE(d.toPlainText().contains("CH4 + 2 O2 ⟶ CO2 + 2 H2O"));
    EXPECT_EQ(premierefamille(formatde(d, "⟶")), "DejaVu Sans");
    EXPECT_TRUE(partout(d, "Equation :", gras));
    EXPECT_EQ(couleur(formatde(d, "Attention")), QColor(255, 0, 0));
    EXPECT_FALSE(couleur(formatde(d, " : l'équation")).isValid());
    EXPECT_TRUE(d.toPlainText().contains("l'équation doit être ajustée."));
    // The list mark is kept as the text older readers show; the list definition is not.
    EXPECT_TRUE(d.toPlainText().contains("•\tIon fer(III) : Fe3+"));
    EXPECT_FALSE(d.toPlainText().contains("pnlvlblt"));
    // Two pictures: the metafile is skipped, the PNG shown at its intended size.
    EXPECT_EQ(d.toRawText().count(QChar(0xFFFC)), 1);
    const QTextImageFormat image = formatde(d, QString(QChar(0xFFFC))).toImageFormat();
    EXPECT_DOUBLE_EQ(image.width(), 12);
    EXPECT_DOUBLE_EQ(image.height(), 8);
    EXPECT_EQ(alignementde(d, "Données"), Qt::AlignRight);
    EXPECT_EQ(pixels(formatde(d, "Données")), 11);
    EXPECT_TRUE(partout(d, "-1", exposant));
}

TEST(Fichiers, WordPadCentralEuropean)
{
    const lu r = fichier("wordpad_1250.rtf");
    EXPECT_EQ(paragraphes(*r.doc), QStringList({"Zażółć gęślą jaźń", "Français : été"}));
}

TEST(Fichiers, WordStatementShowsOnlyTheBody)
{
    const lu r = fichier("word.rtf");
    const QTextDocument& d = *r.doc;
    titreetformules(d, "word.rtf");
    EXPECT_EQ(paragraphes(d).mid(1),
              QStringList(
                  {"Le méthane CH4 brûle dans le dioxygène O2 : l’équation s’écrit CH4 + 2 O2 → CO2 + 2 H2O",
                   "•\tIon sulfate : SO42−", "Voir le site du lycée.", QString(QChar(0xFFFC)),
                   "Réactif\tQuantité (mol)\t", "Fin de l’énoncé."}));
    for (const char* cache : {"En-tête", "Pied", "Professeur", "HYPERLINK", "Normal", "Liste", "Hyperlink"})
        EXPECT_FALSE(d.toPlainText().contains(cache)) << cache;
    EXPECT_TRUE(partout(d, "CH4 + 2 O2 → CO2 + 2 H2O", gras));
    EXPECT_TRUE(partout(d, "CH4 + 2 O2 → CO2 + 2 H2O",
                        [](const QTextCharFormat& f) { return couleur(f) == QColor(192, 0, 0); }));
    EXPECT_TRUE(indice(formatde(d, "4 + 2")));
    EXPECT_TRUE(partout(d, "2−", exposant));
    EXPECT_EQ(alignementde(d, "Le méthane"), Qt::AlignJustify);
    EXPECT_TRUE(formatde(d, "site du lycée").fontUnderline());
    EXPECT_EQ(d.find("Ion sulfate").block().blockFormat().leftMargin(), 48);
    EXPECT_EQ(d.find("Ion sulfate").block().blockFormat().textIndent(), -24);
    ASSERT_TRUE(formatde(d, QString(QChar(0xFFFC))).isImageFormat());
    EXPECT_EQ(alignementde(d, QString(QChar(0xFFFC))), Qt::AlignHCenter);
}

// ecrit_quilmaret.rtf is the writer's output for word.rtf plus a line of characters outside
// Windows-1252; ecrit_quilmaret_libreoffice.txt is what LibreOffice Writer made of it
// (soffice --headless --convert-to "txt:Text (encoded):UTF8").
TEST(Fichiers, WriterOutputReadsAsLibreOfficeReadsIt)
{
    const lu r = fichier("ecrit_quilmaret.rtf");
    QString libreoffice = QString::fromUtf8(donnees("ecrit_quilmaret_libreoffice.txt"));
    if (libreoffice.startsWith(QChar(0xFEFF)))
        libreoffice.remove(0, 1);
    libreoffice.replace("\r\n", "\n");
    // LibreOffice's plain text has no picture; the paragraph that holds one is empty there.
    QString nous = r.doc->toPlainText() + "\n";
    nous.remove(QChar(0xFFFC));
    EXPECT_EQ(nous, libreoffice);
    EXPECT_TRUE(nous.contains("α β γ ⟶ ≈ ½ ł ř 𝛼"));
}

TEST(Fichiers, WriterOutputWrittenAgainIsUnchanged)
{
    const QByteArray ecrit = donnees("ecrit_quilmaret.rtf");
    const lu r = lis(ecrit);
    EXPECT_EQ(ecrirertf(*r.doc), ecrit);
}
