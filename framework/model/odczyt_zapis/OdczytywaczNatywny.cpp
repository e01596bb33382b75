#include "OdczytywaczNatywny.h"

#include "KodowanieZnakow.h"
#include "ListaObiektow.h"
#include "ListaWskObiektow.h"
#include "ListyTekstow.h"
#include "Obiekt.h"
#include "PoleArrayOfConst.h"
#include "WyjatkiModelu.h"

namespace {

const QByteArray SlowoObject = QByteArrayLiteral("object");
const QByteArray SlowoEnd = QByteArrayLiteral("end");

bool jestNapisem(unsigned char p_Token)
{
    return p_Token == TLkParser::toString || p_Token == TLkParser::toWString;
}

} // namespace

TOdczytywaczNatywny::TOdczytywaczNatywny(TStream *p_Strumien, TStringCache *p_StringCache)
    : TOdczytywaczTekstu(p_Strumien, p_StringCache)
{
}

bool TOdczytywaczNatywny::WczytajObiekt(TObiektBazowy &p_Obiekt)
{
    bool wynik = false;
    WczytajDokument(p_Obiekt, [&] {
        TLkParser &parser = Parser();
        parser.CheckTokenSymbol(SlowoObject);
        parser.NextToken();
        parser.CheckToken(TLkParser::toSymbol);
        const QString typ = TekstZPolskiegoAnsi(parser.TokenString());
        if (!p_Obiekt.MoznaCzytacDaneTypu(typ))
            throw ELkObcyTypError(typ, p_Obiekt.ClassName());
        parser.NextToken();
        // A list as the root reads its content as a list field does (and numbers itself there).
        if (TObiekt *obiekt = p_Obiekt.JakoTObiekt()) {
            OdczytywanoPole(*obiekt);
            WczytajPola(*obiekt);
        } else if (!WczytajListe(p_Obiekt)) {
            parser.Error(QStringLiteral("Brak implementacji %1").arg(p_Obiekt.ClassName()));
        }
        if (PrzerwijOdczyt) {
            ZerujReferencje();
            return;
        }
        parser.CheckTokenSymbol(SlowoEnd);
        parser.NextToken();
        wynik = PominietoDane == 0;
    });
    return wynik;
}

void TOdczytywaczNatywny::WczytajPola(TObiekt &p_Obiekt)
{
    TPoziomOdczytu poziom(*this);
    TLkParser &parser = Parser();
    while (!PrzerwijOdczyt) {
        if (parser.Token() == TLkParser::toEOF)
            parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
        if (parser.TokenSymbolIs(SlowoEnd))
            return;
        if (parser.TokenSymbolIs(SlowoObject))
            WczytajPodobiekt(p_Obiekt);
        else
            WczytajPoleProste(p_Obiekt);
    }
}

int16_t TOdczytywaczNatywny::ZnajdzPole(const TObiekt &p_Obiekt, const QString &p_Nazwa)
{
    OdczTunel = false;
    int16_t nr = p_Obiekt.NrPolaONazwie(p_Nazwa);
    if (nr < 0) {
        nr = p_Obiekt.NrPolaOPoprzNazwie(p_Nazwa);
        OdczTunel = nr >= 0;
    }
    return nr;
}

const QString &TOdczytywaczNatywny::NazwaPola()
{
    const QByteArrayView bajty = Parser().TokenView();
    if (bajty.isEmpty() || bajty.size() > NajdluzszaNazwa) {
        FNazwaDluga = TekstZPolskiegoAnsi(bajty.toByteArray());
        return FNazwaDluga;
    }
    // The length and both ends tell a class's names apart; a clash only decodes again.
    const auto miejsce = static_cast<size_t>(bajty.size()) * 31 + static_cast<uint8_t>(bajty.front()) * 7
                         + static_cast<uint8_t>(bajty.back());
    TNazwaPola &nazwa = FNazwy[miejsce % IleNazw];
    if (nazwa.Bajty.isNull() || QByteArrayView(nazwa.Bajty) != bajty) {
        nazwa.Bajty = bajty.toByteArray();
        nazwa.Nazwa = TekstZPolskiegoAnsi(nazwa.Bajty);
    }
    return nazwa.Nazwa;
}

void TOdczytywaczNatywny::WczytajPodobiekt(TObiekt &p_Obiekt)
{
    TLkParser &parser = Parser();
    parser.NextToken();
    parser.CheckToken(TLkParser::toSymbol);
    const int16_t nr = ZnajdzPole(p_Obiekt, NazwaPola());
    parser.NextToken();
    TObiektBazowy *podobiekt = nr >= 0 ? p_Obiekt.Pola(nr).JakoObiekt() : nullptr;
    if (!podobiekt || !(podobiekt->JakoTObiekt() || WczytajListe(*podobiekt))) {
        ++PominietoDane;
        PominBlok();
        return;
    }
    if (TObiekt *zPolami = podobiekt->JakoTObiekt()) {
        OdczytywanoPole(*zPolami);
        WczytajPola(*zPolami);
    }
    if (PrzerwijOdczyt)
        return;
    parser.CheckTokenSymbol(SlowoEnd);
    parser.NextToken();
}

bool TOdczytywaczNatywny::WczytajListe(TObiektBazowy &p_Lista)
{
    TLkParser &parser = Parser();
    if (auto *wskazania = dynamic_cast<TListaWskObiektow *>(&p_Lista)) {
        OdczytywanoPole(*wskazania);
        wskazania->ZerujDane();
        RejestrujListe(*wskazania);
        parser.CheckToken('(');
        while (parser.NextToken() != ')') {
            parser.CheckToken(TLkParser::toInteger);
            DodajRefListyNumer(*wskazania, parser.TokenInt());
            if (parser.NextToken() == ')')
                break;
            parser.CheckToken(',');
        }
        parser.NextToken();
    } else if (auto *stale = dynamic_cast<TPoleArrayOfConst *>(&p_Lista)) {
        // arrays of constants: their own lines
        stale->WczytajBlokTekstowy(*this);
    } else if (auto *wartosci = dynamic_cast<TListaWartBazowa *>(&p_Lista)) {
        OdczytywanoPole(*wartosci);
        wartosci->ZerujDane();
        if (!parser.TokenSymbolIs(SlowoEnd))
            wartosci->SetJakoString(WczytajTekst());
        if (auto *linie = dynamic_cast<TPoleStrList *>(wartosci))
            UzyjCache(linie->Wartosci);
    } else if (auto *lista = dynamic_cast<TListaObiektow *>(&p_Lista)) {
        // The document was cleared before reading: items here come from the
        // same list given twice, and freeing them would leave their numbers
        // pointing at nothing.
        if (lista->IleObiektow() > 0)
            parser.Error(QStringLiteral("Lista obiektów powtórzona w dokumencie"));
        OdczytywanoPole(*lista);
        TPoziomOdczytu poziom(*this);
        if (!parser.TokenSymbolIs(SlowoObject) && !parser.TokenSymbolIs(SlowoEnd)) {
            // One item given by its fields alone takes the list's number.
            OdczObiekty.pop_back();
            TObiekt &element = *static_cast<TObiekt *>(lista->DodajObiekt(nullptr, 0));
            OdczytywanoPole(element);
            WczytajPola(element);
            return true;
        }
        while (!PrzerwijOdczyt && parser.TokenSymbolIs(SlowoObject)) {
            parser.NextToken();
            TObiekt &element = *static_cast<TObiekt *>(lista->DodajObiekt(nullptr, lista->IleObiektow()));
            OdczytywanoPole(element);
            WczytajPola(element);
            if (PrzerwijOdczyt)
                break;
            parser.CheckTokenSymbol(SlowoEnd);
            parser.NextToken();
        }
    } else {
        return false;
    }
    return true;
}

void TOdczytywaczNatywny::WczytajPoleProste(TObiekt &p_Obiekt)
{
    TLkParser &parser = Parser();
    parser.CheckToken(TLkParser::toSymbol);
    const int16_t nr = ZnajdzPole(p_Obiekt, NazwaPola());
    parser.NextToken();
    parser.CheckToken('=');
    parser.NextToken();
    if (nr < 0) {
        ++PominietoDane;
        PominWartosc();
        return;
    }
    TObiekt *cel = &p_Obiekt;
    int16_t nrCelu = nr;
    TPole *pole = &p_Obiekt.Pola(nr);
    if (TObiektBazowy *obiekt = pole->JakoObiekt()) {
        // An object takes a simple value only in its "_Value_" field.
        cel = obiekt->JakoTObiekt();
        nrCelu = cel ? cel->NrPolaONazwie(QStringLiteral("_Value_")) : -1;
        if (nrCelu < 0 || cel->Pola(nrCelu).JakoObiekt())
            parser.Error(QStringLiteral("próba odczytu pola prostego obiektem"));
        pole = &cel->Pola(nrCelu);
    }
    OdczObiekt = cel;
    OdczPole = nrCelu;
    PoleProste = true;
    const size_t obiektow = OdczObiekty.size();
    try {
        pole->WczytajTekstowo(*this);
    } catch (Exception &e) {
        PoleProste = false;
        e.SetMessage(p_Obiekt.DajSciezkeDoSiebie(nullptr, false, false, nr) + QStringLiteral(": ") + e.Message());
        throw;
    }
    PoleProste = false;
    // A line read is a value, also one equal to the empty value (False, 0).
    cel->UstawMaWartosc(nrCelu, true);
    OdczObiekty.resize(obiektow);
}

void TOdczytywaczNatywny::PominBlok()
{
    TLkParser &parser = Parser();
    int poziom = 1;
    while (poziom > 0) {
        if (parser.Token() == TLkParser::toEOF)
            parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
        if (parser.TokenSymbolIs(SlowoObject))
            ++poziom;
        else if (parser.TokenSymbolIs(SlowoEnd))
            --poziom;
        if (jestNapisem(parser.Token()))
            WczytajTekstAnsi();
        else
            parser.NextToken();
    }
}

void TOdczytywaczNatywny::PominWartosc()
{
    TLkParser &parser = Parser();
    if (parser.Token() == TLkParser::toEOF)
        parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
    if (jestNapisem(parser.Token())) {
        WczytajTekstAnsi();
        return;
    }
    if (parser.Token() == '(') {
        // A list of references.
        while (parser.NextToken() != ')')
            if (parser.Token() == TLkParser::toEOF)
                parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
        parser.NextToken();
        return;
    }
    const bool calkowita = parser.Token() == TLkParser::toInteger;
    parser.NextToken();
    // A decimal comma splits a number into two integer tokens.
    if (calkowita && parser.Token() == ',') {
        parser.NextToken();
        parser.CheckToken(TLkParser::toInteger);
        parser.NextToken();
    }
}
