#include "UkladPol.h"

#include "Formatuj.h"
#include "Wyjatki.h"

#include <QLatin1String>

#include <algorithm>
#include <map>
#include <memory>

namespace {

[[noreturn]] void bladPola(const TOpisKlasy &p_Klasa, const TOpisPola &p_Pole)
{
    throw LkException(Format(QStringLiteral("Błąd generowania opisu klasy %s dla pola %s: %s"),
                             {p_Klasa.ClassName(), QString::fromLatin1(p_Pole.Nazwa),
                              QStringLiteral("Błąd dodania właściwości")}));
}

bool teSameNazwy(const char *p_A, const char *p_B)
{
    return QLatin1String(p_A).compare(QLatin1String(p_B), Qt::CaseInsensitive) == 0;
}

uint32_t wyrownaj(uint32_t p_Ile, std::size_t p_Do)
{
    const auto krok = static_cast<uint32_t>(p_Do);
    return (p_Ile + krok - 1) / krok * krok;
}

} // namespace

TUkladPol::TUkladPol(const TOpisKlasy &p_Klasa)
{
    if (p_Klasa.Cechy) {
        FTyp = p_Klasa.Cechy().Typ;
        FTypPoziomu = p_Klasa.Cechy().TypPoziomu;
        FTypyZTabeli = p_Klasa.Cechy().TypyPolZTabeli;
    }
    // From the class up: the first declaration of a number is the one that
    // counts; a descendant may repeat its ancestor's field under the same name.
    std::map<int16_t, std::pair<const TOpisKlasy *, const TOpisPola *>> zajete;
    for (const TOpisKlasy *klasa = &p_Klasa; klasa; klasa = klasa->Rodzic)
        for (const TOpisPola &pole : klasa->Pola()) {
            if (pole.Numer < 0)
                continue;
            if (!pole.Klasa)
                bladPola(p_Klasa, pole);
            const auto [miejsce, wolne] = zajete.try_emplace(pole.Numer, klasa, &pole);
            if (!wolne && (miejsce->second.first == klasa || !teSameNazwy(miejsce->second.second->Nazwa, pole.Nazwa)))
                bladPola(p_Klasa, pole);
        }
    for (auto a = zajete.begin(); a != zajete.end(); ++a)
        for (auto b = std::next(a); b != zajete.end(); ++b)
            if (teSameNazwy(a->second.second->Nazwa, b->second.second->Nazwa))
                bladPola(p_Klasa, *b->second.second);

    FMiejsca.resize(zajete.empty() ? 0 : static_cast<size_t>(zajete.rbegin()->first) + 1);
    if (FMiejsca.empty())
        return;
    FBajtyBitow = static_cast<uint32_t>((FMiejsca.size() + 7) / 8);
    uint32_t koniec = wyrownaj(2 * FBajtyBitow, alignof(void *));
    FDoWyzerowania = 2 * FBajtyBitow;
    FWyrownanie = alignof(void *);
    for (const auto &[nr, deklaracja] : zajete) {
        TMiejsce &miejsce = FMiejsca[static_cast<size_t>(nr)];
        miejsce.Pole = deklaracja.second;
        miejsce.Nazwa = QString::fromLatin1(miejsce.Pole->Nazwa);
        const TOpisKlasy &klasa = *miejsce.Pole->Klasa;
        miejsce.TworzW = klasa.Cechy ? klasa.Cechy().TworzW : nullptr;
        miejsce.WBloku = miejsce.TworzW != nullptr;
        const std::size_t rozmiar = miejsce.WBloku ? klasa.Cechy().Rozmiar : sizeof(TPole *);
        const std::size_t wyrownanie = miejsce.WBloku ? klasa.Cechy().Wyrownanie : alignof(TPole *);
        miejsce.Przesuniecie = wyrownaj(koniec, wyrownanie);
        koniec = miejsce.Przesuniecie + static_cast<uint32_t>(rozmiar);
        if (!miejsce.WBloku)
            FDoWyzerowania = koniec;
        FWyrownanie = std::max(FWyrownanie, static_cast<uint32_t>(wyrownanie));
    }
    FRozmiar = wyrownaj(koniec, FWyrownanie);
}

TOpisKlasy::~TOpisKlasy()
{
    delete Uklad.load();
}

const TUkladPol &TUkladPol::Zbuduj(const TOpisKlasy &p_Klasa)
{
    auto nowy = std::unique_ptr<TUkladPol>(new TUkladPol(p_Klasa));
    const TUkladPol *oczekiwany = nullptr;
    // Two threads may build it at once; the first one stored is kept for good.
    if (p_Klasa.Uklad.compare_exchange_strong(oczekiwany, nowy.get(), std::memory_order_acq_rel))
        return *nowy.release();
    return *oczekiwany;
}
