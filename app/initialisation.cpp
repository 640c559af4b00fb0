#include "app/initialisation.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QLocale>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>

#include <cmath>

#include "files/disque.h"

namespace qm {

namespace {

const char* const fichierspolices[] = {
    "liberation/LiberationSans-Regular.ttf", "liberation/LiberationSans-Bold.ttf",
    "liberation/LiberationSans-Italic.ttf",  "liberation/LiberationSans-BoldItalic.ttf",
    "liberation/LiberationSerif-Regular.ttf", "liberation/LiberationSerif-Bold.ttf",
    "liberation/LiberationSerif-Italic.ttf", "liberation/LiberationSerif-BoldItalic.ttf",
    "liberation/LiberationMono-Regular.ttf", "liberation/LiberationMono-Bold.ttf",
    "liberation/LiberationMono-Italic.ttf",  "liberation/LiberationMono-BoldItalic.ttf",
    "dejavu/DejaVuSans.ttf",                 "dejavu/DejaVuSans-Bold.ttf",
};

void enregistrerpolices()
{
    static bool fait = false;
    if (fait)
        return;
    fait = true;
    for (const char* f : fichierspolices)
        QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/") + QLatin1String(f));
    // The design's faces, by their metric-compatible equivalents.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Symbol"), QStringLiteral("DejaVu Sans"));
}

} // namespace

QFont police(const QString& nom, double points, bool gras)
{
    QFont f(nom);
    f.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    f.setBold(gras);
    return f;
}

void preparerapplication(QApplication& application)
{
    // A save past a file-size limit reports its error instead of ending the program.
    preparerecritures();
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // The toolkit's own windows (file and printer dialogs) speak French too.
    static QTranslator traduction;
    static const bool traduite = traduction.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                                                 QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (traduite)
        QCoreApplication::installTranslator(&traduction);
    enregistrerpolices();
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    QIcon::setThemeSearchPaths({QStringLiteral("/usr/share/icons")});
    QIcon::setThemeName(QStringLiteral("Tango"));
    application.setApplicationName(QStringLiteral("Quilmaret"));
    application.setDesktopFileName(QStringLiteral("fr.quilmaret.Quilmaret"));
    QIcon icone;
    icone.addFile(QStringLiteral(":/quilmaret/icone-64.png"));
    icone.addFile(QStringLiteral(":/quilmaret/icone-256.png"));
    QApplication::setWindowIcon(icone);
    QApplication::setFont(police(QStringLiteral("MS Sans Serif"), 8.25));
}

} // namespace qm
