#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);

    // The main window is an empty 800 x 600 frame until the workspace is in place.
    QWidget feuilleP;
    feuilleP.setObjectName(QStringLiteral("feuilleP"));
    feuilleP.setWindowTitle(QStringLiteral("Quilmaret"));
    feuilleP.resize(800, 600);
    feuilleP.show();

    return QApplication::exec();
}
