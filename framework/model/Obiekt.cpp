#include "Obiekt.h"

#include "LkXMLParser.h"
#include "OdczytywaczXML.h"

const TOpisKlasy TObiekt::Opis = {
    "TObiekt", &TObiektBazowy::Opis, [](TObiektBazowy *p_Rodzic) -> TPole * { return new TObiekt(p_Rodzic); }, {}};

const TOpisKlasy *TObiekt::TypPolaNr(int16_t p_Nr) const
{
    const TOpisPola *pole = Klasa().PoleNr(p_Nr);
    return pole ? pole->Klasa : nullptr;
}

QString TObiekt::NazwaPolaNr(int16_t p_Nr) const
{
    if (p_Nr == -1)
        return ClassName().mid(1);
    const TOpisPola *pole = p_Nr >= 0 ? Klasa().PoleNr(p_Nr) : nullptr;
    return pole ? QString::fromLatin1(pole->Nazwa) : QString();
}

int16_t TObiekt::RozmPolaNr(int16_t p_Nr) const
{
    return p_Nr == -1 ? Klasa().MaxNrPola() : 0;
}

int16_t TObiekt::NrPolaONazwie(const QString &p_Nazwa) const
{
    for (int16_t nr = 0; nr <= Klasa().MaxNrPola(); ++nr) {
        const TOpisPola *pole = Klasa().PoleNr(nr);
        if (pole && p_Nazwa.compare(QLatin1String(pole->Nazwa), Qt::CaseInsensitive) == 0)
            return nr;
    }
    return -1;
}

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
