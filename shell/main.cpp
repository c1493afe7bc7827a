#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Колебания толстостенной сферы на массивном стержне в вязкой среде"));
    window.resize(700, 532);
    window.show();
    return app.exec();
}
