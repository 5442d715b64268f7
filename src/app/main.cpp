// tessera: the desktop program.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tessera");
    QApplication::setApplicationVersion(TESSERA_VERSION);
    QMainWindow window;
    window.setWindowTitle("Tessera");
    window.resize(1000, 760);
    window.show();
    return app.exec();
}
