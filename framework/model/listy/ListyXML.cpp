#include "ListaBazowa.h"
#include "ListaObiektow.h"
#include "ListaWskObiektow.h"
#include "ListyLiczb.h"
#include "ListyTekstow.h"

#include "OdczytywaczXML.h"
#include "ParsowanieTekstu.h"
#include "PolaZmiennoprzecinkowe.h"
#include "WyjatkiModelu.h"
#include "ZapisywaczXML.h"

#include <limits>
#include <optional>

namespace {

// The attribute that carries an item's 1-based position; empty in the
// dialects without one.
QByteArray atrybutPozycji(TTypZapisuXML p_Typ)
{
    if (p_Typ == tzxCelina)
        return QByteArrayLiteral("PozId");
    if (p_Typ == tzxOSOZ)
        return QByteArrayLiteral("ItemId");
    return {};
}

bool jakoAtrybuty(TTypZapisuXML p_Typ)
{
    return p_Typ == tzxCelina || p_Typ == tzxOSOZ || p_Typ == tzxECS;
}

// ` PozId="n"` or ` ItemId="n"`, or nothing.
QByteArray pozycja(TTypZapisuXML p_Typ, int p_Nr)
{
    const QByteArray atrybut = atrybutPozycji(p_Typ);
    if (atrybut.isEmpty())
        return {};
    return ' ' + atrybut + "=\"" + QByteArray::number(p_Nr) + '"';
}

// One element of a value or pointer list, as read.
struct TElementListy
{
    std::optional<qint64> Pozycja;
    QString Tekst;
    bool MaTekst = false;
    QByteArray Ref;
};

// The element whose name is the current token: the position, "Txt" and
// "Ref" attributes (any other is skipped) and its text content; the parser
// ends on the element's last ">".
TElementListy czytajElement(TOdczytywaczXML &p_Odczytywacz, const TObiektBazowy &p_Lista, const QString &p_Nazwa,
                            bool p_Szeroki)
{
    TLkXMLParser &parser = p_Odczytywacz.Parser();
    const QByteArray atrybutPoz = atrybutPozycji(p_Odczytywacz.TypZapisuXML);
    TElementListy element;
    parser.NextToken();
    while (parser.Token() == TLkParser::toSymbol) {
        const QByteArray atrybut = parser.TokenString();
        p_Odczytywacz.PrzygotujWartoscPoNazwie();
        if (!atrybutPoz.isEmpty() && atrybut == atrybutPoz) {
            bool ok = false;
            element.Pozycja = parser.TokenView().toLongLong(&ok);
            if (!ok)
                parser.Error(QStringLiteral("Spodziewana liczba całkowita"));
            parser.NextToken();
        } else if (atrybut == "Txt") {
            element.Tekst = p_Szeroki ? p_Odczytywacz.WczytajTekstSzeroki(false) : p_Odczytywacz.WczytajTekst();
            element.MaTekst = true;
        } else if (atrybut == "Ref") {
            element.Ref = parser.TokenString();
            parser.NextToken();
        } else {
            p_Odczytywacz.PominAtrybutXML(p_Lista, p_Nazwa + QLatin1Char('.') + p_Odczytywacz.Przekoduj(atrybut));
            parser.NextToken();
        }
    }
    if (parser.Token() == '/') {
        parser.NextToken();
        parser.CheckToken('>');
        return element;
    }
    parser.CheckToken('>');
    element.Tekst = p_Odczytywacz.WczytajTrescPodpola(p_Nazwa, !p_Szeroki);
    element.MaTekst = !element.Tekst.isEmpty();
    return element;
}

// How far past a list's end a position may point: the gap is filled with new
// entries, so a document cannot make a few bytes claim millions of them.
constexpr qint64 MaksLuka = 1024;

// A position read from a document, as an index: it counts from 1.
int pozycjaElementu(TOdczytywaczXML &p_Odczytywacz, qint64 p_Pozycja, int p_Rozmiar)
{
    if (p_Pozycja < 1 || p_Pozycja > p_Rozmiar + MaksLuka)
        p_Odczytywacz.Parser().Error(QStringLiteral("Błędna pozycja elementu listy: %1").arg(p_Pozycja));
    return static_cast<int>(p_Pozycja - 1);
}

} // namespace

void TListaBazowa::ZapiszKorzenXML(TZapisywaczXML &p_Zapisywacz, const QByteArray &p_NazwaObiektu)
{
    p_Zapisywacz.ZapiszTxt('<' + p_NazwaObiektu);
    p_Zapisywacz.ZapiszPrzestrzenNazw(*this);
    p_Zapisywacz.ZapiszIDObiektu(*this, {});
    if (!MaElementyXML(p_Zapisywacz)) {
        p_Zapisywacz.ZapiszTxt(QByteArrayLiteral("/>"));
        return;
    }
    p_Zapisywacz.ZapiszTxt(QByteArrayLiteral(">"));
    const TOpisKlasy *klasa = TypObiektowListy(Klasa());
    const QByteArray element = p_Zapisywacz.TypZapisuXML == tzxWierszowy && klasa
        ? p_Zapisywacz.Przekoduj(klasa->ClassName())
        : QByteArrayLiteral("Item");
    p_Zapisywacz.NowaLinia();
    ZapiszElementyXML(p_Zapisywacz, element);
    p_Zapisywacz.NowaLinia();
    p_Zapisywacz.ZapiszTxt("</" + p_NazwaObiektu + '>');
}

void TListaBazowa::WykonajZapisXML(TZapisywaczXML &p_Zapisywacz, const QByteArray &p_NazwaObiektu)
{
    if (!p_Zapisywacz.FPrzestrzZapisana)
        ZapiszKorzenXML(p_Zapisywacz, p_NazwaObiektu);
    else
        ZapiszElementyXML(p_Zapisywacz, p_NazwaObiektu);
}

void TListaBazowa::ZapiszElementyXML(TZapisywaczXML &p_Zapisywacz, const QByteArray &p_NazwaObiektu)
{
    const QByteArray atrybut = atrybutPozycji(p_Zapisywacz.TypZapisuXML);
    for (int i = 0; i < IleObiektow(); ++i) {
        if (i > 0)
            p_Zapisywacz.NowaLinia();
        TObiektBazowy *element = ObiektyListy(i);
        const TObiekt *obiekt = element->JakoTObiekt();
        // An item class with its own position field writes it itself.
        if (!atrybut.isEmpty() && !(obiekt && obiekt->NrPolaONazwie(QString::fromLatin1(atrybut)) >= 0))
            p_Zapisywacz.PozIdObiektu = pozycja(p_Zapisywacz.TypZapisuXML, i + 1);
        element->WykonajZapisXML(p_Zapisywacz, p_NazwaObiektu);
    }
}

void TListaBazowa::WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu)
{
    // A list that cannot create its items has nothing to read them into.
    p_Odczytywacz.PominPodelement(*this, p_NazwaObiektu);
}

void TListaBazowa::WczytajKorzenXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu)
{
    TLkXMLParser &parser = p_Odczytywacz.Parser();
    p_Odczytywacz.Zagniezdz();
    if (!p_Odczytywacz.WczytajAtrybutyID(*this)) {
        p_Odczytywacz.Wynurz();
        return;
    }
    const TOpisKlasy *typ = TypObiektowListy(Klasa());
    const QString klasa = typ ? typ->ClassName() : QString();
    QString nazwaElementu;
    while (!p_Odczytywacz.PrzerwijOdczyt && p_Odczytywacz.NastepnyPodelement(p_NazwaObiektu)) {
        const QString nazwa = p_Odczytywacz.Przekoduj(parser.TokenView());
        if (nazwaElementu.isNull()) {
            if (nazwa.compare(QLatin1String("Item"), Qt::CaseInsensitive) != 0
                && (klasa.isEmpty() || nazwa.compare(klasa, Qt::CaseInsensitive) != 0))
                throw ELkObcyTypError(nazwa, QStringLiteral("Item"));
            nazwaElementu = nazwa;
        } else if (nazwa != nazwaElementu) {
            throw ELkObcyTypError(nazwa, nazwaElementu);
        }
        // One item as a field of this list reads it (a new item, or an entry of a pointer list).
        WykonajOdczytXML(p_Odczytywacz, nazwa);
    }
    p_Odczytywacz.Wynurz();
}

void TListaObiektow::WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu)
{
    if (p_Odczytywacz.NaKorzeniu()) {
        WczytajKorzenXML(p_Odczytywacz, p_NazwaObiektu);
        return;
    }
    // A nested list's items read their own positions; the enclosing item's stays.
    const qint64 zewnetrzna = p_Odczytywacz.FPozListy;
    p_Odczytywacz.FPozListy = -1;
    TObiektBazowy *element = DopiszObiekt(nullptr);
    element->WykonajOdczytXML(p_Odczytywacz, p_NazwaObiektu);
    const qint64 poz = p_Odczytywacz.FPozListy;
    p_Odczytywacz.FPozListy = zewnetrzna;
    if (poz < 0)
        return;
    int gdzie = IleObiektow() - 1;
    if (poz == 0) {
        if (gdzie > 0)
            p_Odczytywacz.Parser().Error(QStringLiteral("Zero w polu \"PozId\""));
        return;
    }
    const int cel = pozycjaElementu(p_Odczytywacz, poz, gdzie);
    // New items fill a gap. An item already at the position moves on rather
    // than being freed: references read so far may point into it.
    while (gdzie < cel) {
        DodajObiekt(nullptr, gdzie);
        ++gdzie;
    }
    if (gdzie > cel)
        PrzeniesObiekt(gdzie, cel);
}

bool TListaBazowa::MaElementyXML(TZapisywaczXML &) const
{
    return !ListaPusta();
}

bool TListaWskObiektow::MaElementyXML(TZapisywaczXML &p_Zapisywacz) const
{
    for (int i = 0; i < IleObiektow(); ++i)
        if (!p_Zapisywacz.IDObiektu(ObiektyListy(i)).isEmpty())
            return true;
    return false;
}

void TListaWskObiektow::ZapiszElementyXML(TZapisywaczXML &p_Zapisywacz, const QByteArray &p_NazwaObiektu)
{
    int zapisane = 0;
    for (int i = 0; i < IleObiektow(); ++i) {
        const QByteArray id = p_Zapisywacz.IDObiektu(ObiektyListy(i));
        if (id.isEmpty())
            continue; // a target outside the written tree
        if (zapisane > 0)
            p_Zapisywacz.NowaLinia();
        ++zapisane;
        p_Zapisywacz.ZapiszTxt('<' + p_NazwaObiektu + pozycja(p_Zapisywacz.TypZapisuXML, zapisane) + " Ref=\"" + id
                               + "\"/>");
    }
}

void TListaWskObiektow::WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu)
{
    if (p_Odczytywacz.NaKorzeniu()) {
        WczytajKorzenXML(p_Odczytywacz, p_NazwaObiektu);
        return;
    }
    const TElementListy element = czytajElement(p_Odczytywacz, *this, p_NazwaObiektu, false);
    if (element.Ref.isEmpty())
        return;
    p_Odczytywacz.RejestrujListeRef(*this, element.Ref);
}

void TListaWartBazowa::WykonajZapisXML(TZapisywaczXML &p_Zapisywacz, const QByteArray &p_NazwaObiektu)
{
    // Values have no element of their own to stand as a document.
    if (!p_Zapisywacz.FPrzestrzZapisana)
        BledneWywolanie("WykonajZapisXML");
    const bool atrybuty = jakoAtrybuty(p_Zapisywacz.TypZapisuXML);
    for (int i = 0; i < IleWartosci(); ++i) {
        if (i > 0)
            p_Zapisywacz.NowaLinia();
        const QString tekst = TekstowoElemNr(i);
        if (atrybuty) {
            p_Zapisywacz.ZapiszTxt('<' + p_NazwaObiektu + pozycja(p_Zapisywacz.TypZapisuXML, i + 1) + " Txt=\"");
            p_Zapisywacz.ZapiszTekst(tekst);
            p_Zapisywacz.ZapiszTxt(QByteArrayLiteral("\"/>"));
        } else if (tekst.isEmpty()) {
            p_Zapisywacz.ZapiszTxt('<' + p_NazwaObiektu + "/>");
        } else {
            p_Zapisywacz.ZapiszTxt('<' + p_NazwaObiektu + '>');
            p_Zapisywacz.ZapiszTekst(tekst);
            p_Zapisywacz.ZapiszTxt("</" + p_NazwaObiektu + '>');
        }
    }
}

void TListaWartBazowa::WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu)
{
    const bool szeroki = Klasa().DziedziczyPo(TPoleWideStrList::Opis);
    const TElementListy element = czytajElement(p_Odczytywacz, *this, p_NazwaObiektu, szeroki);
    try {
        if (element.Pozycja)
            WpiszTekstXML(pozycjaElementu(p_Odczytywacz, *element.Pozycja, IleWartosci()), element.Tekst);
        else if (element.MaTekst || Klasa().DziedziczyPo(TPoleStrList::Opis))
            WpiszTekstXML(IleWartosci(), element.Tekst);
    } catch (const EConvertError &e) {
        // A value that is no number is the document's fault: told with its place.
        p_Odczytywacz.Parser().Error(e.Message());
    }
}

void TListaWartBazowa::ZapiszXMLowo(TZapisywaczXML &p_Zapisywacz) const
{
    QString tekst;
    for (int i = 0; i < IleWartosci(); ++i) {
        if (i > 0)
            tekst += QLatin1Char(',');
        tekst += TekstowoElemNr(i);
    }
    p_Zapisywacz.ZapiszTekst(tekst);
}

bool TListaWartBazowa::WczytajAtrybutXML(TOdczytywaczXML &p_Odczytywacz)
{
    ZerujDane();
    SetJakoString(p_Odczytywacz.WczytajTekst());
    return true;
}

template <typename T> void TPoleListaLiczb<T>::WpiszTekstXML(int p_Poz, const QString &p_Tekst)
{
    T wartosc;
    if constexpr (std::is_integral_v<T>) {
        wartosc = static_cast<T>(TekstNaInt64(p_Tekst, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
    } else {
        wartosc = static_cast<T>(TekstNaLiczbe(p_Tekst, std::numeric_limits<T>::max()));
    }
    if (p_Poz >= Rozmiar())
        UstawRozmiar(p_Poz + 1);
    FWartosci[p_Poz] = wartosc;
}

template void TPoleListaLiczb<int32_t>::WpiszTekstXML(int, const QString &);
template void TPoleListaLiczb<int64_t>::WpiszTekstXML(int, const QString &);
template void TPoleListaLiczb<double>::WpiszTekstXML(int, const QString &);
template void TPoleListaLiczb<long double>::WpiszTekstXML(int, const QString &);

void TPoleStrList::WpiszTekstXML(int p_Poz, const QString &p_Tekst)
{
    while (Wartosci.size() <= p_Poz)
        Wartosci << QString();
    Wartosci[p_Poz] = p_Tekst;
}
