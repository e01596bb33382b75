#include "Obiekt.h"

#include "Formatuj.h"
#include "KodowanieZnakow.h"
#include "NazwaPolaNaEkran.h"
#include "PoleWskObiektu.h"

#include <algorithm>
#include <memory>
#include <system_error>

// ---- metadata

const TOpisKlasy *TObiekt::TypPolaNr(int16_t p_Nr) const
{
    const TUkladPol::TMiejsce *miejsce = Uklad().Miejsce(p_Nr);
    return miejsce && miejsce->Pole ? miejsce->Pole->Klasa : nullptr;
}

QString TObiekt::NazwaPolaNr(int16_t p_Nr) const
{
    if (p_Nr == -1)
        return ClassName().mid(1);
    const TUkladPol::TMiejsce *miejsce = Uklad().Miejsce(p_Nr);
    return miejsce ? miejsce->Nazwa : QString();
}

int16_t TObiekt::RozmPolaNr(int16_t p_Nr) const
{
    return p_Nr == -1 ? static_cast<int16_t>(Uklad().Ile() - 1) : 0;
}

int16_t TObiekt::NrPolaONazwie(const QString &p_Nazwa) const
{
    const TUkladPol &uklad = Uklad();
    for (int16_t nr = 0; nr < uklad.Ile(); ++nr)
        if (uklad[nr].Pole && p_Nazwa.compare(uklad[nr].Nazwa, Qt::CaseInsensitive) == 0)
            return nr;
    return -1;
}

QString TObiekt::NazwaEdycjiPolaNr(int16_t p_Nr) const
{
    const QString nazwa = NazwaPolaNr(p_Nr);
    const QString naEkran = NazwaPolaNaEkran(nazwa);
    return naEkran.isEmpty() ? nazwa : naEkran;
}

// ---- fields

bool TObiekt::PoleJestObiektem(int16_t p_Nr) const
{
    if (const TPole *pole = PoleJesliJest(p_Nr))
        return pole->JakoObiekt() != nullptr;
    const TOpisKlasy *klasa = p_Nr >= 0 ? TypPolaNr(p_Nr) : nullptr;
    return klasa && klasa->DziedziczyPo(TObiektBazowy::Opis);
}

bool TObiekt::MaWartosc(int16_t p_Nr) const
{
    const TUkladPol &uklad = Uklad();
    if (p_Nr == -1) {
        const int16_t ostatni = OstatniNrPola();
        for (int16_t nr = 0; nr <= ostatni; ++nr) {
            const TPole *pole = PoleJesliJest(uklad, nr);
            const TObiektBazowy *podobiekt = pole ? pole->JakoObiekt() : nullptr;
            if (podobiekt ? podobiekt->MaWartosc(-1) : Bit(uklad, nr))
                return true;
        }
        return false;
    }
    const TPole *pole = PoleJesliJest(uklad, p_Nr);
    if (const TObiektBazowy *podobiekt = pole ? pole->JakoObiekt() : nullptr)
        return podobiekt->MaWartosc(-1);
    return Bit(uklad, p_Nr);
}

void TObiekt::UstawMaWartosc(int16_t p_Nr, bool p_Ma)
{
    if (p_Nr == -1) {
        if (!p_Ma)
            ZerujDane();
        return;
    }
    const TUkladPol &uklad = Uklad();
    std::byte *blok = Blok();
    const TUkladPol::TMiejsce *wlasne = blok && !DodatkiJesliSa() ? MiejsceWlasne(uklad, p_Nr) : nullptr;
    if (p_Ma && wlasne && wlasne->WBloku && PoleWlasne(uklad, p_Nr)) {
        // The common case: a value field in its own place.
        blok[p_Nr / 8] |= static_cast<std::byte>(1u << (p_Nr % 8));
        return;
    }
    TPole *pole = PoleJesliJest(uklad, p_Nr);
    if (p_Ma) {
        // A set bit promises a field object to read: one never created gets
        // its default. Objects answer for their data themselves.
        const TUkladPol::TMiejsce *miejsce = pole ? MiejsceWlasne(uklad, p_Nr) : nullptr;
        const bool wartosc = miejsce && miejsce->WBloku && pole == PoleWlasne(uklad, p_Nr);
        if (!wartosc && (pole ? pole->JakoObiekt() != nullptr : PoleJestObiektem(p_Nr)))
            return;
        if (!pole)
            Pola(p_Nr);
        UstawBit(uklad, p_Nr, true);
        return;
    }
    UstawBit(uklad, p_Nr, false);
    if (pole)
        pole->ZerujDane();
}

void TObiekt::ZerujWskazniki()
{
    for (int16_t nr = 0; nr <= OstatniNrPola(); ++nr)
        if (dynamic_cast<TPoleWskObiektu *>(PoleJesliJest(nr)))
            UstawMaWartosc(nr, false);
}

const TPole *TObiekt::PoleZWartoscia(int16_t p_Nr) const
{
    const TPole *pole = PoleJesliJest(p_Nr);
    return pole && MaWartosc(p_Nr) ? pole : nullptr;
}

template <typename TUstaw> void TObiekt::UstawLubZeruj(int16_t p_Nr, bool p_Puste, TUstaw p_Ustaw)
{
    if (p_Puste) {
        UstawMaWartosc(p_Nr, false);
    } else {
        p_Ustaw(Pola(p_Nr));
        UstawMaWartosc(p_Nr, true);
    }
    PoZmianiePola(p_Nr);
}

QString TObiekt::Tekstowo(int16_t p_Nr) const
{
    const TPole *pole = PoleZWartoscia(p_Nr);
    return pole ? pole->GetJakoString() : QString();
}

void TObiekt::UstawTekstowo(int16_t p_Nr, const QString &p_Tekst)
{
    UstawLubZeruj(p_Nr, p_Tekst.isEmpty(), [&](TPole &p_Pole) { p_Pole.SetJakoString(p_Tekst); });
}

QByteArray TObiekt::TekstowoAnsi(int16_t p_Nr) const
{
    const TPole *pole = PoleZWartoscia(p_Nr);
    return pole ? pole->GetJakoLkAnsiString() : QByteArray();
}

void TObiekt::UstawTekstowoAnsi(int16_t p_Nr, const QByteArray &p_Tekst)
{
    UstawLubZeruj(p_Nr, p_Tekst.isEmpty(), [&](TPole &p_Pole) { p_Pole.SetJakoLkAnsiString(p_Tekst); });
}

Variant TObiekt::Variantowo(int16_t p_Nr) const
{
    const TPole *pole = PoleZWartoscia(p_Nr);
    return pole ? pole->GetJakoVariant() : Variant();
}

void TObiekt::SetVariantowo(int16_t p_Nr, const Variant &p_Wartosc)
{
    UstawLubZeruj(p_Nr, p_Wartosc.JestPusty(), [&](TPole &p_Pole) { p_Pole.SetJakoVariant(p_Wartosc); });
}

// ---- assigning loose values

int16_t TObiekt::NrPolaZ(const TVarRec &p_Pole, const char *p_Kontekst) const
{
    if (p_Pole.JestCalkowita())
        return static_cast<int16_t>(p_Pole.JakoInt64());
    if (p_Pole.JestTekstem())
        return NrPolaONazwie(p_Pole.JakoString());
    throw LkException(Format(QStringLiteral("%s: Błędny typ indeksu"), {QString::fromLatin1(p_Kontekst)}));
}

void TObiekt::WpiszDane(const TArrayOfConst &p_KtorePola, const TArrayOfConst &p_JakieWartosci)
{
    const size_t ile = std::min(p_KtorePola.size(), p_JakieWartosci.size());
    for (size_t i = 0; i < ile; ++i) {
        const int16_t nr = NrPolaZ(p_KtorePola[i], "WD");
        if (nr < 0)
            throw LkException(Format(QStringLiteral("%s.%s: Brak pola o nazwie %s"),
                                     {ClassName(), QStringLiteral("WpiszDane"), p_KtorePola[i].JakoString()}));
        WpiszDaneDoPola(nr, p_JakieWartosci[i]);
    }
}

void TObiekt::WpiszDaneDoPola(int16_t p_Nr, const TVarRec &p_Wartosc)
{
    switch (p_Wartosc.Rodzaj()) {
    case TVarRec::TRodzaj::Boolean:
        SetVariantowo(p_Nr, Variant::ZBoolean(p_Wartosc.JakoInt64() != 0));
        return;
    case TVarRec::TRodzaj::Integer:
        SetVariantowo(p_Nr, Variant::ZInteger(static_cast<int32_t>(p_Wartosc.JakoInt64())));
        return;
    case TVarRec::TRodzaj::Int64:
        SetVariantowo(p_Nr, Variant::ZInt64(p_Wartosc.JakoInt64()));
        return;
    case TVarRec::TRodzaj::Extended:
        SetVariantowo(p_Nr, Variant::ZDouble(p_Wartosc.JakoDouble()));
        return;
    case TVarRec::TRodzaj::Currency:
        SetVariantowo(p_Nr, Variant::ZCurrency(p_Wartosc.JakoInt64()));
        return;
    case TVarRec::TRodzaj::String:
    case TVarRec::TRodzaj::Char:
    case TVarRec::TRodzaj::AnsiString:
        SetVariantowo(p_Nr, Variant::ZString(p_Wartosc.JakoString()));
        return;
    case TVarRec::TRodzaj::Pointer:
        if (p_Wartosc.JakoInt64() != 0)
            throw LkException(Format(QStringLiteral("Błąd inicjalizacji w %s:\rźródło danych jest typu %s"),
                                     {ClassName(), QStringLiteral("Pointer")}));
        UstawMaWartosc(p_Nr, false);
        return;
    case TVarRec::TRodzaj::Object:
        break;
    }
    auto *obiekt = dynamic_cast<TObiektBazowy *>(p_Wartosc.JakoObiekt());
    if (!obiekt) {
        if (!p_Wartosc.JakoObiekt()) {
            UstawMaWartosc(p_Nr, false);
            return;
        }
        const auto *pole = dynamic_cast<const TPole *>(p_Wartosc.JakoObiekt());
        throw LkException(Format(QStringLiteral("Błąd inicjalizacji w %s:\rpróba wpisania wartości typu %s do pola %s"),
                                 {ClassName(), pole ? pole->ClassName() : QStringLiteral("TObject"), NazwaPolaNr(p_Nr)}));
    }
    TPole &pole = Pola(p_Nr);
    if (auto *wskaznik = dynamic_cast<TPoleWskObiektu *>(&pole)) {
        wskaznik->UstawWartosc(obiekt);
        UstawBit(p_Nr, true);
    } else if (auto *podobiekt = dynamic_cast<TObiekt *>(&pole); podobiekt && dynamic_cast<TObiekt *>(obiekt)) {
        podobiekt->KopiujDane(*obiekt);
    } else {
        throw LkException(Format(QStringLiteral("Błąd inicjalizacji w %s:\rpróba wpisania wartości typu %s do pola %s"),
                                 {ClassName(), obiekt->ClassName(), NazwaPolaNr(p_Nr)}));
    }
    PoZmianiePola(p_Nr);
}

// ---- comparison

int16_t TObiekt::Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz) const
{
    const TObiekt *inny = p_Pole.JakoTObiekt();
    if (!inny)
        BledneWywolanie("Porownaj");
    if (!p_Porownywacz) {
        TPorownywaczDanych porownywacz(this, inny);
        return Porownaj(p_Pole, &porownywacz);
    }
    if (inny == this || p_Porownywacz->TrwaPorownanie(this, inny))
        return 0;

    int16_t ostatnie = std::max(RozmPolaNr(-1), inny->RozmPolaNr(-1));
    if (p_Porownywacz->TrybPorownania == tpdPolaPrzodka) {
        const TOpisKlasy *przodek = &Klasa();
        while (przodek && !inny->Klasa().DziedziczyPo(*przodek))
            przodek = przodek->Rodzic;
        ostatnie = przodek ? przodek->MaxNrPola() : -1;
    }
    for (int16_t nr = 0; nr <= ostatnie; ++nr) {
        if (p_Porownywacz->PominChwilowe && !PoleZapisywane(nr))
            continue;
        if (const int16_t wynik = PorownajPoleNr(*inny, nr, *p_Porownywacz))
            return wynik;
    }
    return 0;
}

int16_t TObiekt::PorownajPoleNr(const TObiekt &p_Inny, int16_t p_Nr, TPorownywaczDanych &p_Porownywacz) const
{
    const bool tu = MaWartosc(p_Nr);
    const bool tam = p_Inny.MaWartosc(p_Nr);
    if (tu && tam)
        return PoleJesliJest(p_Nr)->Porownaj(*p_Inny.PoleJesliJest(p_Nr), &p_Porownywacz);
    if (tu)
        return PoleJesliJest(p_Nr)->MaDefWartosc() ? 0 : 1;
    if (tam)
        return p_Inny.PoleJesliJest(p_Nr)->MaDefWartosc() ? 0 : -1;
    return 0;
}

int16_t TObiekt::PorownajZObiektem(const TObiekt &p_Obiekt, TRodzajPorownPol p_RodzPorownPol,
                                   TRozmiarLiter p_RozmLiter, uint32_t p_LocaleID,
                                   TTrybPorownRef p_TrybPorownRef) const
{
    TPorownywaczDanych porownywacz(this, &p_Obiekt);
    porownywacz.PominChwilowe = p_RodzPorownPol == rpBezChwilowych;
    porownywacz.RozmLiter = p_RozmLiter;
    porownywacz.LocaleID = p_LocaleID;
    porownywacz.TrybPorownRef = p_TrybPorownRef;
    return Porownaj(p_Obiekt, &porownywacz);
}

// ---- copying

void TObiekt::KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier)
{
    const TObiekt *zrodlo = p_Pole.JakoTObiekt();
    if (!zrodlo)
        BledneWywolanie("KopiujDane");
    if (!p_Kopier) {
        KopiujDane(*zrodlo, tkpZawsze);
        return;
    }
    TPole::KopiujDane(p_Pole, p_Kopier);
    KopiujPola(*zrodlo, *p_Kopier, tkpZawsze, topPodobiektyJakoCalosc);
}

void TObiekt::KopiujDane(const TObiekt &p_Zrodlo, TTrybKopiowaniaPol p_TrybKopiowania,
                         TTrybObslugiPodob p_TrybPodobiektow)
{
    if (&p_Zrodlo == this)
        return;
    TKopierDanych kopier;
    kopier.KopiowanoDane(p_Zrodlo, *this);
    KopiujPola(p_Zrodlo, kopier, p_TrybKopiowania, p_TrybPodobiektow);
    kopier.PrzepnijReferencje();
}

void TObiekt::KopiujPola(const TObiekt &p_Zrodlo, TKopierDanych &p_Kopier, TTrybKopiowaniaPol p_TrybKopiowania,
                         TTrybObslugiPodob p_TrybPodobiektow)
{
    const int16_t ostatnie = std::max(p_Zrodlo.RozmPolaNr(-1), RozmPolaNr(-1));
    for (int16_t nr = 0; nr <= ostatnie; ++nr)
        if (TypPolaNr(nr))
            KopiujPoleNr(p_Zrodlo, nr, p_Kopier, p_TrybKopiowania, p_TrybPodobiektow);
    KopiujDaneSpozaPol(p_Zrodlo, p_TrybKopiowania);
}

void TObiekt::KopiujPoleNr(const TObiekt &p_Zrodlo, int16_t p_Nr, TKopierDanych &p_Kopier,
                           TTrybKopiowaniaPol p_TrybKopiowania, TTrybObslugiPodob p_TrybPodobiektow)
{
    if (!p_Zrodlo.MaWartosc(p_Nr)) {
        if (p_TrybKopiowania == tkpZawsze)
            UstawMaWartosc(p_Nr, false);
        return;
    }
    const TPole &skad = *p_Zrodlo.PoleJesliJest(p_Nr);
    if (p_TrybKopiowania == tkpGdyCelPusty && MaWartosc(p_Nr)) {
        // A sub-object may still have empty fields to fill.
        auto *podobiekt = dynamic_cast<TObiekt *>(PoleJesliJest(p_Nr));
        const auto *zrodlowy = dynamic_cast<const TObiekt *>(&skad);
        if (p_TrybPodobiektow == topPodobiektySzczegolowo && podobiekt && zrodlowy)
            podobiekt->KopiujPola(*zrodlowy, p_Kopier, p_TrybKopiowania, p_TrybPodobiektow);
        return;
    }
    TPole &dokad = Pola(p_Nr);
    if (!dokad.MoznaPorownywacZ(skad))
        return;
    dokad.KopiujDane(skad, &p_Kopier);
    UstawMaWartosc(p_Nr, true);
}

TObiekt *TObiekt::KlonujObiekt(bool p_ZRodzicem) const
{
    // A class without a factory (or one that makes no object) cannot be cloned.
    std::unique_ptr<TPole> nowy(Klasa().Tworz ? Klasa().Tworz(p_ZRodzicem ? Rodzic() : nullptr) : nullptr);
    TObiekt *klon = nowy ? nowy->JakoTObiekt() : nullptr;
    if (!klon)
        BledneWywolanie("KlonujObiekt");
    klon->KopiujDane(*this, tkpZawsze);
    nowy.release();
    return klon;
}

// ---- paths

QString TObiekt::KrokPola(int16_t p_Nr, bool p_NaEkran) const
{
    return p_NaEkran ? NazwaEdycjiPolaNr(p_Nr) : NazwaPolaNr(p_Nr);
}

QString TObiekt::KrokSciezki(const TObiektBazowy &p_Dziecko, bool p_NaEkran, bool) const
{
    for (int16_t nr = 0; nr <= OstatniNrPola(); ++nr)
        if (PoleJesliJest(nr) == &p_Dziecko)
            return KrokPola(nr, p_NaEkran);
    return QStringLiteral("<%1, rodzic rzekomy>").arg(ClassName());
}

// ---- locks

void TObiektTS::ZablokujObiekt()
{
    try {
        FSekcjaObiektu.lock();
    } catch (const std::system_error &e) {
        throw LkException(ClassName() + QStringLiteral(" -> ") + QString::fromLocal8Bit(e.what()));
    }
    FWlasciciel.store(std::this_thread::get_id());
    ++FGlebokosc;
}

void TObiektTS::OdblokujObiekt()
{
    if (FWlasciciel.load() != std::this_thread::get_id())
        throw LkException(ClassName() + QStringLiteral(" -> zwolnienie blokady, której ten wątek nie trzyma"));
    if (--FGlebokosc == 0)
        FWlasciciel.store(std::thread::id());
    FSekcjaObiektu.unlock();
}

void TObiektITS::ZablokujObiekt()
{
    if (Rodzic())
        Rodzic()->ZablokujObiekt();
}

void TObiektITS::OdblokujObiekt()
{
    if (Rodzic())
        Rodzic()->OdblokujObiekt();
}
