// The RTF reader on arbitrary bytes. Besides crashes, hangs and sanitizer reports, it checks that
// a refused input leaves the document as it was, that a file and the same bytes in memory are
// read alike (the file's header is checked on its first bytes), and that whatever the reader
// makes of the input, the writer's RTF of it reads back to the same text.

#include "rtf/rtf.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {

void verifier(bool condition)
{
    if (!condition)
        std::abort();
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
    // Most mutations of a file keep its header, so most inputs get past it when the first byte
    // is odd; the others are read as they come, so that the header check is fuzzed too.
    if (size == 0)
        return 0;
    const QByteArray reste(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const QByteArray octets = (data[0] & 1) ? QByteArray("{\\rtf1") + reste : reste;
    static const QString chemin = QStringLiteral("/tmp/quilmaret-fuzz-rtf-%1.rtf").arg(::getpid());
    {
        QFile f(chemin);
        verifier(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(octets) == octets.size());
    }
    const QString avant = QStringLiteral("avant");
    QTextDocument doc;
    doc.setPlainText(avant);
    QString erreur;
    const bool lu = qm::lirertf(octets, doc, &erreur);
    QTextDocument dufichier;
    dufichier.setPlainText(avant);
    verifier(qm::lirefichierrtf(chemin, dufichier) == lu);
    verifier(dufichier.toRawText() == doc.toRawText());
    if (!lu) {
        verifier(doc.toPlainText() == avant);
        return 0;
    }
    QTextDocument relu;
    verifier(qm::lirertf(qm::ecrirertf(doc), relu, &erreur) && erreur.isEmpty());
    verifier(relu.toRawText() == doc.toRawText());
    return 0;
}
