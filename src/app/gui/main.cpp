#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Diravir ФУРНИТУРА"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Diravir ФУРНИТУРА"));
    window.resize(1024, 700);
    window.show();
    return QApplication::exec();
}
