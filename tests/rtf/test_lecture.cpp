#include "outils.h"
#include "rtf/pages.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

using namespace qm;
using namespace qm::essai;

namespace {

QByteArray rtf(const char* corps)
{
    return QByteArray(
               R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\froman\fcharset0 Times New Roman;})"
               R"({\f2\fnil\fcharset2 Symbol;}}{\colortbl;\red0\green0\blue200;\red255\green0\blue0;})") +
           corps + "}";
}

QString texte(const char* corps)
{
    return lis(rtf(corps)).doc->toRawText();
}

} // namespace

// ---- Paragraphs and breaks -------------------------------------------------------------------

TEST(LectureParagraphes, ParEndsAParagraphAndAFinalParMakesNoEmptyOne)
{
    EXPECT_EQ(paragraphes(*lis(rtf(R"(un\par deux\par)")).doc), QStringList({"un", "deux"}));
    EXPECT_EQ(paragraphes(*lis(rtf(R"(un\par deux)")).doc), QStringList({"un", "deux"}));
    EXPECT_EQ(paragraphes(*lis(rtf(R"(un\par\par deux\par\par)")).doc), QStringList({"un", "", "deux", ""}));
    EXPECT_EQ(paragraphes(*lis(rtf("")).doc), QStringList({""}));
}

TEST(LectureParagraphes, LineTabAndLineEndsInTheFile)
{
    // Line ends in the file are not text; a backslash before one is a paragraph mark.
    EXPECT_EQ(texte("a\r\nb\\line c\\tab d"), QString("ab\u2028c\td"));
    EXPECT_EQ(paragraphes(*lis(rtf("a\\\r\nb")).doc), QStringList({"a", "b"}));
}

TEST(LectureParagraphes, AlignmentAndIndentsApplyToTheParagraphTheyEnd)
{
    const lu r = lis(rtf(R"(\pard\qc Titre\par\pard\li720\ri360\fi-360\sb120\sa240 Corps\qr\par)"
                         R"(\pard\qj Justifi\'e9\par\pard Gauche)"));
    EXPECT_EQ(alignementde(*r.doc, "Titre"), Qt::AlignHCenter);
    // \qr came in the middle of the paragraph: it holds for the whole of it.
    EXPECT_EQ(alignementde(*r.doc, "Corps"), Qt::AlignRight);
    EXPECT_EQ(alignementde(*r.doc, "Justifié"), Qt::AlignJustify);
    EXPECT_EQ(alignementde(*r.doc, "Gauche"), Qt::AlignLeft);
    const QTextBlockFormat b = r.doc->find("Corps").block().blockFormat();
    EXPECT_DOUBLE_EQ(b.leftMargin(), 48);
    EXPECT_DOUBLE_EQ(b.rightMargin(), 24);
    EXPECT_DOUBLE_EQ(b.textIndent(), -24);
    EXPECT_DOUBLE_EQ(b.topMargin(), 8);
    EXPECT_DOUBLE_EQ(b.bottomMargin(), 16);
    EXPECT_DOUBLE_EQ(r.doc->find("Gauche").block().blockFormat().leftMargin(), 0);
}

TEST(LectureParagraphes, ParagraphPropertiesAreRestoredWithTheirGroup)
{
    const lu r = lis(rtf(R"(\qc {\qr Droite\par} Centre\par)"));
    EXPECT_EQ(alignementde(*r.doc, "Droite"), Qt::AlignRight);
    EXPECT_EQ(alignementde(*r.doc, "Centre"), Qt::AlignHCenter);
}

// ---- Character formats -----------------------------------------------------------------------

TEST(LectureCaracteres, SwitchesOnOffAndGroups)
{
    const lu r = lis(rtf(R"(\b Gras\b0  maigre {\i Italique} droit \ul Souligne\ulnone  net )"
                         R"(\ul1 Encore\ul0  fin \strike Barre\strike0  lisse)"));
    const QTextDocument& d = *r.doc;
    EXPECT_TRUE(partout(d, "Gras", gras));
    EXPECT_FALSE(gras(formatde(d, "maigre")));
    EXPECT_TRUE(formatde(d, "Italique").fontItalic());
    EXPECT_FALSE(formatde(d, "droit").fontItalic());
    EXPECT_TRUE(formatde(d, "Souligne").fontUnderline());
    EXPECT_FALSE(formatde(d, "net").fontUnderline());
    EXPECT_TRUE(formatde(d, "Encore").fontUnderline());
    EXPECT_FALSE(formatde(d, "fin").fontUnderline());
    EXPECT_TRUE(formatde(d, "Barre").fontStrikeOut());
    EXPECT_FALSE(formatde(d, "lisse").fontStrikeOut());
}

TEST(LectureCaracteres, SubscriptsAndSuperscriptsOfFormulas)
{
    const lu r = lis(rtf(R"(H{\sub 2}O Fe\super 3+\nosupersub  SO\sub 4\super 2-\nosupersub  )"
                         R"(CO\dn4 2\up0  x\up6 n\up0  fin)"));
    const QTextDocument& d = *r.doc;
    EXPECT_EQ(d.toPlainText(), "H2O Fe3+ SO42- CO2 xn fin");
    EXPECT_TRUE(indice(formatde(d, "2O")));
    EXPECT_FALSE(indice(formatde(d, "O Fe")));
    EXPECT_TRUE(partout(d, "3+", exposant));
    EXPECT_TRUE(indice(formatde(d, "42-")));
    EXPECT_TRUE(partout(d, "2-", exposant));
    EXPECT_TRUE(indice(formatde(d, "2 xn")));
    EXPECT_TRUE(exposant(formatde(d, "n fin")));
    EXPECT_FALSE(exposant(formatde(d, "fin")) || indice(formatde(d, "fin")));
}

TEST(LectureCaracteres, SizesInHalfPointsBecomePixels)
{
    const lu r = lis(rtf(R"({\fs20 dix}{\fs24 douze}{\fs36 grand}{\fs16 petit}defaut\fs0 zero)"));
    EXPECT_EQ(pixels(formatde(*r.doc, "dix")), 13);
    EXPECT_EQ(pixels(formatde(*r.doc, "douze")), 16);
    EXPECT_EQ(pixels(formatde(*r.doc, "grand")), 24);
    EXPECT_EQ(pixels(formatde(*r.doc, "petit")), 11);
    EXPECT_EQ(pixels(formatde(*r.doc, "defaut")), 16);
    EXPECT_EQ(pixels(formatde(*r.doc, "zero")), 16);
}

TEST(LectureCaracteres, ColoursFromTheTableAndTheAutomaticOne)
{
    const lu r = lis(rtf(R"(\cf1 bleu\cf2  rouge\cf0  auto\cf9  hors {\highlight2 fond}{\cb1 fond2} rien)"));
    const QTextDocument& d = *r.doc;
    EXPECT_EQ(couleur(formatde(d, "bleu")), QColor(0, 0, 200));
    EXPECT_EQ(couleur(formatde(d, "rouge")), QColor(255, 0, 0));
    EXPECT_FALSE(couleur(formatde(d, "auto")).isValid());
    EXPECT_FALSE(couleur(formatde(d, "hors")).isValid());
    EXPECT_EQ(formatde(d, "fond").background().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatde(d, "fond2").background().color(), QColor(0, 0, 200));
    EXPECT_FALSE(formatde(d, "rien").hasProperty(QTextFormat::BackgroundBrush));
}

TEST(LectureCaracteres, PlainResetsToTheDefaults)
{
    const lu r = lis(rtf(R"(\f1\fs40\b\i\ul\cf1\super avant\plain  apres)"));
    const QTextCharFormat f = formatde(*r.doc, "apres");
    EXPECT_FALSE(gras(f) || f.fontItalic() || f.fontUnderline() || exposant(f));
    EXPECT_FALSE(couleur(f).isValid());
    EXPECT_EQ(pixels(f), 16);
    EXPECT_EQ(premierefamille(f), "Arial"); // \deff0
}

TEST(LectureCaracteres, FontNamesKeepTheirOwnFaceFirstAndTheInstalledOneAfter)
{
    const lu r = lis(QByteArray(R"({\rtf1\deff1{\fonttbl{\f0\froman\fcharset0 Times New Roman;})"
                                R"({\f1\fswiss Arial{\*\falt Helvetica};}\f2\froman Garamond;\f3 Inconnue;})"
                                R"(\f0 times \f1 arial \f2 garamond \f3 autre \f7 absente})"));
    const QTextDocument& d = *r.doc;
    EXPECT_EQ(formatde(d, "times").fontFamilies().toStringList(),
              QStringList({"Times New Roman", "Liberation Serif"}));
    EXPECT_EQ(formatde(d, "arial").fontFamilies().toStringList(), QStringList({"Arial", "Liberation Sans"}));
    // A face the program does not know falls back by its family class.
    EXPECT_EQ(formatde(d, "garamond").fontFamilies().toStringList(),
              QStringList({"Garamond", "Liberation Serif"}));
    EXPECT_EQ(formatde(d, "autre").fontFamilies().toStringList(), QStringList({"Inconnue"}));
    EXPECT_TRUE(formatde(d, "absente").fontFamilies().toStringList().isEmpty());
    // Bytes and \uN of a name keep their order; escaped braces belong to it.
    const lu n = lis(R"({\rtf1{\fonttbl{\f0\fcharset238 \'a3\u945?d\{z\};}}\f0 x})");
    EXPECT_EQ(premierefamille(formatde(*n.doc, "x")), QString("Łαd{z}"));
}

// ---- Characters ------------------------------------------------------------------------------

TEST(LectureCaracteres, CodePagesOfTheDocumentAndOfTheFonts)
{
    EXPECT_EQ(texte(R"(\'e9t\'e9 \'80 \'9c\'ab\'bb)"), QString("été € œ«»"));
    EXPECT_EQ(lis(R"({\rtf1\ansi\ansicpg1250 \'b9\'9c\'e6})").doc->toRawText(), QString("ąść"));
    EXPECT_EQ(lis(R"({\rtf1\ansi\ansicpg1251 \'c0\'e1})").doc->toRawText(), QString("Аб"));
    // A font's character set decides over the document's code page.
    EXPECT_EQ(
        lis(R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fcharset238 Arial CE;}}\f0 \'b3\'f1})").doc->toRawText(),
        QString("łń"));
    EXPECT_EQ(lis(R"({\rtf1\ansi\ansicpg1250{\fonttbl{\f0\fcharset0 Arial;}}\f0 \'e7\'e9})").doc->toRawText(),
              QString("çé"));
}

// The reader keeps the tables it was given while a file names further pages.
TEST(LectureCaracteres, CodePageTablesStayPutWhileOthersAreAdded)
{
    const tablepage* cyrillique = &pagecode(1251);
    const char16_t a = (*cyrillique)[0xC0];
    for (int n = 3001; n <= 3060; ++n)
        pagecode(n);
    EXPECT_EQ(&pagecode(1251), cyrillique);
    EXPECT_EQ(a, u'А');
}

// Pages of several bytes per character read as Windows-1252, and bytes a page leaves unmapped
// keep their Windows-1252 character: never a control character the writer could not give back.
TEST(LectureCaracteres, MultiBytePagesAndUnmappedBytes)
{
    QByteArray octets;
    for (int o = 0x80; o <= 0xFF; ++o)
        octets += "\\'" + QByteArray::number(o, 16);
    const QString windows = lis("{\\rtf1\\ansi " + octets + "}").doc->toRawText();
    for (const char* page : {"949", "950", "932"})
        EXPECT_EQ(lis("{\\rtf1\\ansi\\ansicpg" + QByteArray(page) + " " + octets + "}").doc->toRawText(),
                  windows)
            << page;
    for (const char* page : {"930", "937", "500"}) {
        const lu r = lis("{\\rtf1\\ansi\\ansicpg" + QByteArray(page) + " " + octets + "}");
        EXPECT_EQ(r.doc->toRawText().size(), 128) << page;
        EXPECT_EQ(lis(ecrirertf(*r.doc)).doc->toRawText(), r.doc->toRawText()) << page;
    }
}

TEST(LectureCaracteres, UnicodeEscapesSkipTheirFallback)
{
    EXPECT_EQ(texte(R"(\u945?\u946\'3f b)"), QString("αβ b"));
    EXPECT_EQ(texte(R"(\uc2\u8594??x\uc0\u8658 y)"), QString("→x⇒y"));
    // Negative values are the upper half of the 16-bit range; two of them make a surrogate pair.
    EXPECT_EQ(texte(R"(\u-3913?\u-10187?\u-8452?)"), QString::fromUtf16(u"\uF0B7𝛼"));
    // A closing brace ends the fallback even when it is shorter than \uc says.
    EXPECT_EQ(texte(R"({\uc3\u233 ?}suite)"), QString("ésuite"));
    // A control word counts as one fallback character, as the format says.
    EXPECT_EQ(texte(R"(\u233\ldblquote x)"), QString("éx"));
}

TEST(LectureCaracteres, EscapesAndNamedCharacters)
{
    EXPECT_EQ(texte(R"(\\ \{ \} a\~b c\-d e\_f)"), QString("\\ { } a\u00A0b c\u00ADd e\u2011f"));
    EXPECT_EQ(texte(R"(\emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote)"), QString("—–•‘’“”"));
}

TEST(LectureCaracteres, SymbolFontBecomesUnicode)
{
    const lu r = lis(rtf(R"(CH{\sub 4} {\f2\'be\'ae} CO{\sub 2} {\f2\'61\'44\'b0\'b1\u-3922?})"));
    EXPECT_EQ(r.doc->toRawText(), QString("CH4 ⟶ CO2 αΔ°±→"));
    EXPECT_EQ(premierefamille(formatde(*r.doc, "⟶")), "DejaVu Sans");
}

// ---- What is never shown ---------------------------------------------------------------------

TEST(LectureDestinations, SkippedDestinationsLeaveNoText)
{
    EXPECT_EQ(texte(R"({\*\inconnu cache {\b encore}}{\stylesheet{\s0 Normal;}}{\info{\title T}{\author A}})"
                    R"({\header en-tete\par}{\footer pied}{\footnote note}{\*\listtable{\list x}})"
                    R"({\object{\objdata 0102}{\result r}}{\*\generator g;}visible)"),
              QString("visible"));
}

TEST(LectureDestinations, HiddenTextIsNotShown)
{
    EXPECT_EQ(texte(R"(vu{\v cach\'e9 \u233?}\v  encore\v0  revu \v x\plain  net)"), QString("vu revu  net"));
}

TEST(LectureDestinations, FieldsShowTheirResultOnly)
{
    EXPECT_EQ(texte(R"(Voir {\field{\*\fldinst HYPERLINK "http://x.fr"}{\fldrslt {\ul site}}} fin)"),
              QString("Voir site fin"));
    EXPECT_EQ(texte(R"({\field{\fldinst PAGE}{\fldrslt 3}})"), QString("3"));
}

TEST(LectureDestinations, BinaryDataIsSkippedWhateverItHolds)
{
    EXPECT_EQ(texte("{\\pict\\wmetafile8\\bin6 {}\\x\\}}suite"), QString("suite"));
    // Data announced longer than the file stops at its end.
    EXPECT_EQ(lis("{\\rtf1 a{\\pict\\bin999999 zz").doc->toRawText(), QString("a"));
}

TEST(LectureDestinations, PicturesQtCanDecodeAreShownOthersSkipped)
{
    const QByteArray png(
        "89504e470d0a1a0a0000000d494844520000000c000000080802000000428689a60000001749444154789c63"
        "38c1c040101156415d4574b790b022005fad4b01f6cac7a90000000049454e44ae426082");
    const lu r = lis(rtf(QByteArray("a{\\pict\\pngblip\\picwgoal360\\pichgoal240\\picscalex50 " + png +
                                    "}b{\\pict\\emfblip 0102}c{\\pict\\pngblip 00ff}d")
                             .constData()));
    EXPECT_EQ(r.doc->toRawText(), QString("a\uFFFCbcd"));
    const QTextCharFormat f = formatde(*r.doc, QString(QChar(0xFFFC)));
    ASSERT_TRUE(f.isImageFormat());
    EXPECT_DOUBLE_EQ(f.toImageFormat().width(), 12);
    EXPECT_DOUBLE_EQ(f.toImageFormat().height(), 16);
    const QImage img =
        r.doc->resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name())).value<QImage>();
    EXPECT_EQ(img.size(), QSize(12, 8));
    EXPECT_EQ(img.pixelColor(0, 0), QColor(200, 0, 0));
}

TEST(LectureDestinations, JpegPicturesToo)
{
    QImage source(16, 16, QImage::Format_RGB32);
    source.fill(QColor(0, 0, 255));
    QByteArray jpeg;
    QBuffer tampon(&jpeg);
    tampon.open(QIODevice::WriteOnly);
    ASSERT_TRUE(source.save(&tampon, "JPG"));
    const lu r = lis(rtf(("{\\pict\\jpegblip " + jpeg.toHex() + "}").constData()));
    const QTextCharFormat f = formatde(*r.doc, QString(QChar(0xFFFC)));
    ASSERT_TRUE(f.isImageFormat());
    const QImage img =
        r.doc->resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name())).value<QImage>();
    EXPECT_EQ(img.size(), QSize(16, 16));
    EXPECT_DOUBLE_EQ(f.toImageFormat().width(), 16);
}

// ---- Bad input -------------------------------------------------------------------------------

TEST(LectureFautes, NotRtfLeavesTheDocumentAlone)
{
    for (const QByteArray& entree : {QByteArray(), QByteArray("bonjour"), QByteArray("{\\rtfx a}"),
                                     QByteArray("{ \\rtf1 a}"), QByteArray("\\rtf1 a}")}) {
        QTextDocument d;
        d.setPlainText("avant");
        QString erreur;
        EXPECT_FALSE(lirertf(entree, d, &erreur)) << entree.constData();
        EXPECT_FALSE(erreur.isEmpty());
        EXPECT_EQ(d.toPlainText(), "avant");
    }
}

TEST(LectureFautes, BlanksOrAByteOrderMarkBeforeTheBrace)
{
    EXPECT_EQ(lis(" \t {\\rtf1 a}").doc->toRawText(), QString("a"));
    EXPECT_EQ(lis("\xEF\xBB\xBF{\\rtf1 a}").doc->toRawText(), QString("a"));
}

TEST(LectureFautes, UnbalancedBracesKeepWhatWasRead)
{
    lu r = lis("{\\rtf1 {\\b ouvert {\\i encore");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.doc->toRawText(), QString("ouvert encore"));
    EXPECT_FALSE(r.erreur.isEmpty());
    // The text after the root's closing brace is not part of the document.
    r = lis("{\\rtf1 dedans}} dehors {\\b x}");
    EXPECT_EQ(r.doc->toRawText(), QString("dedans"));
    EXPECT_TRUE(r.erreur.isEmpty());
    EXPECT_TRUE(lis("{\\rtf1 propre}").erreur.isEmpty());
}

TEST(LectureFautes, HundredThousandNestedGroupsAreCutAtTheDepthLimit)
{
    const int n = 100000;
    const QByteArray profond =
        "{\\rtf1 avant" + QByteArray(n, '{') + "dedans" + QByteArray(n, '}') + " apres}";
    const lu r = lis(profond);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.doc->toRawText(), QString("avant apres"));
    EXPECT_FALSE(r.erreur.isEmpty());
    // Just under the limit everything is read.
    const int m = profondeurmaxrtf - 1;
    const lu s = lis("{\\rtf1 a" + QByteArray(m, '{') + "b" + QByteArray(m, '}') + "c}");
    EXPECT_EQ(s.doc->toRawText(), QString("abc"));
    EXPECT_TRUE(s.erreur.isEmpty());
}

TEST(LectureFautes, TruncatedEscapes)
{
    lu r = lis("{\\rtf1 fin\\'e");
    EXPECT_EQ(r.doc->toRawText(), QString("fin"));
    EXPECT_FALSE(r.erreur.isEmpty());
    EXPECT_EQ(lis("{\\rtf1 a\\'zzb\\'4}").doc->toRawText(), QString("azzb"));
    EXPECT_EQ(lis("{\\rtf1 a\\").doc->toRawText(), QString("a"));
}

TEST(LectureFautes, ThirtyDigitParametersSaturate)
{
    const char* trente = "123456789012345678901234567890";
    const lu r = lis(rtf((QByteArray("\\fs") + trente + " gros \\u" + trente + "?{\\uc" + trente + "\\u-" +
                          trente + " xx}\\li" + trente + " y\\cf" + trente + " z")
                             .constData()));
    EXPECT_TRUE(r.ok);
    // No digit leaks as text, and sizes stay within what a word processor allows.
    EXPECT_TRUE(r.doc->toRawText().startsWith("gros "));
    EXPECT_FALSE(r.doc->toRawText().contains('1'));
    EXPECT_EQ(pixels(formatde(*r.doc, "gros")), 2184); // 1638 pt, the largest size of the word processors
    EXPECT_LE(r.doc->find("y").block().blockFormat().leftMargin(), 31680 / 15.0);
}

TEST(LectureFautes, ControlCharactersAndStructureMarksAreNotText)
{
    const QByteArray avecnul = QByteArray("{\\rtf1 a\0b\x01", 11) + "\\u8233?\\u-560?\\u-559?\\u-4?c}";
    EXPECT_EQ(lis(avecnul).doc->toRawText(), QString("abc"));
    EXPECT_EQ(lis(avecnul).doc->blockCount(), 1);
}
