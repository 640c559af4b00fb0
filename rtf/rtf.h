#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>

class QTextDocument;

namespace qm {

// Reading. The reader is as lenient as the word processors whose files it takes: whatever it can
// make sense of is shown, the rest is skipped, and no input makes it crash, hang or recurse.
//
// Returns false, with *erreur set and doc left untouched, when the bytes are not RTF at all (they
// do not open with "{\rtf"). Otherwise it replaces the whole content of doc with what it could
// read and returns true; when the input had faults (braces left open, groups nested deeper than
// profondeurmaxrtf, a truncated escape), *erreur describes the first one, else it is emptied.
//
// Sizes: fonts are set in pixels (p points = p * 96 / 72 px), margins in pixels (twips / 15).
// Font names stay those of the file; the Liberation or DejaVu face that stands for a Windows face
// follows as a fallback family, so the first family is always the one to write back.
bool lirertf(const QByteArray& rtf, QTextDocument& doc, QString* erreur = nullptr);

// Reads a file; false when it is not a regular file, cannot be opened, is not RTF or is larger
// than taillemaxrtf (doc untouched then). The header is checked on the first bytes, before the
// rest is read.
bool lirefichierrtf(const QString& chemin, QTextDocument& doc, QString* erreur = nullptr);

// The largest text read: a hundred times the longest statement a word processor writes.
inline constexpr std::size_t taillemaxrtf = 64 * 1024 * 1024;

// Writing: the whole document as RTF 1.x in Windows-1252 with \uN for the characters outside it,
// font and colour tables built from the document, paragraph alignment and indents, character
// font, size, bold, italic, underline, strike-out, colour, background, super- and subscript,
// and the document's PNG/JPEG images as \pngblip pictures.
QByteArray ecrirertf(const QTextDocument& doc);

// Saves as every save of the program is written (remplacerfichier, files/disque.h): a file the
// user may not write is refused, a link is written through, and a failed save keeps the old file.
bool ecrirefichierrtf(const QTextDocument& doc, const QString& chemin, QString* erreur = nullptr);

// Deeper groups are skipped whole (with a fault reported): real files stay far below it.
inline constexpr int profondeurmaxrtf = 1000;

} // namespace qm
