#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

QtMessageHandler suivant = nullptr;

// Damaged pictures are meant to be skipped; the image decoder's complaints about them are not
// test output.
void filtre(QtMsgType type, const QMessageLogContext& contexte, const QString& message)
{
    if (message.startsWith("libpng") || message.contains("libpng warning"))
        return;
    suivant(type, contexte, message);
}

} // namespace

// QTextDocument lays text out with fonts, which need a GUI application.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    suivant = qInstallMessageHandler(filtre);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
