#include "Obiekt.h"

#include "Formatuj.h"
#include "PoleWskObiektu.h"

#include <limits>

// ---- fields named by number or name

int16_t TObiekt::NrPolaWymagany(const TVarRec &p_Pole, const char *p_Metoda) const
{
    if (p_Pole.JestCalkowita()) {
        const int64_t nr = p_Pole.JakoInt64();
        if (nr < 0 || nr > std::numeric_limits<int16_t>::max() || !TypPolaNr(static_cast<int16_t>(nr)))
            throw LkException(Format(QStringLiteral("%s: Błędny nr pola = %d w %s"),
                                     {ClassName(), static_cast<long long>(nr), DajSciezkeDoSiebie()}));
        return static_cast<int16_t>(nr);
    }
    const int16_t nr = NrPolaZ(p_Pole, p_Metoda);
    if (nr < 0)
        throw LkException(Format(QStringLiteral("%s.%s: Brak pola o nazwie %s"),
                                 {ClassName(), QString::fromLatin1(p_Metoda), p_Pole.JakoString()}));
    return nr;
}

std::vector<int16_t> TObiekt::NryPol(const TArrayOfConst &p_Pola, const char *p_Metoda) const
{
    std::vector<int16_t> nry;
    nry.reserve(p_Pola.size());
    for (const TVarRec &pole : p_Pola)
        nry.push_back(NrPolaWymagany(pole, p_Metoda));
    return nry;
}

std::vector<int16_t> TObiekt::NryPolOprocz(const TArrayOfConst &p_PominPola, const char *p_Metoda) const
{
    const std::vector<int16_t> pomin = NryPol(p_PominPola, p_Metoda);
    std::vector<int16_t> nry;
    for (int16_t nr = 0; nr <= RozmPolaNr(-1); ++nr)
        if (TypPolaNr(nr) && std::find(pomin.begin(), pomin.end(), nr) == pomin.end())
            nry.push_back(nr);
    return nry;
}

// ---- resets

void TObiekt::ZerujDanePol(const TArrayOfConst &p_KtorePola)
{
    for (const int16_t nr : NryPol(p_KtorePola, "ZerujDanePol"))
        UstawMaWartosc(nr, false);
}

void TObiekt::ZerujDaneOprocz(const TArrayOfConst &p_PominPola)
{
    for (const int16_t nr : NryPolOprocz(p_PominPola, "ZerujDaneOprocz"))
        UstawMaWartosc(nr, false);
}

void TObiekt::ZerujDanePolZDefWart()
{
    for (int16_t nr = 0; nr <= OstatniNrPola(); ++nr) {
        TPole *pole = PoleJesliJest(nr);
        if (auto *podobiekt = dynamic_cast<TObiekt *>(pole))
            podobiekt->ZerujDanePolZDefWart();
        else if (pole && Bit(nr) && !dynamic_cast<TObiektBazowy *>(pole) && pole->MaDefWartosc())
            UstawBit(nr, false);
    }
}

// ---- copies

void TObiekt::KopiujPolaNr(const TObiekt &p_Zrodlo, const std::vector<int16_t> &p_Nry)
{
    if (&p_Zrodlo == this)
        return;
    TKopierDanych kopier;
    kopier.KopiowanoDane(p_Zrodlo, *this);
    for (const int16_t nr : p_Nry)
        KopiujPoleNr(p_Zrodlo, nr, kopier, tkpZawsze, topPodobiektyJakoCalosc);
    kopier.PrzepnijReferencje();
}

void TObiekt::KopiujDanePol(const TObiekt &p_Zrodlo, const TArrayOfConst &p_KtorePola)
{
    KopiujPolaNr(p_Zrodlo, NryPol(p_KtorePola, "KopiujDanePol"));
}

void TObiekt::KopiujDaneOprocz(const TObiekt &p_Zrodlo, const TArrayOfConst &p_PominPola)
{
    KopiujPolaNr(p_Zrodlo, NryPolOprocz(p_PominPola, "KopiujDaneOprocz"));
}

namespace {

bool TrzymaObiektLubWskaznik(const TPole &p_Pole)
{
    return dynamic_cast<const TObiektBazowy *>(&p_Pole) || dynamic_cast<const TPoleWskObiektu *>(&p_Pole);
}

// Fields of the same name: sub-objects field by field, compatible fields by
// copy, other simple fields through their variant form.
void PrzepiszPola(TObiekt &p_Cel, const TObiekt &p_Zrodlo, TKopierDanych &p_Kopier)
{
    for (int16_t nr = 0; nr <= p_Zrodlo.RozmPolaNr(-1); ++nr) {
        if (!p_Zrodlo.TypPolaNr(nr))
            continue;
        const int16_t nrCelu = p_Cel.NrPolaONazwie(p_Zrodlo.NazwaPolaNr(nr));
        if (nrCelu < 0)
            continue;
        if (!p_Zrodlo.MaWartosc(nr)) {
            p_Cel.UstawMaWartosc(nrCelu, false);
            continue;
        }
        const TPole &skad = *p_Zrodlo.PoleJesliJest(nr);
        TPole &dokad = p_Cel.Pola(nrCelu);
        auto *podobiektCelu = dynamic_cast<TObiekt *>(&dokad);
        const auto *podobiektZrodla = dynamic_cast<const TObiekt *>(&skad);
        if (podobiektCelu && podobiektZrodla) {
            p_Kopier.KopiowanoDane(skad, dokad);
            PrzepiszPola(*podobiektCelu, *podobiektZrodla, p_Kopier);
        } else if (dokad.MoznaPorownywacZ(skad)) {
            dokad.KopiujDane(skad, &p_Kopier);
            p_Cel.UstawMaWartosc(nrCelu, true);
        } else if (!TrzymaObiektLubWskaznik(dokad) && !TrzymaObiektLubWskaznik(skad)) {
            p_Cel.SetVariantowo(nrCelu, p_Zrodlo.Variantowo(nr));
        }
    }
}

} // namespace

void TObiekt::PrzepiszDane(const TObiekt &p_Zrodlo)
{
    if (&p_Zrodlo == this)
        return;
    TKopierDanych kopier;
    kopier.KopiowanoDane(p_Zrodlo, *this);
    PrzepiszPola(*this, p_Zrodlo, kopier);
    kopier.PrzepnijReferencje();
}

// ---- comparisons of some fields

int16_t TObiekt::PorownajPolaNr(const TObiekt &p_Obiekt, const std::vector<int16_t> &p_Nry,
                                TRozmiarLiter p_RozmLiter, uint32_t p_LocaleID) const
{
    TPorownywaczDanych porownywacz(this, &p_Obiekt);
    porownywacz.RozmLiter = p_RozmLiter;
    porownywacz.LocaleID = p_LocaleID;
    // The roots count as met, so references back to them end there.
    if (&p_Obiekt == this || porownywacz.TrwaPorownanie(this, &p_Obiekt))
        return 0;
    for (const int16_t nr : p_Nry)
        if (const int16_t wynik = PorownajPoleNr(p_Obiekt, nr, porownywacz))
            return wynik;
    return 0;
}

int16_t TObiekt::PorownajWgPol(const TObiekt &p_Obiekt, const TArrayOfConst &p_KtorePola, TRozmiarLiter p_RozmLiter,
                               uint32_t p_LocaleID) const
{
    return PorownajPolaNr(p_Obiekt, NryPol(p_KtorePola, "PorownajWgPol"), p_RozmLiter, p_LocaleID);
}

int16_t TObiekt::PorownajOproczPol(const TObiekt &p_Obiekt, const TArrayOfConst &p_PominPola,
                                   TRozmiarLiter p_RozmLiter, uint32_t p_LocaleID) const
{
    return PorownajPolaNr(p_Obiekt, NryPolOprocz(p_PominPola, "PorownajOproczPol"), p_RozmLiter, p_LocaleID);
}

// ---- writing or resetting one field

void TObiekt::WpiszLubZeruj(const TVarRec &p_Pole, const TVarRec &p_Wartosc)
{
    const int16_t nr = NrPolaWymagany(p_Pole, "WpiszLubZeruj");
    bool pusta = false;
    switch (p_Wartosc.Rodzaj()) {
    case TVarRec::TRodzaj::Boolean:
    case TVarRec::TRodzaj::Pointer:
        pusta = p_Wartosc.JakoInt64() == 0;
        break;
    case TVarRec::TRodzaj::String:
    case TVarRec::TRodzaj::AnsiString:
    case TVarRec::TRodzaj::Char:
        pusta = p_Wartosc.JakoString().isEmpty();
        break;
    case TVarRec::TRodzaj::Object:
        pusta = p_Wartosc.JakoObiekt() == nullptr;
        break;
    default:
        break;
    }
    if (pusta)
        SetVariantowo(nr, Variant());
    else
        WpiszDaneDoPola(nr, p_Wartosc);
}

void TObiekt::WpiszTrueLubZeruj(const TVarRec &p_Pole, bool p_Wartosc)
{
    WpiszLubZeruj(p_Pole, TVarRec(p_Wartosc));
}
