#include "OdczytywaczXML.h"

#include "Obiekt.h"
#include "WyjatkiModelu.h"

#include "KodowanieZnakow.h"
#include "TabeleStronKodowych.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>

TOdczytywaczXML::TOdczytywaczXML(TStream *p_Strumien, TTypZapisuXML p_TypZapisu, TTypKodowaniaXML p_TypKodowania,
                                 TOnBlednyUTF8 p_OnBlednyUTF8, TStringCache *p_StringCache)
    : TOdczytywaczTekstuZRef(p_Strumien, std::make_unique<TLkXMLParser>(p_Strumien), p_StringCache),
      TypZapisuXML(p_TypZapisu == tzxDomyslny ? tzxStandard : p_TypZapisu),
      KodowanieXML(p_TypKodowania == tkxDomyslny ? tkxUTF8 : p_TypKodowania),
      OnBlednyUTF8(std::move(p_OnBlednyUTF8))
{
}

void TOdczytywaczXML::WczytajObiekt(TObiektBazowy &p_Obiekt)
{
    p_Obiekt.WczytajZXML(*this);
}

void TOdczytywaczXML::WczytajNaglowekXML()
{
    TLkXMLParser &parser = Parser();
    if (parser.Token() != '<') {
        // FE or FF: the first byte of a UTF-16 byte-order mark.
        if (parser.Token() > 253)
            parser.Error(QStringLiteral("Wykryto format UTF16 (nie jest wspierany)"));
        // Anything else before the markup (a UTF-8 byte-order mark) is passed over.
        if (parser.Token() != TLkParser::toEOF) {
            parser.SkipTextUpTo('<');
            parser.NextToken();
        }
    }
    for (;;) {
        if (parser.Token() == TLkParser::toEOF)
            parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
        parser.CheckToken('<');
        parser.NextToken();
        if (parser.Token() == '!') {
            PominKomentarzLubDOCTYPE();
        } else if (parser.Token() == '?') {
            parser.NextToken();
            if (parser.TokenSymbolIs("xml"))
                WczytajTypKodowaniaTekstu();
            else
                PominInstrPrzetwarzania();
        } else {
            return;
        }
        parser.NextToken();
    }
}

void TOdczytywaczXML::WczytajTypKodowaniaTekstu()
{
    static const struct
    {
        const char *Nazwa;
        TTypKodowaniaXML Kodowanie;
    } kodowania[] = {{"windows-1250", tkxWin1250},
                     {"utf-8", tkxUTF8},
                     {"ISO-8859-2", tkxISO88592},
                     {"windows-1251", tkxWin1251},
                     {"ISO-8859-1", tkxISO88591}};

    TLkXMLParser &parser = Parser();
    parser.NextToken();
    while (parser.Token() == TLkParser::toSymbol) {
        const bool kodowanie = parser.TokenSymbolIs("encoding");
        parser.NextToken();
        parser.CheckToken('=');
        const QByteArray wartosc = WczytajWartoscAtrybutu();
        if (kodowanie) {
            KodowanieXML = tkxUTF8; // a name we do not know reads as UTF-8
            for (const auto &k : kodowania)
                if (wartosc.compare(k.Nazwa, Qt::CaseInsensitive) == 0)
                    KodowanieXML = k.Kodowanie;
        }
    }
    parser.CheckToken('?');
    parser.NextToken();
    parser.CheckToken('>');
}

QByteArray TOdczytywaczXML::WczytajInstrPrzetwarzania()
{
    TLkXMLParser &parser = Parser();
    QByteArray tresc;
    for (;;) {
        tresc += parser.ReadTextUpTo('?');
        parser.ReadNextChar();
        unsigned char c;
        while ((c = parser.ReadNextChar()) == '?')
            tresc += '?';
        if (c == '>')
            return tresc;
        tresc += '?';
        tresc += static_cast<char>(c);
    }
}

void TOdczytywaczXML::PominKomentarz()
{
    TLkXMLParser &parser = Parser();
    if (parser.ReadNextChar() != '-')
        parser.CharExpected('-');
    // Only "-->" ends a comment; a lone "--" does not.
    for (;;) {
        parser.SkipTextUpTo('-');
        parser.ReadNextChar();
        int kresek = 1;
        unsigned char c;
        while ((c = parser.ReadNextChar()) == '-')
            ++kresek;
        if (c == '>' && kresek >= 2)
            return;
    }
}

void TOdczytywaczXML::PominDOCTYPE()
{
    TLkXMLParser &parser = Parser();
    for (const char c : QByteArrayView("OCTYPE"))
        if (parser.ReadNextChar() != static_cast<unsigned char>(c))
            parser.CharExpected(static_cast<unsigned char>(c));
    // Literals and the internal subset are passed over as text: nothing they
    // declare is used, so no entity can grow and no file is ever opened.
    char cudzyslow = 0;
    int nawiasy = 0;
    for (;;) {
        const unsigned char c = parser.ReadNextChar();
        if (cudzyslow) {
            if (c == static_cast<unsigned char>(cudzyslow))
                cudzyslow = 0;
        } else if (c == '"' || c == '\'') {
            cudzyslow = static_cast<char>(c);
        } else if (c == '[') {
            ++nawiasy;
        } else if (c == ']') {
            nawiasy = std::max(0, nawiasy - 1);
        } else if (c == '<' && nawiasy > 0) {
            // A comment inside the subset may hold quotes and brackets.
            if (parser.ReadNextChar() == '!' && parser.ReadNextChar() == '-')
                PominKomentarz();
        } else if (c == '>' && nawiasy == 0) {
            return;
        }
    }
}

TOdczytywaczXML::TZnacznik TOdczytywaczXML::CzytajZnacznik(const QString &p_NazwaObiektu)
{
    TLkParser &parser = Parser();
    const unsigned char c = parser.NextToken();
    if (c == '!') {
        PominKomentarzLubDOCTYPE();
        return TZnacznik::Pominiety;
    }
    if (c == '?') {
        PominInstrPrzetwarzania();
        return TZnacznik::Pominiety;
    }
    if (c == '/') {
        parser.NextToken();
        if (parser.Token() != TLkParser::toSymbol || !NazwaJest(parser.TokenView(), p_NazwaObiektu))
            parser.Error(QStringLiteral("Spodziewany symbol %1").arg(p_NazwaObiektu));
        parser.NextToken();
        parser.CheckToken('>');
        return TZnacznik::Koniec;
    }
    parser.CheckToken(TLkParser::toSymbol);
    return TZnacznik::Element;
}

bool TOdczytywaczXML::NazwaAtrybutu(QByteArray &p_Nazwa)
{
    TLkXMLParser &parser = Parser();
    if (parser.Token() != TLkParser::toSymbol)
        return false;
    p_Nazwa = parser.TokenString();
    PrzygotujWartoscPoNazwie();
    return true;
}

bool TOdczytywaczXML::WczytajAtrybutyID(TObiektBazowy &p_Obiekt)
{
    TLkXMLParser &parser = Parser();
    parser.NextToken();
    QByteArray atrybut;
    while (NazwaAtrybutu(atrybut)) {
        if (atrybut.compare("ID", Qt::CaseInsensitive) == 0)
            PrzypiszObiektDoID(p_Obiekt, parser.TokenView());
        else
            PominAtrybutXML(p_Obiekt, Przekoduj(atrybut));
        parser.NextToken();
    }
    if (parser.Token() == '/') {
        parser.NextToken();
        parser.CheckToken('>');
        return false;
    }
    parser.CheckToken('>');
    return true;
}

bool TOdczytywaczXML::NastepnyPodelement(const QString &p_NazwaObiektu)
{
    TLkXMLParser &parser = Parser();
    for (;;) {
        if (parser.NextToken() != '<') {
            // Text between the children belongs to nothing.
            if (parser.Token() == TLkParser::toEOF)
                parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
            ++PominietoDane;
            parser.SkipTextUpTo('<');
            parser.NextToken();
            parser.CheckToken('<');
        }
        const TZnacznik znacznik = CzytajZnacznik(p_NazwaObiektu);
        if (znacznik != TZnacznik::Pominiety)
            return znacznik == TZnacznik::Element;
    }
}

void TOdczytywaczXML::PominKomentarzLubDOCTYPE()
{
    TLkXMLParser &parser = Parser();
    const unsigned char c = parser.ReadNextChar();
    if (c == '-')
        return PominKomentarz();
    if (c == 'D')
        return PominDOCTYPE();
    if (c == '[') {
        WczytajCDATA();
        return;
    }
    parser.Error(QStringLiteral("Dokument XML zawiera niedozwoloną konstrukcję \"<!\""));
}

QString TOdczytywaczXML::WczytajCDATA()
{
    TLkXMLParser &parser = Parser();
    if (parser.Token() == '!' && parser.ReadNextChar() != '[')
        parser.CharExpected('[');
    for (const char c : QByteArrayView("CDATA["))
        if (parser.ReadNextChar() != static_cast<unsigned char>(c))
            parser.CharExpected(static_cast<unsigned char>(c));
    // Up to the first "]]>"; lone "]" and "]]" stay in the content.
    QByteArray tresc;
    for (;;) {
        tresc += parser.ReadTextUpTo(']');
        parser.ReadNextChar();
        int nawiasow = 1;
        unsigned char c;
        while ((c = parser.ReadNextChar()) == ']')
            ++nawiasow;
        if (c == '>' && nawiasow >= 2) {
            tresc += QByteArray(nawiasow - 2, ']');
            return Przekoduj(tresc);
        }
        tresc += QByteArray(nawiasow, ']');
        tresc += static_cast<char>(c);
    }
}

void TOdczytywaczXML::PrzygotujWartoscAtrybutu()
{
    TLkXMLParser &parser = Parser();
    parser.NextToken();
    if (parser.Token() == '\'')
        parser.NapisWApostrofach();
    else
        parser.CheckToken(TLkParser::toString);
    if (parser.WasEndOfLine())
        parser.UsunKonceLiniiZNapisu();
}

void TOdczytywaczXML::PrzygotujWartoscPoNazwie()
{
    TLkXMLParser &parser = Parser();
    if (parser.RownaSieIWartosc()) {
        if (parser.WasEndOfLine())
            parser.UsunKonceLiniiZNapisu();
        return;
    }
    parser.NextToken();
    parser.CheckToken('=');
    PrzygotujWartoscAtrybutu();
}

QByteArray TOdczytywaczXML::WczytajWartoscAtrybutu()
{
    PrzygotujWartoscAtrybutu();
    const QByteArray wartosc = Parser().TokenString();
    Parser().NextToken();
    return wartosc;
}

bool TOdczytywaczXML::PominAtrybuty()
{
    TLkXMLParser &parser = Parser();
    parser.NextToken();
    while (parser.Token() == TLkParser::toSymbol) {
        PrzygotujWartoscPoNazwie();
        parser.NextToken();
    }
    if (parser.Token() == '/') {
        parser.NextToken();
        parser.CheckToken('>');
        return true;
    }
    parser.CheckToken('>');
    return false;
}

void TOdczytywaczXML::PominElement()
{
    TLkXMLParser &parser = Parser();
    if (PominAtrybuty())
        return;
    int glebokosc = 1;
    while (glebokosc > 0) {
        parser.SkipTextUpTo('<');
        const unsigned char c = ZaZnacznikiem();
        if (c == '/') {
            parser.NextToken();
            parser.CheckToken(TLkParser::toSymbol);
            parser.NextToken();
            parser.CheckToken('>');
            --glebokosc;
        } else if (c == '!') {
            PominKomentarzLubDOCTYPE();
        } else if (c == '?') {
            PominInstrPrzetwarzania();
        } else {
            parser.CheckToken(TLkParser::toSymbol);
            if (!PominAtrybuty())
                ++glebokosc;
        }
    }
}

QMap<QString, QString> TOdczytywaczXML::WczytajDeklaracjePrzestrzeni()
{
    QMap<QString, QString> deklaracje;
    TLkXMLParser &parser = Parser();
    try {
        parser.NextToken();
        while (parser.Token() == TLkParser::toSymbol) {
            const QByteArray nazwa = parser.TokenString();
            if (parser.NextToken() != '=')
                break;
            const QByteArray wartosc = WczytajWartoscAtrybutu();
            if (nazwa == "xmlns")
                deklaracje.insert(QString(), Przekoduj(wartosc));
            else if (nazwa.startsWith("xmlns:"))
                deklaracje.insert(Przekoduj(nazwa.mid(6)), Przekoduj(wartosc));
        }
    } catch (const ELkParserError &) {
        // A broken start tag: what was declared before the fault is all there is.
    }
    return deklaracje;
}

QString TOdczytywaczXML::Przekoduj(QByteArrayView p_Bajty)
{
    // Names and most values are ASCII, the same in every encoding read here.
    if (std::all_of(p_Bajty.begin(), p_Bajty.end(), [](char c) { return static_cast<unsigned char>(c) < 128; }))
        return QString::fromLatin1(p_Bajty);
    switch (KodowanieXML) {
    case tkxUTF8: {
        QStringDecoder dekoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString tekst = dekoder.decode(p_Bajty);
        if (!dekoder.hasError())
            return tekst;
        const QByteArray bajty = p_Bajty.toByteArray();
        bool obsluzone = false;
        if (OnBlednyUTF8)
            OnBlednyUTF8(*this, bajty, obsluzone, tekst);
        if (!obsluzone)
            Parser().Error(QStringLiteral("błędna wartość UTF-8: \"%1\"").arg(TekstZPolskiegoAnsi(bajty)));
        return tekst;
    }
    case tkxISO88592:
        return TekstZeStronyKodowej(p_Bajty.toByteArray(), CP_ISO_8859_2);
    case tkxWin1251:
        return TekstZeStronyKodowej(p_Bajty.toByteArray(), 1251);
    case tkxISO88591:
        return TekstZeStronyKodowej(p_Bajty.toByteArray(), 28591);
    default:
        return TekstZPolskiegoAnsi(p_Bajty.toByteArray());
    }
}

QString TOdczytywaczXML::DekodujTrescXML(QByteArrayView p_Bajty, bool p_ByloTekstowe)
{
    if (p_ByloTekstowe) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString tekst = utf8.decode(p_Bajty);
        const bool ascii = std::all_of(p_Bajty.begin(), p_Bajty.end(), [](char c) { return static_cast<unsigned char>(c) < 128; });
        return RozwinEncje(utf8.hasError() || ascii ? Przekoduj(p_Bajty) : tekst);
    }
    return RozwinEncje(DekodujTrescUTF8(p_Bajty.toByteArray()));
}

QString TOdczytywaczXML::RozwinEncje(const QString &p_Tekst)
{
    qsizetype amp = p_Tekst.indexOf(QLatin1Char('&'));
    if (amp < 0)
        return p_Tekst;
    QString wynik;
    wynik.reserve(p_Tekst.size());
    qsizetype od = 0;
    while (amp >= 0) {
        wynik += QStringView(p_Tekst).mid(od, amp - od);
        const QStringView reszta = QStringView(p_Tekst).mid(amp + 1);
        od = amp + 1;
        if (reszta.startsWith(QLatin1Char('#'))) {
            const bool hex = reszta.size() > 1 && (reszta[1] == QLatin1Char('x') || reszta[1] == QLatin1Char('X'));
            qsizetype i = hex ? 2 : 1;
            uint32_t kod = 0;
            const qsizetype poczatekCyfr = i;
            for (; i < reszta.size(); ++i) {
                const char16_t z = reszta[i].unicode();
                int cyfra = -1;
                if (z >= '0' && z <= '9')
                    cyfra = z - '0';
                else if (hex && (z | 0x20) >= 'a' && (z | 0x20) <= 'f')
                    cyfra = (z | 0x20) - 'a' + 10;
                if (cyfra < 0)
                    break;
                kod = std::min<uint32_t>(kod * (hex ? 16 : 10) + static_cast<uint32_t>(cyfra), 0x110000);
            }
            if (i == poczatekCyfr || i >= reszta.size() || reszta[i] != QLatin1Char(';'))
                throw LkException(QStringLiteral("Nieprawidłowa stała tekstowa"));
            if (kod > 0x10FFFF)
                wynik += QChar(0x00A0);
            else if (kod > 0xFFFF)
                wynik += QString::fromUcs4(reinterpret_cast<const char32_t *>(&kod), 1);
            else
                wynik += QChar(static_cast<char16_t>(kod));
            od = amp + 1 + i + 1;
        } else {
            static const struct
            {
                QLatin1String Nazwa;
                QChar Znak;
            } encje[] = {{QLatin1String("amp;"), QLatin1Char('&')},
                         {QLatin1String("apos;"), QLatin1Char('\'')},
                         {QLatin1String("gt;"), QLatin1Char('>')},
                         {QLatin1String("lt;"), QLatin1Char('<')},
                         {QLatin1String("quot;"), QLatin1Char('"')}};
            bool znana = false;
            for (const auto &e : encje)
                if (reszta.startsWith(e.Nazwa)) {
                    wynik += e.Znak;
                    od = amp + 1 + e.Nazwa.size();
                    znana = true;
                    break;
                }
            if (!znana)
                wynik += QLatin1Char('&'); // kept as written
        }
        amp = p_Tekst.indexOf(QLatin1Char('&'), od);
    }
    wynik += QStringView(p_Tekst).mid(od);
    return wynik;
}

QString TOdczytywaczXML::WczytajWartosc(const std::function<QString(QByteArrayView)> &p_Dekoduj)
{
    TLkXMLParser &parser = Parser();
    if (parser.Token() == TLkParser::toEOF)
        parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
    QString tekst;
    try {
        tekst = p_Dekoduj(parser.TokenView());
    } catch (const LkException &e) {
        parser.Error(e.Message()); // a broken reference, told with its place
    }
    parser.NextToken();
    return tekst;
}

QString TOdczytywaczXML::WczytajTekst()
{
    // Most values are plain ASCII without entities: decoded in one pass.
    TLkXMLParser &parser = Parser();
    const QByteArrayView bajty = parser.TokenView();
    if (parser.Token() != TLkParser::toEOF && std::all_of(bajty.begin(), bajty.end(), [](char c) {
            return static_cast<unsigned char>(c) < 128 && c != '&';
        })) {
        QString tekst = QString::fromLatin1(bajty);
        parser.NextToken();
        return tekst;
    }
    return WczytajWartosc([this](QByteArrayView p_Bajty) { return RozwinEncje(Przekoduj(p_Bajty)); });
}

QString TOdczytywaczXML::WczytajTekstSzeroki(bool p_ByloTekstowe)
{
    return WczytajWartosc([&](QByteArrayView p_Bajty) { return DekodujTrescXML(p_Bajty, p_ByloTekstowe); });
}

QString TOdczytywaczXML::WczytajWiersz(bool p_Dekoduj)
{
    Parser().NapisDoZnacznika();
    return WczytajWartosc([&](QByteArrayView p_Bajty) {
        return RozwinEncje(p_Dekoduj ? Przekoduj(p_Bajty) : TekstZPolskiegoAnsi(p_Bajty.toByteArray()));
    });
}

QString TOdczytywaczXML::WczytajTrescPodpola(const QString &p_Nazwa, bool p_Dekoduj)
{
    TLkXMLParser &parser = Parser();
    auto dekoduj = [&](const QByteArray &p_Bajty) {
        try {
            return p_Dekoduj ? RozwinEncje(Przekoduj(p_Bajty)) : DekodujTrescXML(p_Bajty);
        } catch (const LkException &e) {
            parser.Error(e.Message());
        }
    };
    QString nazwa = p_Nazwa;
    if (nazwa.isNull()) {
        parser.CheckToken(TLkParser::toSymbol);
        nazwa = Przekoduj(parser.TokenView());
        if (PominAtrybuty())
            return {};
    }
    QString wynik;
    int glebokosc = 0;
    for (;;) {
        wynik += dekoduj(parser.ReadTextUpTo('<'));
        const unsigned char c = ZaZnacznikiem();
        if (c == '/') {
            parser.NextToken();
            parser.CheckToken(TLkParser::toSymbol);
            const QString koniec = Przekoduj(parser.TokenView());
            parser.NextToken();
            parser.CheckToken('>');
            if (glebokosc == 0) {
                if (koniec.compare(nazwa, Qt::CaseInsensitive) != 0)
                    parser.Error(QStringLiteral("Spodziewany symbol %1").arg(nazwa));
                return wynik;
            }
            --glebokosc;
            wynik += QStringLiteral("</") + koniec + QLatin1Char('>');
        } else if (c == '!') {
            const unsigned char d = parser.ReadNextChar();
            if (d == '[')
                wynik += WczytajCDATA();
            else if (d == '-')
                PominKomentarz();
            else if (d == 'D')
                PominDOCTYPE();
            else
                parser.Error(QStringLiteral("Dokument XML zawiera niedozwoloną konstrukcję \"<!\""));
        } else if (c == '?') {
            wynik += QStringLiteral("<?") + dekoduj(WczytajInstrPrzetwarzania()) + QStringLiteral("?>");
        } else {
            parser.CheckToken(TLkParser::toSymbol);
            wynik += QLatin1Char('<') + Przekoduj(parser.TokenView());
            parser.NextToken();
            while (parser.Token() == TLkParser::toSymbol) {
                wynik += QLatin1Char(' ') + Przekoduj(parser.TokenView());
                PrzygotujWartoscPoNazwie();
                wynik += QStringLiteral("=\"") + dekoduj(parser.TokenString()) + QLatin1Char('"');
                parser.NextToken();
            }
            if (parser.Token() == '/') {
                parser.NextToken();
                parser.CheckToken('>');
                wynik += QStringLiteral("/>");
            } else {
                parser.CheckToken('>');
                wynik += QLatin1Char('>');
                ++glebokosc;
            }
        }
    }
}

void TOdczytywaczXML::Zagniezdz()
{
    if (++FGlebokosc > MaksGlebokosc)
        Parser().Error(QStringLiteral("Zbyt głębokie zagnieżdżenie elementów XML (więcej niż %1 poziomów)").arg(MaksGlebokosc));
}

void TOdczytywaczXML::Pominieto(const TObiektBazowy &p_Obiekt, const QString &p_Nazwa)
{
    ++PominietoDane;
    if (CoPominieto) {
        const QString sciezka = p_Obiekt.DajSciezkeDoSiebie();
        CoPominieto->append(sciezka.isEmpty() ? p_Nazwa : sciezka + QLatin1Char('.') + p_Nazwa);
    }
}

void TOdczytywaczXML::PominAtrybutXML(const TObiektBazowy &p_Obiekt, const QString &p_Atrybut)
{
    const bool pozycja = (TypZapisuXML == tzxCelina && p_Atrybut == QLatin1String("PozId"))
        || (TypZapisuXML == tzxOSOZ && p_Atrybut == QLatin1String("ItemId"));
    // A list item's position belongs to the list, which places the item by it.
    if (!pozycja)
        Pominieto(p_Obiekt, p_Atrybut);
    if (pozycja) {
        TLkXMLParser &parser = Parser();
        bool ok = false;
        const qint64 wartosc = parser.TokenView().toLongLong(&ok);
        if (!ok)
            parser.Error(QStringLiteral("Spodziewana liczba całkowita"));
        FPozListy = wartosc;
    }
}

void TOdczytywaczXML::PominPodelement(const TObiektBazowy &p_Obiekt, const QString &p_Nazwa)
{
    Pominieto(p_Obiekt, p_Nazwa);
    PominElement();
}

int16_t TOdczytywaczXML::PoleWgNazwy(const TObiekt &p_Obiekt, QByteArrayView p_Nazwa, bool &p_PoprzNazwa)
{
    if (const TNazwaPola *znana = NazwaPola(p_Obiekt, p_Nazwa)) {
        p_PoprzNazwa = znana->Poprz;
        return znana->Nr;
    }
    return p_Obiekt.PoleWgNazwyXML(Przekoduj(p_Nazwa), p_PoprzNazwa);
}

std::vector<TOdczytywaczXML::TNazwaPola> &TOdczytywaczXML::NazwyKlasy(const TObiekt &p_Obiekt)
{
    const TOpisKlasy *klasa = &p_Obiekt.Klasa();
    if (klasa != FOstatniaKlasa) {
        FOstatniaKlasa = klasa;
        FOstatnieNazwy = &FNazwyPol[klasa];
        // Never reallocated: entries handed out stay where they are.
        FOstatnieNazwy->reserve(MaksNazwKlasy);
    }
    return *FOstatnieNazwy;
}

const TOdczytywaczXML::TNazwaPola *TOdczytywaczXML::ZnanaNazwaPola(const TObiekt &p_Obiekt, QByteArrayView p_Nazwa)
{
    // Objects of a class write their fields in one order: the search starts
    // after the name met last, so it mostly hits at the first try.
    const std::vector<TNazwaPola> &nazwy = NazwyKlasy(p_Obiekt);
    const size_t ile = nazwy.size();
    size_t i = FNastepnaNazwa < ile ? FNastepnaNazwa : 0;
    for (size_t sprawdzone = 0; sprawdzone < ile; ++sprawdzone) {
        const TNazwaPola &n = nazwy[i];
        if (++i == ile)
            i = 0;
        if (n.Nazwa.size() == p_Nazwa.size() && std::memcmp(n.Nazwa.constData(), p_Nazwa.data(), p_Nazwa.size()) == 0) {
            FNastepnaNazwa = i;
            return &n;
        }
    }
    return nullptr;
}

const TOdczytywaczXML::TNazwaPola *TOdczytywaczXML::NazwaPola(const TObiekt &p_Obiekt, QByteArrayView p_Nazwa)
{
    if (const TNazwaPola *znana = ZnanaNazwaPola(p_Obiekt, p_Nazwa))
        return znana;
    QString tekst = Przekoduj(p_Nazwa);
    bool poprz = false;
    const int16_t nr = p_Obiekt.PoleWgNazwyXML(tekst, poprz);
    if (nr < 0 || FOstatnieNazwy->size() >= MaksNazwKlasy)
        return nullptr;
    FOstatnieNazwy->push_back({p_Nazwa.toByteArray(), std::move(tekst), nr, poprz});
    return &FOstatnieNazwy->back();
}

int16_t TOdczytywaczXML::PoleWartosci(const TObiekt &p_Obiekt)
{
    const TOpisKlasy *klasa = &p_Obiekt.Klasa();
    if (klasa != FKlasaPolaWartosci) {
        const auto [miejsce, nowe] = FPolaWartosci.try_emplace(klasa, -1);
        if (nowe) {
            static const QString wartosc = QStringLiteral("_Value_");
            const int16_t nr = p_Obiekt.NrPolaOAliasieXML(wartosc);
            miejsce->second = nr >= 0 ? nr : p_Obiekt.NrPolaONazwie(wartosc);
        }
        FKlasaPolaWartosci = klasa;
        FPoleWartosci = miejsce->second;
    }
    return FPoleWartosci;
}

bool TOdczytywaczXML::NazwaJest(QByteArrayView p_Bajty, const QString &p_Nazwa)
{
    if (std::all_of(p_Bajty.begin(), p_Bajty.end(), [](char c) { return static_cast<unsigned char>(c) < 128; }))
        return p_Nazwa.compare(QLatin1StringView(p_Bajty), Qt::CaseInsensitive) == 0;
    return Przekoduj(p_Bajty).compare(p_Nazwa, Qt::CaseInsensitive) == 0;
}

unsigned char TOdczytywaczXML::ZaZnacznikiem()
{
    TLkXMLParser &parser = Parser();
    if (parser.NextToken() == TLkParser::toEOF)
        parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
    return parser.NextToken();
}
