#include "PlikIni.h"

#include "KodowanieZnakow.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

QString tekstPliku(const QByteArray &p_Bajty)
{
    if (p_Bajty.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(p_Bajty.mid(3));
    if (p_Bajty.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(p_Bajty.mid(2));
    if (p_Bajty.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(p_Bajty.mid(2));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString tekst = utf8.decode(p_Bajty);
    if (!utf8.hasError())
        return tekst;
    // Files written on Polish Windows systems.
    return TekstZPolskiegoAnsi(p_Bajty);
}

} // namespace

bool TPlikIni::Wczytaj(const QString &p_NazwaPliku)
{
    FSekcje.clear();
    const QFileInfo info(p_NazwaPliku);
    if (p_NazwaPliku.isEmpty() || !info.isFile() || info.size() > MaksymalnyRozmiar)
        return false;
    QFile plik(p_NazwaPliku);
    if (!plik.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bajty = plik.read(MaksymalnyRozmiar + 1);
    if (bajty.size() > MaksymalnyRozmiar)
        return false;
    WczytajZBajtow(bajty);
    return true;
}

void TPlikIni::WczytajZBajtow(const QByteArray &p_Bajty)
{
    FSekcje.clear();
    TSekcja *biezaca = nullptr;
    // CR LF, LF and a lone CR all end a line.
    QString tekst = tekstPliku(p_Bajty);
    tekst.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (QStringView linia : QStringView(tekst).tokenize(u'\n')) {
        linia = linia.trimmed();
        if (linia.isEmpty() || linia.startsWith(u';'))
            continue;
        if (linia.startsWith(u'[') && linia.endsWith(u']')) {
            const QString nazwa = linia.sliced(1, linia.size() - 2).trimmed().toString();
            biezaca = const_cast<TSekcja *>(Sekcja(nazwa));
            if (!biezaca) {
                FSekcje.append({nazwa, {}});
                biezaca = &FSekcje.last();
            }
            continue;
        }
        const qsizetype rowna = linia.indexOf(u'=');
        if (!biezaca || rowna <= 0)
            continue;
        const QString klucz = linia.first(rowna).trimmed().toString();
        if (!ZawieraKlucz(biezaca->Nazwa, klucz))
            biezaca->Wpisy.append({klucz, linia.sliced(rowna + 1).trimmed().toString()});
    }
}

const TPlikIni::TSekcja *TPlikIni::Sekcja(const QString &p_Nazwa) const
{
    for (const TSekcja &sekcja : FSekcje)
        if (sekcja.Nazwa.compare(p_Nazwa, Qt::CaseInsensitive) == 0)
            return &sekcja;
    return nullptr;
}

bool TPlikIni::ZawieraKlucz(const QString &p_Sekcja, const QString &p_Klucz) const
{
    if (const TSekcja *sekcja = Sekcja(p_Sekcja))
        for (const auto &wpis : sekcja->Wpisy)
            if (wpis.first.compare(p_Klucz, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

QString TPlikIni::Wartosc(const QString &p_Sekcja, const QString &p_Klucz) const
{
    if (const TSekcja *sekcja = Sekcja(p_Sekcja))
        for (const auto &wpis : sekcja->Wpisy)
            if (wpis.first.compare(p_Klucz, Qt::CaseInsensitive) == 0)
                return wpis.second;
    return QString();
}
