#include "OdczytywaczBinarny.h"

#include "Obiekt.h"
#include "StrumienBinarny.h"
#include "Wyjatki.h"

#include <algorithm>
#include <typeinfo>
#include <vector>

namespace {

// The bitmap is read in pieces: its claimed size must not reserve memory the
// input lacks. Classes of up to 256 fields keep it on the stack.
class TBitmapa
{
public:
    explicit TBitmapa(TStream &p_Strumien)
    {
        constexpr int32_t Porcja = 256;
        FBajty = CzytajKrotkaLiczbe(p_Strumien);
        if (FBajty <= static_cast<int32_t>(sizeof(FNaStosie))) {
            p_Strumien.ReadBuffer(FNaStosie, FBajty);
            FDane = FNaStosie;
            return;
        }
        while (static_cast<int32_t>(FNaStercie.size()) < FBajty) {
            const size_t bylo = FNaStercie.size();
            FNaStercie.resize(bylo + static_cast<size_t>(std::min<int32_t>(FBajty - static_cast<int32_t>(bylo), Porcja)));
            p_Strumien.ReadBuffer(FNaStercie.data() + bylo, static_cast<int64_t>(FNaStercie.size() - bylo));
        }
        FDane = FNaStercie.data();
    }
    int32_t Bajty() const { return FBajty; }
    bool Bit(int p_Nr) const { return FDane[p_Nr / 8] & (1u << (p_Nr % 8)); }

private:
    int32_t FBajty = 0;
    uint8_t FNaStosie[32];
    std::vector<uint8_t> FNaStercie;
    const uint8_t *FDane = nullptr;
};

} // namespace

TOdczytywaczBinarny::TOdczytywaczBinarny(TStream &p_Strumien, bool p_OdczytANSI, TStringCache *p_StringCache)
    : TOdczytywaczDanych(p_StringCache), Strumien(p_Strumien)
{
    FOdczytANSI = p_OdczytANSI;
}

void TOdczytywaczBinarny::WczytajObiekt(TObiektBazowy &p_Obiekt)
{
    // This class numbers objects only; a descendant may watch every field.
    FPatrzyNaWartosci = typeid(*this) != typeid(TOdczytywaczBinarny);
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
    const TBitmapa bitmapa(p_Strumien);
    const int najwyzszy = bitmapa.Bajty() * 8 - 1;
    for (int nr = 0; nr <= najwyzszy; ++nr) {
        if (!bitmapa.Bit(nr))
            continue;
        // An unknown number raises: its value's size is unknown, nothing after it can be read.
        const auto numer = static_cast<int16_t>(std::min(nr, int{INT16_MAX}));
        p_Obiekt.Pola(numer).WczytajZeStrumienia(p_Strumien, p_Odczytywacz);
        p_Obiekt.UstawMaWartosc(numer, true);
    }
}
