// The floor of a command-line tool on Qt: start QtCore, read one file whole,
// print its size. bench/process-times compares lumetrix-sor's start-up and
// check with this.
#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench-readfile FILE\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly))
        return 2;
    std::printf("%lld\n", static_cast<long long>(file.readAll().size()));
    return 0;
}
