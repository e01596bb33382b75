// Any input read into an object with every field class, two sub-objects of
// its own class, a text field taking the element's content and lists, in the dialect
// the first byte picks: the read ends normally or with the model's exception,
// never reads out of bounds, loops or recurses without bound. What was read
// is written back and must read again, unchanged.
#include "KlasyPol.h"
#include "ListaObiektow.h"
#include "ListaWskObiektow.h"
#include "ListyLiczb.h"
#include "ListyTekstow.h"
#include "Obiekt.h"
#include "StrumienPorcjami.h"
#include "WyjatkiModelu.h"

#include <cstdio>
#include <cstdlib>

namespace {

class TListaWezlowFuzz : public TKlasa<TListaWezlowFuzz, TListaObiektow>
{
public:
    using TKlasa::TKlasa;
    const TOpisKlasy &TypObiektowListy() const override;
};

class TWezelFuzz : public TKlasa<TWezelFuzz, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {
        {0, "Logiczne", &TPoleBoolean::Opis},     {1, "Bajt", &TPoleByte::Opis},
        {2, "Smallint", &TPoleSmallint::Opis},    {3, "Word", &TPoleWord::Opis},
        {4, "Integer", &TPoleInteger::Opis},      {5, "Cardinal", &TPoleCardinal::Opis},
        {6, "Int64", &TPoleInt64::Opis},          {7, "Double", &TPoleDouble::Opis},
        {8, "Extended", &TPoleExtended::Opis},    {9, "Currency", &TPoleCurrency::Opis},
        {10, "Data", &TPoleDate::Opis},           {11, "Czas", &TPoleTime::Opis},
        {12, "DataICzas", &TPoleDateTime::Opis},  {13, "Tekst", &TPoleString::Opis},
        {14, "TekstAnsi", &TPoleRawByteString::Opis}, {15, "TekstSzeroki", &TPoleWideString::Opis},
        {16, "Wsk", &TPoleWskObiektu::Opis},      {17, "Ref", &TPoleRefObiektu::Opis},
        {18, "Lewy", &Opis},                      {19, "Prawy", &Opis},
        {20, "_Value_", &TPoleString::Opis},
        {21, "Lista", &TListaWezlowFuzz::Opis},   {22, "Liczby", &TPoleIntList::Opis},
        {23, "Ulamki", &TPoleDoubleList::Opis},    {24, "Linie", &TPoleStrList::Opis},
        {25, "Szerokie", &TPoleWideStrList::Opis}, {26, "Wskazania", &TListaWskObiektow::Opis},
        {27, "Atrybut", &TPoleIntList::Opis},
    };
    using TKlasa::TKlasa;
    // One integer list as the owner's attribute, the other as elements.
    bool JestAtrybutem(int16_t p_Nr) const override { return p_Nr == 27; }
};

const TOpisKlasy &TListaWezlowFuzz::TypObiektowListy() const
{
    return TWezelFuzz::Opis;
}

const TTypZapisuXML Dialekty[] = {tzxStandard, tzxWierszowy, tzxCelina, tzxOSOZ, tzxECS};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    if (p_Rozmiar < 1)
        return 0;
    const TTypZapisuXML dialekt = Dialekty[p_Dane[0] % 5];
    TStrumienPorcjami strumien(p_Dane + 1, p_Rozmiar - 1);
    TWezelFuzz obiekt;
    try {
        obiekt.WczytajZPlikuXML(QStringLiteral("fuzz.xml"), dialekt, &strumien);
    } catch (const ELkParserError &) {
        return 0;
    } catch (const LkException &) {
        return 0;
    }
    QByteArray xml;
    try {
        xml = obiekt.ZapiszWStringuXML(dialekt);
    } catch (const LkException &) {
        return 0; // a value the writer refuses (a save mask's limit, say)
    }
    TWezelFuzz drugi;
    try {
        drugi.WczytajZeStringuXML(xml, dialekt);
    } catch (const Exception &e) {
        std::fprintf(stderr, "written XML does not read back: %s\n%s\n", e.what(), xml.constData());
        std::abort();
    }
    if (drugi.ZapiszWStringuXML(dialekt) != xml) {
        std::fprintf(stderr, "written XML reads back different:\n%s\n", xml.constData());
        std::abort();
    }
    return 0;
}
