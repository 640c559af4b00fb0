// The RTF reader on arbitrary bytes. Besides crashes, hangs and sanitizer reports, it checks that
// whatever the reader makes of the input, the writer's RTF of it reads back to the same text.

#include "rtf/rtf.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Most mutations of a file keep its header, so most inputs get past it.
    const QByteArray octets =
        QByteArray("{\\rtf1") + QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument doc;
    QString erreur;
    if (!qm::lirertf(octets, doc, &erreur))
        std::abort();
    QTextDocument relu;
    if (!qm::lirertf(qm::ecrirertf(doc), relu, &erreur) || !erreur.isEmpty())
        std::abort();
    if (relu.toRawText() != doc.toRawText())
        std::abort();
    return 0;
}
