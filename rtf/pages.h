#pragma once

// Code pages and faces shared by the reader and the writer.

#include <QString>
#include <array>

namespace qm {

// One byte to one UTF-16 unit; the multi-byte Asian code pages are beyond it and fall back to
// Windows-1252.
using tablepage = std::array<char16_t, 256>;

const tablepage& page1252();
// The Symbol font's own encoding (Greek letters, arrows, operators) mapped to Unicode.
const tablepage& pagesymbole();
// The table of a Windows code page number (1250, 1252, 437, 10000 for Mac Roman...).
const tablepage& pagecode(int numero);
// The code page a font's \fcharsetN stands for; 0 when it means "the document's own".
int pagecharset(int charset);

// The Windows-1252 byte of c, or -1 when c is not in that code page.
int octet1252(char16_t c);

// A font name as both the reader and the writer keep it: trimmed, without control characters
// or line breaks, so that what is written is read back as the same face.
QString nompolicepropre(const QString& nom);
// The reader keeps no more of a name than this; the writer writes no more.
inline constexpr qsizetype longueurnompolice = 256;

// The Symbol face, whose bytes stand for Greek letters, arrows and operators rather than their
// Windows-1252 characters. The reader turns them into Unicode shown in the face that stands for
// Symbol; the writer never writes the face under that name, so both agree on any text.
bool estsymbole(const QString& nom);

// The installed metric-compatible face that stands for a face named in a file, or an empty
// string when the name is not one the program knows. famille is the file's \fswiss, \froman...
// class (0 unknown, 1 swiss, 2 roman, 3 modern), used for faces the program does not know.
QString facesubstituee(const QString& nom, int famille);

} // namespace qm

#include <QTextFormat>
#include <algorithm>
#include <cmath>

namespace qm {

// The half-point size a run was read with, kept beside its pixel size: pixels are whole, so
// 11.5 pt and 11 pt both become 15 px, and this tells the writer which one the file said.
inline constexpr int proprietedemipoints = QTextFormat::UserProperty + 1;

// A measure of a document as a whole number of the file's units, within what word processors
// take; NaN gives the default.
inline int entierborne(double v, int bas, int haut, int defaut)
{
    if (std::isnan(v))
        return defaut;
    return int(std::nearbyint(std::clamp(v, double(bas), double(haut))));
}

// p points are qRound(p * 96 / 72) pixels; a size in half points is p * 2.
inline int pixelsdemipoints(int demipoints)
{
    return qMax(1, qRound(demipoints * 2.0 / 3.0));
}
inline int demipointspixels(double pixels)
{
    return entierborne(pixels * 1.5, 1, 3276, 24);
}

} // namespace qm
