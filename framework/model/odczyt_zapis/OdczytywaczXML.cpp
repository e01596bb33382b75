#include "OdczytywaczXML.h"

#include "ObiektBazowy.h"
#include "WyjatkiModelu.h"

#include "KodowanieZnakow.h"
#include "TabeleStronKodowych.h"

#include <QStringDecoder>

TOdczytywaczXML::TOdczytywaczXML(TStream *p_Strumien, TTypZapisuXML p_TypZapisu, TTypKodowaniaXML p_TypKodowania,
                                 TOnBlednyUTF8 p_OnBlednyUTF8)
    : TOdczytywaczTekstu(p_Strumien, std::make_unique<TLkXMLParser>(p_Strumien), nullptr),
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

void TOdczytywaczXML::PominInstrPrzetwarzania()
{
    TLkXMLParser &parser = Parser();
    for (;;) {
        parser.SkipTextUpTo('?');
        unsigned char c = parser.ReadNextChar();
        while (c == '?')
            c = parser.ReadNextChar();
        if (c == '>')
            return;
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

void TOdczytywaczXML::PominKomentarzLubDOCTYPE()
{
    TLkXMLParser &parser = Parser();
    unsigned char c = parser.ReadNextChar();
    if (c == '-')
        return PominKomentarz();
    if (c == '[') {
        // CDATA: up to the first "]]>".
        for (;;) {
            parser.SkipTextUpTo(']');
            parser.ReadNextChar();
            int nawiasow = 1;
            while ((c = parser.ReadNextChar()) == ']')
                ++nawiasow;
            if (c == '>' && nawiasow >= 2)
                return;
        }
    }
    // Messages never carry a DOCTYPE, and the entities of an internal subset
    // would grow without bound wherever they are expanded: refused, not skipped.
    parser.Error(c == 'D' ? QStringLiteral("Dokument XML zawiera deklarację DOCTYPE, której program nie przyjmuje")
                          : QStringLiteral("Dokument XML zawiera niedozwoloną konstrukcję \"<!\""));
}

QByteArray TOdczytywaczXML::WczytajWartoscAtrybutu()
{
    TLkXMLParser &parser = Parser();
    parser.NextToken();
    QByteArray wartosc;
    if (parser.Token() == '\'') {
        wartosc = parser.ReadTextUpTo('\'');
        parser.ReadNextChar();
    } else {
        parser.CheckToken(TLkParser::toString);
        wartosc = parser.TokenString();
    }
    if (parser.WasEndOfLine()) {
        wartosc.replace('\r', QByteArray());
        wartosc.replace('\n', QByteArray());
    }
    parser.NextToken();
    return wartosc;
}

bool TOdczytywaczXML::PominAtrybuty()
{
    TLkXMLParser &parser = Parser();
    parser.NextToken();
    while (parser.Token() == TLkParser::toSymbol) {
        parser.NextToken();
        parser.CheckToken('=');
        WczytajWartoscAtrybutu();
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
        if (parser.NextToken() == TLkParser::toEOF)
            parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
        const unsigned char c = parser.NextToken();
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

QString TOdczytywaczXML::Przekoduj(const QByteArray &p_Bajty)
{
    switch (KodowanieXML) {
    case tkxUTF8: {
        QStringDecoder dekoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString tekst = dekoder.decode(p_Bajty);
        if (!dekoder.hasError())
            return tekst;
        bool obsluzone = false;
        if (OnBlednyUTF8)
            OnBlednyUTF8(*this, p_Bajty, obsluzone, tekst);
        if (!obsluzone)
            Parser().Error(QStringLiteral("błędna wartość UTF-8: \"%1\"").arg(TekstZPolskiegoAnsi(p_Bajty)));
        return tekst;
    }
    case tkxISO88592:
        return TekstZeStronyKodowej(p_Bajty, CP_ISO_8859_2);
    case tkxWin1251:
        return TekstZeStronyKodowej(p_Bajty, 1251);
    case tkxISO88591:
        return TekstZeStronyKodowej(p_Bajty, 28591);
    default:
        return TekstZPolskiegoAnsi(p_Bajty);
    }
}
