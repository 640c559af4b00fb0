#include "outils.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTextFragment>
#include <gtest/gtest.h>

using namespace qm;
using namespace qm::essai;

namespace {

// What a reader sees of a run of characters.
struct morceau {
    QString texte{};
    QString police{};
    int pixels = 0;
    bool gras = false;
    bool italique = false;
    bool souligne = false;
    bool barre = false;
    int position = 0;
    QRgb couleur = 0;
    QRgb fond = 0;
    bool operator==(const morceau&) const = default;
};

std::ostream& operator<<(std::ostream& o, const morceau& m)
{
    return o << '"' << m.texte.toStdString() << "\" " << m.police.toStdString() << ' ' << m.pixels << "px"
             << (m.gras ? " b" : "") << (m.italique ? " i" : "") << (m.souligne ? " u" : "")
             << (m.barre ? " s" : "") << " pos" << m.position << " cf" << std::hex << m.couleur << " bg"
             << m.fond << std::dec;
}

morceau decrit(const QTextDocument& d, const QTextCharFormat& f)
{
    morceau m;
    m.police = premierefamille(f).isEmpty() ? d.defaultFont().family() : premierefamille(f);
    m.pixels = pixels(f);
    m.gras = gras(f);
    m.italique = f.fontItalic();
    m.souligne = f.fontUnderline();
    m.barre = f.fontStrikeOut();
    m.position = exposant(f) ? 1 : indice(f) ? -1 : 0;
    m.couleur = couleur(f).isValid() ? couleur(f).rgb() : 0;
    m.fond = f.hasProperty(QTextFormat::BackgroundBrush) ? f.background().color().rgb() : 0;
    return m;
}

// Runs with the same look are one, however the document cuts them; "\n" separates paragraphs.
std::vector<morceau> morceaux(const QTextDocument& d)
{
    std::vector<morceau> v;
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next()) {
        if (b != d.begin())
            v.push_back(morceau{"\n"});
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            morceau m = decrit(d, it.fragment().charFormat());
            m.texte = it.fragment().text();
            if (!v.empty() && v.back().texte != "\n") {
                morceau precedent = v.back();
                precedent.texte = m.texte;
                if (precedent == m) {
                    v.back().texte += m.texte;
                    continue;
                }
            }
            v.push_back(m);
        }
    }
    return v;
}

struct mise {
    QString police = "Arial";
    int pixels = 13;
    bool gras = false;
    bool italique = false;
    bool souligne = false;
    bool barre = false;
    int position = 0;
    QColor couleur{};
    QColor fond{};
};

QTextCharFormat format(const mise& m)
{
    QTextCharFormat f;
    f.setFontFamilies({m.police});
    f.setProperty(QTextFormat::FontPixelSize, m.pixels);
    f.setFontWeight(m.gras ? QFont::Bold : QFont::Normal);
    f.setFontItalic(m.italique);
    f.setFontUnderline(m.souligne);
    f.setFontStrikeOut(m.barre);
    if (m.position != 0)
        f.setVerticalAlignment(m.position > 0 ? QTextCharFormat::AlignSuperScript
                                              : QTextCharFormat::AlignSubScript);
    if (m.couleur.isValid())
        f.setForeground(m.couleur);
    if (m.fond.isValid())
        f.setBackground(m.fond);
    return f;
}

// A statement like the ones teachers write: a centred title, formulas, ions, coloured words.
void enonce(QTextDocument& d)
{
    QTextCursor c(&d);
    QTextBlockFormat centre;
    centre.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(centre);
    c.insertText("Combustion du méthane",
                 format({"Arial", 24, true, false, false, false, 0, QColor(0, 0, 200)}));
    QTextBlockFormat justifie;
    justifie.setAlignment(Qt::AlignJustify);
    justifie.setLeftMargin(24);
    justifie.setTextIndent(-12);
    c.insertBlock(justifie);
    c.insertText("Le méthane CH", format({}));
    c.insertText("4", format({.position = -1}));
    c.insertText(" brûle ; l’ion Fe", format({}));
    c.insertText("3+", format({.position = 1}));
    c.insertText(" « attention » ",
                 format({.italique = true, .souligne = true, .couleur = QColor(255, 0, 0)}));
    c.insertText(
        "barré",
        format({.police = "Times New Roman", .pixels = 16, .barre = true, .fond = QColor(255, 255, 0)}));
    c.insertText("\tα ⟶ 𝛼 {\\}", format({.police = "Courier New", .pixels = 11}));
    QTextBlockFormat droite;
    droite.setAlignment(Qt::AlignRight);
    droite.setRightMargin(8);
    droite.setTopMargin(4);
    droite.setBottomMargin(6);
    c.insertBlock(droite);
    c.insertText(QString("M = 16,0 g·mol") + QChar(0x2028),
                 format({.police = "DejaVu Sans", .pixels = 11, .gras = true}));
    c.insertText("−1", format({.police = "DejaVu Sans", .pixels = 11, .gras = true, .position = 1}));
}

std::vector<QString> blocs(const QTextDocument& d)
{
    std::vector<QString> v;
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat f = b.blockFormat();
        v.push_back(QString("%1 %2 %3 %4 %5 %6")
                        .arg(int(f.alignment() & Qt::AlignHorizontal_Mask))
                        .arg(f.leftMargin())
                        .arg(f.rightMargin())
                        .arg(f.textIndent())
                        .arg(f.topMargin())
                        .arg(f.bottomMargin()));
    }
    return v;
}

} // namespace

TEST(Ecriture, HeaderAndTablesBuiltFromTheDocument)
{
    QTextDocument d;
    enonce(d);
    const QByteArray r = ecrirertf(d);
    EXPECT_TRUE(r.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"));
    EXPECT_TRUE(r.contains("\\fswiss\\fcharset0 Arial;}"));
    EXPECT_TRUE(r.contains("\\froman\\fcharset0 Times New Roman;}"));
    EXPECT_TRUE(r.contains("\\fmodern\\fcharset0 Courier New;}"));
    EXPECT_TRUE(r.contains("{\\colortbl;\\red0\\green0\\blue200;\\red255\\green0\\blue0;"));
    EXPECT_TRUE(r.contains("\\qc"));
    EXPECT_TRUE(r.trimmed().endsWith("}"));
    QByteArray structure = r;
    structure.replace("\\\\", "").replace("\\{", "").replace("\\}", "");
    EXPECT_EQ(structure.count('{'), structure.count('}'));
}

TEST(Ecriture, OutputIsSevenBitWithWindows1252AndUnicodeEscapes)
{
    QTextDocument d;
    QTextCursor(&d).insertText("é€œ α⟶𝛼 {}\\\tx\u00A0y");
    const QByteArray r = ecrirertf(d);
    EXPECT_TRUE(std::all_of(r.begin(), r.end(), [](char c) { return (unsigned char)c < 0x80; }));
    for (const char* attendu :
         {"\\'e9\\'80\\'9c ", "\\u945?\\u10230?\\u-10187?\\u-8452?", "\\{\\}\\\\\\tab x\\~y"})
        EXPECT_TRUE(r.contains(attendu)) << attendu << "\n" << r.constData();
}

TEST(Ecriture, RoundTripKeepsTextAndFormats)
{
    QTextDocument d;
    enonce(d);
    const lu r = lis(ecrirertf(d));
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.erreur.isEmpty());
    EXPECT_EQ(r.doc->toRawText(), d.toRawText());
    EXPECT_EQ(morceaux(*r.doc), morceaux(d));
    EXPECT_EQ(blocs(*r.doc), blocs(d));
}

// The Symbol face's bytes are Greek letters and arrows to the reader: text in that face, which the
// program shows through its substitute, must come back as written, Greek or not.
TEST(Ecriture, RoundTripOfTextInTheSymbolFace)
{
    QTextDocument d;
    QTextCharFormat symbole;
    symbole.setFontFamilies({QStringLiteral("Symbol")});
    QTextCursor(&d).insertText(QStringLiteral("pH = 7 et $a + b$ ; αβ → ∑"), symbole);
    // Names the reader would take for Symbol once cut to its length or cleaned of controls.
    for (const QString& nom : {QStringLiteral("Symbol") + QString(250, QLatin1Char(' ')) + QLatin1Char('X'),
                               QStringLiteral("Sym\tbol")}) {
        QTextCharFormat f;
        f.setFontFamilies({nom});
        QTextCursor(&d).insertText(QStringLiteral(" abc"), f);
    }
    const lu r = lis(ecrirertf(d));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.doc->toRawText(), d.toRawText());
}

TEST(Ecriture, MeasuresBeyondWhatAFileHoldsAreWrittenAtItsLimits)
{
    QTextDocument d;
    QTextBlockFormat b;
    b.setLeftMargin(1e9);
    b.setTextIndent(-1e9);
    QTextCharFormat c;
    c.setFontPointSize(1e9);
    QTextCursor(&d).insertBlock(b, c);
    const QByteArray rtf = ecrirertf(d);
    EXPECT_TRUE(rtf.contains("\\li31680") && rtf.contains("\\fi-31680") && rtf.contains("\\fs3276"))
        << rtf.data();
}

TEST(Ecriture, RoundTripOfEmptyParagraphs)
{
    for (const QString& t : {QString(), QString("a\n"), QString("\n\n"), QString("a\n\nb")}) {
        QTextDocument d;
        d.setPlainText(t);
        const lu r = lis(ecrirertf(d));
        EXPECT_EQ(paragraphes(*r.doc), paragraphes(d)) << t.toStdString();
    }
}

TEST(Ecriture, SizesWrittenBackAsTheFileHadThemUnlessChanged)
{
    const lu r = lis("{\\rtf1 {\\fs23 impair}{\\fs22 pair}{\\fs21 demi}}");
    EXPECT_EQ(pixels(formatde(*r.doc, "impair")), pixels(formatde(*r.doc, "pair")));
    QByteArray ecrit = ecrirertf(*r.doc);
    EXPECT_TRUE(ecrit.contains("\\fs23 impair"));
    EXPECT_TRUE(ecrit.contains("\\fs22 pair"));
    EXPECT_TRUE(ecrit.contains("\\fs21 demi"));
    // Once the pupil changes the size, the pixels decide.
    QTextCursor c = r.doc->find("impair");
    QTextCharFormat plusgros;
    plusgros.setProperty(QTextFormat::FontPixelSize, 20);
    c.mergeCharFormat(plusgros);
    EXPECT_TRUE(ecrirertf(*r.doc).contains("\\fs30 impair"));
    // Sizes in points, as a text box sets them, and the document's default font.
    QTextDocument d;
    QTextCharFormat points;
    points.setFontPointSize(10);
    QTextCursor(&d).insertText("dix", points);
    QFont defaut("Arial");
    defaut.setPixelSize(24);
    d.setDefaultFont(defaut);
    QTextCursor(&d).insertText("defaut", QTextCharFormat());
    ecrit = ecrirertf(d);
    EXPECT_TRUE(ecrit.contains("\\fs20 dix")) << ecrit.constData();
    EXPECT_TRUE(ecrit.contains("\\fs36 defaut")) << ecrit.constData();
}

TEST(Ecriture, RoundTripOfPictures)
{
    QImage img(10, 6, QImage::Format_RGB32);
    img.fill(QColor(0, 128, 0));
    img.setPixelColor(9, 5, QColor(255, 0, 0));
    QTextDocument d;
    d.addResource(QTextDocument::ImageResource, QUrl("flacon"), img);
    QTextImageFormat f;
    f.setName("flacon");
    f.setWidth(20);
    f.setHeight(12);
    QTextCursor c(&d);
    c.insertText("avant ");
    c.insertImage(f);
    c.insertText(" apres");
    const QByteArray ecrit = ecrirertf(d);
    EXPECT_TRUE(ecrit.contains("\\pngblip"));
    const lu r = lis(ecrit);
    EXPECT_EQ(r.doc->toRawText(), d.toRawText());
    const QTextCharFormat lu = formatde(*r.doc, QString(QChar(0xFFFC)));
    ASSERT_TRUE(lu.isImageFormat());
    EXPECT_DOUBLE_EQ(lu.toImageFormat().width(), 20);
    EXPECT_DOUBLE_EQ(lu.toImageFormat().height(), 12);
    const QImage relue =
        r.doc->resource(QTextDocument::ImageResource, QUrl(lu.toImageFormat().name())).value<QImage>();
    EXPECT_EQ(relue.size(), img.size());
    EXPECT_EQ(relue.pixelColor(9, 5), QColor(255, 0, 0));
    EXPECT_EQ(relue.pixelColor(0, 0), QColor(0, 128, 0));
}

TEST(Ecriture, FilesAreWrittenWholeOrNotAtAll)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString chemin = dossier.filePath("reponse.rtf");
    QTextDocument d;
    enonce(d);
    QString erreur;
    ASSERT_TRUE(ecrirefichierrtf(d, chemin, &erreur)) << erreur.toStdString();
    QTextDocument relu;
    EXPECT_TRUE(lirefichierrtf(chemin, relu, &erreur));
    EXPECT_EQ(morceaux(relu), morceaux(d));
    // A save that cannot be done says so and leaves no file behind.
    EXPECT_FALSE(ecrirefichierrtf(d, dossier.filePath("absent/reponse.rtf"), &erreur));
    EXPECT_FALSE(erreur.isEmpty());
    EXPECT_FALSE(QFile::exists(dossier.filePath("absent/reponse.rtf")));
    // A file that cannot be read leaves the document as it was.
    relu.setPlainText("avant");
    EXPECT_FALSE(lirefichierrtf(dossier.filePath("inconnu.rtf"), relu, &erreur));
    EXPECT_FALSE(erreur.isEmpty());
    EXPECT_EQ(relu.toPlainText(), "avant");
}
