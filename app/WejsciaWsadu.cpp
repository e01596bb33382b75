#include "WejsciaWsadu.h"

#include "OpisBleduSystemu.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <set>
#include <utility>

namespace {

// Deeper trees than this are no archive of messages but a trap.
constexpr int maksGlebokosc = 64;

bool jestXml(const QString &p_Nazwa)
{
    return p_Nazwa.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive);
}

class TZbieracz
{
public:
    std::vector<TWejscieWsadu> Wejscia;

    void Dodaj(const QString &p_Sciezka, bool p_Wprost)
    {
        struct stat st{};
        if (::stat(QFile::encodeName(p_Sciezka).constData(), &st) != 0) {
            const int blad = errno;
            // A link into nowhere or round in a circle is a refused file,
            // whether named or met in a folder.
            Wejscia.push_back({p_Sciezka, OpisBleduSystemu(blad), std::nullopt});
            return;
        }
        if (S_ISDIR(st.st_mode)) {
            Katalog(p_Sciezka, st, 0);
            return;
        }
        if (!p_Wprost && !jestXml(p_Sciezka))
            return;
        if (!FPliki.insert({st.st_dev, st.st_ino}).second)
            return;
        Wejscia.push_back(
            {p_Sciezka, S_ISREG(st.st_mode) ? QString() : OpisTypu(st.st_mode), TIdentyfikatorPliku{st.st_dev, st.st_ino}});
    }

    static QString OpisTypu(mode_t p_Tryb)
    {
        if (S_ISFIFO(p_Tryb))
            return QStringLiteral("to kolejka FIFO, a nie plik");
        if (S_ISSOCK(p_Tryb))
            return QStringLiteral("to gniazdo, a nie plik");
        if (S_ISCHR(p_Tryb) || S_ISBLK(p_Tryb))
            return QStringLiteral("to urządzenie, a nie plik");
        if (S_ISDIR(p_Tryb))
            return QStringLiteral("to katalog, a nie plik");
        return QStringLiteral("to nie jest zwykły plik");
    }

private:
    void Katalog(const QString &p_Sciezka, const struct stat &p_St, int p_Glebokosc)
    {
        if (!FKatalogi.insert({p_St.st_dev, p_St.st_ino}).second)
            return; // met before: a loop of links, or the same folder twice
        if (p_Glebokosc > maksGlebokosc) {
            Wejscia.push_back({p_Sciezka, QStringLiteral("zbyt głęboko zagnieżdżony katalog"), std::nullopt});
            return;
        }
        QDir katalog(p_Sciezka);
        if (!katalog.isReadable()) {
            Wejscia.push_back({p_Sciezka, QStringLiteral("nie można odczytać katalogu"), std::nullopt});
            return;
        }
        QStringList nazwy = katalog.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                                              QDir::NoSort);
        std::sort(nazwy.begin(), nazwy.end());
        for (const QString &nazwa : nazwy) {
            const QString sciezka = katalog.filePath(nazwa);
            struct stat st{};
            if (::stat(QFile::encodeName(sciezka).constData(), &st) == 0 && S_ISDIR(st.st_mode)) {
                Katalog(sciezka, st, p_Glebokosc + 1);
                continue;
            }
            if (jestXml(nazwa))
                Dodaj(sciezka, false);
        }
    }

    std::set<TIdentyfikatorPliku> FKatalogi;
    std::set<TIdentyfikatorPliku> FPliki;
};

} // namespace

std::vector<TWejscieWsadu> ZbierzWejscia(const QStringList &p_Argumenty)
{
    TZbieracz zbieracz;
    for (const QString &argument : p_Argumenty)
        zbieracz.Dodaj(argument, true);
    return std::move(zbieracz.Wejscia);
}

QString SprawdzPlikWejsciowy(const QString &p_Sciezka, qint64 *p_Rozmiar)
{
    const QByteArray nazwa = QFile::encodeName(p_Sciezka);
    struct stat st{};
    if (::stat(nazwa.constData(), &st) != 0)
        return OpisBleduSystemu(errno);
    if (!S_ISREG(st.st_mode))
        return TZbieracz::OpisTypu(st.st_mode);
    // The name may have been swapped since: the open must not wait either,
    // and what it opened is what counts.
    const int fd = ::open(nazwa.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return OpisBleduSystemu(errno);
    const bool zwykly = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    if (!zwykly)
        return TZbieracz::OpisTypu(st.st_mode);
    if (p_Rozmiar)
        *p_Rozmiar = st.st_size;
    return {};
}
