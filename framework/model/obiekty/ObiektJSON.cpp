#include "Obiekt.h"

#include "LkTypyBazowe.h"
#include "OdczytywaczJSON.h"
#include "PlikiObiektow.h"
#include "StringCache.h"
#include "Strumienie.h"
#include "ZapisywaczJSON.h"

namespace {

// Above this size equal strings of a file share one block while it is read.
constexpr int64_t ProgCacheNapisow = 31457280;

} // namespace

void TObiektBazowy::WykonajZapisJSON(TZapisywaczJSON &p_Zapisywacz, bool p_ZapisanoTyp) const
{
    if (p_ZapisanoTyp)
        p_Zapisywacz.ZapiszPropValue();
    p_Zapisywacz.ZapiszTekst(GetJakoString());
}

void TObiektBazowy::WykonajOdczytJSON(TOdczytywaczJSON &p_Odczytywacz, bool p_OdczytanoTyp)
{
    if (p_OdczytanoTyp)
        p_Odczytywacz.CzytajPropValue();
    SetJakoString(p_Odczytywacz.WczytajTekst());
    if (p_OdczytanoTyp) {
        p_Odczytywacz.Parser().CheckToken('}');
        p_Odczytywacz.Parser().NextToken();
    }
}

void TObiektBazowy::ZapiszDokumentJSON(TZapisywaczJSON &p_Zapisywacz)
{
    p_Zapisywacz.ZapiszDokument(*this);
}

void TObiektBazowy::WczytajDokumentJSON(TOdczytywaczJSON &p_Odczytywacz)
{
    p_Odczytywacz.WczytajDokument(*this);
}

void TObiektBazowy::ZapiszJSON(TZapisywaczJSON &p_Zapisywacz) const
{
    WykonajZapisJSON(p_Zapisywacz, false);
}

bool TObiektBazowy::WczytajJSON(TOdczytywaczJSON &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    WykonajOdczytJSON(p_Odczytywacz, false);
    return MaWartosc(-1);
}

void TObiektBazowy::ZapiszWPlikuJSON(const QString &p_NazwaPliku, TStream *p_Strumien, bool p_ZChwilowymi,
                                     bool p_PominZapisTypu, const TFunCzyZapisac &p_CzyZapisacPole)
{
    std::unique_ptr<TFileStream> plik;
    if (!p_Strumien) {
        plik = UtworzPlikObiektu(p_NazwaPliku);
        p_Strumien = plik.get();
    }
    try {
        TZapisywaczJSON zapisywacz(p_Strumien, p_ZChwilowymi, p_PominZapisTypu);
        zapisywacz.CzyZapisacPole = p_CzyZapisacPole;
        ZapiszDokumentJSON(zapisywacz);
        zapisywacz.ZakonczZapis();
    } catch (Exception &e) {
        if (plik)
            OpiszBladZapisu(e, p_NazwaPliku);
        throw;
    }
}

QByteArray TObiektBazowy::ZapiszWStringuJSON(bool p_ZChwilowymi, bool p_PominZapisTypu,
                                             const TFunCzyZapisac &p_CzyZapisacPole)
{
    TLkRawByteStringMaker strumien;
    {
        TZapisywaczJSON zapisywacz(&strumien, p_ZChwilowymi, p_PominZapisTypu);
        zapisywacz.CzyZapisacPole = p_CzyZapisacPole;
        ZapiszDokumentJSON(zapisywacz);
    }
    return strumien.DajWynik();
}

bool TObiektBazowy::WczytajZPlikuJSON(const QString &p_NazwaPliku, TStream *p_Strumien)
{
    std::unique_ptr<TFileStream> plik;
    if (!p_Strumien) {
        plik = OtworzPlikObiektu(p_NazwaPliku);
        p_Strumien = plik.get();
    }
    try {
        std::unique_ptr<TStringCache> cache;
        if (p_Strumien->Size() > ProgCacheNapisow)
            cache = std::make_unique<TStringCache>();
        // The reader goes before the message is built: its tokenizer puts the
        // stream back at the token where reading stopped.
        TOdczytywaczJSON odczytywacz(p_Strumien, cache.get());
        WczytajDokumentJSON(odczytywacz);
        return odczytywacz.PominietoDane == 0;
    } catch (Exception &e) {
        if (dynamic_cast<TFileStream *>(p_Strumien))
            OpiszBladOdczytu(e, NaglowekOdczytuPliku, p_NazwaPliku, *p_Strumien);
        throw;
    }
}

bool TObiektBazowy::WczytajZeStringuJSON(const QByteArray &p_Zawartosc)
{
    if (p_Zawartosc.isEmpty()) {
        ZablokujObiekt();
        const std::unique_ptr<TObiektBazowy, void (*)(TObiektBazowy *)> blokada(
            this, [](TObiektBazowy *p_Zablokowany) { p_Zablokowany->OdblokujObiekt(); });
        ZerujDane();
        return true;
    }
    TLkReadOnlyRawByteStream strumien(p_Zawartosc);
    TOdczytywaczJSON odczytywacz(&strumien);
    WczytajDokumentJSON(odczytywacz);
    return odczytywacz.PominietoDane == 0;
}

void TObiekt::WykonajZapisJSON(TZapisywaczJSON &p_Zapisywacz, bool p_ZapisanoTyp) const
{
    p_Zapisywacz.ZapiszObiektJSON(*this, p_ZapisanoTyp);
}

void TObiekt::WykonajOdczytJSON(TOdczytywaczJSON &p_Odczytywacz, bool p_OdczytanoTyp)
{
    p_Odczytywacz.WczytajObiektJSON(*this, p_OdczytanoTyp);
}
