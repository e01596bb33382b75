#include "OdczytywaczBinarny.h"

#include "Obiekt.h"
#include "StrumienBinarny.h"
#include "Wyjatki.h"

#include <algorithm>
#include <vector>

namespace {

// The bitmap is read in pieces: its claimed size must not reserve memory the input lacks.
constexpr int32_t PorcjaBitmapy = 256;

std::vector<uint8_t> czytajBitmape(TStream &p_Strumien)
{
    const int32_t bajty = CzytajKrotkaLiczbe(p_Strumien);
    std::vector<uint8_t> bitmapa;
    while (static_cast<int32_t>(bitmapa.size()) < bajty) {
        const size_t bylo = bitmapa.size();
        bitmapa.resize(bylo + static_cast<size_t>(std::min<int32_t>(bajty - static_cast<int32_t>(bylo), PorcjaBitmapy)));
        p_Strumien.ReadBuffer(bitmapa.data() + bylo, static_cast<int64_t>(bitmapa.size() - bylo));
    }
    return bitmapa;
}

} // namespace

TOdczytywaczBinarny::TOdczytywaczBinarny(TStream &p_Strumien, bool p_OdczytANSI, TStringCache *p_StringCache)
    : TOdczytywaczDanych(p_StringCache), Strumien(p_Strumien)
{
    FOdczytANSI = p_OdczytANSI;
}

void TOdczytywaczBinarny::WczytajObiekt(TObiektBazowy &p_Obiekt)
{
    WczytajDokument(p_Obiekt, [&] {
        p_Obiekt.WczytajZeStrumienia(Strumien, *this);
        char bajt;
        if (WymagajKonca && Strumien.Read(&bajt, 1) > 0)
            throw LkException(QStringLiteral("Nadmiarowe dane za końcem obiektu"));
    });
}

void WczytajObiektBinarnie(TObiekt &p_Obiekt, TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    TPoziomOdczytu poziom(p_Odczytywacz);
    p_Obiekt.ZerujDane();
    const std::vector<uint8_t> bitmapa = czytajBitmape(p_Strumien);
    const int najwyzszy = static_cast<int>(bitmapa.size()) * 8 - 1;
    for (int nr = 0; nr <= najwyzszy; ++nr) {
        if (!(bitmapa[static_cast<size_t>(nr / 8)] & (1u << (nr % 8))))
            continue;
        // An unknown number raises: its value's size is unknown, nothing after it can be read.
        const auto numer = static_cast<int16_t>(std::min(nr, int{INT16_MAX}));
        p_Obiekt.Pola(numer).WczytajZeStrumienia(p_Strumien, p_Odczytywacz);
        p_Obiekt.UstawMaWartosc(numer, true);
    }
}
