// Child process of the log tests: waits for a line on standard input, so that
// its siblings start writing at the same moment, then writes numbered entries
// "proces <id> wpis <n>" to the log it was given.
//   ostrevia_runtime_pomocnik_logu <log> <maximum> <id> <entries>
#include "LogBledow.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 5)
        return 2;
    const QString plik = QString::fromLocal8Bit(argv[1]);
    const int32_t maksimum = std::atoi(argv[2]);
    const QString id = QString::fromLocal8Bit(argv[3]);
    const int wpisy = std::atoi(argv[4]);
    std::getchar();
    for (int i = 0; i < wpisy; ++i)
        ZapiszWyjatekWLogu(QStringLiteral("proces %1 wpis %2 zażółć").arg(id).arg(i), plik, maksimum);
    return 0;
}
