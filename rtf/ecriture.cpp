#include "rtf/pages.h"
#include "rtf/rtf.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>
#include <string_view>

#include "files/disque.h"

namespace qm {

namespace {

struct ecrivain {
    const QTextDocument* doc = nullptr;
    QStringList polices; // the font of \fN is polices[N]
    QHash<QString, int> numeropolice;
    QList<QRgb> couleurs; // the colour of \cfN is couleurs[N - 1]; \cf0 is automatic
    QByteArray sortie;
};

QString famillede(const ecrivain& e, const QTextCharFormat& f)
{
    const QStringList familles = f.fontFamilies().toStringList();
    const QString famille =
        !familles.isEmpty() && !familles.first().isEmpty() ? familles.first() : e.doc->defaultFont().family();
    // Text in the Symbol face is Unicode here, shown in the face that stands for Symbol: written
    // under Symbol's name, its letters would read back as the Greek ones of Symbol's bytes.
    return estsymbole(famille) ? facesubstituee(nompolicepropre(famille), 0) : famille;
}

int demipointsde(const ecrivain& e, const QTextCharFormat& f)
{
    int demipoints = 24;
    if (f.hasProperty(QTextFormat::FontPixelSize) && f.intProperty(QTextFormat::FontPixelSize) > 0) {
        const int pixels = f.intProperty(QTextFormat::FontPixelSize);
        const int lus = f.intProperty(proprietedemipoints);
        demipoints = lus > 0 && pixelsdemipoints(lus) == pixels ? lus : demipointspixels(pixels);
    } else if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0) {
        demipoints = entierborne(f.fontPointSize() * 2, 1, 3276, 24);
    } else if (e.doc->defaultFont().pixelSize() > 0) {
        demipoints = demipointspixels(e.doc->defaultFont().pixelSize());
    } else if (e.doc->defaultFont().pointSizeF() > 0) {
        demipoints = entierborne(e.doc->defaultFont().pointSizeF() * 2, 1, 3276, 24);
    }
    return std::clamp(demipoints, 1, 3276);
}

// 0 when the format leaves the colour to the reader.
int couleurde(ecrivain& e, const QTextCharFormat& f, QTextFormat::Property propriete)
{
    if (!f.hasProperty(propriete))
        return 0;
    const QBrush pinceau = f.brushProperty(propriete);
    if (pinceau.style() == Qt::NoBrush)
        return 0;
    const QRgb rgb = pinceau.color().rgb() | 0xFF000000u;
    qsizetype i = e.couleurs.indexOf(rgb);
    if (i < 0) {
        e.couleurs.append(rgb);
        i = e.couleurs.size() - 1;
    }
    return int(i) + 1;
}

int policede(ecrivain& e, const QTextCharFormat& f)
{
    const QString nom = nompolicepropre(famillede(e, f));
    auto it = e.numeropolice.constFind(nom);
    if (it != e.numeropolice.constEnd())
        return *it;
    e.polices.append(nom);
    e.numeropolice.insert(nom, int(e.polices.size()) - 1);
    return int(e.polices.size()) - 1;
}

// Fonts and colours are numbered in their order of first use, so the tables can be written
// before the body in one pass over the document.
void recense(ecrivain& e)
{
    for (QTextBlock b = e.doc->begin(); b.isValid(); b = b.next()) {
        policede(e, b.charFormat());
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            policede(e, f);
            couleurde(e, f, QTextFormat::ForegroundBrush);
            couleurde(e, f, QTextFormat::BackgroundBrush);
        }
    }
    if (e.polices.isEmpty())
        policede(e, QTextCharFormat());
}

void ajoutecaractere(ecrivain& e, char16_t c);

const char* classepolice(const QString& nom)
{
    const QString n = nom.toLower();
    const QString substitut = facesubstituee(nom, 0).toLower();
    for (const QString& s : {n, substitut}) {
        if (s.contains("mono") || s.contains("courier"))
            return "\\fmodern";
        if (s.contains("serif") && !s.contains("sans"))
            return "\\froman";
        if (s.contains("times"))
            return "\\froman";
        if (s.contains("sans") || s.contains("arial") || s.contains("helvetica"))
            return "\\fswiss";
    }
    return "\\fnil";
}

// In a font name only bytes and \uN are characters: a semicolon would end the name, and the
// control symbols (\~, \-) of running text are not read there.
void ajoutenompolice(ecrivain& e, const QString& nom)
{
    static const char hex[] = "0123456789abcdef";
    for (QChar q : nom) {
        const char16_t c = q.unicode();
        if (c == '\\' || c == '{' || c == '}') {
            e.sortie += '\\';
            e.sortie += char(c);
        } else if (c >= 0x20 && c < 0x80 && c != ';') {
            e.sortie += char(c);
        } else if (const int octet = octet1252(c); octet >= 0x20) {
            e.sortie += "\\'";
            e.sortie += hex[octet >> 4];
            e.sortie += hex[octet & 15];
        } else if (c >= 0x20) {
            e.sortie += "\\u" + QByteArray::number(c > 32767 ? int(c) - 65536 : int(c)) + "?";
        }
    }
}

void entete(ecrivain& e)
{
    e.sortie += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (qsizetype i = 0; i < e.polices.size(); ++i) {
        e.sortie += "{\\f" + QByteArray::number(i) + classepolice(e.polices[i]) + "\\fcharset0 ";
        ajoutenompolice(e, e.polices[i]);
        e.sortie += ";}";
    }
    e.sortie += "}\n{\\colortbl;";
    for (QRgb c : e.couleurs)
        e.sortie += "\\red" + QByteArray::number(qRed(c)) + "\\green" + QByteArray::number(qGreen(c)) +
                    "\\blue" + QByteArray::number(qBlue(c)) + ";";
    e.sortie += "}\n{\\*\\generator Quilmaret;}\\viewkind4\n";
}

// ---- Text ------------------------------------------------------------------------------------

void ajoutecaractere(ecrivain& e, char16_t c)
{
    static const char hex[] = "0123456789abcdef";
    switch (c) {
    case '\\':
        e.sortie += "\\\\";
        return;
    case '{':
        e.sortie += "\\{";
        return;
    case '}':
        e.sortie += "\\}";
        return;
    case '\t':
        e.sortie += "\\tab ";
        return;
    case 0x2028:
        e.sortie += "\\line ";
        return;
    case 0x00A0:
        e.sortie += "\\~";
        return;
    case 0x00AD:
        e.sortie += "\\-";
        return;
    case 0x2011:
        e.sortie += "\\_";
        return;
    default:
        break;
    }
    if (c < 0x20)
        return;
    if (c < 0x80) {
        e.sortie += char(c);
        return;
    }
    const int octet = octet1252(c);
    if (octet >= 0) {
        e.sortie += "\\'";
        e.sortie += hex[octet >> 4];
        e.sortie += hex[octet & 15];
        return;
    }
    // \uN takes a signed 16-bit number; '?' is what readers without Unicode show.
    e.sortie += "\\u" + QByteArray::number(c > 32767 ? int(c) - 65536 : int(c)) + "?";
}

void ajouteascii(ecrivain& e, const QString& texte)
{
    for (QChar c : texte)
        ajoutecaractere(e, c.unicode());
}

QByteArray proprietescar(ecrivain& e, const QTextCharFormat& f)
{
    QByteArray p =
        "\\f" + QByteArray::number(policede(e, f)) + "\\fs" + QByteArray::number(demipointsde(e, f));
    if (f.fontWeight() > QFont::Medium)
        p += "\\b";
    if (f.fontItalic())
        p += "\\i";
    if (f.fontUnderline())
        p += "\\ul";
    if (f.fontStrikeOut())
        p += "\\strike";
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        p += "\\super";
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        p += "\\sub";
    if (const int c = couleurde(e, f, QTextFormat::ForegroundBrush))
        p += "\\cf" + QByteArray::number(c);
    if (const int c = couleurde(e, f, QTextFormat::BackgroundBrush))
        p += "\\highlight" + QByteArray::number(c);
    return p;
}

QImage imagede(const ecrivain& e, const QTextImageFormat& f)
{
    const QVariant v = e.doc->resource(QTextDocument::ImageResource, QUrl(f.name()));
    if (v.canConvert<QImage>())
        return v.value<QImage>();
    if (v.canConvert<QPixmap>())
        return v.value<QPixmap>().toImage();
    return QImage::fromData(v.toByteArray());
}

void ajouteimage(ecrivain& e, const QTextImageFormat& f)
{
    const QImage img = imagede(e, f);
    if (img.isNull())
        return;
    QByteArray png;
    QBuffer tampon(&png);
    tampon.open(QIODevice::WriteOnly);
    if (!img.save(&tampon, "PNG"))
        return;
    const int largeur = entierborne((f.width() > 0 ? f.width() : img.width()) * 15, 1, 31680, 15);
    const int hauteur = entierborne((f.height() > 0 ? f.height() : img.height()) * 15, 1, 31680, 15);
    e.sortie += "{\\pict\\pngblip\\picw" + QByteArray::number(img.width()) + "\\pich" +
                QByteArray::number(img.height()) + "\\picwgoal" + QByteArray::number(largeur) + "\\pichgoal" +
                QByteArray::number(hauteur) + "\n";
    const QByteArray hex = png.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128)
        e.sortie += hex.mid(i, 128) + "\n";
    e.sortie += "}";
}

void ajoutefragment(ecrivain& e, const QTextFragment& fr)
{
    const QTextCharFormat f = fr.charFormat();
    const QString texte = fr.text();
    if (f.isImageFormat()) {
        for (QChar c : texte)
            if (c == QChar::ObjectReplacementCharacter)
                ajouteimage(e, f.toImageFormat());
        return;
    }
    // Each run states its whole format: the paragraph mark's may be anything.
    e.sortie += "{\\plain" + proprietescar(e, f) + " ";
    ajouteascii(e, texte);
    e.sortie += "}";
}

QByteArray proprietespara(const ecrivain& e, const QTextBlockFormat& f)
{
    QByteArray p = "\\pard";
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
        p += "\\qc";
    else if (a & Qt::AlignJustify)
        p += "\\qj";
    else if (a & Qt::AlignRight)
        p += "\\qr";
    const auto twips = [](double pixels) {
        return QByteArray::number(entierborne(pixels * 15, -31680, 31680, 0));
    };
    const double gauche = f.leftMargin() + f.indent() * e.doc->indentWidth();
    if (gauche != 0)
        p += "\\li" + twips(gauche);
    if (f.rightMargin() != 0)
        p += "\\ri" + twips(f.rightMargin());
    if (f.textIndent() != 0)
        p += "\\fi" + twips(f.textIndent());
    if (f.topMargin() != 0)
        p += "\\sb" + twips(f.topMargin());
    if (f.bottomMargin() != 0)
        p += "\\sa" + twips(f.bottomMargin());
    return p;
}

// Every paragraph, the last one too, ends with \par: the reader takes a final \par as the end
// of the last paragraph, not as the start of an empty one.
void ajoutebloc(ecrivain& e, const QTextBlock& b)
{
    e.sortie += proprietespara(e, b.blockFormat()) + "\\plain" + proprietescar(e, b.charFormat()) + " ";
    for (auto it = b.begin(); !it.atEnd(); ++it)
        ajoutefragment(e, it.fragment());
    e.sortie += "\\par\n";
}

} // namespace

QByteArray ecrirertf(const QTextDocument& doc)
{
    ecrivain e;
    e.doc = &doc;
    try {
        recense(e);
        entete(e);
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            ajoutebloc(e, b);
        e.sortie += "}\n";
    } catch (...) {
        return QByteArray();
    }
    return e.sortie;
}

bool ecrirefichierrtf(const QTextDocument& doc, const QString& chemin, QString* erreur)
{
    const QByteArray rtf = ecrirertf(doc);
    const bool ok =
        !rtf.isEmpty() && remplacerfichier(QFile::encodeName(chemin).toStdString(),
                                           std::string_view(rtf.constData(), std::size_t(rtf.size())));
    if (erreur)
        *erreur = ok ? QString() : QStringLiteral("Le fichier %1 ne peut pas être écrit.").arg(chemin);
    return ok;
}

} // namespace qm
