#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    out << "usage: vistrel-tool COMMAND [ARGS]\n";
    return argc > 1 ? 2 : 0;
}
