#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    err << "usage: diravir-cli COMMAND [ARGS]\n";
    return argc > 1 ? 2 : 0;
}
