// Time from process start to the page's loadFinished: the viewer started
// with a message against a minimal browser view loading the same page,
// interleaved (the order alternates every round), medians of N rounds.
//
//   bench_start_okna MESSAGE.xml [ROUNDS=10] [VIEWER...]
//
// VIEWER: viewer programs to compare (default: bench_start_okno beside this
// program). The page for the reference is rendered once with ostrevia-render.
// The display is the caller's (DISPLAY, or QT_QPA_PLATFORM=offscreen).
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct TProgram
{
    QString Nazwa;
    QString Sciezka;
    QStringList Argumenty;
    std::vector<double> Czasy; // ms
};

// Milliseconds from start to the "zaladowano 1" line; negative on failure.
double uruchom(const TProgram &p_Program)
{
    QProcess proces;
    proces.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer zegar;
    zegar.start();
    proces.start(p_Program.Sciezka, p_Program.Argumenty);
    double czas = -1;
    while (proces.waitForReadyRead(120000)) {
        const QByteArray wyjscie = proces.readAllStandardOutput();
        if (wyjscie.contains("zaladowano")) {
            czas = wyjscie.contains("zaladowano 1") ? zegar.nsecsElapsed() / 1e6 : -1;
            break;
        }
    }
    // Rounds never overlap: the next starts once this program is gone.
    if (!proces.waitForFinished(60000))
        proces.kill();
    proces.waitForFinished();
    return czas;
}

double mediana(std::vector<double> p_Czasy)
{
    std::sort(p_Czasy.begin(), p_Czasy.end());
    const size_t n = p_Czasy.size();
    return n == 0 ? 0 : n % 2 ? p_Czasy[n / 2] : (p_Czasy[n / 2 - 1] + p_Czasy[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication aplikacja(argc, argv);
    const QStringList argumenty = QCoreApplication::arguments();
    if (argumenty.size() < 2) {
        std::fprintf(stderr, "usage: %s MESSAGE.xml [ROUNDS=10] [VIEWER...]\n", argv[0]);
        return 2;
    }
    const QString komunikat = QFileInfo(argumenty[1]).absoluteFilePath();
    const int rundy = argumenty.size() > 2 ? argumenty[2].toInt() : 10;
    const QDir bin(QCoreApplication::applicationDirPath());

    QTemporaryDir katalog;
    const QString strona = katalog.filePath(QStringLiteral("strona.html"));
    QProcess render;
    render.setStandardOutputFile(QProcess::nullDevice());
    render.start(bin.filePath(QStringLiteral("ostrevia-render")), {komunikat, QStringLiteral("-o"), strona});
    if (!render.waitForFinished(600000) || render.exitCode() != 0) {
        std::fprintf(stderr, "ostrevia-render failed\n");
        return 1;
    }

    std::vector<TProgram> programy;
    programy.push_back({QStringLiteral("minimal view"), bin.filePath(QStringLiteral("bench_widok_minimalny")),
                        {strona}, {}});
    QStringList przegladarki = argumenty.mid(3);
    if (przegladarki.isEmpty())
        przegladarki << bin.filePath(QStringLiteral("bench_start_okno"));
    for (const QString &sciezka : przegladarki)
        programy.push_back({sciezka, sciezka, {komunikat}, {}});

    for (int runda = 0; runda < rundy; ++runda)
        for (size_t i = 0; i < programy.size(); ++i) {
            TProgram &program = programy[runda % 2 ? programy.size() - 1 - i : i];
            const double czas = uruchom(program);
            if (czas < 0) {
                std::fprintf(stderr, "%s: the page did not load\n", qPrintable(program.Nazwa));
                return 1;
            }
            program.Czasy.push_back(czas);
        }

    const double odniesienie = mediana(programy[0].Czasy);
    std::printf("%s (%lld bytes), %d interleaved rounds, process start to loadFinished, median ms:\n",
                qPrintable(komunikat), static_cast<long long>(QFileInfo(komunikat).size()), rundy);
    for (const TProgram &program : programy) {
        std::printf("  %8.0f  %.2fx  %s   [", mediana(program.Czasy), mediana(program.Czasy) / odniesienie,
                    qPrintable(program.Nazwa));
        for (double czas : program.Czasy)
            std::printf(" %.0f", czas);
        std::printf(" ]\n");
    }
    return 0;
}
