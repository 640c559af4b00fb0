#include "exercises/visionneuse.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/initialisation.h"
#include "app/sansfaute.h"

namespace qm {

std::unique_ptr<QDialog> construireaide(QWidget* parent, const QString& dossierprogramme)
{
    auto d = std::make_unique<QDialog>(parent);
    d->setObjectName(QStringLiteral("aide"));
    d->setWindowTitle(QStringLiteral("Aide"));
    d->resize(640, 480);

    auto* navigateur = new QTextBrowser(d.get());
    navigateur->setObjectName(QStringLiteral("navigateur"));
    navigateur->setAccessibleName(QStringLiteral("Aide"));
    navigateur->setFont(police(QStringLiteral("Arial"), 10));
    navigateur->setOpenLinks(true);
    navigateur->setOpenExternalLinks(false);
    auto* disposition = new QVBoxLayout(d.get());
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(navigateur);

    // The help file is HTML whatever its extension says; it is read here and
    // handed to the browser as such, with its own path as the base of the
    // links, so that "#anchor" links move inside it.
    // The viewer stays empty, as with a missing file.
    sansfaute([&] {
        const QString chemin = QDir(dossierprogramme).filePath(QStringLiteral("TIXU.hlp"));
        const QFileInfo info(chemin);
        if (info.isFile() && info.isReadable()) {
            const QUrl adresse = QUrl::fromLocalFile(info.absoluteFilePath());
            navigateur->setSearchPaths({info.absolutePath()});
            navigateur->document()->setMetaInformation(QTextDocument::DocumentUrl, adresse.toString());
            navigateur->setSource(adresse, QTextDocument::HtmlResource);
            navigateur->moveCursor(QTextCursor::Start);
            navigateur->ensureCursorVisible();
        }
    });
    return d;
}

void ouvriraide(QWidget* parent, const QString& dossierprogramme)
{
    sansfaute([&] {
        std::unique_ptr<QDialog> d = construireaide(parent, dossierprogramme);
        d->exec();
    });
}

} // namespace qm
