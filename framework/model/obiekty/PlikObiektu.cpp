#include "ObiektBazowy.h"

#include "KontenerPliku.h"
#include "PlikiObiektow.h"
#include "Strumienie.h"

bool TObiektBazowy::ZapiszWPliku(const QString &p_NazwaPliku, const QByteArray &p_Identyfikator, int16_t p_TypZapisu,
                                 const QString &p_SzablonXSL, const QByteArray &p_Haslo, TStream *p_Plik)
{
    std::unique_ptr<TFileStream> plik;
    try {
        if (!p_Plik) {
            plik = UtworzPlikObiektu(p_NazwaPliku);
            p_Plik = plik.get();
        }
        return ZapiszKontener(*this, *p_Plik, p_Identyfikator, p_TypZapisu, p_Haslo, p_SzablonXSL);
    } catch (Exception &e) {
        OpiszBladZapisu(e, p_NazwaPliku);
        throw;
    }
}

bool TObiektBazowy::WczytajZPliku(const QString &p_NazwaPliku, const QByteArray &p_Identyfikator, int16_t p_TypZapisu,
                                  const QByteArray &p_Haslo, TStream *p_Plik, TTypKodowaniaXML p_TypKodowania)
{
    std::unique_ptr<TFileStream> plik;
    if (!p_Plik) {
        plik = OtworzPlikObiektu(p_NazwaPliku);
        p_Plik = plik.get();
    }
    try {
        return WczytajKontener(*this, *p_Plik, p_Identyfikator, p_TypZapisu, p_Haslo, p_TypKodowania);
    } catch (Exception &e) {
        OpiszBladOdczytu(e, NaglowekOdczytuPliku, p_NazwaPliku, *p_Plik);
        throw;
    }
}
