// Any input: CSV import fills a list or fails with one of our exceptions,
// never an out-of-bounds read, a loop or a hostile allocation; whatever was
// read exports again. Input: a byte of options (separator, encoding, header,
// quotes, column choice), then the file's bytes.
#include "ListaObiektow.h"
#include "PolaCalkowite.h"
#include "PolaDatyICzasu.h"
#include "PolaTekstowe.h"
#include "PolaZmiennoprzecinkowe.h"
#include "PoleBoolean.h"
#include "Strumienie.h"
#include "Wyjatki.h"

namespace {

class TMiejsce : public TKlasa<TMiejsce, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {{0, "Miasto", &TPoleString::Opis}, {1, "Kod", &TPoleRawByteString::Opis}};
    using TKlasa::TKlasa;
};

// A row of every kind of cell a file may fill.
class TWiersz : public TKlasa<TWiersz, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {
        {0, "Tekst", &TPoleString::Opis},     {1, "Liczba", &TPoleInteger::Opis},  {2, "Duza", &TPoleInt64::Opis},
        {3, "Ulamek", &TPoleDouble::Opis},    {4, "Kwota", &TPoleCurrency::Opis},  {5, "Data", &TPoleDate::Opis},
        {6, "Czas", &TPoleDateTime::Opis},    {7, "Flaga", &TPoleBoolean::Opis},   {8, "Szeroki", &TPoleWideString::Opis},
        {9, "Miejsce", &TMiejsce::Opis},
    };
    using TKlasa::TKlasa;
};

class TWiersze : public TKlasa<TWiersze, TListaObiektow>
{
public:
    using TKlasa::TKlasa;
    const TOpisKlasy &TypObiektowListy() const override { return TWiersz::Opis; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    if (p_Rozmiar < 1)
        return 0;
    const uint8_t opcje = p_Dane[0];
    const char separatory[] = {';', ',', '\t', '"'};
    const char separator = separatory[opcje & 3];
    const auto kodowanie = static_cast<TTypKodowaniaCSV>((opcje >> 2) & 3);
    const bool naglowek = opcje & 0x10;
    const bool ignorujCudzyslow = opcje & 0x20;
    // Fields by position, columns by name or number, or fields and paths by name.
    TArrayOfConst pola;
    TArrayOfConst kolumny;
    switch (opcje >> 6) {
    case 1:
        kolumny = {QStringLiteral("Tekst"), 2, QStringLiteral("data"), 40};
        break;
    case 2:
        pola = {QStringLiteral("Miejsce.Miasto"), 5, QStringLiteral("Czas"), QStringLiteral("Miejsce")};
        break;
    case 3:
        pola = {1, 7, 0};
        kolumny = {2, 0};
        break;
    default:
        break;
    }
    TMemoryStream wejscie(QByteArray(reinterpret_cast<const char *>(p_Dane + 1), static_cast<qsizetype>(p_Rozmiar - 1)));
    TWiersze lista;
    try {
        lista.WczytajZPlikuCSV(QStringLiteral("fuzz.csv"), pola, naglowek ? kolumny : TArrayOfConst{}, separator, naglowek,
                               kodowanie, &wejscie, false, nullptr, ignorujCudzyslow);
    } catch (const Exception &) {
        // What was read before the fault stays and is exported below.
    }
    TMemoryStream wyjscie;
    try {
        lista.ZapiszWPlikuCSV(QStringLiteral("fuzz.csv"), pola.empty() ? TArrayOfConst{} : TArrayOfConst{0, 5, 6},
                              {}, separator, naglowek, kodowanie, &wyjscie, nullptr, opcje & 1, opcje & 2);
    } catch (const Exception &) {
        // Texts no encoding can take are refused, not written half.
    }
    return 0;
}
