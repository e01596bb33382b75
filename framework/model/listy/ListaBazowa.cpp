#include "ListaBazowa.h"

#include "BlokadaObiektu.h"

#include <algorithm>

// ---- enumerators

bool TEnumListaBazowa::MoveNext()
{
    if (FKtory < FLista.IleObiektow())
        ++FKtory;
    return FKtory < FLista.IleObiektow();
}

TObiektBazowy *TEnumListaBazowa::Current() const
{
    return FLista.ObiektyListy(FKtory);
}

TEnumListaBazowaOdKonca::TEnumListaBazowaOdKonca(const TListaBazowa &p_Lista)
    : FLista(p_Lista), FKtory(p_Lista.IleObiektow())
{
}

bool TEnumListaBazowaOdKonca::MoveNext()
{
    // Items at or after the position went during the walk: go on from the last one left.
    if (FKtory > FLista.IleObiektow())
        FKtory = FLista.IleObiektow();
    --FKtory;
    return FKtory >= 0;
}

TObiektBazowy *TEnumListaBazowaOdKonca::Current() const
{
    return FLista.ObiektyListy(FKtory);
}

// ---- the array

TListaBazowa::TListaBazowa(TObiektBazowy *p_Rodzic) : TKlasa(p_Rodzic) {}

TListaBazowa::~TListaBazowa()
{
    // Its own ZerujDane empties the array, so it dismantles itself while that is reachable.
    RozbierzWDestruktorze();
}

void TListaBazowa::UstawPojemnoscListy(int p_Pojemnosc)
{
    TBlokadaObiektu blokada(this);
    FObiekty.UstawPojemnosc(p_Pojemnosc);
}

void TListaBazowa::IndeksPozaZakresem(const char *p_Metoda, int p_Indeks) const
{
    throw LkException(Format(QStringLiteral("%s.%s: indeks %d poza zakresem 0..%d"),
                             {ClassName(), QString::fromLatin1(p_Metoda), p_Indeks, IleObiektow() - 1}));
}

// ---- adding

TObiektBazowy *TListaBazowa::DodajObiekt(TObiektBazowy *p_NowyObiekt, int p_Gdzie)
{
    TBlokadaObiektu blokada(this);
    // Room first, so that a failure leaves the item where it was.
    FObiekty.ZapewnijMiejsce();
    PrzyjmijObiekt(p_NowyObiekt);
    FObiekty.Wstaw(p_NowyObiekt, p_Gdzie);
    return p_NowyObiekt;
}

TObiektBazowy *TListaBazowa::PrzeniesZListy(TListaBazowa &p_Lista, int p_Nr, int p_Gdzie)
{
    TBlokadaObiektu blokada(this);
    TObiektBazowy *obiekt = p_Lista.UsunObiekt(p_Nr, false);
    return obiekt ? DodajObiekt(obiekt, p_Gdzie) : nullptr;
}

// ---- removing

TObiektBazowy *TListaBazowa::UsunObiekt(int p_Nr, bool p_Zwolnij, bool p_ZachowajPojemnosc)
{
    TBlokadaObiektu blokada(this);
    if (p_Nr < 0 || p_Nr >= IleObiektow())
        return nullptr;
    TObiektBazowy *obiekt = FObiekty[p_Nr];
    try {
        FObiekty.Wyjmij(p_Nr, p_ZachowajPojemnosc);
    } catch (...) {
        // The item is out of the array even when a smaller one could not be made.
        OddajObiekt(obiekt, p_Zwolnij);
        throw;
    }
    OddajObiekt(obiekt, p_Zwolnij);
    return p_Zwolnij ? nullptr : obiekt;
}

bool TListaBazowa::UsunTenObiekt(TObiektBazowy *p_Obiekt, bool p_Zwolnij)
{
    TBlokadaObiektu blokada(this);
    // Freed once, after every occurrence is out.
    const int ile = UsunGdy([p_Obiekt](TObiektBazowy *p_Elem) { return p_Elem == p_Obiekt; }, false);
    if (ile > 0 && p_Zwolnij)
        OddajObiekt(p_Obiekt, true);
    return ile > 0;
}

int TListaBazowa::UsunGdy(const std::function<bool(TObiektBazowy *)> &p_Usun, bool p_Zwolnij, bool p_BezOddania)
{
    TBlokadaObiektu blokada(this);
    std::vector<TObiektBazowy *> usuniete;
    int zostaje = 0;
    for (int i = 0; i < IleObiektow(); ++i) {
        TObiektBazowy *obiekt = FObiekty[i];
        if (p_Usun(obiekt))
            usuniete.push_back(obiekt);
        else
            FObiekty[zostaje++] = obiekt;
    }
    FObiekty.UstawIle(zostaje);
    if (!usuniete.empty())
        FObiekty.Zmniejsz();
    if (!p_BezOddania)
        for (TObiektBazowy *obiekt : usuniete)
            OddajObiekt(obiekt, p_Zwolnij);
    return static_cast<int>(usuniete.size());
}

int TListaBazowa::UsunObiektyNil(bool p_ZachowajPojemnosc)
{
    TBlokadaObiektu blokada(this);
    const int bylo = IleObiektow();
    TObiektBazowy **dane = FObiekty.Dane();
    FObiekty.UstawIle(static_cast<int>(std::remove(dane, dane + bylo, nullptr) - dane));
    if (!p_ZachowajPojemnosc && bylo != IleObiektow())
        FObiekty.Zmniejsz();
    return bylo - IleObiektow();
}

void TListaBazowa::SkrocListe(int p_NowyRozm, bool p_ZachowajPojemnosc)
{
    TBlokadaObiektu blokada(this);
    p_NowyRozm = std::max(p_NowyRozm, 0);
    while (IleObiektow() > p_NowyRozm)
        UsunObiekt(IleObiektow() - 1, true, true);
    if (!p_ZachowajPojemnosc)
        UstawPojemnoscListy(p_NowyRozm);
}

int TListaBazowa::UsunTeObiekty(const TListaBazowa &p_Lista)
{
    return UsunGdy([&p_Lista](TObiektBazowy *p_Obiekt) { return p_Lista.ZawieraObiekt(p_Obiekt); });
}

int TListaBazowa::UsunObiektyOprocz(const TListaBazowa &p_Zostaw)
{
    return UsunGdy([&p_Zostaw](TObiektBazowy *p_Obiekt) { return !p_Zostaw.ZawieraObiekt(p_Obiekt); });
}

int TListaBazowa::UsunObiektyWgFun(const TFunObiektu &p_Fun)
{
    return UsunGdy(p_Fun);
}

void TListaBazowa::ZerujDane()
{
    TBlokadaObiektu blokada(this);
    // The array is empty before the items go, so that an item leaving finds nothing to take out.
    for (TObiektBazowy *obiekt : FObiekty.Oproznij())
        OddajObiekt(obiekt, true);
}

// ---- order

bool TListaBazowa::PrzeniesObiekt(int p_Skad, int p_Dokad)
{
    TBlokadaObiektu blokada(this);
    if (p_Skad < 0 || p_Skad >= IleObiektow() || p_Dokad < 0 || p_Dokad >= IleObiektow() || p_Skad == p_Dokad)
        return false;
    TObiektBazowy **tablica = FObiekty.Dane();
    if (p_Skad < p_Dokad)
        std::rotate(tablica + p_Skad, tablica + p_Skad + 1, tablica + p_Dokad + 1);
    else
        std::rotate(tablica + p_Dokad, tablica + p_Skad, tablica + p_Skad + 1);
    return true;
}

void TListaBazowa::ZamienObiekty(int p_Poz1, int p_Poz2)
{
    TBlokadaObiektu blokada(this);
    if (p_Poz1 < 0 || p_Poz1 >= IleObiektow())
        IndeksPozaZakresem("ZamienObiekty", p_Poz1);
    if (p_Poz2 < 0 || p_Poz2 >= IleObiektow())
        IndeksPozaZakresem("ZamienObiekty", p_Poz2);
    std::swap(FObiekty[p_Poz1], FObiekty[p_Poz2]);
}

bool TListaBazowa::PosortujWgFun(const TFunPorownania &p_Fun)
{
    TBlokadaObiektu blokada(this);
    if (IleObiektow() < 2)
        return false;
    if (p_Fun)
        return Sortuj(0, IleObiektow() - 1, p_Fun);
    return Sortuj(0, IleObiektow() - 1, [this](const TObiektBazowy *p_A, const TObiektBazowy *p_B) {
        return PorownajObiekty(p_A, p_B);
    });
}

bool TListaBazowa::Sortuj(int p_Od, int p_Do, const TFunPorownania &p_Fun)
{
    // The classic quicksort the stored orders were made with: equal items may
    // end up in any order, so the same partitioning is kept.
    bool zamieniono = false;
    TObiektBazowy **t = FObiekty.Dane();
    while (p_Od < p_Do) {
        int i = p_Od;
        int j = p_Do;
        const TObiektBazowy *os = t[(p_Od + p_Do) / 2];
        while (i <= j) {
            while (p_Fun(t[i], os) < 0)
                ++i;
            while (p_Fun(t[j], os) > 0)
                --j;
            if (i <= j) {
                if (i != j) {
                    std::swap(t[i], t[j]);
                    zamieniono = true;
                }
                ++i;
                --j;
            }
        }
        if (p_Od < j)
            zamieniono = Sortuj(p_Od, j, p_Fun) || zamieniono;
        p_Od = i;
    }
    return zamieniono;
}

void TListaBazowa::UstawKolejnoscWgListy(const TListaBazowa &p_Wzor)
{
    TBlokadaObiektu blokada(this);
    int nastepny = 0;
    for (TObiektBazowy *obiekt : p_Wzor) {
        const int gdzie = ZnajdzObiekt(obiekt, rwOdPoczatku, nastepny);
        if (gdzie < 0)
            continue;
        PrzeniesObiekt(gdzie, nastepny);
        ++nastepny;
    }
}

void TListaBazowa::WyrownajDoListy(const TListaBazowa &p_Wzor)
{
    TBlokadaObiektu blokada(this);
    for (TObiektBazowy *obiekt : p_Wzor)
        if (!ZawieraObiekt(obiekt))
            throw LkException(Format(QStringLiteral("Brak wyrównania do listy w %s"), {ClassName()}));
    UsunObiektyOprocz(p_Wzor);
    UstawKolejnoscWgListy(p_Wzor);
}

// ---- the list as an object

QString TListaBazowa::OpisTekstowy() const
{
    return Format(QStringLiteral("%d elem."), {IleObiektow()});
}

int16_t TListaBazowa::PorownajElementy(const TObiektBazowy *p_A, const TObiektBazowy *p_B,
                                       TPorownywaczDanych &p_Porownywacz) const
{
    if (!p_A || !p_B)
        return p_A ? 1 : (p_B ? -1 : 0);
    return p_A->Porownaj(*p_B, &p_Porownywacz);
}

int16_t TListaBazowa::Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz) const
{
    const auto *inna = dynamic_cast<const TListaBazowa *>(&p_Pole);
    if (!inna)
        BledneWywolanie("Porownaj");
    if (!p_Porownywacz) {
        TPorownywaczDanych porownywacz(this, inna);
        return Porownaj(p_Pole, &porownywacz);
    }
    if (inna == this || p_Porownywacz->TrwaPorownanie(this, inna))
        return 0;
    TBlokadaObiektu blokada(this);
    const int ile = std::min(IleObiektow(), inna->IleObiektow());
    for (int i = 0; i < ile; ++i)
        if (const int16_t wynik = PorownajElementy(ObiektyListy(i), inna->ObiektyListy(i), *p_Porownywacz))
            return wynik;
    return IleObiektow() < inna->IleObiektow() ? -1 : (IleObiektow() > inna->IleObiektow() ? 1 : 0);
}

void TListaBazowa::KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier)
{
    const auto *zrodlo = dynamic_cast<const TListaBazowa *>(&p_Pole);
    if (!zrodlo)
        BledneWywolanie("KopiujDane");
    if (zrodlo == this)
        return;
    TBlokadaObiektu blokada(this);
    TPole::KopiujDane(p_Pole, p_Kopier);
    ZerujDane();
    UstawPojemnoscListy(zrodlo->IleObiektow());
    for (TObiektBazowy *obiekt : *zrodlo)
        DopiszObiekt(obiekt);
}

int64_t TListaBazowa::ZajmowanaPamiec() const
{
    return static_cast<int64_t>(sizeof(*this)) + static_cast<int64_t>(PojemnoscListy()) * static_cast<int64_t>(sizeof(void *));
}

// ---- paths

QString TListaBazowa::KrokSciezki(const TObiektBazowy &p_Dziecko, bool p_NaEkran, bool p_BezIndeksow) const
{
    const int gdzie = ZnajdzObiekt(&p_Dziecko);
    if (gdzie < 0)
        return QStringLiteral("<%1, rodzic rzekomy>").arg(ClassName());
    if (p_NaEkran)
        return p_BezIndeksow ? QStringLiteral(" ()") : QStringLiteral(" (%1)").arg(gdzie + 1);
    return p_BezIndeksow ? QStringLiteral("[]") : QStringLiteral("[%1]").arg(gdzie);
}

TObiektBazowy *TListaBazowa::ZejdzSciezka(QStringView &p_Sciezka, int16_t &p_IDPola, TTrybSciezki p_Tryb,
                                          std::vector<std::unique_ptr<TPole>> &p_Wzory)
{
    const qsizetype koniec = p_Sciezka.indexOf(QLatin1Char(']'));
    bool liczba = false;
    const int nr = koniec > 1 && p_Sciezka.startsWith(QLatin1Char('[')) ? p_Sciezka.mid(1, koniec - 1).toInt(&liczba) : -1;
    QStringView reszta = koniec >= 0 ? p_Sciezka.mid(koniec + 1) : QStringView();
    bool poprawna = liczba && nr >= 0;
    // After the index: nothing, "." and a field, or the next index; "[1]." and "[1]Nazwa" name nothing.
    if (reszta.startsWith(QLatin1Char('.'))) {
        reszta = reszta.mid(1);
        poprawna = poprawna && !reszta.isEmpty();
    } else {
        poprawna = poprawna && (reszta.isEmpty() || reszta.startsWith(QLatin1Char('[')));
    }
    if (!poprawna)
        throw LkException(Format(QStringLiteral("%s: Błędna ścieżka : %s"), {ClassName(), p_Sciezka.toString()}));
    p_Sciezka = reszta;
    p_IDPola = -1;
    TObiektBazowy *obiekt = ObiektyListy(nr);
    if (!obiekt && p_Tryb == TTrybSciezki::Klasy)
        return WzorElementu(p_Wzory);
    return obiekt;
}

void TListaBazowa::DodajDzieci(std::vector<TObiektBazowy *> &p_Dzieci, bool) const
{
    for (TObiektBazowy *obiekt : *this)
        if (obiekt && obiekt->Rodzic() == this)
            p_Dzieci.push_back(obiekt);
}
