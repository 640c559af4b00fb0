// The RTF reader on arbitrary bytes. Besides crashes, hangs and sanitizer reports, it checks that
// a refused input leaves the document as it was, that a file and the same bytes in memory are
// read alike (the file's header is checked on its first bytes), and that whatever the reader
// makes of the input, the writer's RTF of it reads back to the same text.

#include "commun.h"
#include "rtf/rtf.h"

#include <QFile>
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
    // Most mutations of a file keep its header, so most inputs get past it when the first byte
    // is odd; the others are read as they come, so that the header check is fuzzed too.
    if (size == 0)
        return 0;
    const QByteArray reste(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const QByteArray octets = (data[0] & 1) ? QByteArray("{\\rtf1") + reste : reste;
    static const QString chemin = QString::fromStdString((fuzz::dossierprive("rtf") / "texte.rtf").string());
    {
        QFile f(chemin);
        VERIFIER(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(octets) == octets.size());
    }
    const QString avant = QStringLiteral("avant");
    QTextDocument doc;
    doc.setPlainText(avant);
    QString erreur;
    const bool lu = qm::lirertf(octets, doc, &erreur);
    QTextDocument dufichier;
    dufichier.setPlainText(avant);
    VERIFIER(qm::lirefichierrtf(chemin, dufichier) == lu);
    VERIFIER(dufichier.toRawText() == doc.toRawText());
    if (!lu) {
        VERIFIER(doc.toPlainText() == avant);
        return 0;
    }
    QTextDocument relu;
    VERIFIER(qm::lirertf(qm::ecrirertf(doc), relu, &erreur) && erreur.isEmpty());
    VERIFIER(relu.toRawText() == doc.toRawText());
    return 0;
}
