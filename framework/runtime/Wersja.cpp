#include "Wersja.h"

#include "WersjaPliku.h"

#include <QFile>
#include <QStringList>

QString NazwaProduktu;
QString NazwaAplikacji;

namespace {

const QString tokenJezyka = QStringLiteral("%LANGID%");

std::optional<TWersjaPliku> blokPliku(const QString &p_NazwaPliku)
{
    const QString nazwa = p_NazwaPliku.isEmpty() ? DajNazweModulu() : p_NazwaPliku;
    if (nazwa.isEmpty())
        return std::nullopt;
    return OdczytajBlokWersji(nazwa);
}

// Language high, code page low, as 8 upper-case hex digits: 041504E2.
QString tekstTlumaczenia(const TWersjaPliku &p_Wersja)
{
    const uint32_t wartosc = (uint32_t(p_Wersja.Jezyk) << 16) | p_Wersja.StronaKodowa;
    return QStringLiteral("%1").arg(wartosc, 8, 16, QLatin1Char('0')).toUpper();
}

QString wartoscSciezki(const TWersjaPliku &p_Wersja, QString p_Sciezka)
{
    const QString tlumaczenie = tekstTlumaczenia(p_Wersja);
    if (p_Sciezka.contains(tokenJezyka))
        p_Sciezka.replace(tokenJezyka, tlumaczenie);
    const QStringList czesci = p_Sciezka.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (czesci.size() != 3 || czesci[0].compare(QLatin1String("StringFileInfo"), Qt::CaseInsensitive) != 0
        || czesci[1].compare(tlumaczenie, Qt::CaseInsensitive) != 0)
        return QString();
    return p_Wersja.Tekst(czesci[2]).value_or(QString());
}

} // namespace

QString DajNazweModulu()
{
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
}

QString OdczytajVersionInfo(const QString &p_Sciezka, const QString &p_NazwaPliku)
{
    const auto wersja = blokPliku(p_NazwaPliku);
    return wersja ? wartoscSciezki(*wersja, p_Sciezka) : QString();
}

QString DajNazweProduktu(const QString &p_NazwaPliku)
{
    return OdczytajVersionInfo(QStringLiteral("\\StringFileInfo\\%LANGID%\\ProductName"), p_NazwaPliku);
}

bool OdczytajNumeryWersji(const QString &p_NazwaPliku, uint16_t &p_Glowny, uint16_t &p_Pomocniczy,
                          uint16_t &p_Wydanie, uint16_t &p_Kompilacja)
{
    const auto wersja = blokPliku(p_NazwaPliku);
    if (!wersja)
        return false;
    uint16_t *const czesci[] = {&p_Glowny, &p_Pomocniczy, &p_Wydanie, &p_Kompilacja};
    if (wersja->MaStalyRekord) {
        for (int i = 0; i < 4; ++i)
            *czesci[i] = wersja->Numery[i];
        return true;
    }
    const QString tekst = wartoscSciezki(*wersja, QStringLiteral("\\StringFileInfo\\%LANGID%\\FileVersion"));
    if (tekst.isEmpty())
        return false;
    const QStringList linie = tekst.split(QLatin1Char('.'));
    for (int i = 0; i < 4; ++i) {
        if (i >= linie.size())
            return false;
        bool ok = false;
        const uint liczba = linie[i].trimmed().toUInt(&ok, 10);
        if (!ok || liczba > 65535)
            return false;
        *czesci[i] = static_cast<uint16_t>(liczba);
    }
    return true;
}

int32_t DajNumerWersji(const QString &p_NazwaPliku)
{
    uint16_t glowny = 0, pomocniczy = 0, wydanie = 0, kompilacja = 0;
    if (!OdczytajNumeryWersji(p_NazwaPliku, glowny, pomocniczy, wydanie, kompilacja))
        return 0;
    return int32_t(glowny) * 100 + pomocniczy;
}

QString WersjaJakoTekst(int32_t p_NumerWersji)
{
    const int32_t pomocniczy = p_NumerWersji % 100;
    return QString::number(p_NumerWersji / 100) + QLatin1Char('.')
           + (pomocniczy < 10 ? QStringLiteral("0") : QString()) + QString::number(pomocniczy);
}

QString UstalNazweAplikacji(const QString &p_NazwaProduktuModulu, const QString &p_PlikProgramu)
{
    if (p_NazwaProduktuModulu.startsWith(QLatin1String("LkMod"), Qt::CaseInsensitive))
        return DajNazweProduktu(p_PlikProgramu);
    return p_NazwaProduktuModulu;
}
