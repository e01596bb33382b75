#include "Obiekt.h"
#include "PolaCalkowite.h"
#include "PolaTekstowe.h"
#include "PoleBoolean.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A persistent class with three fields: its table is all it declares.
class TOsoba : public TKlasa<TOsoba, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {
        {0, "Imie", &TPoleString::Opis},
        {1, "Wiek", &TPoleByte::Opis},
        {2, "Aktywna", &TPoleBoolean::Opis},
    };
};

TEST(PolaWKlasie, TabelaPolTworzyPolaPrzezKlaseIIchTekst)
{
    TOsoba osoba;
    EXPECT_EQ(osoba.TypPolaNr(1), &TPoleByte::Opis);
    EXPECT_EQ(osoba.NrPolaONazwie(QStringLiteral("aktywna")), 2);

    const char *teksty[] = {"Jan", "42", "tak"};
    const char *wyniki[] = {"Jan", "42", "T"};
    for (int16_t nr = 0; nr <= 2; ++nr) {
        std::unique_ptr<TPole> pole(osoba.TypPolaNr(nr)->Tworz(&osoba));
        ASSERT_TRUE(pole);
        EXPECT_EQ(pole->Klasa().Nazwa, osoba.TypPolaNr(nr)->Nazwa);
        EXPECT_TRUE(pole->MaDefWartosc());
        pole->SetJakoString(QString::fromLatin1(teksty[nr]));
        EXPECT_EQ(pole->GetJakoString(), QString::fromLatin1(wyniki[nr]));
    }
}

} // namespace
