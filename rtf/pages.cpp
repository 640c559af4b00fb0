#include "rtf/pages.h"

#include <QHash>
#include <QStringDecoder>
#include <map>
#include <mutex>

namespace qm {

namespace {

// 0x80..0x9F of Windows-1252; the rest of the page is Latin-1. Holes decode as the byte itself,
// as the word processors do.
constexpr char16_t haut1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                   0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// 0x80..0xFF of Windows-1250 (Central European).
constexpr char16_t haut1250[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

// 0x20..0xFF of the Symbol font. 0 marks a hole, decoded as the byte itself.
constexpr char16_t symbole[224] = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B, 0x002C,
    0x2212, 0x002E, 0x002F, 0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037, 0x0038, 0x0039,
    0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F, 0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6,
    0x0393, 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F, 0x03A0, 0x0398, 0x03A1, 0x03A3,
    0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F, 0x203E,
    0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, 0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC,
    0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6,
    0x007B, 0x007C, 0x007D, 0x223C, 0,      0,      0,      0,      0,      0,      0,      0,      0,
    0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0,
    0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0,      0x20AC, 0x03D2,
    0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192,
    0x2193, 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248,
    0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, 0x222A,
    0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209, 0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F,
    0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3, 0x25CA, 0x2329, 0x00AE,
    0x00A9, 0x2122, 0x2211, 0x239B, 0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,
    0,      0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB,
    0x23AC, 0x23AD, 0};

tablepage latin1()
{
    tablepage t{};
    for (int i = 0; i < 256; ++i)
        t[i] = char16_t(i);
    return t;
}

tablepage construit1252()
{
    tablepage t = latin1();
    for (int i = 0; i < 32; ++i)
        t[0x80 + i] = haut1252[i];
    return t;
}

tablepage construit1250()
{
    tablepage t = latin1();
    for (int i = 0; i < 128; ++i)
        t[0x80 + i] = haut1250[i];
    return t;
}

tablepage construitsymbole()
{
    tablepage t = latin1();
    for (int i = 0; i < 224; ++i)
        if (symbole[i] != 0)
            t[0x20 + i] = symbole[i];
    return t;
}

// Other single-byte pages come from the system's converter, one byte at a time; a page it does
// not know, or a multi-byte one, reads as Windows-1252.
tablepage construitparnom(int numero)
{
    QByteArray nom = numero == 10000 ? QByteArray("macintosh")
                     : numero < 1000 ? "IBM" + QByteArray::number(numero)
                                     : "windows-" + QByteArray::number(numero);
    QStringDecoder decodeur(nom.constData());
    if (!decodeur.isValid())
        return construit1252();
    tablepage t = construit1252();
    for (int i = 0x80; i < 256; ++i) {
        const char octet = char(i);
        QString s = decodeur.decode(QByteArrayView(&octet, 1));
        decodeur.resetState();
        // A byte that begins a character of several bytes gives nothing on its own.
        if (s.isEmpty())
            return construit1252();
        // Some converters give their substitute control character (U+001A) for bytes they
        // cannot map; those keep their Windows-1252 character.
        if (s.size() == 1 && s[0] != QChar::ReplacementCharacter && s[0].unicode() >= 0x20)
            t[i] = s[0].unicode();
    }
    for (int i = 0; i < 0x80; ++i)
        t[i] = char16_t(i);
    return t;
}

} // namespace

const tablepage& page1252()
{
    static const tablepage t = construit1252();
    return t;
}

const tablepage& pagesymbole()
{
    static const tablepage t = construitsymbole();
    return t;
}

const tablepage& pagecode(int numero)
{
    static const tablepage t1250 = construit1250();
    if (numero == 1252 || numero <= 0)
        return page1252();
    if (numero == 1250)
        return t1250;
    // Built once per page and kept: a file names only a handful. The reader holds on to the
    // tables it was given while other pages are added, so they live in a map's nodes, which
    // never move.
    static std::mutex garde;
    static std::map<int, tablepage> autres;
    std::lock_guard<std::mutex> verrou(garde);
    auto it = autres.find(numero);
    if (it == autres.end()) {
        if (autres.size() > 64)
            return page1252();
        it = autres.emplace(numero, construitparnom(numero)).first;
    }
    return it->second;
}

int pagecharset(int charset)
{
    switch (charset) {
    // The word processors encode a font's text in its own character set, whatever \ansicpg says.
    case 0:
        return 1252;
    case 77:
        return 10000;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default:
        return 0;
    }
}

int octet1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (haut1252[i] == c)
            return 0x80 + i;
    return -1;
}

QString nompolicepropre(const QString& nom)
{
    QString propre;
    for (QChar c : nom) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u != 0x2028 && u != 0x2029 && u != 0xFDD0 && u != 0xFDD1 && u != 0xFFFC)
            propre.append(c);
    }
    return propre.left(longueurnompolice).trimmed();
}

bool estsymbole(const QString& nom)
{
    return nompolicepropre(nom).compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0;
}

QString facesubstituee(const QString& nom, int famille)
{
    static const QHash<QString, QString> connues = {
        {"arial", "Liberation Sans"},     {"ms sans serif", "Liberation Sans"},
        {"helvetica", "Liberation Sans"}, {"times new roman", "Liberation Serif"},
        {"times", "Liberation Serif"},    {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},   {"symbol", "DejaVu Sans"},
        {"liberation sans", QString()},   {"liberation serif", QString()},
        {"liberation mono", QString()},   {"dejavu sans", QString()},
    };
    auto it = connues.constFind(nom.trimmed().toLower());
    if (it != connues.constEnd())
        return *it;
    switch (famille) {
    case 1:
        return "Liberation Sans";
    case 2:
        return "Liberation Serif";
    case 3:
        return "Liberation Mono";
    default:
        return QString();
    }
}

} // namespace qm
