// Pages rendered from the message fixtures by the two stylesheets, checked by
// what a reader sees: the text of each section in order, labels present or
// absent, computed fields, coded words. Rendering takes the viewer's road:
// the message parsed by the XML service, its document namespace taken off the
// children, then the transformation.

#include "KatalogTestowy.h"
#include "NazwaPrzypadku.h"
#include "PrzestrzenDokumentu.h"
#include "TypyDokumentXML.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <QMap>
#include <QStringList>

#include <memory>
#include <vector>

namespace {

const char *const SZABLON_529 = "Szablon529Plus.xsl";
const char *const SZABLON_599 = "Szablon599Plus.xsl";

const QChar NBSP(0x00A0);

QString Szablon(const char *p_Nazwa)
{
    return QStringLiteral(OSTREVIA_TEST_DATA "/../../app/stylesheets/") + QString::fromLatin1(p_Nazwa);
}

QString Dane(const QString &p_Nazwa)
{
    return QStringLiteral(OSTREVIA_TEST_DATA "/") + p_Nazwa;
}

// Expected texts write the no-break space as "~" so that they stay readable.
QString Oczekiwany(const char *p_Tekst)
{
    return QString::fromUtf8(p_Tekst).replace(QLatin1Char('~'), NBSP);
}

QString PrzytnijSpacjeZPrawej(QString p_Linia)
{
    while (p_Linia.endsWith(QLatin1Char(' ')))
        p_Linia.chop(1);
    return p_Linia;
}

bool JestTytulemSekcji(const QString &p_Linia)
{
    static const QStringList tytuly = {
        QStringLiteral("Dane zgłoszenia"), QStringLiteral("Dane przesyłki"), QStringLiteral("Dane transportu"),
        QStringLiteral("Dane towarów"), QStringLiteral("Pozostałe dane")};
    return tytuly.contains(p_Linia) || p_Linia.startsWith(QStringLiteral("Wydruk z programu"));
}

// A rendered page and its text as a reader sees it: a new line at every line
// break, paragraph, box and table row, "| " at the start of every table cell;
// blank lines dropped, trailing spaces cut, the head (title, style) left out.
class TStrona
{
public:
    explicit TStrona(QByteArray p_Html) : FHtml(std::move(p_Html))
    {
        std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> dok(
            htmlReadMemory(FHtml.constData(), int(FHtml.size()), nullptr, "UTF-8",
                           HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING),
            &xmlFreeDoc);
        if (dok)
            Zbierz(xmlDocGetRootElement(dok.get()));
        for (const QString &linia : FTekst.split(QLatin1Char('\n'))) {
            const QString przycieta = PrzytnijSpacjeZPrawej(linia);
            if (!przycieta.trimmed().isEmpty())
                FLinie << przycieta;
        }
    }

    const QByteArray &Html() const { return FHtml; }
    const QStringList &Linie() const { return FLinie; }
    QString Tekst() const { return FLinie.join(QLatin1Char('\n')); }

    // The page title and then every section title, in page order.
    QStringList Tytuly() const
    {
        QStringList wynik;
        for (int i = 0; i < FLinie.size(); ++i)
            if (i == 0 || JestTytulemSekcji(FLinie[i]))
                wynik << FLinie[i];
        return wynik;
    }

    // Lines from the title line up to the next section title.
    QString Sekcja(const QString &p_Tytul) const
    {
        const int poczatek = FLinie.indexOf(p_Tytul);
        if (poczatek < 0)
            return QString();
        int koniec = poczatek + 1;
        while (koniec < FLinie.size() && !JestTytulemSekcji(FLinie[koniec]))
            ++koniec;
        return FLinie.mid(poczatek, koniec - poczatek).join(QLatin1Char('\n'));
    }

private:
    void Zbierz(xmlNode *p_Wezel)
    {
        for (xmlNode *w = p_Wezel; w; w = w->next) {
            if (w->type == XML_TEXT_NODE) {
                FTekst += QString::fromUtf8(reinterpret_cast<const char *>(w->content));
                continue;
            }
            if (w->type != XML_ELEMENT_NODE)
                continue;
            const QByteArray nazwa(reinterpret_cast<const char *>(w->name));
            if (nazwa == "head")
                continue;
            const bool blok = nazwa == "p" || nazwa == "div" || nazwa == "tr" || nazwa == "table";
            if (blok || nazwa == "br")
                FTekst += QLatin1Char('\n');
            else if (nazwa == "td")
                FTekst += QStringLiteral("\n| ");
            Zbierz(w->children);
            if (blok)
                FTekst += QLatin1Char('\n');
        }
    }

    QByteArray FHtml;
    QString FTekst;
    QStringList FLinie;
};

TStrona Wyrenderuj(const QString &p_PlikXML, const char *p_Szablon)
{
    TDokumentXML arkusz(false, true);
    TDokumentXML dokument(false, true);
    QByteArray wynik;
    EXPECT_TRUE(arkusz.Wczytaj(Szablon(p_Szablon), false)) << p_Szablon;
    EXPECT_TRUE(dokument.Wczytaj(p_PlikXML, false)) << p_PlikXML.toStdString();
    ZdejmijPrzestrzenDokumentu(dokument.GetDokXML());
    EXPECT_TRUE(TransformujDokumenty(dokument.GetDokXML(), arkusz.GetDokXML(), wynik, false))
        << p_PlikXML.toStdString() << " / " << p_Szablon;
    return TStrona(wynik);
}

// ---------------------------------------------------------------------------
// Whole pages, section by section

struct TSekcja
{
    const char *Tytul;
    const char *Tekst;
};

struct TPelnaStrona
{
    const char *Plik;
    const char *Szablon;
    std::vector<TSekcja> Sekcje;
};

void PrintTo(const TPelnaStrona &p_Przypadek, std::ostream *p_Strumien)
{
    *p_Strumien << p_Przypadek.Plik << " / " << p_Przypadek.Szablon;
}

class PelnaStrona : public ::testing::TestWithParam<TPelnaStrona>
{
};

TEST_P(PelnaStrona, SekcjeMajaSwojeEtykietyIWartosciWKolejnosci)
{
    const TPelnaStrona &przypadek = GetParam();
    const TStrona strona = Wyrenderuj(Dane(QString::fromLatin1(przypadek.Plik)), przypadek.Szablon);

    QStringList tytuly;
    for (const TSekcja &sekcja : przypadek.Sekcje)
        tytuly << QString::fromUtf8(sekcja.Tytul);
    EXPECT_EQ(strona.Tytuly(), tytuly);

    for (const TSekcja &sekcja : przypadek.Sekcje)
        EXPECT_EQ(strona.Sekcja(QString::fromUtf8(sekcja.Tytul)), Oczekiwany(sekcja.Tekst));
}

const std::vector<TSekcja> SekcjeIE529 = {
    {"Zwolnienie do procedury wywozu (CC529C)",
     R"(Zwolnienie do procedury wywozu (CC529C)
Podstawowe dane
Numer LRN: LRN2026111800017, MRN: 26PL30101000481522
Data przyjęcia zgłoszenia: 2026-11-18, data zwolnienia: 2026-11-18, data kontroli: 2026-11-18
Nr ref. przesyłki/UCR:~6PL7750001234-20261118-001
Komunikat CC529C
Identyfikator komunikatu CC529C: 26PLECS0000481522, data utworzenia: 2026-11-18T10:42:17
Nadawca komunikatu: PL00000000000ECS, placówka podmiotu: PL301010
Odbiorca: PL5261040828000000, adres e-mail: odprawy@agencja-celna-zielinski.pl
Identyfikator korelacji: LRN2026111800017)"},
    {"Dane zgłoszenia",
     R"(Dane zgłoszenia
|
Nadawca:~Zakłady Mięsne „Łęczyca” Sp. z o.o.
Adres: ul. Źródlana 14, 99-100~Łęczyca~(PL), NIP: 7750001234, REGON: 610188212, nr identyfikacyjny: PL7750001234000
Zgłaszający:Agencja Celna Zieliński i Wspólnicy
Adres: ul. Świętokrzyska 30/12, 00-116~Warszawa~(PL), NIP: 5261040828, REGON: 012345675, nr identyfikacyjny: PL5261040828000
Osoba kontaktowa: Małgorzata Wójcik, tel.: +48 22 654 32 10, e-mail: m.wojcik@agencja-celna-zielinski.pl
Przedstawiciel:~
Rodzaj przedstawicielstwa: bezpośrednie, NIP: 9512233445, REGON: 146789012, PESEL: 78031204567, nr identyfikacyjny: PL9512233445000
Osoba kontaktowa: Paweł Grabowski, tel.: +48 601 234 567
Pozwolenia:
1.~Rodzaj pozw.: C512, numer: PLCWP301000202600012, posiadacz: PL7750001234000
2.~Rodzaj pozw.: C601, numer: PLAEOC301000202000004
| Zgłoszenie
Typ zgł.: EX, A
UC wywozu: PL301010
UC wyprowawdzenia: PL401030
Liczba pozycji: 2
Liczba opakowań: 550
Suma wart. stat.: 60980.4
Waluta:~EUR, kurs: 4.2675
Wartość faktur: 61230.40~EUR
Spec. okoliczności: A20
Dane bezpieczeństwa: tak
Druk EAD: bez towarów
Płatność odroczona: PLDPO301000202600003)"},
    {"Dane przesyłki",
     R"(Dane przesyłki
|
Dodatkowi uczestnicy w łańcuchu dostaw:~1. Rola: FW, Nr identyfikacyjny: PL1130098765000;~ 2. Rola: WH, Nr identyfikacyjny: PL7272345678000
Dokumenty poprzednie: 1. N830-26PL301010E0012345
Dokumenty wymagane: 1. N380-FV/2026/11/0457;~ 2. C644-WET/2026/8812~poz.~3, organ wydający: Powiatowy Lekarz Weterynarii w Łęczycy, data ważności: 2026-12-31
Dodatkowe odniesienia: 1. Y024-AEO-PL-2020-004
Informacja dodatkowa: 1. 00400-Towar przewożony w chłodni;~ 2. 30500
| Rodzaj transakcji: 11
Kraj wysyłki: PL
Kraj przeznaczenia: UA
Warunki dostawy: FCA, UN/LOCODE: PLLCZ, Łęczyca, PL, Załadunek na rampie nadawcy
Skład celny typu R, nr: PLCWP301000202600012)"},
    {"Dane transportu",
     R"(Dane transportu
|
Nadawca transp.: Chłodnia Składowa „Mróz” S.A., nr identyf.:~PL7272345678000, adres: ul. Łąkowa 3, 90-562~Łódź~(PL),
Odbiorca transp.: TOV Kyiv Food Trade, nr identyf.:~UA40123456, adres: vul. Khreshchatyk 22, 01001~Kyiv~(UA),
Szczegóły transp.:
1. Nr kontenera: MSKU1234565, zamknięcia:~2: (PL301010-0045871, PL301010-0045872), numery pozycji tow.: 1, 2
Lokalizacja towarów: B, typ: Y,~nr pozwolenia: PLUCP301000202400007, dod. identyfikator: R2, UN/LOCODE: PLLCZ, urząd celny: PL301010, dane GPS: 52.05987, 19.19953, identyfikator podmiotu: PL7750001234000, adres: ul. Źródlana 14, 99-100~Łęczyca~(PL), adres pocztowy: budynek: 14, kod pocztowy: 99-100~(PL), osoba kontaktowa: Grzegorz Kaźmierczak, tel.: +48 24 721 33 00, e-mail: magazyn@zm-leczyca.pl,
Środki transportu przy wyprowadzeniu (Rodzaj oznaczenia / numer / przynależność państwowa):
1. 30/EL 4521K/PL;~ 2. 31/EL 7730N/PL;~
Środek transp. przekraczający granicę: 30/EL 4521K/PL
Dokumenty transportowe: 1. N730-CMR 0458/2026
| Transport wewnętrzny: 3
Transp. na granicy: 3
Masa brutto: 18450.500
Kontenery: Tak
Nr ref. przesyłki/UCR:~6PL7750001234-20261118-001
Przewoźnik: PL8971234567000
Metoda płatności:~A
Kraje przewozu: PL, UA)"},
    {"Dane towarów",
     R"(Dane towarów
| Pozycja 1
|
Towar: Opis: Półtusze wieprzowe, mrożone, kod CUS: 0000123-4, kod CN: 02032110, kody dod. TARIC: 4100, 7000, krajowe kody dod.: V000, towary niebezpieczne: 1845
Kalkulacje podatkowe: Suma cła i podatków:~0.00; Opłaty:
1. Rodzaj podatku: A00, kwota do zapł.: 0.00, metoda płatn.: A, podstawa opodatkowania: 1. wysokość podatku: 0.00, ilość towaru: 11850.000~KGM, kwota: 48250.00, całk. kwota podatku: 0.00
Nadawca: Zakłady Mięsne „Łęczyca” Sp. z o.o., nr identyf.:~PL7750001234000, adres: ul. Źródlana 14, 99-100~Łęczyca~(PL),
Odbiorca: TOV Kyiv Food Trade, nr identyf.:~UA40123456, adres: vul. Khreshchatyk 22, 01001~Kyiv~(UA),
Dodatkowi uczestnicy w łańcuchu dostaw: 1. Rola: MF, Nr identyfikacyjny: PL7750001234000
Pozwolenia:
1. Rodzaj pozw.: C601, numer: PLAEOC301000202000004, posiadacz: PL7750001234000
Opakowania (Liczba / rodzaj / oznaczenia): 1. 24/PX/ZML/UA/01-24;~ 2. 6/CT/ZML/UA/K1-K6
Dokumenty poprzednie: 1. N830-26PL301010E0012345, nr pozycji tow.: 1, opakowania: 24~PX, ilość: 11850.000~KGM
Dokumenty poprzednie - procedura gospodarcza: 1. N955-26PL301010W0000871, pozycje tow.: 2, 5, opakowania: 10~PX, ilość: 4900.000~KGM
Dokumenty wymagane: 1. C644-WET/2026/8812~poz.~1, organ wydający: Powiatowy Lekarz Weterynarii w Łęczycy, ilość: 11850.000~KGM, data ważności: 2026-12-31, kwota: 48250.00~EUR
Dodatkowe odniesienia: 1. Y923-Nie dotyczy
Informacja dodatkowa: 1. 00600-Temperatura przewozu -18°C
Opłaty transportowe: metoda płatności: D
| Wartość stat.: 48250.00
Rodzaj transakcji: 11
Nr ref. przesyłki/UCR: 6PL7750001234-20261118-001
Procedura: 1000; 000
Kraj wysyłki: PL
Kraj przeznaczenia: UA
Kraj pochodzenia: PL
Region wysyłki: 10
Masa brutto: 12300.000
Masa netto: 11850.000
Ilość w jedn. uzup.: 410
| Pozycja 2
|
Towar: Opis: Kiełbasa śląska wędzona, pakowana próżniowo, kod CN: 16010099,
Pozwolenia:
Opakowania (Liczba / rodzaj / oznaczenia): 1. 520/CT/ZML/UA/02
| Wartość stat.: 12730.40
Rodzaj transakcji: 11
Nr ref. przesyłki/UCR: 6PL7750001234-20261118-001
Procedura: 1007; F15
Kraj wysyłki: PL
Kraj przeznaczenia: UA
Kraj pochodzenia: PL
Region wysyłki: 10
Masa brutto: 6150.500
Masa netto: 5720.000
Ilość w jedn. uzup.: 0)"},
    {"Wydruk z programu firmy Velmora Software (www.velmora-software.pl) przygotowany na podstawie pliku CC529C",
     R"(Wydruk z programu firmy Velmora Software (www.velmora-software.pl) przygotowany na podstawie pliku CC529C)"},
};

const std::vector<TSekcja> SekcjeIE599 = {
    {"Potwierdzenie wywozu (CC599C)",
     R"(Potwierdzenie wywozu (CC599C)
Podstawowe dane
Numer LRN: GD-EXP-2026-1187, MRN: 26PL32201000503318
Data przyjęcia zgłoszenia: 2026-11-21, data zwolnienia: 2026-11-21, data wyprowadzenia:~2026-11-24
Nr ref. przesyłki/UCR:~6PL5842716309-1187
Inne sprawy do zgłoszenia: Na przejściu zgłoszono dodatkowy pojemnik z osprzętem
Komunikat CC599C
Identyfikator komunikatu CC599C: 26PLECS0000503318, data utworzenia: 2026-11-24T16:20:03
Nadawca komunikatu: PL00000000000ECS, placówka podmiotu: PL322010
Odbiorca: PL5842716309000000, adres e-mail: eksport@stocznia-jachtowa.pl
Identyfikator korelacji: GD-EXP-2026-1187)"},
    {"Dane zgłoszenia",
     R"(Dane zgłoszenia
|
Nadawca:~Stocznia Jachtowa Gdańsk-Wisłoujście Sp. z o.o.
Adres: ul. Przemysłowa 8C, 80-542~Gdańsk~(PL), NIP: 5842716309, REGON: 220345118, nr identyfikacyjny: PL5842716309000
Zgłaszający:Biuro Obsługi Celnej „Bałtyk” Ewa Szczęsna
Adres: ul. Wały Piastowskie 1/1508, 80-855~Gdańsk~(PL), NIP: 5831122334, PESEL: 81062309876, nr identyfikacyjny: PL5831122334000
Osoba kontaktowa: Ewa Szczęsna, tel.: +48 58 300 11 22, e-mail: ewa.szczesna@boc-baltyk.pl
Przedstawiciel:~
Rodzaj przedstawicielstwa: pośrednie, NIP: 5831122334, nr identyfikacyjny: PL5831122334000
Osoba kontaktowa: Ewa Szczęsna, tel.: +48 58 300 11 22, e-mail: ewa.szczesna@boc-baltyk.pl
Pozwolenia:
1.~Rodzaj pozw.: C601, numer: PLAEOF322000201900011, posiadacz: PL5842716309000
| Zgłoszenie
Typ zgł.: EX, A
UC wywozu: PL322010
UC wyprowawdzenia: PL322030
UC przeznaczenia: NO000080
Liczba pozycji: 2
Liczba opakowań: 6
Suma wart. stat.: 184500
Waluta:~EUR, kurs: 4.2518
Wartość faktur: 184500.00~EUR
Spec. okoliczności: A20
Dane bezpieczeństwa: nie
Składowanie: tak
Druk EAD: pełny
Płatność odroczona: PLDPO322000202600001)"},
    {"Dane przesyłki",
     R"(Dane przesyłki
|
Dodatkowi uczestnicy w łańcuchu dostaw:~1. Rola: CS, Nr identyfikacyjny: PL5830004455000
Dokumenty poprzednie: 1. N830-26PL322010E0009012 (na granicy: N830-26PL322010E0009021)
Dokumenty wymagane: 1. N380-FV 118/11/2026~poz.~2 (na granicy: N380-FV 118/11/2026/K~poz.~4), organ wydający: Stocznia Jachtowa Gdańsk-Wisłoujście, data ważności: 2027-01-31
Dodatkowe odniesienia: 1. Y024-AEO-PL-2019-011 (na granicy: Y024-AEOF-PL-2019-011)
Informacja dodatkowa: 1. 00200-Jacht żaglowy w kołysce transportowej
| Rodzaj transakcji: 11
Kraj wysyłki: PL
Kraj przeznaczenia: NO
Warunki dostawy: DAP, UN/LOCODE: NOOSL, Oslo, NO
Skład celny typu A, nr: PLCWA322000202300005)"},
    {"Dane transportu",
     R"(Dane transportu
|
Nadawca transp.: Stocznia Jachtowa Gdańsk-Wisłoujście Sp. z o.o., nr identyf.:~PL5842716309000, adres: ul. Przemysłowa 8C, 80-542~Gdańsk~(PL),
Odbiorca transp.: Fjord Yachting AS, nr identyf.:~NO987654321, adres: Bryggegata 9, 0250~Oslo~(NO),
Szczegóły transp.:
1. Nr kontenera: TGHU8812340 (na granicy: TGHU8812346), zamknięcia:~1: (PL322010-0007751) (na granicy: 2: (PL322010-0007751, PL322030-0001204)), numery pozycji tow.: 1, 2 (na granicy: 1, 2)
Lokalizacja towarów: B, typ: Z,~nr pozwolenia: PLUCP322000202200014, dod. identyfikator: N3, UN/LOCODE: PLGDN, urząd celny: PL322010, dane GPS: 54.39421, 18.67015, identyfikator podmiotu: PL5842716309000, adres: ul. Przemysłowa 8C, 80-542~Gdańsk~(PL), adres pocztowy: budynek: 8C, kod pocztowy: 80-542~(PL), osoba kontaktowa: Łukasz Żmijewski, tel.: +48 58 343 90 00,
Środki transportu przy wyprowadzeniu (Rodzaj oznaczenia / numer / przynależność państwowa):
1. 11/IMO 9387421/NO (na granicy: 11/IMO 9387433/MT);~
Środek transp. przekraczający granicę: 11/IMO 9387433/MT
Dokumenty transportowe: 1. N705-GDN-OSL-88412 (na granicy: N705-GDN-OSL-88413)
| Transport wewnętrzny: 3
Transp. na granicy: 1
Masa brutto: 9870.000 (na granicy: 9935.000)
Kontenery: Nie
Nr ref. przesyłki/UCR:~6PL5842716309-1187
Nr przes. na granicy:~6PL5842716309-1187-G
Przewoźnik: NO912345678
Metoda płatności:~H
Kraje przewozu: PL, NO)"},
    {"Dane towarów",
     R"(Dane towarów
| Pozycja 1
|
Towar: Opis: Jacht żaglowy kabinowy, długość 11,9 m (na granicy: Jacht żaglowy kabinowy z masztem, długość 11,9 m), kod CUS: 0001111-9 (na granicy: 0001111-9), kod CN: 89039110 (na granicy: 890392), kody dod. TARIC: 4099 (na granicy: 4098), krajowe kody dod.: V000, towary niebezpieczne: 1202 (na granicy: 1203)
Kalkulacje podatkowe: Suma cła i podatków:~0.00; Opłaty:
1. Rodzaj podatku: B00, kwota do zapł.: 0.00, metoda płatn.: G, podstawa opodatkowania: 1. wysokość podatku: 0.00, ilość towaru: 1~NAR, kwota: 758091.94, całk. kwota podatku: 0.00;~ 2. wysokość podatku: 23.00, ilość towaru: 0~NAR, kwota: 0.00, całk. kwota podatku: 0.00
Odbiorca: Fjord Yachting AS, nr identyf.:~NO987654321, adres: Bryggegata 9, 0250~Oslo~(NO),
Pozwolenia:
Opakowania (Liczba / rodzaj / oznaczenia): 1. 1/NE/SJG-1187 (na granicy: 1/NE/SJG-1187/A)
Dokumenty poprzednie: 1. N830-26PL322010E0009012, nr pozycji tow.: 1, opakowania: 1~NE, ilość: 1~NAR (na granicy: N830-26PL322010E0009021, nr pozycji tow.: 2, opakowania: 1~NE, ilość: 1~NAR)
Dokumenty poprzednie - procedura gospodarcza: 1. N955-26PL322010W0000316, pozycje tow.: 3, opakowania: 1~NE, ilość: 1~NAR
Dokumenty wymagane: 1. N380-FV 118/11/2026~poz.~1 (na granicy: N380-FV 118/11/2026/K~poz.~1, jedn. miary: NAR), organ wydający: Stocznia Jachtowa Gdańsk-Wisłoujście, ilość: 1~NAR, data ważności: 2027-01-31, kwota: 178300.00~EUR
Dodatkowe odniesienia: 1. Y923-Nie dotyczy (na granicy: Y923-Nie dotyczy)
Informacja dodatkowa: 1. 00300-Numer kadłuba PL-SJG11871K626
Opłaty transportowe: metoda płatności: H
| Wartość stat.: 178300.00
Rodzaj transakcji: 11
Nr ref. przesyłki/UCR: 6PL5842716309-1187
Procedura: 1000; 000
Kraj wysyłki: PL
Kraj przeznaczenia: NO
Kraj pochodzenia: PL
Region wysyłki: 22
Masa brutto: 9450.000 (na granicy: 9500.000)
Masa netto: 8900.000 (na granicy: 8950.000)
Ilość w jedn. uzup.: 1
| Pozycja 2
|
Towar: Opis: Żagle z tkanin syntetycznych, komplet, kod CN: 63063000,
Pozwolenia:
Opakowania (Liczba / rodzaj / oznaczenia): 1. 3/BG/SJG-1187/Z1-Z3;~ 2. 2/CT/SJG-1187/O1-O2 (na granicy: 3/CT/SJG-1187/O1-O3)
| Wartość stat.: 6200.00
Rodzaj transakcji: 11
Nr ref. przesyłki/UCR: 6PL5842716309-1187
Procedura: 1000; 000
Kraj wysyłki: PL
Kraj przeznaczenia: NO
Kraj pochodzenia: PL
Region wysyłki: 22
Masa brutto: 420.000
Masa netto: 385.500
Ilość w jedn. uzup.: 0)"},
    {"Pozostałe dane",
     R"(Pozostałe dane
Rejestry alternatywne:
1. Rodzaj ewidencji:~BL. Dokumenty transportowe: N705-GDN-OSL-88412;~ N741-MAWB 235-1187 4402
2. Rodzaj ewidencji:~KP.
Wyniki kontroli:
W urzędzie wywozu: kod wyniku: A3, data: 2026-11-21, uwagi: Stwierdzono różnicę w liczbie opakowań
Na granicy: Kod wyniku: A2, data wyprowadzenia towaru: 2026-11-24, data zatrzymania towaru: 2026-11-23, stan zamknięć: Zamknięcia celne prawidłowe)"},
    {"Wydruk z programu firmy Velmora Software (www.velmora-software.pl) przygotowany na podstawie pliku CC599C",
     R"(Wydruk z programu firmy Velmora Software (www.velmora-software.pl) przygotowany na podstawie pliku CC599C)"},
};

// No MRN, no control result, no representative, no goods items, nothing optional.
const std::vector<TSekcja> SekcjeIE529Minimalny = {
    {"Zwolnienie do procedury wywozu (CC529C)",
     R"(Zwolnienie do procedury wywozu (CC529C)
Podstawowe dane
Numer LRN: SD/2026/0093, MRN:
Data przyjęcia zgłoszenia: 2026-11-20, data zwolnienia: 2026-11-20
Komunikat CC529C
Identyfikator komunikatu CC529C: 26PLECS0000490077, data utworzenia: 2026-11-20T08:05:51
Nadawca komunikatu: PL00000000000ECS, placówka podmiotu: PL351020
Odbiorca: PL8381745632000000, adres e-mail: biuro@stolarnia-debski.pl)"},
    {"Dane zgłoszenia",
     R"(Dane zgłoszenia
|
Nadawca:~Stolarnia Dębski Józef Dębski
Adres: ul. Sosnowa 7, 34-500~Zakopane~(PL), NIP: 8381745632,
Zgłaszający:Stolarnia Dębski Józef Dębski
Adres: ul. Sosnowa 7, 34-500~Zakopane~(PL), nr identyfikacyjny: PL8381745632000
Osoba kontaktowa: Józef Dębski, tel.: +48 18 201 44 55
Przedstawiciel:~
Pozwolenia:
| Zgłoszenie
Typ zgł.: EX, A
UC wywozu: PL351020
UC wyprowawdzenia: PL351020
Liczba pozycji: 0
Liczba opakowań: 0
Suma wart. stat.: 0
Dane bezpieczeństwa: nie)"},
    {"Dane przesyłki",
     R"(Dane przesyłki
| Kraj wysyłki: PL
Kraj przeznaczenia: NO)"},
    {"Dane transportu",
     R"(Dane transportu
|
| Masa brutto: 820.000)"},
    {"Dane towarów",
     R"(Dane towarów)"},
    {"Wydruk z programu firmy Velmora Software (www.velmora-software.pl) przygotowany na podstawie pliku CC529C",
     R"(Wydruk z programu firmy Velmora Software (www.velmora-software.pl) przygotowany na podstawie pliku CC529C)"},
};

INSTANTIATE_TEST_SUITE_P(Strony, PelnaStrona,
                         ::testing::Values(TPelnaStrona{"IE529.xml", SZABLON_529, SekcjeIE529},
                                           TPelnaStrona{"IE599.xml", SZABLON_599, SekcjeIE599},
                                           TPelnaStrona{"IE529_minimalny.xml", SZABLON_529,
                                                        SekcjeIE529Minimalny}),
                         NazwaZOpisu());

// ---------------------------------------------------------------------------
// The frame every page shares: doctype, head, style rules, no namespaces

class RamaStrony : public ::testing::TestWithParam<const char *>
{
};

// Style rules of the page as selector -> declarations, whitespace ignored.
QMap<QString, QStringList> RegulyStylu(const QByteArray &p_Html)
{
    const int poczatek = p_Html.indexOf("<style");
    const int koniec = p_Html.indexOf("</style>");
    QMap<QString, QStringList> reguly;
    if (poczatek < 0 || koniec < poczatek)
        return reguly;
    QString tekst = QString::fromUtf8(p_Html.mid(poczatek, koniec - poczatek));
    tekst = tekst.mid(tekst.indexOf(QLatin1Char('>')) + 1);
    for (const QString &regula : tekst.split(QLatin1Char('}'), Qt::SkipEmptyParts)) {
        const int klamra = regula.indexOf(QLatin1Char('{'));
        if (klamra < 0)
            continue;
        QStringList deklaracje;
        for (const QString &d : regula.mid(klamra + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const int dwukropek = d.indexOf(QLatin1Char(':'));
            if (dwukropek > 0)
                deklaracje << d.left(dwukropek).trimmed() + QLatin1Char(':') + d.mid(dwukropek + 1).simplified();
        }
        reguly.insert(regula.left(klamra).simplified(), deklaracje);
    }
    return reguly;
}

TEST_P(RamaStrony, NaglowekStylIMarginesyWydruku)
{
    const bool ie599 = QByteArray(GetParam()) == SZABLON_599;
    const TStrona strona = Wyrenderuj(Dane(ie599 ? QStringLiteral("IE599.xml") : QStringLiteral("IE529.xml")), GetParam());
    const QByteArray &html = strona.Html();

    EXPECT_TRUE(html.startsWith("<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
                                "\"http://www.w3.org/TR/html4/loose.dtd\">"));
    EXPECT_TRUE(html.contains("<title></title>"));
    EXPECT_TRUE(html.contains("<meta http-equiv=\"X-UA-Compatible\" content=\"IE=9\">"));
    EXPECT_FALSE(html.contains("xmlns")) << "namespace declarations leaked into the page";
    EXPECT_FALSE(html.contains("&nbsp;")) << "the no-break space is written as the character itself";
    EXPECT_TRUE(html.contains(QStringLiteral("Nadawca:").append(NBSP).toUtf8()));

    const QMap<QString, QStringList> oczekiwane = {
        {"p", {"text-align:right", "margin:0px 0px 5px 0px"}},
        {"table", {"border:none", "width:100%", "border-collapse:collapse"}},
        {".naglowek", {"background-color:#CCCCCC", "vertical-align:top", "text-align:center"}},
        {"td", {"border-color:black", "border-style:solid", "vertical-align:top", "border-width:1px", "padding:0px"}},
        {"td.szeroka", {"width:80%"}},
        {"td.tytulowa", {"border-left-style:none", "border-top-style:none", "border-right-style:none",
                         "vertical-align:middle", "border:none"}},
        {"td.naglowek", {"border-top-style:dashed", "border-bottom-style:dashed", "border-top-width:5px",
                         "border-bottom-width:5px"}},
        {".Tytul", {"font-size:125%", "font-family:sans-serif", "text-decoration:none", "font-weight:bold"}},
        {".OpisWart", {"font-size:70%", "font-family:sans-serif", "text-decoration:none", "font-style:italic",
                       "font-weight:normal"}},
        {".Wartosc", {"font-size:90%", "font-family:sans-serif", "text-decoration:none", "font-weight:bold"}},
        {".Komentarz", {"font-size:90%", "font-family:sans-serif", "text-decoration:none", "font-weight:normal",
                        "font-style:italic", "color:#444"}},
        {".TrescXML", {"font-size:50%", "font-family:monospace", "text-decoration:none", "font-weight:normal"}},
        {".ramka", {"border-width:1px", "border-style:solid", "padding:0px"}},
        {".ramkaDolna", {"border-width:0px 0px 1px 0px", "border-style:solid", "padding:2px"}},
        {".ramkaGorna", {"border-width:1px 0px 0px 0px", "border-style:solid", "padding:2px"}},
        {".padding", {"padding:2px"}},
        {".noBreak", {"page-break-inside:avoid"}},
        {"@page", {"margin:0.984in 0.984in 0.984in 0.984in"}},
    };
    EXPECT_EQ(RegulyStylu(html), oczekiwane);
}

INSTANTIATE_TEST_SUITE_P(Strony, RamaStrony, ::testing::Values(SZABLON_529, SZABLON_599),
                         [](const auto &p_Info) { return NazwaPrzypadku(p_Info.param); });

// ---------------------------------------------------------------------------
// Labels and values present or absent on the edge cases of the fixtures

enum class TDopasowanie { CalaLinia, Fragment };

struct TKrawedz
{
    const char *Opis;
    const char *Plik;
    const char *Szablon;
    TDopasowanie Dopasowanie;
    const char *Tekst;
    bool Jest;
};

void PrintTo(const TKrawedz &p_Przypadek, std::ostream *p_Strumien)
{
    *p_Strumien << p_Przypadek.Opis;
}

class KrawedzieStrony : public ::testing::TestWithParam<TKrawedz>
{
};

TEST_P(KrawedzieStrony, EtykietaWidocznaTylkoGdzieTrzeba)
{
    const TKrawedz &przypadek = GetParam();
    const TStrona strona = Wyrenderuj(Dane(QString::fromLatin1(przypadek.Plik)), przypadek.Szablon);
    const QString tekst = Oczekiwany(przypadek.Tekst);
    const bool jest = przypadek.Dopasowanie == TDopasowanie::CalaLinia ? strona.Linie().contains(tekst)
                                                                        : strona.Tekst().contains(tekst);
    EXPECT_EQ(jest, przypadek.Jest) << przypadek.Opis << "\n" << strona.Tekst().toStdString();
}

constexpr auto LINIA = TDopasowanie::CalaLinia;
constexpr auto FRAGMENT = TDopasowanie::Fragment;

INSTANTIATE_TEST_SUITE_P(
    Strony, KrawedzieStrony,
    ::testing::Values(
        TKrawedz{"MRN label stays with nothing after it", "IE529_minimalny.xml", SZABLON_529, LINIA,
                 "Numer LRN: SD/2026/0093, MRN:", true},
        TKrawedz{"no control date label without a control result", "IE529_minimalny.xml", SZABLON_529, FRAGMENT,
                 "data kontroli", false},
        TKrawedz{"representative title without a representative", "IE529_minimalny.xml", SZABLON_529, LINIA,
                 "Przedstawiciel:~", true},
        TKrawedz{"no representative details without a representative", "IE529_minimalny.xml", SZABLON_529,
                 FRAGMENT, "Rodzaj przedstawicielstwa", false},
        TKrawedz{"item count is 0 without goods items", "IE529_minimalny.xml", SZABLON_529, LINIA,
                 "Liczba pozycji: 0", true},
        TKrawedz{"goods table has no rows without goods items", "IE529_minimalny.xml", SZABLON_529, FRAGMENT,
                 "Pozycja", false},
        TKrawedz{"optional declaration lines absent", "IE529_minimalny.xml", SZABLON_529, FRAGMENT, "Waluta:", false},
        TKrawedz{"no consignment UCR line without it", "IE529_minimalny.xml", SZABLON_529, FRAGMENT,
                 "Nr ref. przesyłki/UCR", false},
        TKrawedz{"no border values without _GR elements", "IE599_bez_GR.xml", SZABLON_599, FRAGMENT,
                 "(na granicy: ", false},
        TKrawedz{"no border UCR line without _GR elements", "IE599_bez_GR.xml", SZABLON_599, FRAGMENT,
                 "Nr przes. na granicy", false},
        TKrawedz{"exit date replaces the control date", "IE599_bez_GR.xml", SZABLON_599, LINIA,
                 "Data przyjęcia zgłoszenia: 2026-11-21, data zwolnienia: 2026-11-21, data wyprowadzenia:~2026-11-24",
                 true},
        TKrawedz{"599 office of destination", "IE599_bez_GR.xml", SZABLON_599, LINIA, "UC przeznaczenia: NO000080",
                 true},
        TKrawedz{"599 other-data section", "IE599_bez_GR.xml", SZABLON_599, LINIA, "Pozostałe dane", true},
        TKrawedz{"529 page has no other-data section", "IE529.xml", SZABLON_529, FRAGMENT, "Pozostałe dane", false},
        TKrawedz{"document namespace bound to the default prefix", "IE529_prefiks_domyslny.xml", SZABLON_529, LINIA,
                 "Numer LRN: SD/2026/0093, MRN:", true},
        TKrawedz{"document namespace bound to another prefix", "IE529_prefiks_inny.xml", SZABLON_529, LINIA,
                 "Numer LRN: SD/2026/0093, MRN:", true}),
    NazwaZOpisu());

// ---------------------------------------------------------------------------
// A root that is not the document element in the document namespace

struct TObcyKorzen
{
    const char *Plik;
    const char *Szablon;
    const char *Tytul;
};

void PrintTo(const TObcyKorzen &p_Przypadek, std::ostream *p_Strumien)
{
    *p_Strumien << p_Przypadek.Plik << " / " << p_Przypadek.Szablon;
}

class ObcyKorzen : public ::testing::TestWithParam<TObcyKorzen>
{
};

TEST_P(ObcyKorzen, StronaMaTylkoTytul)
{
    const TStrona strona = Wyrenderuj(Dane(QString::fromLatin1(GetParam().Plik)), GetParam().Szablon);
    EXPECT_EQ(strona.Linie(), QStringList{QString::fromUtf8(GetParam().Tytul)});
}

const char *const TYTUL_529 = "Zwolnienie do procedury wywozu (CC529C)";
const char *const TYTUL_599 = "Potwierdzenie wywozu (CC599C)";

INSTANTIATE_TEST_SUITE_P(Strony, ObcyKorzen,
                         ::testing::Values(TObcyKorzen{"IE529_inna_przestrzen.xml", SZABLON_529, TYTUL_529},
                                           TObcyKorzen{"IE599.xml", SZABLON_529, TYTUL_529},
                                           TObcyKorzen{"IE529.xml", SZABLON_599, TYTUL_599},
                                           TObcyKorzen{"obcy_korzen.xml", SZABLON_529, TYTUL_529},
                                           TObcyKorzen{"obcy_korzen.xml", SZABLON_599, TYTUL_599}),
                         NazwaZOpisu());

// A message in another schema's namespace, its children inheriting it: the
// children lose that namespace, the root keeps it, so still nothing but the title.
class PrzestrzenObcegoSchematu : public KatalogTestowy
{
};

TEST_F(PrzestrzenObcegoSchematu, DzieciWPrzestrzeniDomyslnejNieZmieniajaTegoZeStronaMaTylkoTytul)
{
    QByteArray tresc = CzytajPlik(Dane(QStringLiteral("IE529_przestrzen_domyslna.xml")));
    ASSERT_TRUE(tresc.contains("xmlns=\"http://www.mf.gov.pl/xsd/AES/CC529C.xsd\""));
    tresc.replace("/xsd/AES/CC529C.xsd", "/xsd/AES/v2/CC529C.xsd");
    const TStrona strona = Wyrenderuj(ZapiszPlik(QStringLiteral("v2.xml"), tresc), SZABLON_529);
    EXPECT_EQ(strona.Linie(), QStringList{QString::fromUtf8(TYTUL_529)});
}

// ---------------------------------------------------------------------------
// The document namespace however the message binds it: a default namespace the
// children inherit, or any prefix, on the children or not, gives the very page
// of the same message under "ns5:"

struct TBlizniak
{
    const char *Plik;
    const char *Wzor;
    const char *Szablon;
    const char *Linia;
};

void PrintTo(const TBlizniak &p_Przypadek, std::ostream *p_Strumien)
{
    *p_Strumien << p_Przypadek.Plik;
}

class PrzestrzenDokumentu : public ::testing::TestWithParam<TBlizniak>
{
};

TEST_P(PrzestrzenDokumentu, StronaTaSamaCoDlaPrefiksuNs5)
{
    const TStrona strona = Wyrenderuj(Dane(QString::fromLatin1(GetParam().Plik)), GetParam().Szablon);
    const TStrona wzor = Wyrenderuj(Dane(QString::fromLatin1(GetParam().Wzor)), GetParam().Szablon);
    // Two pages with every value empty would be identical too.
    EXPECT_TRUE(wzor.Linie().contains(Oczekiwany(GetParam().Linia))) << wzor.Tekst().toStdString();
    EXPECT_EQ(strona.Html(), wzor.Html());
    EXPECT_FALSE(strona.Html().contains("xmlns"));
}

const char *const KONTAKT_529 = "Osoba kontaktowa: Józef Dębski, tel.: +48 18 201 44 55";

INSTANTIATE_TEST_SUITE_P(
    Strony, PrzestrzenDokumentu,
    ::testing::Values(
        TBlizniak{"IE529_przestrzen_domyslna.xml", "IE529_minimalny.xml", SZABLON_529, KONTAKT_529},
        TBlizniak{"IE529_przestrzen_prefiks.xml", "IE529_minimalny.xml", SZABLON_529, KONTAKT_529},
        TBlizniak{"IE529_prefiks_domyslny.xml", "IE529_minimalny.xml", SZABLON_529, KONTAKT_529},
        TBlizniak{"IE529_prefiks_inny.xml", "IE529_minimalny.xml", SZABLON_529, KONTAKT_529},
        TBlizniak{"IE599_przestrzen_domyslna.xml", "IE599_maly.xml", SZABLON_599,
                  "Towar: Opis: Jacht żaglowy kabinowy, długość 11,9 m (na granicy: Jacht żaglowy kabinowy z masztem, "
                  "długość 11,9 m), kod CN: 89039110, kody dod. TARIC: 4099 (na granicy: 4098),"}),
    NazwaZOpisu());

// ---------------------------------------------------------------------------
// Coded values printed as Polish words: one element of a full fixture changed

struct TKod
{
    const char *Plik;
    const char *Szablon;
    const char *Bylo;
    const char *Jest;
    const char *Oczekiwany;
};

void PrintTo(const TKod &p_Przypadek, std::ostream *p_Strumien)
{
    *p_Strumien << p_Przypadek.Plik << ' ' << p_Przypadek.Oczekiwany;
}

struct TZamiana
{
    const char *Bylo;
    const char *Jest;
};

// A fixture message with pieces of its text replaced; each piece must be there.
class ZmienionaWiadomosc : public KatalogTestowy
{
protected:
    TStrona WyrenderujZmieniona(const char *p_Plik, const std::vector<TZamiana> &p_Zamiany, const char *p_Szablon)
    {
        QByteArray tresc = CzytajPlik(Dane(QString::fromLatin1(p_Plik)));
        for (const TZamiana &zamiana : p_Zamiany) {
            EXPECT_TRUE(tresc.contains(zamiana.Bylo)) << zamiana.Bylo;
            tresc.replace(zamiana.Bylo, zamiana.Jest);
        }
        return Wyrenderuj(ZapiszPlik(QStringLiteral("zmieniony.xml"), tresc), p_Szablon);
    }
};

class SlowaKodowe : public ZmienionaWiadomosc, public ::testing::WithParamInterface<TKod>
{
};

TEST_P(SlowaKodowe, KodDajeSwojeSlowo)
{
    const TKod &przypadek = GetParam();
    const TStrona strona =
        WyrenderujZmieniona(przypadek.Plik, {{przypadek.Bylo, przypadek.Jest}}, przypadek.Szablon);
    EXPECT_TRUE(strona.Tekst().contains(Oczekiwany(przypadek.Oczekiwany))) << strona.Tekst().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Strony, SlowaKodowe,
    ::testing::Values(
        TKod{"IE529.xml", SZABLON_529, "<status>2</status>", "<status>2</status>",
             "Rodzaj przedstawicielstwa: bezpośrednie,"},
        TKod{"IE529.xml", SZABLON_529, "<status>2</status>", "<status>3</status>",
             "Rodzaj przedstawicielstwa: pośrednie,"},
        TKod{"IE529.xml", SZABLON_529, "<status>2</status>", "<status>1</status>",
             "Rodzaj przedstawicielstwa: nieznane,"},
        TKod{"IE529.xml", SZABLON_529, "<security>2</security>", "<security>2</security>", "Dane bezpieczeństwa: tak"},
        TKod{"IE529.xml", SZABLON_529, "<security>2</security>", "<security>1</security>", "Dane bezpieczeństwa: nie"},
        TKod{"IE529.xml", SZABLON_529, "<drukEAD>1</drukEAD>", "<drukEAD>0</drukEAD>", "Druk EAD: pełny"},
        TKod{"IE529.xml", SZABLON_529, "<drukEAD>1</drukEAD>", "<drukEAD>1</drukEAD>", "Druk EAD: bez towarów"},
        TKod{"IE529.xml", SZABLON_529, "<drukEAD>1</drukEAD>", "<drukEAD>2</drukEAD>", "Druk EAD: brak"},
        // an unknown code is shown as it is rather than lost
        TKod{"IE529.xml", SZABLON_529, "<drukEAD>1</drukEAD>", "<drukEAD>7</drukEAD>", "Druk EAD: 7"},
        TKod{"IE529.xml", SZABLON_529, "<containerIndicator>1</containerIndicator>",
             "<containerIndicator>1</containerIndicator>", "Kontenery: Tak"},
        TKod{"IE529.xml", SZABLON_529, "<containerIndicator>1</containerIndicator>",
             "<containerIndicator>0</containerIndicator>", "Kontenery: Nie"},
        TKod{"IE599.xml", SZABLON_599, "<storingFlag>1</storingFlag>", "<storingFlag>1</storingFlag>",
             "Składowanie: tak"},
        TKod{"IE599.xml", SZABLON_599, "<storingFlag>1</storingFlag>", "<storingFlag>0</storingFlag>",
             "Składowanie: nie"},
        TKod{"IE599.xml", SZABLON_599, "<stateOfSeals>1</stateOfSeals>", "<stateOfSeals>1</stateOfSeals>",
             "stan zamknięć: Zamknięcia celne prawidłowe"},
        TKod{"IE599.xml", SZABLON_599, "<stateOfSeals>1</stateOfSeals>", "<stateOfSeals>0</stateOfSeals>",
             "stan zamknięć: Zamknięcia celne nieprawidłowe"},
        TKod{"IE599.xml", SZABLON_599, "<security>1</security>", "<security>2</security>",
             "Dane bezpieczeństwa: tak"}),
    NazwaZOpisu());

// ---------------------------------------------------------------------------
// Elements one level off the usual place, as messages may group them (additional
// codes inside CommodityCode, the additional procedure inside Procedure, the
// storing flag beside ExportOperation), wholly or in part: the same page as the
// usual shape, every value once and in document order

const TZamiana KodCNBezZamkniecia = {"<combinedNomenclatureCode>10</combinedNomenclatureCode>\n        </CommodityCode>",
                                     "<combinedNomenclatureCode>10</combinedNomenclatureCode>"};
const TZamiana KodyKrajoweWKodzieCN = {"</NationalAdditionalCode>\n        <DangerousGoods>",
                                       "</NationalAdditionalCode>\n        </CommodityCode>\n        <DangerousGoods>"};
const TZamiana PierwszyKodTARICWKodzieCN = {
    "</TARICAdditionalCode>\n        <TARICAdditionalCode>",
    "</TARICAdditionalCode>\n        </CommodityCode>\n        <TARICAdditionalCode>"};
const TZamiana ProceduraBezZamkniecia = {"</Procedure>\n      <AdditionalProcedure>", "\n      <AdditionalProcedure>"};
const TZamiana ProceduraDodatkowaWProcedurze = {"</AdditionalProcedure>\n      <Origin>",
                                                "</AdditionalProcedure>\n      </Procedure>\n      <Origin>"};

struct TZmiana
{
    const char *Opis;
    const char *Plik;
    const char *Szablon;
    std::vector<TZamiana> Zamiany;
    const char *Fragment;
};

void PrintTo(const TZmiana &p_Przypadek, std::ostream *p_Strumien)
{
    *p_Strumien << p_Przypadek.Opis;
}

class Zagniezdzenie : public ZmienionaWiadomosc, public ::testing::WithParamInterface<TZmiana>
{
};

TEST_P(Zagniezdzenie, StronaTaSamaCoDlaPlaskiegoKsztaltu)
{
    const TZmiana &przypadek = GetParam();
    const TStrona plaska = Wyrenderuj(Dane(QString::fromLatin1(przypadek.Plik)), przypadek.Szablon);
    const TStrona zagniezdzona = WyrenderujZmieniona(przypadek.Plik, przypadek.Zamiany, przypadek.Szablon);
    EXPECT_TRUE(plaska.Tekst().contains(Oczekiwany(przypadek.Fragment))) << plaska.Tekst().toStdString();
    EXPECT_EQ(zagniezdzona.Tekst().toStdString(), plaska.Tekst().toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Strony, Zagniezdzenie,
    ::testing::Values(
        TZmiana{"529 additional codes inside CommodityCode", "IE529.xml", SZABLON_529,
                       {KodCNBezZamkniecia, KodyKrajoweWKodzieCN},
                       "kody dod. TARIC: 4100, 7000, krajowe kody dod.: V000, towary niebezpieczne: 1845"},
        TZmiana{"529 first TARIC code inside CommodityCode, the rest beside it", "IE529.xml", SZABLON_529,
                       {KodCNBezZamkniecia, PierwszyKodTARICWKodzieCN},
                       "kody dod. TARIC: 4100, 7000, krajowe kody dod.: V000, towary niebezpieczne: 1845"},
        TZmiana{"529 additional procedure inside Procedure", "IE529.xml", SZABLON_529,
                       {ProceduraBezZamkniecia, ProceduraDodatkowaWProcedurze}, "Procedura: 1007; F15"},
        TZmiana{"599 additional codes inside CommodityCode", "IE599.xml", SZABLON_599,
                       {KodCNBezZamkniecia, KodyKrajoweWKodzieCN},
                       "kody dod. TARIC: 4099 (na granicy: 4098), krajowe kody dod.: V000, towary niebezpieczne"},
        TZmiana{"599 additional procedure inside Procedure", "IE599.xml", SZABLON_599,
                       {ProceduraBezZamkniecia, ProceduraDodatkowaWProcedurze}, "Procedura: 1000; 000"},
        TZmiana{"599 storing flag beside ExportOperation", "IE599.xml", SZABLON_599,
                       {{"    <storingFlag>1</storingFlag>\n", ""},
                        {"  <CustomsOfficeOfExport>", "  <storingFlag>1</storingFlag>\n  <CustomsOfficeOfExport>"}},
                       "Składowanie: tak"}),
    NazwaZOpisu());

// ---------------------------------------------------------------------------
// One message changed where the page used to lose or garble a value: the page
// now shows it, in its place

class ZmienionaStrona : public ZmienionaWiadomosc, public ::testing::WithParamInterface<TZmiana>
{
};

TEST_P(ZmienionaStrona, WartoscNaSwoimMiejscu)
{
    const TZmiana &przypadek = GetParam();
    const TStrona strona = WyrenderujZmieniona(przypadek.Plik, przypadek.Zamiany, przypadek.Szablon);
    EXPECT_TRUE(strona.Tekst().contains(Oczekiwany(przypadek.Fragment))) << strona.Tekst().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Strony, ZmienionaStrona,
    ::testing::Values(
        TZmiana{"item authorisations each on its own line", "IE529.xml", SZABLON_529,
                {{"      </Authorisation>\n      <Packaging>",
                  "      </Authorisation>\n      <Authorisation><sequenceNumber>2</sequenceNumber><type>C512</type>"
                  "<referenceNumber>PLCWP301000202600012</referenceNumber></Authorisation>\n      <Packaging>"}},
                "Pozwolenia:\n1. Rodzaj pozw.: C601, numer: PLAEOC301000202000004, posiadacz: PL7750001234000\n"
                "2. Rodzaj pozw.: C512, numer: PLCWP301000202600012\nOpakowania"},
        TZmiana{"599 item authorisations each on its own line", "IE599_maly.xml", SZABLON_599,
                {{"      </Commodity>\n      <Packaging>",
                  "      </Commodity>\n      <Authorisation><sequenceNumber>1</sequenceNumber><type>C601</type>"
                  "<referenceNumber>PLAEOF322000201900011</referenceNumber></Authorisation><Authorisation>"
                  "<sequenceNumber>2</sequenceNumber><type>C512</type><referenceNumber>PLCWP322000202600002</referenceNumber>"
                  "<holderOfAuthorisation>PL5842716309000</holderOfAuthorisation></Authorisation>\n      <Packaging>"}},
                "Pozwolenia:\n1. Rodzaj pozw.: C601, numer: PLAEOF322000201900011\n"
                "2. Rodzaj pozw.: C512, numer: PLCWP322000202600002, posiadacz: PL5842716309000\nOpakowania"},
        TZmiana{"529 goods title without a Commodity", "IE529_minimalny.xml", SZABLON_529,
                {{"</GoodsShipment>",
                  "<GoodsItem><declarationGoodsItemNumber>1</declarationGoodsItemNumber></GoodsItem></GoodsShipment>"}},
                "| Pozycja 1\n|\nTowar:\nPozwolenia:\nOpakowania"},
        TZmiana{"599 goods title without a Commodity", "IE599_maly.xml", SZABLON_599,
                {{"<Commodity>", "<Inne>"}, {"</Commodity>", "</Inne>"}}, "| Pozycja 1\n|\nTowar:\nPozwolenia:\nOpakowania"},
        TZmiana{"529 issuing authority and validity date without a line number", "IE529.xml", SZABLON_529,
                {{"\n      <documentLineItemNumber>3</documentLineItemNumber>", ""}},
                "2. C644-WET/2026/8812, organ wydający: Powiatowy Lekarz Weterynarii w Łęczycy, data ważności: 2026-12-31\n"},
        TZmiana{"599 exit result without a control at export", "IE599_maly.xml", SZABLON_599, {},
                "Pozostałe dane\nWyniki kontroli:\n"
                "Na granicy: Kod wyniku: A2, data wyprowadzenia towaru: 2026-11-24, stan zamknięć: Zamknięcia celne prawidłowe"}),
    NazwaZOpisu());

// ---------------------------------------------------------------------------
// IE599: a value found only at the border, its declared sibling absent, is
// shown where the declared one would be, with no empty slot or separator before it

INSTANTIATE_TEST_SUITE_P(
    TylkoNaGranicy, ZmienionaStrona,
    ::testing::Values(
        TZmiana{"previous document", "IE599.xml", SZABLON_599,
                {{"\n      <type>N830</type>", ""}, {"\n      <referenceNumber>26PL322010E0009012</referenceNumber>", ""}},
                "Dokumenty poprzednie: 1. (na granicy: N830-26PL322010E0009021)\n"},
        TZmiana{"supporting document; authority and date kept without a line number", "IE599.xml", SZABLON_599,
                {{"\n      <type>N380</type>", ""},
                 {"\n      <referenceNumber>FV 118/11/2026</referenceNumber>", ""},
                 {"\n      <documentLineItemNumber>2</documentLineItemNumber>", ""}},
                "Dokumenty wymagane: 1. (na granicy: N380-FV 118/11/2026/K~poz.~4), organ wydający: Stocznia Jachtowa "
                "Gdańsk-Wisłoujście, data ważności: 2027-01-31\n"},
        TZmiana{"additional reference", "IE599.xml", SZABLON_599,
                {{"\n      <type>Y024</type>", ""}, {"\n      <referenceNumber>AEO-PL-2019-011</referenceNumber>", ""}},
                "Dodatkowe odniesienia: 1. (na granicy: Y024-AEOF-PL-2019-011)\n"},
        TZmiana{"container number", "IE599.xml", SZABLON_599,
                {{"<containerIdentificationNumber>TGHU8812340</containerIdentificationNumber>", ""}},
                "1. Nr kontenera: (na granicy: TGHU8812346), zamknięcia:~1: (PL322010-0007751) (na granicy: 2: "},
        TZmiana{"seal count and seals", "IE599.xml", SZABLON_599,
                {{"<numberOfSeals>1</numberOfSeals>", ""}, {"<identifier>PL322010-0007751</identifier>", ""}},
                "zamknięcia:~(na granicy: 2: (PL322010-0007751, PL322030-0001204)), numery pozycji tow.: 1, 2"},
        TZmiana{"seals without a border count", "IE599.xml", SZABLON_599, {{"<numberOfSeals_GR>2</numberOfSeals_GR>", ""}},
                "zamknięcia:~1: (PL322010-0007751) (na granicy: (PL322010-0007751, PL322030-0001204)), numery"},
        TZmiana{"one goods item number", "IE599.xml", SZABLON_599,
                {{"<declarationGoodsItemNumber>2</declarationGoodsItemNumber>\n          <declarationGoodsItemNumber_GR>",
                  "<declarationGoodsItemNumber_GR>"}},
                "numery pozycji tow.: 1 (na granicy: 1, 2)\n"},
        TZmiana{"departure means of transport", "IE599.xml", SZABLON_599,
                {{"<typeOfIdentification>11</typeOfIdentification>\n        <typeOfIdentification_GR>",
                  "<typeOfIdentification_GR>"},
                 {"<identificationNumber>IMO 9387421</identificationNumber>", ""},
                 {"<nationality>NO</nationality>\n        <nationality_GR>", "<nationality_GR>"}},
                "\n1. (na granicy: 11/IMO 9387433/MT);~\n"},
        TZmiana{"transport document", "IE599.xml", SZABLON_599,
                {{"<type>N705</type>\n        <type_GR>", "<type_GR>"},
                 {"<referenceNumber>GDN-OSL-88412</referenceNumber>\n        <referenceNumber_GR>", "<referenceNumber_GR>"}},
                "Dokumenty transportowe: 1. (na granicy: N705-GDN-OSL-88413)\n"},
        TZmiana{"consignment gross mass", "IE599.xml", SZABLON_599, {{"<grossMass>9870.000</grossMass>", ""}},
                "\n| Transport wewnętrzny: 3\nTransp. na granicy: 1\nMasa brutto: (na granicy: 9935.000)\n"},
        TZmiana{"description of goods", "IE599.xml", SZABLON_599,
                {{"<descriptionOfGoods>Jacht żaglowy kabinowy, długość 11,9 m</descriptionOfGoods>", ""}},
                "Towar: Opis: (na granicy: Jacht żaglowy kabinowy z masztem, długość 11,9 m), kod CUS: "},
        TZmiana{"CUS code", "IE599.xml", SZABLON_599, {{"<cusCode>0001111-9</cusCode>", ""}},
                ", kod CUS: (na granicy: 0001111-9), kod CN: "},
        TZmiana{"CN code", "IE599.xml", SZABLON_599,
                {{"<harmonizedSystemSubHeadingCode>890391</harmonizedSystemSubHeadingCode>", ""},
                 {"<combinedNomenclatureCode>10</combinedNomenclatureCode>", ""}},
                ", kod CN: (na granicy: 890392), kody dod. TARIC: "},
        TZmiana{"a second TARIC code", "IE599.xml", SZABLON_599,
                {{"</TARICAdditionalCode>\n        <NationalAdditionalCode>",
                  "</TARICAdditionalCode>\n        <TARICAdditionalCode><sequenceNumber>2</sequenceNumber>"
                  "<taricAdditionalCode_GR>4101</taricAdditionalCode_GR></TARICAdditionalCode>\n        <NationalAdditionalCode>"}},
                "kody dod. TARIC: 4099 (na granicy: 4098), (na granicy: 4101), krajowe kody dod.: V000"},
        TZmiana{"UN number", "IE599.xml", SZABLON_599, {{"<UNNumber>1202</UNNumber>", ""}},
                "towary niebezpieczne: (na granicy: 1203)\n"},
        TZmiana{"packaging, type not among the border values", "IE599.xml", SZABLON_599,
                {{"<typeOfPackages_GR>CT</typeOfPackages_GR>", ""}},
                "2. 2/CT/SJG-1187/O1-O2 (na granicy: 3//SJG-1187/O1-O3)\n"},
        TZmiana{"packaging", "IE599.xml", SZABLON_599,
                {{"<typeOfPackages>CT</typeOfPackages>\n        <typeOfPackages_GR>", "<typeOfPackages_GR>"},
                 {"<numberOfPackages>2</numberOfPackages>\n", ""},
                 {"<shippingMarks>SJG-1187/O1-O2</shippingMarks>\n", ""}},
                "1. 3/BG/SJG-1187/Z1-Z3;~ 2. (na granicy: 3/CT/SJG-1187/O1-O3)\n"},
        TZmiana{"item previous document", "IE599.xml", SZABLON_599,
                {{"\n        <type>N830</type>", ""},
                 {"\n        <referenceNumber>26PL322010E0009012</referenceNumber>", ""},
                 {"\n        <goodsItemNumber>1</goodsItemNumber>", ""},
                 {"<typeOfPackages>NE</typeOfPackages>\n        <typeOfPackages_GR>NE</typeOfPackages_GR>\n"
                  "        <numberOfPackages>1</numberOfPackages>\n        <numberOfPackages_GR>1</numberOfPackages_GR>\n"
                  "        <measurementUnitAndQualifier>NAR</measurementUnitAndQualifier>\n"
                  "        <measurementUnitAndQualifier_GR>NAR</measurementUnitAndQualifier_GR>\n"
                  "        <quantity>1</quantity>\n",
                  "<typeOfPackages_GR>NE</typeOfPackages_GR>\n        <numberOfPackages_GR>1</numberOfPackages_GR>\n"
                  "        <measurementUnitAndQualifier_GR>NAR</measurementUnitAndQualifier_GR>\n"}},
                "Dokumenty poprzednie: 1. (na granicy: N830-26PL322010E0009021, nr pozycji tow.: 2, opakowania: 1~NE, "
                "ilość: 1~NAR)\n"},
        TZmiana{"item supporting document", "IE599.xml", SZABLON_599,
                {{"\n        <type>N380</type>", ""},
                 {"\n        <referenceNumber>FV 118/11/2026</referenceNumber>", ""},
                 {"\n        <documentLineItemNumber>1</documentLineItemNumber>", ""}},
                "Dokumenty wymagane: 1. (na granicy: N380-FV 118/11/2026/K~poz.~1, jedn. miary: NAR), organ wydający: "},
        TZmiana{"item additional reference", "IE599.xml", SZABLON_599,
                {{"\n        <type>Y923</type>", ""}, {"\n        <referenceNumber>Nie dotyczy</referenceNumber>", ""}},
                "Dodatkowe odniesienia: 1. (na granicy: Y923-Nie dotyczy)\n"},
        TZmiana{"item masses", "IE599.xml", SZABLON_599,
                {{"<grossMass>9450.000</grossMass>", ""}, {"<netMass>8900.000</netMass>", ""}},
                "Masa brutto: (na granicy: 9500.000)\nMasa netto: (na granicy: 8950.000)\n"}),
    NazwaZOpisu());

// ---------------------------------------------------------------------------
// Computed fields: count and sums by XPath, printed without thousands separators
// and without a decimal point when integral

struct TPozycje
{
    const char *Opis;
    std::vector<const char *> WartosciStatystyczne;
    std::vector<std::vector<const char *>> OpakowaniaPozycji;
    const char *LiczbaOpakowan;
    const char *SumaWartosci;
};

void PrintTo(const TPozycje &p_Przypadek, std::ostream *p_Strumien)
{
    *p_Strumien << p_Przypadek.Opis;
}

class PolaObliczane : public KatalogTestowy, public ::testing::WithParamInterface<TPozycje>
{
};

TEST_P(PolaObliczane, LiczbaPozycjiISumy)
{
    const TPozycje &przypadek = GetParam();
    QByteArray pozycje;
    for (size_t i = 0; i < przypadek.WartosciStatystyczne.size(); ++i) {
        pozycje += "<GoodsItem><declarationGoodsItemNumber>" + QByteArray::number(qulonglong(i + 1)) +
                   "</declarationGoodsItemNumber><statisticalValue>" + przypadek.WartosciStatystyczne[i] +
                   "</statisticalValue>";
        for (const char *liczba : przypadek.OpakowaniaPozycji[i])
            pozycje += QByteArray("<Packaging><numberOfPackages>") + liczba + "</numberOfPackages></Packaging>";
        pozycje += "</GoodsItem>";
    }
    QByteArray tresc = CzytajPlik(Dane(QStringLiteral("IE529_minimalny.xml")));
    tresc.replace("</GoodsShipment>", pozycje + "</GoodsShipment>");
    const TStrona strona = Wyrenderuj(ZapiszPlik(QStringLiteral("pozycje.xml"), tresc), SZABLON_529);

    const QString liczba = QString::number(przypadek.WartosciStatystyczne.size());
    EXPECT_TRUE(strona.Linie().contains(QStringLiteral("Liczba pozycji: ") + liczba));
    EXPECT_TRUE(strona.Linie().contains(QStringLiteral("Liczba opakowań: ") + przypadek.LiczbaOpakowan));
    EXPECT_TRUE(strona.Linie().contains(QStringLiteral("Suma wart. stat.: ") + przypadek.SumaWartosci));
    EXPECT_EQ(strona.Linie().filter(QStringLiteral("| Pozycja ")).size(), liczba.toInt());
}

INSTANTIATE_TEST_SUITE_P(
    Strony, PolaObliczane,
    ::testing::Values(TPozycje{"integral sum has no decimal point", {"1200.50", "799.50"}, {{"3", "4"}, {"1"}}, "8", "2000"},
                      TPozycje{"no thousands separator", {"1234567.25"}, {{"12000"}}, "12000", "1234567.25"},
                      TPozycje{"item without packaging", {"10", "0.75", "5"}, {{"2"}, {}, {"2"}}, "4", "15.75"}),
    NazwaZOpisu());

} // namespace
