// The floor of the start-up comparison: a plain Qt Widgets window of the main window's size,
// with nothing in it.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.resize(1000, 640);
    window.show();
    return QApplication::exec();
}
