#include "ZapisywaczJSON.h"

#include "BlokadaObiektu.h"
#include "DatyICzasy.h"
#include "Formatuj.h"
#include "JadroKlas.h"
#include "KodowanieZnakow.h"
#include "Obiekt.h"
#include "PolaDatyICzasu.h"
#include "PolaCalkowite.h"
#include "PoleWskObiektu.h"

#include <array>
#include <memory>

namespace {

// What each byte becomes inside a JSON string: 0 copied, 'u' as \u00XX, any other the letter after "\".
constexpr std::array<char, 256> TabelaUcieczek()
{
    std::array<char, 256> t{};
    for (int c = 0; c < 32; ++c)
        t[c] = 'u';
    t['\b'] = 'b';
    t['\t'] = 't';
    t['\n'] = 'n';
    t['\f'] = 'f';
    t['\r'] = 'r';
    t['"'] = '"';
    t['\\'] = '\\';
    return t;
}
constexpr std::array<char, 256> Ucieczki = TabelaUcieczek();

} // namespace

TZapisywaczJSON::TZapisywaczJSON(TStream *p_Strumien, bool p_ZChwilowymi, bool p_PominZapisTypu)
    : TZapisywaczTekstu(p_Strumien, p_ZChwilowymi), TDopisywanieBlokami(Strumien), FPominZapisTypu(p_PominZapisTypu)
{
    DajJadroKlas().InicjalizujFormatSettingsJSON(FFormatSettingsJSON);
}

bool TZapisywaczJSON::CzyZapisacPoleObiektu(int16_t p_NrPola, const TObiekt &p_Obiekt)
{
    ZapisPole = p_NrPola;
    if (CzyZapisacPole)
        return CzyZapisacPole(p_Obiekt, p_NrPola);
    return p_Obiekt.MaWartosc(p_NrPola) && (ZapisWszystkichPol || p_Obiekt.PoleZapisywane(p_NrPola));
}

void TZapisywaczJSON::ZapiszTekst(const QByteArray &p_Tekst)
{
    ZapiszTekstJSON(TekstZPolskiegoAnsi(p_Tekst).toUtf8());
}

void TZapisywaczJSON::ZapiszTekst(const QString &p_Tekst)
{
    FBufor.resize(0);
    FBufor.append('"');
    DopiszTekst(p_Tekst);
    FBufor.append('"');
    Dopisz(FBufor);
}

void TZapisywaczJSON::ZapiszBoolean(bool p_Wartosc)
{
    Dopisz(p_Wartosc ? QByteArrayView("true") : QByteArrayView("false"));
}

void TZapisywaczJSON::ZapiszObiekt(TObiektBazowy &p_Obiekt, const QString &)
{
    ZapiszDokument(p_Obiekt);
}

void TZapisywaczJSON::ZapiszRef(const TPoleWskObiektu &p_Pole)
{
    const QByteArray id = IDObiektu(p_Pole.Wartosc());
    Dopisz(id.isEmpty() ? QByteArrayView("null") : QByteArrayView(id));
}

void TZapisywaczJSON::ZapiszDokument(TObiektBazowy &p_Obiekt)
{
    TBlokadaObiektu blokada(&p_Obiekt);
    TZapisBlokami bloki(*this);
    PrzygotujIDObiektow(p_Obiekt);
    if (!FPominZapisTypu)
        ZapiszPoczTypu(p_Obiekt);
    p_Obiekt.WykonajZapisJSON(*this, !FPominZapisTypu);
    if (!FPominZapisTypu)
        ZapiszKonTypu();
    bloki.Zakoncz();
}

void TZapisywaczJSON::PrzygotujIDObiektow(TObiektBazowy &p_Korzen)
{
    // The walk offers only fields with data (a field a filter accepts without
    // data has no target to number): what is left of CzyZapisacPoleObiektu.
    ZbierzObiektyZID(p_Korzen, [this](const TObiekt &p_Obiekt, int16_t p_Nr) {
        if (CzyZapisacPole)
            return CzyZapisacPole(p_Obiekt, p_Nr);
        return ZapisWszystkichPol || p_Obiekt.PoleZapisywane(p_Nr);
    });
}

void TZapisywaczJSON::ZapiszPoczTypu(const TObiektBazowy &p_Obiekt)
{
    Dopisz("{\"_type_\":");
    ZapiszTekstJSON(DajNazweTypuDoZapisu(p_Obiekt));
}

void TZapisywaczJSON::ZapiszPropValue()
{
    Dopisz(",");
    DopiszNowaLinie();
    Dopisz("\"value\":");
}

void TZapisywaczJSON::ZapiszKonTypu()
{
    DopiszNowaLinie();
    Dopisz("}");
}

void TZapisywaczJSON::ZapiszObiektJSON(const TObiekt &p_Obiekt, bool p_ZapisanoTyp)
{
    if (!p_ZapisanoTyp)
        Dopisz("{");
    bool pierwszy = !p_ZapisanoTyp;
    const QByteArray id = IDObiektu(&p_Obiekt);
    if (!id.isEmpty()) {
        Dopisz(pierwszy ? QByteArrayView("\"ID\":") : QByteArrayView(",\"ID\":"));
        Dopisz(id);
        pierwszy = false;
    }
    const int16_t ostatni = p_Obiekt.OstatniNrPola();
    for (int16_t nr = 0; nr <= ostatni; ++nr) {
        if (!CzyZapisacPoleObiektu(nr, p_Obiekt))
            continue;
        const TPole *pole = p_Obiekt.MaWartosc(nr) ? p_Obiekt.PoleJesliJest(nr) : nullptr;
        if (const TPoleWskObiektu *wskaznik = pole ? pole->JakoWskaznik() : nullptr)
            if (!PodlegaZapisowi(wskaznik->Wartosc()))
                continue;
        if (!pierwszy)
            Dopisz(',');
        pierwszy = false;
        DopiszNowaLinie();
        Dopisz('"');
        Dopisz(AliasUTF8(p_Obiekt.AliasJSONPolaNr(nr)));
        Dopisz("\":");
        if (pole)
            ZapiszWartoscPola(p_Obiekt, nr, *pole);
        else
            Dopisz("null");
    }
    if (!p_ZapisanoTyp) {
        DopiszNowaLinie();
        Dopisz("}");
    }
}

void TZapisywaczJSON::ZapiszWartoscPola(const TObiekt &p_Obiekt, int16_t p_Nr, const TPole &p_Pole)
{
    const QString maska = p_Obiekt.MaskaZapisuPolaNr(p_Nr);
    if (maska.isEmpty())
        return p_Pole.ZapiszJSON(*this);
    const QString tekst = p_Pole.WartWgMaski(maska, &DajJadroKlas().FormatSettings());
    if (maska.startsWith(QLatin1Char('#')) && tekst.size() > maska.size())
        throw LkException(Format(QStringLiteral("błąd zapisu wg maski: \"%s\" <> \"%s\" w %s"),
                                 {tekst, maska, p_Obiekt.DajSciezkeDoSiebie()}));
    if (dynamic_cast<const TPoleNumeryczne *>(&p_Pole) && !dynamic_cast<const TPoleDateTimeBazowe *>(&p_Pole))
        ZapiszTekstBezCudzyslowu(tekst);
    else
        ZapiszTekst(tekst);
}

void TZapisywaczJSON::ZapiszTekstJSON(QByteArrayView p_UTF8)
{
    // Escaped in a scratch buffer, so that the stream gets one write per string.
    FBufor.resize(0);
    FBufor.append('"');
    DopiszUcieczki(p_UTF8);
    FBufor.append('"');
    Dopisz(FBufor);
}

void TZapisywaczJSON::ZapiszTekstBezCudzyslowu(const QString &p_Tekst)
{
    FBufor.resize(0);
    DopiszUcieczki(p_Tekst.toUtf8());
    Dopisz(FBufor);
}

void TZapisywaczJSON::DopiszTekst(QStringView p_Tekst)
{
    // ASCII without escapes (the usual text) is copied unit by unit; the rest,
    // from the first unit that needs more, is converted and escaped in runs.
    const char16_t *znaki = p_Tekst.utf16();
    const qsizetype n = p_Tekst.size();
    const qsizetype poczatek = FBufor.size();
    FBufor.resize(poczatek + n);
    char *w = FBufor.data() + poczatek;
    qsizetype i = 0;
    for (; i < n; ++i) {
        const char16_t c = znaki[i];
        if (c >= 0x80 || Ucieczki[c])
            break;
        w[i] = static_cast<char>(c);
    }
    FBufor.resize(poczatek + i);
    if (i < n)
        DopiszUcieczki(p_Tekst.mid(i).toUtf8());
}

void TZapisywaczJSON::DopiszNowaLinie()
{
    if (PominKonceLinii)
        return;
    Dopisz("\r\n");
    ZapiszAkapit();
}

const QByteArray &TZapisywaczJSON::AliasUTF8(const QString &p_Alias)
{
    // Keyed by the text's block, which the entry's copy keeps alive (so no
    // other text can take its address); aliases made afresh on every call
    // would fill it, hence the cap.
    auto it = FAliasy.find(p_Alias.constData());
    if (it != FAliasy.end() && it->Alias.size() == p_Alias.size())
        return it->UTF8;
    if (FAliasy.size() >= 4096)
        FAliasy.clear();
    const QByteArray utf8 = p_Alias.toUtf8();
    QByteArray zUcieczkami;
    std::swap(FBufor, zUcieczkami);
    DopiszUcieczki(utf8);
    std::swap(FBufor, zUcieczkami);
    return FAliasy.insert(p_Alias.constData(), TAlias{p_Alias, zUcieczkami})->UTF8;
}

void TZapisywaczJSON::DopiszUcieczki(QByteArrayView p_UTF8)
{
    const char *p = p_UTF8.data();
    const char *koniec = p + p_UTF8.size();
    const char *seria = p;
    for (; p < koniec; ++p) {
        const char ucieczka = Ucieczki[static_cast<unsigned char>(*p)];
        if (!ucieczka)
            continue;
        FBufor.append(seria, p - seria);
        if (ucieczka == 'u') {
            static const char cyfry[] = "0123456789ABCDEF";
            const auto c = static_cast<unsigned char>(*p);
            const char kod[] = {'\\', 'u', '0', '0', cyfry[c >> 4], cyfry[c & 15]};
            FBufor.append(kod, sizeof kod);
        } else {
            const char kod[] = {'\\', ucieczka};
            FBufor.append(kod, sizeof kod);
        }
        seria = p + 1;
    }
    FBufor.append(seria, koniec - seria);
}
