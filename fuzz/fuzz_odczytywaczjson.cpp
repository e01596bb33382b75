// Any input read as JSON into an object with every field class, two
// sub-objects of its own class (so nesting is bounded only by the reader),
// references and lists of every kind: the read ends normally or with one of
// the model's exceptions, never reads out of bounds, loops or recurses deeply.
// What was read is written again and must read back without an error.
#include "ListaObiektow.h"
#include "ListaWskObiektow.h"
#include "ListyLiczb.h"
#include "ListyTekstow.h"
#include "Obiekt.h"
#include "PolaCalkowite.h"
#include "PolaDatyICzasu.h"
#include "PolaTekstowe.h"
#include "PolaZmiennoprzecinkowe.h"
#include "PoleBoolean.h"
#include "PoleWskObiektu.h"
#include "StrumienPorcjami.h"

#include <cstdlib>

namespace {

class TListaFuzzJSON : public TKlasa<TListaFuzzJSON, TListaObiektow>
{
public:
    using TKlasa::TKlasa;
    const TOpisKlasy &TypObiektowListy() const override;
};

class TFuzzJSON : public TKlasa<TFuzzJSON, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {
        {0, "b", &TPoleBoolean::Opis},   {1, "y", &TPoleByte::Opis},         {2, "s", &TPoleSmallint::Opis},
        {3, "w", &TPoleWord::Opis},      {4, "i", &TPoleInteger::Opis},      {5, "c", &TPoleCardinal::Opis},
        {6, "l", &TPoleInt64::Opis},     {7, "d", &TPoleDouble::Opis},       {8, "e", &TPoleExtended::Opis},
        {9, "m", &TPoleCurrency::Opis},  {10, "da", &TPoleDate::Opis},        {11, "cz", &TPoleTime::Opis},
        {12, "dt", &TPoleDateTime::Opis}, {13, "n", &TPoleString::Opis},      {14, "a", &TPoleRawByteString::Opis},
        {15, "u", &TPoleWideString::Opis}, {16, "p", &TPoleWskObiektu::Opis}, {17, "r", &TPoleRefObiektu::Opis},
        {18, "lewy", &Opis},                {19, "prawy", &Opis},
        {20, "lista", &TListaFuzzJSON::Opis}, {21, "obce", &TListaObiektow::Opis},
        {22, "li", &TPoleIntList::Opis},      {23, "ll", &TPoleInt64List::Opis},
        {24, "ld", &TPoleDoubleList::Opis},   {25, "le", &TPoleExtendedList::Opis},
        {26, "ln", &TPoleStrList::Opis},      {27, "lu", &TPoleWideStrList::Opis},
        {28, "lp", &TListaWskObiektow::Opis},
    };
    using TKlasa::TKlasa;
};

const TOpisKlasy &TListaFuzzJSON::TypObiektowListy() const
{
    return TFuzzJSON::Opis;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    TStrumienPorcjami strumien(p_Dane, p_Rozmiar);
    TFuzzJSON obiekt;
    try {
        obiekt.WczytajZPlikuJSON(QStringLiteral("fuzz.json"), &strumien);
    } catch (const Exception &) {
        return 0;
    }
    const QByteArray zapisany = obiekt.ZapiszWStringuJSON();
    TFuzzJSON wczytany;
    try {
        wczytany.WczytajZeStringuJSON(zapisany);
    } catch (const Exception &e) {
        std::fprintf(stderr, "written JSON does not read back: %s\n%s\n", e.what(), zapisany.constData());
        std::abort();
    }
    return 0;
}
