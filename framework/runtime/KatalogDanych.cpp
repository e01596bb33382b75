#include "KatalogDanych.h"

#include "Formatuj.h"
#include "LosowaNazwa.h"
#include "Parametry.h"
#include "PlikiBezpieczne.h"
#include "Proces.h"
#include "WartosciRejestru.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <mutex>

namespace {

const QString wartoscKatalogu = QStringLiteral("Katalog danych");
const QString wartoscDatyZapisu = QStringLiteral("Data zapisu");
const QString brakUprawnien = QStringLiteral("Brak uprawnień do zapisu i modyfikacji w katalogu danych: %s");

std::mutex &blokadaKatalogu()
{
    static std::mutex blokada;
    return blokada;
}
QString katalogDanych;

bool jestPusty(const QString &p_Tekst)
{
    for (QChar znak : p_Tekst)
        if (znak.unicode() > 32)
            return false;
    return true;
}

// Absolute, so that a later change of the working directory moves nothing.
QString katalogZUkosnikiem(const QString &p_Katalog)
{
    QString katalog = QFileInfo(p_Katalog.trimmed()).absoluteFilePath();
    if (!katalog.endsWith(QLatin1Char('/')))
        katalog += QLatin1Char('/');
    return katalog;
}

int64_t stempelZapisu(HKEY p_Korzen)
{
    QString tekst;
    CzytajWartoscRejestru(wartoscDatyZapisu, tekst, KluczRejestruAplikacji(), p_Korzen);
    bool liczba = false;
    const int64_t stempel = tekst.trimmed().toLongLong(&liczba, 10);
    return liczba ? stempel : 0;
}

QString katalogZRejestru()
{
    QString katalog;
    if (stempelZapisu(HKEY_CURRENT_USER) >= stempelZapisu(HKEY_LOCAL_MACHINE))
        CzytajWartoscRejestru(wartoscKatalogu, katalog, KluczRejestruAplikacji(), HKEY_CURRENT_USER);
    if (jestPusty(katalog))
        CzytajWartoscRejestru(wartoscKatalogu, katalog, KluczRejestruAplikacji(), HKEY_LOCAL_MACHINE);
    return jestPusty(katalog) ? DomyslnyKatalogDanych() : katalogZUkosnikiem(katalog);
}

bool istniejeLubUtworz(const QString &p_Katalog)
{
    return QFileInfo(p_Katalog).isDir() || QDir().mkpath(p_Katalog);
}

} // namespace

QString DajKatalogDanych()
{
    std::lock_guard blokada(blokadaKatalogu());
    return katalogDanych;
}

void UstawKatalogDanych(const QString &p_Katalog)
{
    std::lock_guard blokada(blokadaKatalogu());
    katalogDanych = p_Katalog;
}

QString DomyslnyKatalogDanych()
{
    QString baza = qEnvironmentVariable("XDG_DATA_HOME");
    if (jestPusty(baza) && !jestPusty(QDir::homePath()))
        baza = QDir::homePath() + QStringLiteral("/.local/share");
    if (jestPusty(baza))
        return KatalogProgramu;
    if (!baza.endsWith(QLatin1Char('/')))
        baza += QLatin1Char('/');
    return baza + QStringLiteral("VelmoraSoftware/");
}

bool MoznaZapisywacWKatalogu(const QString &p_Katalog)
{
    const QString losowa = DajLosowaNazwe();
    if (losowa.isEmpty() || p_Katalog.isEmpty())
        return false;
    QString katalog = p_Katalog;
    if (!katalog.endsWith(QLatin1Char('/')))
        katalog += QLatin1Char('/');
    const QByteArray nazwa = QFile::encodeName(katalog + losowa + QStringLiteral(".lock"));
    const QString wzorzec = QStringLiteral("Lk Testowy tekst");
    const QByteArray bajty(reinterpret_cast<const char *>(wzorzec.utf16()), wzorzec.size() * 2);

    if (!UtworzNowyPlik(QFile::decodeName(nazwa), QByteArray()))
        return false;

    bool zgodny = false;
    int plik = ::open(nazwa.constData(), O_WRONLY | O_TRUNC | O_NOFOLLOW | O_CLOEXEC);
    if (plik >= 0) {
        const bool zapisano = ZapiszWszystko(plik, bajty);
        if (::close(plik) == 0 && zapisano) {
            plik = ::open(nazwa.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
            if (plik >= 0) {
                char odczyt[64];
                const ssize_t n = ::read(plik, odczyt, sizeof odczyt);
                ::close(plik);
                zgodny = n == bajty.size() && std::memcmp(odczyt, bajty.constData(), n) == 0;
            }
        }
    }
    const bool usunieto = ::unlink(nazwa.constData()) == 0;
    return zgodny && usunieto;
}

void UstalKatalogDanych(bool p_SprawdzZapis)
{
    QString katalog;
    QString parametr;
    if (DajParametr(QStringLiteral("KatalogDanych"), parametr, false) && !jestPusty(parametr)) {
        katalog = katalogZUkosnikiem(parametr);
    } else if (TrybUslugi) {
        PokazBlad(QStringLiteral("Brak wymaganego parametru KatalogDanych dla trybu usługi."));
        ZakonczProces(KodWyjsciaBrakKataloguDanychUslugi);
    } else {
        katalog = katalogZRejestru();
    }

    const bool bladTworzenia = !istniejeLubUtworz(katalog);
    if (!p_SprawdzZapis && !bladTworzenia) {
        UstawKatalogDanych(katalog);
        return;
    }
    if (!TrybUslugi && (bladTworzenia || !MoznaZapisywacWKatalogu(katalog))) {
        // Our programs are executables, never libraries, so the user is always told.
        const QString domyslny = DomyslnyKatalogDanych();
        const QString stary = katalog;
        katalog = istniejeLubUtworz(domyslny) ? domyslny : KatalogProgramu;
        const QString powod = QFileInfo(stary).isDir() ? brakUprawnien
                                                       : QStringLiteral("Błąd tworzenia katalogu danych: %s");
        PokazBlad(Format(powod, {stary}) + QLatin1Char('\r')
                  + Format(QStringLiteral("Zmieniono katalog danych na katalog: %s"), {katalog}));
        if (ZapiszWartosciRejestru({wartoscKatalogu + QLatin1Char('=') + katalog}, KluczRejestruAplikacji(),
                                   HKEY_CURRENT_USER))
            ZapiszWartosciRejestru({wartoscDatyZapisu + QLatin1Char('=')
                                    + QDateTime::currentDateTime().toString(QStringLiteral("yyMMddhhmm"))},
                                   KluczRejestruAplikacji(), HKEY_CURRENT_USER);
    }
    UstawKatalogDanych(katalog);

    if (!MoznaZapisywacWKatalogu(katalog)) {
        PokazBlad(Format(brakUprawnien, {katalog}) + QLatin1Char('\r')
                  + QStringLiteral("Jeśli posiadasz odpowiednie uprawnienia, sprawdź, czy dostęp do folderu nie "
                                   "jest blokowany przez program antywirusowy.")
                  + QStringLiteral("\r\r") + QStringLiteral("Program zostanie zamknięty."));
        ZakonczProces(KodWyjsciaBrakUprawnienDoKataloguDanych);
    }
}
