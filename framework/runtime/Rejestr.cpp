#include "Rejestr.h"

#include "Formatuj.h"
#include "ProgramPocztowy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>

#include <mutex>
#include <optional>

namespace {

constexpr qint64 maksymalnyRozmiarMagazynu = 4 * 1024 * 1024;
const QString typTekst = QStringLiteral("REG_SZ");
const QString typLiczba = QStringLiteral("REG_DWORD");
const QString kluczPoczty = QStringLiteral("mailto\\shell\\open\\command");

// One read-modify-write at a time within the process; QLockFile between processes.
std::mutex &blokadaMagazynu()
{
    static std::mutex blokada;
    return blokada;
}

QString znormalizujKlucz(const QString &p_Klucz)
{
    return p_Klucz.split(QLatin1Char('\\'), Qt::SkipEmptyParts).join(QLatin1Char('\\'));
}

// The store as it is on disk: nullopt when it exists but cannot be read or
// parsed; an empty object when there is none yet.
std::optional<QJsonObject> wczytajMagazyn(const QString &p_Plik)
{
    const QFileInfo info(p_Plik);
    if (!info.exists())
        return QJsonObject();
    if (!info.isFile() || info.size() > maksymalnyRozmiarMagazynu)
        return std::nullopt;
    QFile plik(p_Plik);
    if (!plik.open(QIODevice::ReadOnly))
        return std::nullopt;
    QJsonParseError blad;
    const QJsonDocument dokument = QJsonDocument::fromJson(plik.read(maksymalnyRozmiarMagazynu), &blad);
    if (blad.error != QJsonParseError::NoError || !dokument.isObject())
        return std::nullopt;
    return dokument.object();
}

// The stored spelling of a name, found without regard to case.
std::optional<QString> znajdzNazwe(const QJsonObject &p_Obiekt, const QString &p_Nazwa)
{
    for (auto it = p_Obiekt.begin(); it != p_Obiekt.end(); ++it)
        if (it.key().compare(p_Nazwa, Qt::CaseInsensitive) == 0)
            return it.key();
    return std::nullopt;
}

QJsonObject wartosciKlucza(HKEY p_Korzen, const QString &p_Klucz)
{
    if (p_Korzen == HKEY_CLASSES_ROOT) {
        QJsonObject wartosci;
        if (p_Klucz.compare(kluczPoczty, Qt::CaseInsensitive) == 0) {
            const QString polecenie = PolecenieProgramuPocztowego();
            if (!polecenie.isEmpty())
                wartosci.insert(QString(), QJsonObject{{QStringLiteral("typ"), typTekst},
                                                       {QStringLiteral("wartosc"), polecenie}});
        }
        return wartosci;
    }
    std::lock_guard blokada(blokadaMagazynu());
    const auto magazyn = wczytajMagazyn(PlikRejestru(p_Korzen));
    if (!magazyn)
        return QJsonObject();
    const auto nazwa = znajdzNazwe(*magazyn, p_Klucz);
    return nazwa ? magazyn->value(*nazwa).toObject() : QJsonObject();
}

bool kluczIstnieje(HKEY p_Korzen, const QString &p_Klucz)
{
    if (p_Klucz.isEmpty())
        return true;
    if (p_Korzen == HKEY_CLASSES_ROOT) {
        const QString pelny = kluczPoczty + QLatin1Char('\\');
        return pelny.startsWith(p_Klucz + QLatin1Char('\\'), Qt::CaseInsensitive)
               && !PolecenieProgramuPocztowego().isEmpty();
    }
    std::lock_guard blokada(blokadaMagazynu());
    const auto magazyn = wczytajMagazyn(PlikRejestru(p_Korzen));
    if (!magazyn)
        return false;
    const QString przedrostek = p_Klucz + QLatin1Char('\\');
    for (auto it = magazyn->begin(); it != magazyn->end(); ++it)
        if (it.key().compare(p_Klucz, Qt::CaseInsensitive) == 0
            || it.key().startsWith(przedrostek, Qt::CaseInsensitive))
            return true;
    return false;
}

// Applies p_Zmiana to the key's values and saves the store. Raises when the
// store cannot be read (it is left as it is) or written.
template <typename TZmiana>
void zmienKlucz(HKEY p_Korzen, const QString &p_Klucz, TZmiana p_Zmiana)
{
    const QString nazwaPliku = PlikRejestru(p_Korzen);
    if (nazwaPliku.isEmpty())
        throw ERegistryException(QStringLiteral("Klucz tylko do odczytu"));
    std::lock_guard blokada(blokadaMagazynu());
    const QString katalog = QFileInfo(nazwaPliku).path();
    if (!QDir().mkpath(katalog))
        throw ERegistryException(Format(QStringLiteral("Nie można utworzyć katalogu %s"), {katalog}));
    QLockFile blokadaPliku(nazwaPliku + QStringLiteral(".lock"));
    if (!blokadaPliku.tryLock(5000))
        throw ERegistryException(Format(QStringLiteral("Rejestr %s jest zablokowany"), {nazwaPliku}));
    auto magazyn = wczytajMagazyn(nazwaPliku);
    if (!magazyn)
        throw ERegistryException(Format(QStringLiteral("Nieprawidłowy plik rejestru %s"), {nazwaPliku}));
    const QString nazwaKlucza = znajdzNazwe(*magazyn, p_Klucz).value_or(p_Klucz);
    QJsonObject wartosci = magazyn->value(nazwaKlucza).toObject();
    p_Zmiana(wartosci);
    magazyn->insert(nazwaKlucza, wartosci);

    QSaveFile plik(nazwaPliku);
    if (!plik.open(QIODevice::WriteOnly)
        || plik.write(QJsonDocument(*magazyn).toJson(QJsonDocument::Indented)) < 0 || !plik.commit())
        throw ERegistryException(Format(QStringLiteral("Błąd zapisu rejestru %s"), {nazwaPliku}));
}

QString katalogKonfiguracji(const char *p_Zmienna, const QString &p_Domyslny)
{
    const QString wartosc = qEnvironmentVariable(p_Zmienna).split(QLatin1Char(':'), Qt::SkipEmptyParts).value(0);
    return wartosc.isEmpty() ? p_Domyslny : wartosc;
}

} // namespace

QString PlikRejestru(HKEY p_Korzen)
{
    const QString sciezka = QStringLiteral("/VelmoraSoftware/Rejestr.json");
    switch (p_Korzen) {
    case HKEY_CURRENT_USER:
        return katalogKonfiguracji("XDG_CONFIG_HOME", QDir::homePath() + QStringLiteral("/.config")) + sciezka;
    case HKEY_LOCAL_MACHINE:
        return katalogKonfiguracji("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg")) + sciezka;
    case HKEY_CLASSES_ROOT:
        break;
    }
    return QString();
}

TRegistry::TRegistry(REGSAM p_Dostep) : Access(p_Dostep) {}

QString TRegistry::PelnaSciezka(const QString &p_Klucz) const
{
    if (p_Klucz.startsWith(QLatin1Char('\\')) || !FOtwarty)
        return znormalizujKlucz(p_Klucz);
    return znormalizujKlucz(FKlucz + QLatin1Char('\\') + p_Klucz);
}

bool TRegistry::OpenKey(const QString &p_Klucz, bool p_Utworz)
{
    const QString klucz = PelnaSciezka(p_Klucz);
    const bool doZapisu = (Access & KEY_WRITE & ~KEY_READ) != 0;
    if (!kluczIstnieje(RootKey, klucz)) {
        if (!p_Utworz || !doZapisu)
            return false;
        try {
            zmienKlucz(RootKey, klucz, [](QJsonObject &) {});
        } catch (const ERegistryException &) {
            return false;
        }
    }
    FKlucz = klucz;
    FOtwarty = true;
    FDoZapisu = doZapisu;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const QString &p_Klucz)
{
    const QString klucz = PelnaSciezka(p_Klucz);
    if (!kluczIstnieje(RootKey, klucz))
        return false;
    FKlucz = klucz;
    FOtwarty = true;
    FDoZapisu = false;
    return true;
}

void TRegistry::CloseKey()
{
    FKlucz.clear();
    FOtwarty = false;
    FDoZapisu = false;
}

bool TRegistry::KeyExists(const QString &p_Klucz) const
{
    return kluczIstnieje(RootKey, PelnaSciezka(p_Klucz));
}

namespace {

std::optional<QJsonObject> wartosc(HKEY p_Korzen, bool p_Otwarty, const QString &p_Klucz, const QString &p_Nazwa)
{
    if (!p_Otwarty)
        return std::nullopt;
    const QJsonObject wartosci = wartosciKlucza(p_Korzen, p_Klucz);
    const auto nazwa = znajdzNazwe(wartosci, p_Nazwa);
    if (!nazwa)
        return std::nullopt;
    return wartosci.value(*nazwa).toObject();
}

QString typWartosci(const QJsonObject &p_Wartosc)
{
    return p_Wartosc.value(QStringLiteral("typ")).toString();
}

} // namespace

bool TRegistry::ValueExists(const QString &p_Nazwa) const
{
    return wartosc(RootKey, FOtwarty, FKlucz, p_Nazwa).has_value();
}

TRegDataType TRegistry::GetDataType(const QString &p_Nazwa) const
{
    const auto w = wartosc(RootKey, FOtwarty, FKlucz, p_Nazwa);
    if (!w)
        return TRegDataType::rdUnknown;
    if (typWartosci(*w) == typTekst)
        return TRegDataType::rdString;
    if (typWartosci(*w) == typLiczba)
        return TRegDataType::rdInteger;
    return TRegDataType::rdUnknown;
}

QStringList TRegistry::GetValueNames() const
{
    return FOtwarty ? wartosciKlucza(RootKey, FKlucz).keys() : QStringList();
}

QString TRegistry::ReadString(const QString &p_Nazwa) const
{
    const auto w = wartosc(RootKey, FOtwarty, FKlucz, p_Nazwa);
    if (!w || typWartosci(*w) != typTekst)
        throw ERegistryException(Format(QStringLiteral("Invalid data type for '%s'"), {p_Nazwa}));
    return w->value(QStringLiteral("wartosc")).toString();
}

int32_t TRegistry::ReadInteger(const QString &p_Nazwa) const
{
    const auto w = wartosc(RootKey, FOtwarty, FKlucz, p_Nazwa);
    if (!w || typWartosci(*w) != typLiczba)
        throw ERegistryException(Format(QStringLiteral("Invalid data type for '%s'"), {p_Nazwa}));
    return static_cast<int32_t>(w->value(QStringLiteral("wartosc")).toInteger());
}

bool TRegistry::ReadBool(const QString &p_Nazwa) const
{
    return ReadInteger(p_Nazwa) != 0;
}

void TRegistry::WriteString(const QString &p_Nazwa, const QString &p_Wartosc)
{
    if (!FOtwarty || !FDoZapisu)
        throw ERegistryException(Format(QStringLiteral("Failed to set data for '%s'"), {p_Nazwa}));
    zmienKlucz(RootKey, FKlucz, [&](QJsonObject &p_Wartosci) {
        p_Wartosci.remove(znajdzNazwe(p_Wartosci, p_Nazwa).value_or(p_Nazwa));
        p_Wartosci.insert(p_Nazwa, QJsonObject{{QStringLiteral("typ"), typTekst},
                                               {QStringLiteral("wartosc"), p_Wartosc}});
    });
}

void TRegistry::WriteInteger(const QString &p_Nazwa, int32_t p_Wartosc)
{
    if (!FOtwarty || !FDoZapisu)
        throw ERegistryException(Format(QStringLiteral("Failed to set data for '%s'"), {p_Nazwa}));
    zmienKlucz(RootKey, FKlucz, [&](QJsonObject &p_Wartosci) {
        p_Wartosci.remove(znajdzNazwe(p_Wartosci, p_Nazwa).value_or(p_Nazwa));
        p_Wartosci.insert(p_Nazwa, QJsonObject{{QStringLiteral("typ"), typLiczba},
                                               {QStringLiteral("wartosc"), p_Wartosc}});
    });
}

void TRegistry::WriteBool(const QString &p_Nazwa, bool p_Wartosc)
{
    WriteInteger(p_Nazwa, p_Wartosc ? 1 : 0);
}

bool TRegistry::DeleteValue(const QString &p_Nazwa)
{
    if (!FOtwarty || !FDoZapisu || !ValueExists(p_Nazwa))
        return false;
    try {
        zmienKlucz(RootKey, FKlucz, [&](QJsonObject &p_Wartosci) {
            p_Wartosci.remove(znajdzNazwe(p_Wartosci, p_Nazwa).value_or(p_Nazwa));
        });
    } catch (const ERegistryException &) {
        return false;
    }
    return true;
}
