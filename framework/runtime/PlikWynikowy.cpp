#include "PlikWynikowy.h"

#include "Formatuj.h"
#include "Wyjatki.h"
#include "LosowaNazwa.h"
#include "OpisBleduSystemu.h"
#include "PlikiBezpieczne.h"
#include "PlikiTymczasowe.h"
#include "RejestrSprzatania.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

// Nothing is synced before the rename: durability is not promised, only that
// the name shows the old file or the whole new one.

namespace {

bool tenSamPlik(const struct stat &p_A, const struct stat &p_B)
{
    return p_A.st_dev == p_B.st_dev && p_A.st_ino == p_B.st_ino;
}

bool strumien(mode_t p_Tryb)
{
    return S_ISCHR(p_Tryb) || S_ISFIFO(p_Tryb);
}

// ".<name>.<random>.tmp" beside the target; a long name is left out so that
// the whole stays within the file system's limit.
QString nazwaTymczasowa(const QFileInfo &p_Cel)
{
    QString nazwa = p_Cel.fileName();
    if (QFile::encodeName(nazwa).size() > 120)
        nazwa.clear();
    return p_Cel.path() + QStringLiteral("/.") + nazwa + QLatin1Char('.') + DajLosowaNazwe() + QStringLiteral(".tmp");
}

QString nieOtwarty()
{
    return QStringLiteral("plik nie jest otwarty");
}

} // namespace

TPlikWynikowy::~TPlikWynikowy()
{
    Odrzuc();
}

bool TPlikWynikowy::Niepowodzenie(const QString &p_Powod)
{
    FBlad = Format(QStringLiteral("Nie można zapisać pliku %s: %s"), {FNazwa, p_Powod});
    return false;
}

bool TPlikWynikowy::NiepowodzenieSystemu(int p_Blad)
{
    return Niepowodzenie(OpisBleduSystemu(p_Blad));
}

bool TPlikWynikowy::Otworz(const QString &p_Nazwa, const QString &p_Wejscie)
{
    return Otworz(p_Nazwa, p_Wejscie.isEmpty() ? QStringList() : QStringList{p_Wejscie});
}

bool TPlikWynikowy::Otworz(const QString &p_Nazwa, const QStringList &p_Chronione)
{
    Odrzuc();
    FNazwa = p_Nazwa;
    FBlad.clear();
    if (p_Nazwa.isEmpty())
        return NiepowodzenieSystemu(ENOENT);

    // The inputs are compared as the files they are, links followed.
    std::vector<struct stat> wejscia;
    for (const QString &chroniony : p_Chronione) {
        struct stat wejscie;
        if (!chroniony.isEmpty() && ::stat(QFile::encodeName(chroniony).constData(), &wejscie) == 0)
            wejscia.push_back(wejscie);
    }
    const auto toWejscie = [&](const struct stat &p_Stan) {
        return std::any_of(wejscia.begin(), wejscia.end(),
                           [&p_Stan](const struct stat &p_Wejscie) { return tenSamPlik(p_Stan, p_Wejscie); });
    };
    const QString plikWejsciowy = QStringLiteral("to plik wejściowy");

    if (p_Nazwa == QLatin1String("-")) {
        struct stat wyjscie;
        if (::fstat(STDOUT_FILENO, &wyjscie) == 0 && toWejscie(wyjscie))
            return Niepowodzenie(plikWejsciowy);
        FDeskryptor = STDOUT_FILENO;
        FWlasnyDeskryptor = false;
        FRodzaj = rStrumien;
        return true;
    }

    const QByteArray sciezka = QFile::encodeName(p_Nazwa);
    struct stat cel;
    const bool jestCel = ::stat(sciezka.constData(), &cel) == 0;
    if (jestCel && toWejscie(cel))
        return Niepowodzenie(plikWejsciowy);
    if (jestCel && strumien(cel.st_mode)) {
        const int deskryptor = ::open(sciezka.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (deskryptor < 0)
            return NiepowodzenieSystemu(errno);
        // The name may have changed between the look and the opening.
        struct stat otwarty;
        if (::fstat(deskryptor, &otwarty) != 0 || !strumien(otwarty.st_mode)) {
            ::close(deskryptor);
            return Niepowodzenie(QStringLiteral("plik zmienił się w trakcie otwierania"));
        }
        FDeskryptor = deskryptor;
        FWlasnyDeskryptor = true;
        FRodzaj = rStrumien;
        return true;
    }

    // The name itself: a link there is replaced, whatever it points to.
    struct stat wpis;
    const bool jestWpis = ::lstat(sciezka.constData(), &wpis) == 0;
    const QFileInfo info(p_Nazwa);
    if ((jestWpis && S_ISDIR(wpis.st_mode)) || info.fileName().isEmpty())
        return NiepowodzenieSystemu(EISDIR);
    if (jestWpis && !S_ISREG(wpis.st_mode) && !S_ISLNK(wpis.st_mode))
        return Niepowodzenie(QStringLiteral("to nie jest zwykły plik"));

    for (int proba = 0; proba < 10; ++proba) {
        int deskryptor = -1;
        int blad = 0;
        const QString tymczasowy = UtworzDoSprzatania([&] {
            const QString nazwa = nazwaTymczasowa(info);
            // 0666: the kernel takes the umask off, as for any new file.
            deskryptor = ::open(QFile::encodeName(nazwa).constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
            blad = errno;
            return deskryptor >= 0 ? nazwa : QString();
        });
        if (deskryptor >= 0) {
            struct stat nowy;
            FTryb = (jestWpis && S_ISREG(wpis.st_mode)) ? (wpis.st_mode & 0777)
                    : ::fstat(deskryptor, &nowy) == 0  ? (nowy.st_mode & 0777)
                                                       : 0644;
            FTymczasowy = tymczasowy;
            FDeskryptor = deskryptor;
            FWlasnyDeskryptor = true;
            FRodzaj = rPlik;
            return true;
        }
        if (blad == ENOENT || blad == ENOTDIR)
            return Niepowodzenie(QStringLiteral("brak katalogu ") + info.path());
        if (blad != EEXIST)
            return NiepowodzenieSystemu(blad);
    }
    return NiepowodzenieSystemu(EEXIST);
}

bool TPlikWynikowy::Zapisz(QByteArrayView p_Dane)
{
    if (FDeskryptor < 0)
        return Niepowodzenie(nieOtwarty());
    if (!ZapiszWszystko(FDeskryptor, p_Dane))
        return NiepowodzenieSystemu(errno);
    return true;
}

QString TPlikWynikowy::NazwaDoZapisu()
{
    if (FRodzaj == rStrumien && FTymczasowy.isEmpty()) {
        FTymczasowy = DajNazwePlikuTymczasowego(QStringLiteral("PlikWyj"));
        if (FTymczasowy.isEmpty())
            Niepowodzenie(QStringLiteral("brak katalogu tymczasowego"));
        else
            QFile::resize(FTymczasowy, 0);
    }
    return FTymczasowy;
}

bool TPlikWynikowy::PrzepiszDoStrumienia(const QString &p_Plik)
{
    QFile plik(p_Plik);
    if (!plik.open(QIODevice::ReadOnly))
        return Niepowodzenie(plik.errorString());
    QByteArray bufor(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 n = plik.read(bufor.data(), bufor.size());
        if (n < 0)
            return Niepowodzenie(plik.errorString());
        if (n == 0)
            return true;
        if (!Zapisz(QByteArrayView(bufor.constData(), n)))
            return false;
    }
}

bool TPlikWynikowy::Zatwierdz()
{
    if (FRodzaj == rBrak)
        return Niepowodzenie(nieOtwarty());
    bool dobrze = true;
    if (FRodzaj == rStrumien && !FTymczasowy.isEmpty())
        dobrze = PrzepiszDoStrumienia(FTymczasowy);
    if (FWlasnyDeskryptor) {
        // A full disk or a lost server may only show here.
        const int deskryptor = FDeskryptor;
        FDeskryptor = -1;
        if (::close(deskryptor) != 0 && dobrze)
            dobrze = NiepowodzenieSystemu(errno);
    }
    if (dobrze && FRodzaj == rPlik) {
        // By name: a writer of its own may have made the file anew.
        const QByteArray tymczasowy = QFile::encodeName(FTymczasowy);
        const int plik = ::open(tymczasowy.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        struct stat stan;
        if (plik < 0 || ::fstat(plik, &stan) != 0)
            dobrze = NiepowodzenieSystemu(errno);
        else if (!S_ISREG(stan.st_mode))
            dobrze = Niepowodzenie(QStringLiteral("to nie jest zwykły plik"));
        else if ((stan.st_mode & 0777) != FTryb && ::fchmod(plik, FTryb) != 0)
            dobrze = NiepowodzenieSystemu(errno);
        if (plik >= 0)
            ::close(plik);
        if (dobrze && ::rename(tymczasowy.constData(), QFile::encodeName(FNazwa).constData()) != 0)
            dobrze = NiepowodzenieSystemu(errno);
        if (dobrze) {
            WyrejestrujZeSprzatania(FTymczasowy);
            FTymczasowy.clear();
        }
    }
    Odrzuc();
    return dobrze;
}

void TPlikWynikowy::Odrzuc() noexcept
{
    if (FWlasnyDeskryptor && FDeskryptor >= 0)
        ::close(FDeskryptor);
    FDeskryptor = -1;
    FWlasnyDeskryptor = false;
    FRodzaj = rBrak;
    try {
        if (!FTymczasowy.isEmpty()) {
            QFile::remove(FTymczasowy);
            WyrejestrujZeSprzatania(FTymczasowy);
        }
    } catch (...) {
        // Out of memory: the file stays behind rather than the program stopping.
    }
    FTymczasowy.clear();
}

bool ZapiszPlikWynikowy(const QString &p_Nazwa, QByteArrayView p_Tresc, const QStringList &p_Chronione,
                        QString &p_Blad)
{
    TPlikWynikowy plik;
    const bool zapisano = plik.Otworz(p_Nazwa, p_Chronione) && plik.Zapisz(p_Tresc) && plik.Zatwierdz();
    p_Blad = zapisano ? QString() : plik.Blad();
    return zapisano;
}

int64_t TStrumienWynikowy::Read(void *, int64_t)
{
    throw EReadError(QStringLiteral("Plik wynikowy służy tylko do zapisu"));
}

int64_t TStrumienWynikowy::Write(const void *p_Bufor, int64_t p_Ile)
{
    if (p_Ile <= 0)
        return 0;
    if (!FPlik.Zapisz(QByteArrayView(static_cast<const char *>(p_Bufor), p_Ile)))
        throw EWriteError(FPlik.Blad());
    FZapisano += p_Ile;
    return p_Ile;
}

int64_t TStrumienWynikowy::Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od)
{
    if (p_Przesuniecie == 0 && p_Od != soBeginning)
        return FZapisano;
    throw EStreamError(QStringLiteral("Pliku wynikowego nie można przewijać"));
}
