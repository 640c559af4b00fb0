#include "app/initialisation.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleFactory>
#include <QTranslator>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "files/disque.h"

namespace qm {

namespace {

const char* const fichierspolices[] = {
    "liberation/LiberationSans-Regular.ttf",
    "liberation/LiberationSans-Bold.ttf",
    "liberation/LiberationSans-Italic.ttf",
    "liberation/LiberationSans-BoldItalic.ttf",
    "liberation/LiberationSerif-Regular.ttf",
    "liberation/LiberationSerif-Bold.ttf",
    "liberation/LiberationSerif-Italic.ttf",
    "liberation/LiberationSerif-BoldItalic.ttf",
    "liberation/LiberationMono-Regular.ttf",
    "liberation/LiberationMono-Bold.ttf",
    "liberation/LiberationMono-Italic.ttf",
    "liberation/LiberationMono-BoldItalic.ttf",
    "dejavu/DejaVuSans.ttf",
    "dejavu/DejaVuSans-Bold.ttf",
};

void enregistrerpolices()
{
    static bool fait = false;
    if (fait)
        return;
    fait = true;
    for (const char* f : fichierspolices)
        QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/") + QLatin1String(f));
    // The Windows faces, by their metric-compatible equivalents.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Symbol"), QStringLiteral("DejaVu Sans"));
}

// Every secondary window is built anew, and the palettes of its own (a grey
// background, coloured captions) are new ones each time. The style caches the
// pixmaps it draws for a control under a key that names the control's palette,
// so each window shown left pixmaps no later window asks for again, and their
// keys, until the cache (10 MB) was full: 12 to 25 KB per count grid, and the
// toolkit's clearing of the cache keeps the keys. While a secondary window is
// on screen the style caches nothing (drawing those few controls is quick);
// the main window's pixmaps are drawn again once they are asked for.
class gardecache : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objet, QEvent* event) override
    {
        if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && objet->isWidgetType() &&
            secondaire(static_cast<QWidget*>(objet)))
            regler();
        return false;
    }

private:
    static bool secondaire(const QWidget* w) { return w->isWindow() && w->windowType() == Qt::Dialog; }

    void regler()
    {
        const QWidgetList fenetres = QApplication::topLevelWidgets();
        const bool ouverte = std::any_of(fenetres.begin(), fenetres.end(),
                                         [](const QWidget* w) { return w->isVisible() && secondaire(w); });
        if (ouverte && limite == 0) {
            limite = QPixmapCache::cacheLimit();
            QPixmapCache::setCacheLimit(0);
        } else if (!ouverte && limite != 0) {
            QPixmapCache::setCacheLimit(limite);
            limite = 0;
        }
    }
    int limite = 0; // the cache's limit while it is suspended, else 0
};

void garderlecache(QApplication& application)
{
    static gardecache* g = nullptr;
    if (g)
        return;
    g = new gardecache(&application);
    application.installEventFilter(g);
}

} // namespace

QFont police(const QString& nom, double points, bool gras)
{
    QFont f(nom);
    f.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    f.setBold(gras);
    return f;
}

QPixmap imagenette(QSize taille)
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap image(taille * ratio);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

void preparerapplication(QApplication& application)
{
    // A save past a file-size limit reports its error instead of ending the program.
    preparerecritures();
    garderlecache(application);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // The toolkit's own windows (file and printer dialogs) speak French too.
    static QTranslator traduction;
    static const bool traduite =
        traduction.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
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
