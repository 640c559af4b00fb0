// The RTF writer's round trip: any text, in runs of any of the faces a text may
// have (the Symbol face among them, whose bytes the reader takes for Greek
// letters), bold or not, of any size, in paragraphs, is written and read back
// as the very same characters.
//
// Input: per run, one byte of format (face, bold, italic, size) and one of
// length n, then n UTF-16 code units, two bytes each; a code unit 0x000A ends
// the paragraph. The characters a text cannot hold (controls other than the
// tab, the object and paragraph marks) are left out of the text written.

#include "commun.h"
#include "rtf/rtf.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <cstdint>
#include <cstdlib>

namespace {

const char* const faces[] = {"Arial",       "Times New Roman", "Symbol",   "Courier New",
                             "DejaVu Sans", " symbol ",        "Wingdings"};

bool gardable(char16_t c)
{
    return (c >= 0x20 || c == '\t') && c != 0x2029 && c != 0xFDD0 && c != 0xFDD1 && c != 0xFFFC;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    size_t i = 0;
    while (i + 2 <= size) {
        const uint8_t format = data[i];
        const size_t n = data[i + 1] % 48;
        i += 2;
        QTextCharFormat f;
        f.setFontFamilies({QString::fromLatin1(faces[format % std::size(faces)])});
        f.setFontWeight(format & 0x08 ? QFont::Bold : QFont::Normal);
        f.setFontItalic(format & 0x10);
        f.setProperty(QTextFormat::FontPixelSize, 8 + (format >> 5) * 4);
        QString texte;
        for (size_t k = 0; k < n && i + 2 <= size; ++k, i += 2) {
            const char16_t u = char16_t(data[i] | data[i + 1] << 8);
            if (u == 0x000A) {
                c.insertText(texte, f);
                texte.clear();
                c.insertBlock();
            } else if (gardable(u)) {
                texte.append(QChar(u));
            }
        }
        c.insertText(texte, f);
    }
    QTextDocument relu;
    QString erreur;
    VERIFIER(qm::lirertf(qm::ecrirertf(doc), relu, &erreur) && erreur.isEmpty());
    VERIFIER(relu.toRawText() == doc.toRawText());
    return 0;
}
