#include "Obiekt.h"

#include "LkXMLParser.h"
#include "OdczytywaczXML.h"

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

void TObiekt::WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu)
{
    TLkXMLParser &parser = p_Odczytywacz.Parser();

    parser.NextToken();
    while (parser.Token() == TLkParser::toSymbol) {
        const QString atrybut = p_Odczytywacz.Przekoduj(parser.TokenString());
        parser.NextToken();
        parser.CheckToken('=');
        p_Odczytywacz.WczytajWartoscAtrybutu();
        // No field takes an attribute yet (fields arrive with their classes), so
        // all but the identifier count as skipped, namespace declarations included.
        if (atrybut.compare(QLatin1String("ID"), Qt::CaseInsensitive) != 0)
            ++p_Odczytywacz.PominietoDane;
    }
    if (parser.Token() == '/') {
        parser.NextToken();
        parser.CheckToken('>');
        return;
    }
    if (parser.Token() != '>')
        parser.Error(QStringLiteral("Błędny token = %1").arg(p_Odczytywacz.Przekoduj(parser.TokenString())));

    while (!p_Odczytywacz.PrzerwijOdczyt) {
        if (parser.NextToken() != '<') {
            if (parser.Token() == TLkParser::toEOF)
                parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
            ++p_Odczytywacz.PominietoDane; // text, and no field to take it
            parser.SkipTextUpTo('<');
            continue;
        }
        const unsigned char c = parser.NextToken();
        if (c == '!') {
            p_Odczytywacz.PominKomentarzLubDOCTYPE();
        } else if (c == '?') {
            p_Odczytywacz.PominInstrPrzetwarzania();
        } else if (c == '/') {
            parser.NextToken();
            if (parser.Token() != TLkParser::toSymbol
                || p_Odczytywacz.Przekoduj(parser.TokenString()).compare(p_NazwaObiektu, Qt::CaseInsensitive) != 0)
                parser.Error(QStringLiteral("Spodziewany symbol %1").arg(p_NazwaObiektu));
            parser.NextToken();
            parser.CheckToken('>');
            return;
        } else {
            parser.CheckToken(TLkParser::toSymbol);
            // No field takes a child element: it goes whole, with everything inside.
            p_Odczytywacz.PominElement();
            ++p_Odczytywacz.PominietoDane;
        }
    }
}
