#include "CzytnikCSV.h"

#include "KodowanieZnakow.h"
#include "TabeleKonwersji.h"

#include <QtEndian>

TCzytnikCSV::TCzytnikCSV(QByteArray p_Dane, char p_Separator, TTypKodowaniaCSV p_TypKodowania,
                         bool p_IgnorujCudzyslow)
    : FDane(std::move(p_Dane)), FSeparator(p_Separator), FTypKodowania(p_TypKodowania),
      FIgnorujCudzyslow(p_IgnorujCudzyslow)
{
    if (FDane.size() >= 3 && FDane.startsWith("\xFF\xFE")) {
        // Little-endian 16-bit units, read byte by byte (the data may be
        // unaligned); an odd last byte is no character.
        FUTF16 = true;
        FRozmiar = (FDane.size() - 2) / 2;
        FTekst.resize(FRozmiar);
        char16_t *jednostki = reinterpret_cast<char16_t *>(FTekst.data());
        for (qsizetype i = 0; i < FRozmiar; ++i)
            jednostki[i] = qFromLittleEndian<char16_t>(FDane.constData() + 2 + 2 * i);
        FDane.clear();
        return;
    }
    if (FDane.startsWith("\xEF\xBB\xBF")) {
        FPoczatek = 3;
        if (FTypKodowania == tkcDomyslny)
            FTypKodowania = tkcUTF8;
    }
    FRozmiar = FDane.size() - FPoczatek;
}

template <typename T> QString TCzytnikCSV::Komorka(const std::basic_string<T> &p_Jednostki) const
{
    if constexpr (std::is_same_v<T, char16_t>) {
        return QString::fromUtf16(p_Jednostki.data(), static_cast<qsizetype>(p_Jednostki.size()));
    } else {
        const QByteArray bajty(reinterpret_cast<const char *>(p_Jednostki.data()),
                               static_cast<qsizetype>(p_Jednostki.size()));
        switch (FTypKodowania) {
        case tkcUTF8:
            return QString::fromUtf8(bajty);
        case tkcISO88592:
            return TekstZPolskiegoAnsi(ISO88592NaWin1250(bajty));
        case tkcDomyslny:
        case tkcWin1250:
            break;
        }
        return TekstZPolskiegoAnsi(bajty);
    }
}

template <typename T> bool TCzytnikCSV::CzytajLinie(const T *p_Dane, QStringList &p_Komorki)
{
    const T separator = static_cast<unsigned char>(FSeparator);
    std::basic_string<T> komorka;
    bool wCudzyslowie = false;
    while (FPoz < FRozmiar) {
        const T znak = p_Dane[FPoz++];
        const bool jestNastepny = FPoz < FRozmiar;
        const T nastepny = jestNastepny ? p_Dane[FPoz] : T();
        if (wCudzyslowie) {
            if (znak != '"') {
                komorka += znak;
            } else if (jestNastepny && nastepny == '"') {
                komorka += znak;
                ++FPoz;
            } else if (!jestNastepny || nastepny == separator || nastepny == '\r' || nastepny == '\n') {
                wCudzyslowie = false;
            } else {
                komorka += znak;
            }
        } else if (znak == '"' && !FIgnorujCudzyslow) {
            wCudzyslowie = true;
        } else if (znak == separator) {
            p_Komorki << Komorka(komorka);
            komorka.clear();
        } else if (znak == '\r' || znak == '\n') {
            if (znak == '\r' && jestNastepny && nastepny == '\n')
                ++FPoz;
            p_Komorki << Komorka(komorka);
            return true;
        } else {
            komorka += znak;
        }
    }
    p_Komorki << Komorka(komorka);
    return true;
}

bool TCzytnikCSV::NastepnaLinia(QStringList &p_Komorki)
{
    p_Komorki.clear();
    if (FPoz >= FRozmiar)
        return false;
    ++FNrLinii;
    if (FUTF16)
        return CzytajLinie(reinterpret_cast<const char16_t *>(FTekst.constData()), p_Komorki);
    return CzytajLinie(reinterpret_cast<const unsigned char *>(FDane.constData() + FPoczatek), p_Komorki);
}
