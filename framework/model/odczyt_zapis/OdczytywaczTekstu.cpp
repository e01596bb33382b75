#include "OdczytywaczTekstu.h"

#include "KodowanieZnakow.h"
#include "Obiekt.h"
#include "PoleWskObiektu.h"

#include <QStringDecoder>

namespace {

// Joined strings grow four-fold while small, then by a fixed step, so that
// long texts are not copied again for every piece.
constexpr qsizetype GranicaWzrostu = 262144;
constexpr qsizetype KrokWzrostu = 1048576;

qsizetype nowaPojemnosc(qsizetype p_Pojemnosc, qsizetype p_Potrzeba)
{
    qsizetype pojemnosc = p_Pojemnosc > 0 ? p_Pojemnosc : 1024;
    while (pojemnosc < p_Potrzeba)
        pojemnosc = pojemnosc < GranicaWzrostu ? pojemnosc * 4 : pojemnosc + KrokWzrostu;
    return pojemnosc;
}

bool jestNapisem(unsigned char p_Token)
{
    return p_Token == TLkParser::toString || p_Token == TLkParser::toWString;
}

} // namespace

TOdczytywaczTekstu::TOdczytywaczTekstu(TStream *p_Strumien, TStringCache *p_StringCache)
    : TOdczytywaczTekstu(p_Strumien, TworzParser(p_Strumien), p_StringCache)
{
}

TOdczytywaczTekstu::TOdczytywaczTekstu(TStream *p_Strumien, std::unique_ptr<TLkParser> p_Parser,
                                       TStringCache *p_StringCache)
    : TOdczytywaczDanych(p_StringCache), Strumien(p_Strumien), FParser(std::move(p_Parser))
{
}

std::unique_ptr<TLkParser> TOdczytywaczTekstu::TworzParser(TStream *p_Strumien)
{
    return std::make_unique<TLkParser>(p_Strumien);
}

template <typename F> void TOdczytywaczTekstu::CzytajKawalkiNapisu(F p_Kawalek)
{
    TLkParser &parser = Parser();
    if (parser.Token() == TLkParser::toEOF)
        parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
    if (!jestNapisem(parser.Token())) {
        p_Kawalek(false, parser.TokenView());
        parser.NextToken();
        return;
    }
    for (;;) {
        p_Kawalek(parser.Token() == TLkParser::toWString, parser.TokenView());
        if (parser.NextToken() != '+')
            return;
        if (!jestNapisem(parser.NextToken()))
            parser.CheckToken(TLkParser::toString);
    }
}

QByteArray TOdczytywaczTekstu::WczytajTekstAnsi()
{
    QByteArray wynik;
    CzytajKawalkiNapisu([&](bool, QByteArrayView p_Bajty) {
        const qsizetype potrzeba = wynik.size() + p_Bajty.size();
        if (potrzeba > wynik.capacity())
            wynik.reserve(nowaPojemnosc(wynik.capacity(), potrzeba));
        wynik.append(p_Bajty);
    });
    return wynik;
}

QString TOdczytywaczTekstu::WczytajNapis(bool p_BajtyWUTF8)
{
    // Pieces of one kind are decoded together: a writer may split a UTF-8 sequence between them.
    QString wynik;
    QByteArray seria;
    bool seriaUTF8 = false;
    auto zamknijSerie = [&] {
        wynik += seriaUTF8 ? QString::fromUtf8(seria) : TekstZPolskiegoAnsi(seria);
        seria.clear();
    };
    CzytajKawalkiNapisu([&](bool p_Szeroki, QByteArrayView p_Bajty) {
        const bool utf8 = p_Szeroki || p_BajtyWUTF8;
        if (utf8 != seriaUTF8 && !seria.isEmpty())
            zamknijSerie();
        seriaUTF8 = utf8;
        seria.append(p_Bajty);
    });
    zamknijSerie();
    return wynik;
}

QString TOdczytywaczTekstu::DekodujTrescUTF8(const QByteArray &p_Bajty)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString tekst = utf8.decode(p_Bajty);
    if (utf8.hasError() && !p_Bajty.isEmpty())
        return TekstZPolskiegoAnsi(p_Bajty);
    return tekst;
}

bool TOdczytywaczTekstu::WczytajRef(TPoleWskObiektu &p_Pole)
{
    TLkParser &parser = Parser();
    parser.CheckToken(TLkParser::toInteger);
    const qint64 numer = parser.TokenInt();
    DodajRefNumer(p_Pole, numer);
    parser.NextToken();
    return numer != 0;
}

const TOpisKlasy *TOdczytywaczTekstu::PoprzTypOdczytywanegoPola() const
{
    return OdczObiekt && OdczPole >= 0 ? OdczObiekt->PoprzTypPolaNr(OdczPole) : nullptr;
}
