#include "Obiekt.h"

#include "LkXMLParser.h"
#include "OdczytywaczXML.h"
#include "PolaTekstowe.h"
#include "WyjatkiModelu.h"

#include "Formatuj.h"

bool TObiekt::MoznaCzytacDaneTypu(const QString &p_NazwaTypu) const
{
    return p_NazwaTypu.compare(AliasXMLPolaNr(-1), Qt::CaseInsensitive) == 0
        || TObiektBazowy::MoznaCzytacDaneTypu(p_NazwaTypu);
}

bool TObiekt::CzyKorzenXMLTegoTypu(const QString &p_Nazwa) const
{
    // A prefix of the document's choosing does not change the type.
    auto lokalna = [](const QString &p_Kwalifikowana) { return p_Kwalifikowana.mid(p_Kwalifikowana.indexOf(QLatin1Char(':')) + 1); };
    return TObiektBazowy::CzyKorzenXMLTegoTypu(p_Nazwa)
        || lokalna(p_Nazwa).compare(lokalna(AliasXMLPolaNr(-1)), Qt::CaseInsensitive) == 0;
}

int16_t TObiekt::PoleWgNazwyXML(const QString &p_Nazwa, bool &p_PoprzNazwa) const
{
    p_PoprzNazwa = false;
    int16_t nr = NrPolaOAliasieXML(p_Nazwa);
    if (nr < 0)
        nr = NrPolaONazwie(p_Nazwa);
    if (nr >= 0)
        return nr;
    QString lokalna = p_Nazwa.mid(p_Nazwa.indexOf(QLatin1Char(':')) + 1);
    lokalna.replace(QLatin1Char('-'), QLatin1Char('_'));
    nr = NrPolaONazwie(lokalna);
    if (nr < 0) {
        nr = NrPolaOPoprzNazwie(lokalna);
        p_PoprzNazwa = nr >= 0;
    }
    return nr;
}

namespace {

bool jestTekstowe(const TPole &p_Pole)
{
    return p_Pole.Klasa().DziedziczyPo(TPoleString::Opis) || p_Pole.Klasa().DziedziczyPo(TPoleWideString::Opis)
        || p_Pole.Klasa().DziedziczyPo(TPoleRawByteString::Opis);
}

// A parser error out of a child element names the element in its path.
template <typename F> void wKontekscie(const QString &p_Nazwa, F p_Czytaj)
{
    try {
        p_Czytaj();
    } catch (ELkParserError &e) {
        e.SetMessage(TOdczytywaczTekstuZRef::KorygujTrescWyjatku(e.Message(), p_Nazwa));
        throw;
    }
}

// WczytajPoleXML with the field at hand.
void wczytajPole(TObiekt &p_Obiekt, TOdczytywaczXML &p_Odczytywacz, int16_t p_Nr, TPole &p_Pole, bool p_PoprzNazwa)
{
    p_Odczytywacz.OdczObiekt = &p_Obiekt;
    p_Odczytywacz.OdczPole = p_Nr;
    p_Odczytywacz.OdczTunel = p_PoprzNazwa;
    try {
        p_Pole.WczytajXMLowo(p_Odczytywacz);
    } catch (const EConvertError &e) {
        // A value that is no date or number is the document's fault: told with its place.
        p_Odczytywacz.Parser().Error(e.Message());
    }
    p_Obiekt.UstawMaWartosc(p_Nr, true);
}

} // namespace

void TObiekt::WczytajPoleXML(TOdczytywaczXML &p_Odczytywacz, int16_t p_Nr, bool p_PoprzNazwa)
{
    wczytajPole(*this, p_Odczytywacz, p_Nr, Pola(p_Nr), p_PoprzNazwa);
}

void TObiekt::WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu)
{
    TLkXMLParser &parser = p_Odczytywacz.Parser();
    p_Odczytywacz.OdczytywanoPole(*this);
    p_Odczytywacz.Zagniezdz();

    parser.NextToken();
    QByteArray atrybut;
    while (parser.Token() == TLkParser::toSymbol) {
        // The value is read into the name's buffer: a name already known to
        // the class is settled before, any other is kept as bytes.
        const QByteArrayView symbol = parser.TokenView();
        const bool id = symbol.size() == 2 && (symbol[0] | 0x20) == 'i' && (symbol[1] | 0x20) == 'd';
        const TOdczytywaczXML::TNazwaPola *znana = id ? nullptr : p_Odczytywacz.ZnanaNazwaPola(*this, symbol);
        if (!znana && !id) {
            atrybut.resize(0);
            atrybut.append(symbol);
        }
        p_Odczytywacz.PrzygotujWartoscPoNazwie();
        if (id) {
            p_Odczytywacz.PrzypiszObiektDoID(*this, parser.TokenView());
            parser.NextToken();
            continue;
        }
        bool poprzNazwa = znana && znana->Poprz;
        const int16_t nr = znana ? znana->Nr : p_Odczytywacz.PoleWgNazwy(*this, atrybut, poprzNazwa);
        if (nr < 0) {
            p_Odczytywacz.PominAtrybutXML(*this, p_Odczytywacz.Przekoduj(atrybut));
            parser.NextToken();
            continue;
        }
        if (parser.TokenStringLength() == 0) {
            UstawMaWartosc(nr, false);
            parser.NextToken();
            continue;
        }
        TPole &pole = Pola(nr);
        TObiektBazowy *obiekt = pole.JakoObiekt();
        TObiekt *podobiekt = obiekt ? pole.JakoTObiekt() : nullptr;
        if (!obiekt) {
            wczytajPole(*this, p_Odczytywacz, nr, pole, poprzNazwa);
        } else if (obiekt->WczytajAtrybutXML(p_Odczytywacz)) {
            // a value list given as one attribute
        } else if (const int16_t wartosc = podobiekt ? p_Odczytywacz.PoleWartosci(*podobiekt) : -1; wartosc >= 0) {
            podobiekt->WczytajPoleXML(p_Odczytywacz, wartosc, false);
        } else {
            QString tresc = p_Odczytywacz.Przekoduj(parser.TokenView());
            if (tresc.size() > 255)
                tresc = tresc.left(255) + QStringLiteral("(...)");
            throw LkException(Format(QStringLiteral("Błędna treść \"%s\", spodziewany typ %s"), {tresc, pole.ClassName()}));
        }
    }
    if (parser.Token() == '/') {
        parser.NextToken();
        parser.CheckToken('>');
        p_Odczytywacz.Wynurz();
        return;
    }
    if (parser.Token() != '>')
        parser.Error(QStringLiteral("Błędny token = %1").arg(p_Odczytywacz.Przekoduj(parser.TokenView())));

    const int16_t wartosc = p_Odczytywacz.PoleWartosci(*this);
    while (!p_Odczytywacz.PrzerwijOdczyt) {
        if (parser.NextToken() != '<') {
            if (parser.Token() == TLkParser::toEOF)
                parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
            if (wartosc >= 0) {
                parser.NapisDoZnacznika();
                WczytajPoleXML(p_Odczytywacz, wartosc, false);
            } else {
                ++p_Odczytywacz.PominietoDane; // text, and no field to take it
                parser.SkipTextUpTo('<');
                parser.NextToken();
            }
            if (parser.Token() != '<')
                parser.CheckToken('<');
        }
        const auto znacznik = p_Odczytywacz.CzytajZnacznik(p_NazwaObiektu);
        if (znacznik == TOdczytywaczXML::TZnacznik::Pominiety)
            continue;
        if (znacznik == TOdczytywaczXML::TZnacznik::Koniec)
            break;
        // A known name is looked up and decoded once per class.
        if (const TOdczytywaczXML::TNazwaPola *znana = p_Odczytywacz.NazwaPola(*this, parser.TokenView())) {
            wKontekscie(znana->Tekst, [&] { WczytajPodelementXML(p_Odczytywacz, znana->Nr, znana->Poprz, znana->Tekst); });
            continue;
        }
        const QString nazwa = p_Odczytywacz.Przekoduj(parser.TokenView());
        bool poprzNazwa = false;
        const int16_t nr = PoleWgNazwyXML(nazwa, poprzNazwa);
        if (nr < 0) {
            p_Odczytywacz.PominPodelement(*this, nazwa);
            continue;
        }
        wKontekscie(nazwa, [&] { WczytajPodelementXML(p_Odczytywacz, nr, poprzNazwa, nazwa); });
    }
    p_Odczytywacz.Wynurz();
}

void TObiekt::WczytajPodelementXML(TOdczytywaczXML &p_Odczytywacz, int16_t p_Nr, bool p_PoprzNazwa,
                                   const QString &p_Nazwa)
{
    TLkXMLParser &parser = p_Odczytywacz.Parser();
    TPole &pole = Pola(p_Nr);
    if (TObiektBazowy *obiekt = pole.JakoObiekt()) {
        obiekt->WykonajOdczytXML(p_Odczytywacz, p_Nazwa);
        return;
    }
    // A simple field's element: its attributes say nothing about the value.
    parser.NextToken();
    while (parser.Token() == TLkParser::toSymbol) {
        const QString atrybut = p_Odczytywacz.Przekoduj(parser.TokenView());
        p_Odczytywacz.PrzygotujWartoscPoNazwie();
        p_Odczytywacz.PominAtrybutXML(*this, p_Nazwa + QLatin1Char('.') + atrybut);
        parser.NextToken();
    }
    if (parser.Token() == '/') {
        parser.NextToken();
        parser.CheckToken('>');
        return; // <name/> leaves the field as it is
    }
    parser.CheckToken('>');
    if (jestTekstowe(pole)) {
        // Repeated elements of a text field are its lines.
        const bool szeroki = pole.Klasa().DziedziczyPo(TPoleWideString::Opis);
        const QString linia = p_Odczytywacz.WczytajTrescPodpola(p_Nazwa, !szeroki);
        if (linia.isEmpty() && !MaWartosc(p_Nr)) {
            UstawMaWartosc(p_Nr, false);
            return;
        }
        p_Odczytywacz.OdczytywanoPole(pole);
        // Through variants: a wide-string field's text form is not its value.
        QString tekst = MaWartosc(p_Nr) ? pole.GetJakoVariant().JakoString() + QStringLiteral("\r\n") + linia : linia;
        p_Odczytywacz.UzyjCache(tekst);
        pole.SetJakoVariant(Variant::ZString(tekst));
        UstawMaWartosc(p_Nr, true);
        return;
    }
    if (parser.NextToken() == '<') {
        UstawMaWartosc(p_Nr, false); // <name></name>
    } else {
        parser.NapisDoZnacznika();
        WczytajPoleXML(p_Odczytywacz, p_Nr, p_PoprzNazwa);
    }
    parser.CheckToken('<');
    parser.NextToken();
    parser.CheckToken('/');
    parser.NextToken();
    if (parser.Token() != TLkParser::toSymbol || !p_Odczytywacz.NazwaJest(parser.TokenView(), p_Nazwa))
        parser.Error(QStringLiteral("Spodziewany symbol %1").arg(p_Nazwa));
    parser.NextToken();
    parser.CheckToken('>');
}
