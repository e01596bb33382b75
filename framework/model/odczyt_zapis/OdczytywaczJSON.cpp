#include "OdczytywaczJSON.h"

#include "BlokadaObiektu.h"
#include "Formatuj.h"
#include "JadroKlas.h"
#include "Obiekt.h"
#include "WyjatkiModelu.h"

#include <algorithm>
#include <string>

namespace {

const QString BlednaStala = QStringLiteral("Nieprawidłowa stała tekstowa");

int wartoscHex(QChar p_Znak)
{
    const char16_t c = p_Znak.unicode();
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

TOdczytywaczJSON::TOdczytywaczJSON(TStream *p_Strumien, TStringCache *p_StringCache)
    : TOdczytywaczTekstuZRef(p_Strumien, std::make_unique<TLkJSONParser>(p_Strumien), p_StringCache)
{
    DajJadroKlas().InicjalizujFormatSettingsJSON(FFormatSettingsJSON);
}

void TOdczytywaczJSON::WczytajDokument(TObiektBazowy &p_Obiekt)
{
    TBlokadaObiektu blokada(&p_Obiekt);
    p_Obiekt.ZerujDane();
    try {
        TLkJSONParser &parser = Parser();
        parser.CheckToken('{');
        parser.NextToken();
        const QString typ = OdczytajTypObiektu(false);
        if (!typ.isEmpty() && !p_Obiekt.MoznaCzytacDaneTypu(typ))
            throw ELkObcyTypError(typ, p_Obiekt.ClassName());
        p_Obiekt.WykonajOdczytJSON(*this, true);
        KorygujReferencje();
    } catch (...) {
        // No identifier text may stay behind as a pointer, nor half a tree.
        ZerujReferencje();
        try {
            p_Obiekt.ZerujDane();
        } catch (const std::exception &) {
            // The read's own failure is the one to report.
        }
        throw;
    }
}

void TOdczytywaczJSON::WczytajObiektJSON(TObiekt &p_Obiekt, bool p_OdczytanoTyp)
{
    TLkJSONParser &parser = Parser();
    if (++FGlebokosc > MaksGlebokosc)
        parser.Error(Format(QStringLiteral("Zbyt głęboko zagnieżdżone obiekty (więcej niż %d poziomów)"),
                            {MaksGlebokosc}));
    struct TPoziom
    {
        int &Glebokosc;
        ~TPoziom() { --Glebokosc; }
    } poziom{FGlebokosc};

    if (!p_OdczytanoTyp) {
        parser.CheckToken('{');
        parser.NextToken();
    }
    while (!PrzerwijOdczyt) {
        if (parser.Token() == '}') {
            parser.NextToken();
            return;
        }
        if (parser.Token() == TLkParser::toEOF)
            parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
        parser.CheckToken(TLkParser::toWString);
        const TCzlon *znany = ZnanyCzlon(p_Obiekt);
        QByteArray bajty;
        if (!znany && FOstatnieCzlony->size() < MaksCzlonowKlasy)
            bajty = parser.TokenView().toByteArray();
        const QString &nazwa = znany ? znany->Nazwa : WczytajNazweCzlonu();
        try {
            parser.CheckToken(':');
            parser.NextToken();
            int16_t nr;
            if (znany) {
                nr = znany->Nr;
                OdczTunel = znany->Tunel;
            } else {
                nr = NrPolaJSON(p_Obiekt, nazwa);
                if (FOstatnieCzlony->size() < MaksCzlonowKlasy)
                    FOstatnieCzlony->push_back({std::move(bajty), nazwa, nr, OdczTunel});
            }
            if (nr < 0) {
                if (nazwa == QLatin1String("ID")) {
                    PrzypiszObiektDoID(p_Obiekt, parser.TokenString());
                    parser.NextToken();
                } else {
                    PominWartosc();
                    ++PominietoDane;
                }
            } else if ((parser.Token() == TLkParser::toWString && parser.TokenView().isEmpty())
                       || (parser.Token() == TLkParser::toSymbol && parser.TokenSymbolIs("null"))) {
                parser.NextToken();
                p_Obiekt.UstawMaWartosc(nr, false);
            } else {
                OdczObiekt = &p_Obiekt;
                OdczPole = nr;
                TPole &pole = p_Obiekt.Pola(nr);
                pole.WczytajJSON(*this);
                if (!pole.JakoObiekt())
                    p_Obiekt.UstawMaWartosc(nr, true);
            }
        } catch (Exception &e) {
            e.SetMessage(KorygujTrescWyjatku(e.Message(), nazwa));
            throw;
        }
        if (parser.Token() == ',')
            parser.NextToken();
    }
}

const QString &TOdczytywaczJSON::WczytajNazweCzlonu()
{
    // Each nesting level has its own buffer: a name must outlive the members
    // read inside its value, for the message of a failure among them.
    if (FNazwyCzlonow.size() <= static_cast<size_t>(FGlebokosc))
        FNazwyCzlonow.resize(static_cast<size_t>(FGlebokosc) + 1);
    QString &nazwa = FNazwyCzlonow[static_cast<size_t>(FGlebokosc)];
    TLkJSONParser &parser = Parser();
    const QByteArrayView bajty = parser.TokenView();
    const bool zwykla = std::all_of(bajty.begin(), bajty.end(), [](char p_Bajt) {
        return static_cast<unsigned char>(p_Bajt) < 0x80 && p_Bajt != '\\';
    });
    if (!zwykla) {
        nazwa = WczytajTekst();
        return nazwa;
    }
    // Plain ASCII (nearly every name) is widened in place: no block per member.
    nazwa.resize(bajty.size());
    QChar *znaki = nazwa.data();
    for (qsizetype i = 0; i < bajty.size(); ++i)
        znaki[i] = QChar(static_cast<char16_t>(static_cast<unsigned char>(bajty[i])));
    parser.NextToken();
    return nazwa;
}

const TOdczytywaczJSON::TCzlon *TOdczytywaczJSON::ZnanyCzlon(const TObiekt &p_Obiekt)
{
    const TOpisKlasy *klasa = &p_Obiekt.Klasa();
    if (klasa != FOstatniaKlasa) {
        FOstatniaKlasa = klasa;
        FOstatnieCzlony = &FCzlony[klasa];
        FOstatnieCzlony->reserve(MaksCzlonowKlasy);
    }
    TLkJSONParser &parser = Parser();
    const QByteArrayView bajty = parser.TokenView();
    for (const TCzlon &czlon : *FOstatnieCzlony)
        if (czlon.Bajty == bajty) {
            parser.NextToken();
            return &czlon;
        }
    return nullptr;
}

int16_t TOdczytywaczJSON::NrPolaJSON(const TObiekt &p_Obiekt, const QString &p_Nazwa)
{
    OdczTunel = false;
    int16_t nr = p_Obiekt.NrPolaOAliasieJSON(p_Nazwa);
    if (nr < 0)
        nr = p_Obiekt.NrPolaONazwie(p_Nazwa);
    if (nr < 0) {
        nr = p_Obiekt.NrPolaOPoprzNazwie(p_Nazwa);
        OdczTunel = nr >= 0;
    }
    return nr;
}

QByteArray TOdczytywaczJSON::WczytajTekstAnsi()
{
    TLkJSONParser &parser = Parser();
    if (parser.Token() == TLkParser::toEOF)
        parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
    QByteArray tekst = parser.TokenString();
    parser.NextToken();
    return tekst;
}

QString TOdczytywaczJSON::WczytajTekst()
{
    TLkJSONParser &parser = Parser();
    if (parser.Token() == TLkParser::toEOF)
        parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
    const QByteArrayView bajty = parser.TokenView();
    QString tekst = QString::fromUtf8(bajty);
    if (bajty.contains('\\'))
        tekst = RozwinUcieczki(tekst);
    parser.NextToken();
    return tekst;
}

QString TOdczytywaczJSON::WczytajTekstLubTablice()
{
    TLkJSONParser &parser = Parser();
    if (parser.Token() != '[')
        return WczytajTekst();
    QString ostatni;
    parser.NextToken();
    while (parser.Token() != ']') {
        parser.CheckToken(TLkParser::toWString);
        ostatni = WczytajTekst();
        if (parser.Token() == ',')
            parser.NextToken();
        else
            parser.CheckToken(']');
    }
    parser.NextToken();
    return ostatni;
}

QString TOdczytywaczJSON::OdczytajTypObiektu(bool p_WyjatekGdyBrak)
{
    TLkJSONParser &parser = Parser();
    if (parser.Token() != TLkParser::toWString || parser.TokenView() != QByteArrayView("_type_")) {
        if (p_WyjatekGdyBrak)
            parser.ErrorFmt(QStringLiteral("Spodziewany symbol %s"), {QStringLiteral("_type_")});
        return {};
    }
    parser.NextToken();
    parser.CheckToken(':');
    parser.NextToken();
    parser.CheckToken(TLkParser::toWString);
    const QString typ = WczytajTekst();
    if (parser.Token() == ',')
        parser.NextToken();
    return typ;
}

void TOdczytywaczJSON::CzytajPropValue()
{
    TLkJSONParser &parser = Parser();
    if (parser.Token() != TLkParser::toWString || parser.TokenView() != QByteArrayView("value"))
        parser.ErrorFmt(QStringLiteral("Spodziewany symbol %s"), {QStringLiteral("value")});
    parser.NextToken();
    parser.CheckToken(':');
    parser.NextToken();
}

void TOdczytywaczJSON::PominWartosc()
{
    TLkJSONParser &parser = Parser();
    // The closing brackets still owed, innermost last.
    std::string zamkniecia;
    do {
        const unsigned char token = parser.Token();
        if (token == TLkParser::toEOF)
            parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
        if (token == '{' || token == '[') {
            zamkniecia.push_back(token == '{' ? '}' : ']');
        } else if (token == '}' || token == ']') {
            if (zamkniecia.empty())
                parser.Error(Format(QStringLiteral("Błędny token = %s"), {QString(QLatin1Char(char(token)))}));
            if (zamkniecia.back() != char(token))
                parser.CharExpected(static_cast<unsigned char>(zamkniecia.back()));
            zamkniecia.pop_back();
        }
        parser.NextToken();
    } while (!zamkniecia.empty());
}

QString TOdczytywaczJSON::RozwinUcieczki(const QString &p_Tekst)
{
    QString wynik;
    wynik.reserve(p_Tekst.size());
    const qsizetype n = p_Tekst.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = p_Tekst[i];
        if (c != QLatin1Char('\\')) {
            wynik.append(c);
            continue;
        }
        if (++i >= n)
            throw LkException(BlednaStala);
        switch (p_Tekst[i].unicode()) {
        case '"': wynik.append(QLatin1Char('"')); break;
        case '/': wynik.append(QLatin1Char('/')); break;
        case '\\': wynik.append(QLatin1Char('\\')); break;
        case 'b': wynik.append(QLatin1Char('\b')); break;
        case 'f': wynik.append(QLatin1Char('\f')); break;
        case 'n': wynik.append(QLatin1Char('\n')); break;
        case 'r': wynik.append(QLatin1Char('\r')); break;
        case 't': wynik.append(QLatin1Char('\t')); break;
        case 'u': {
            int kod = 0;
            for (int k = 1; k <= 4; ++k) {
                const int cyfra = i + k < n ? wartoscHex(p_Tekst[i + k]) : -1;
                if (cyfra < 0)
                    throw LkException(BlednaStala);
                kod = kod * 16 + cyfra;
            }
            wynik.append(QChar(char16_t(kod)));
            i += 4;
            break;
        }
        default:
            throw LkException(BlednaStala);
        }
    }
    return wynik;
}
