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

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <typeinfo>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Copies the leading UTF-16 units that stand for themselves in a JSON string
// (ASCII without escapes) to p_Cel as bytes; returns how many.
qsizetype KopiujZwykle(const char16_t *p_Znaki, qsizetype p_Ile, char *p_Cel)
{
    qsizetype i = 0;
#if defined(__SSE2__)
    // Packing saturates: units above 0xFF become 0xFF and those from 0x8000
    // (negative as signed) become 0, so one signed "below 0x20" test catches
    // both the control bytes and everything from 0x80 up.
    const __m128i spacja = _mm_set1_epi8(0x20);
    const __m128i cudzyslow = _mm_set1_epi8('"');
    const __m128i lewy = _mm_set1_epi8('\\');
    const auto zle = [&](__m128i p_Bajty) {
        const __m128i z = _mm_or_si128(_mm_cmplt_epi8(p_Bajty, spacja),
                                       _mm_or_si128(_mm_cmpeq_epi8(p_Bajty, cudzyslow), _mm_cmpeq_epi8(p_Bajty, lewy)));
        return static_cast<unsigned>(_mm_movemask_epi8(z));
    };
    for (; i + 16 <= p_Ile; i += 16) {
        const auto *z = reinterpret_cast<const __m128i *>(p_Znaki + i);
        const __m128i bajty = _mm_packus_epi16(_mm_loadu_si128(z), _mm_loadu_si128(z + 1));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(p_Cel + i), bajty);
        if (const unsigned maska = zle(bajty))
            return i + std::countr_zero(maska);
    }
    if (i + 8 <= p_Ile) {
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p_Znaki + i));
        const __m128i bajty = _mm_packus_epi16(w, w);
        _mm_storel_epi64(reinterpret_cast<__m128i *>(p_Cel + i), bajty);
        if (const unsigned maska = zle(bajty) & 0xFFu)
            return i + std::countr_zero(maska);
        i += 8;
    }
#endif
    for (; i < p_Ile; ++i) {
        const char16_t c = p_Znaki[i];
        if (c >= 0x80 || Ucieczki[c])
            break;
        p_Cel[i] = static_cast<char>(c);
    }
    return i;
}

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
    TWyjscieBlokowe *wyjscie = Wyjscie();
    const qsizetype n = p_Tekst.size();
    if (wyjscie && n + 2 <= TWyjscieBlokowe::RozmBloku) {
        // The usual text is ASCII without escapes: straight into the block.
        char *w = wyjscie->Miejsce(n + 2);
        *w++ = '"';
        const qsizetype zwykle = KopiujZwykle(QStringView(p_Tekst).utf16(), n, w);
        w += zwykle;
        if (zwykle == n) {
            *w++ = '"';
            wyjscie->Zajete(w);
            return;
        }
        wyjscie->Zajete(w);
        FBufor.resize(0);
        DopiszUcieczki(QStringView(p_Tekst).mid(zwykle).toUtf8());
        FBufor.append('"');
        Dopisz(FBufor);
        return;
    }
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
    const QByteArray *id = IDDoZapisu(p_Pole.Wartosc());
    Dopisz(id ? QByteArrayView(*id) : QByteArrayView("null"));
}

const QByteArray *TZapisywaczJSON::IDDoZapisu(const TObiektBazowy *p_Obiekt)
{
    // IDObiektu's answer without a copy of the number per object.
    int gdzie;
    if (!p_Obiekt || !PodlegaZapisowi(p_Obiekt, gdzie) || gdzie >= IDObiektow.size())
        return nullptr;
    const QByteArray &id = IDObiektow.at(gdzie);
    return id.isEmpty() ? nullptr : &id;
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
        Dopisz('{');
    bool pierwszy = !p_ZapisanoTyp;
    if (const QByteArray *id = IDDoZapisu(&p_Obiekt)) {
        Dopisz(pierwszy ? QByteArrayView("\"ID\":") : QByteArrayView(",\"ID\":"));
        Dopisz(*id);
        pierwszy = false;
    }
    std::vector<TNazwaCzlonu> &nazwy = NazwyCzlonowKlasy(p_Obiekt);
    const auto zapiszPole = [&](int16_t p_Nr, const TPole *p_Pole) {
        if (const TPoleWskObiektu *wskaznik = p_Pole ? p_Pole->JakoWskaznik() : nullptr)
            if (!PodlegaZapisowi(wskaznik->Wartosc()))
                return;
        DopiszCzlon(pierwszy, NazwaCzlonu(nazwy, p_Obiekt, p_Nr));
        pierwszy = false;
        if (p_Pole)
            ZapiszWartoscPola(p_Obiekt, p_Nr, *p_Pole);
        else
            Dopisz("null");
    };
    if (CzyZapisacPole) {
        // The filter alone decides, for fields without data too.
        const int16_t ostatni = p_Obiekt.OstatniNrPola();
        for (int16_t nr = 0; nr <= ostatni; ++nr) {
            ZapisPole = nr;
            if (CzyZapisacPole(p_Obiekt, nr))
                zapiszPole(nr, p_Obiekt.MaWartosc(nr) ? p_Obiekt.PoleJesliJest(nr) : nullptr);
        }
    } else {
        // CzyZapisacPoleObiektu's rule over the fields with data, the class's table read once.
        p_Obiekt.DlaPolZWartoscia([&](int16_t p_Nr, TPole &p_Pole) {
            ZapisPole = p_Nr;
            if (ZapisWszystkichPol || p_Obiekt.PoleZapisywane(p_Nr))
                zapiszPole(p_Nr, &p_Pole);
        });
    }
    if (!p_ZapisanoTyp) {
        DopiszNowaLinie();
        Dopisz("}");
    }
}

void TZapisywaczJSON::DopiszCzlon(bool p_Pierwszy, const QByteArray &p_Nazwa)
{
    TWyjscieBlokowe *wyjscie = Wyjscie();
    const qsizetype ile = p_Nazwa.size() + 3;
    if (wyjscie && !PominKonceLinii && (PominAkapity || Akapit <= 0) && ile <= TWyjscieBlokowe::RozmBloku) {
        // Without indentation the bytes before the name are fixed: one copy.
        char *w = wyjscie->Miejsce(ile);
        if (!p_Pierwszy)
            *w++ = ',';
        *w++ = '\r';
        *w++ = '\n';
        std::memcpy(w, p_Nazwa.constData(), static_cast<size_t>(p_Nazwa.size()));
        wyjscie->Zajete(w + p_Nazwa.size());
        return;
    }
    if (!p_Pierwszy)
        Dopisz(',');
    DopiszNowaLinie();
    Dopisz(p_Nazwa);
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
    // ASCII without escapes (the usual text) is copied as it is; the rest,
    // from the first unit that needs more, is converted and escaped in runs.
    const qsizetype n = p_Tekst.size();
    const qsizetype poczatek = FBufor.size();
    FBufor.resize(poczatek + n);
    const qsizetype i = KopiujZwykle(p_Tekst.utf16(), n, FBufor.data() + poczatek);
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

std::vector<TZapisywaczJSON::TNazwaCzlonu> &TZapisywaczJSON::NazwyCzlonowKlasy(const TObiekt &p_Obiekt)
{
    // Keyed by the dynamic type: one virtual look-up, no class check per object.
    const std::type_info *klasa = &typeid(p_Obiekt);
    if (klasa != FOstatniaKlasa) {
        FOstatniaKlasa = klasa;
        FOstatnieNazwy = &FNazwyCzlonow[klasa];
    }
    return *FOstatnieNazwy;
}

const QByteArray &TZapisywaczJSON::NazwaCzlonu(std::vector<TNazwaCzlonu> &p_Nazwy, const TObiekt &p_Obiekt, int16_t p_Nr)
{
    if (static_cast<size_t>(p_Nr) < p_Nazwy.size() && p_Nazwy[static_cast<size_t>(p_Nr)].Gotowa) [[likely]]
        return p_Nazwy[static_cast<size_t>(p_Nr)].Bajty;
    return NowaNazwaCzlonu(p_Nazwy, p_Obiekt, p_Nr);
}

const QByteArray &TZapisywaczJSON::NowaNazwaCzlonu(std::vector<TNazwaCzlonu> &p_Nazwy, const TObiekt &p_Obiekt, int16_t p_Nr)
{
    if (p_Nazwy.size() <= static_cast<size_t>(p_Nr))
        p_Nazwy.resize(static_cast<size_t>(std::max(p_Obiekt.OstatniNrPola(), p_Nr)) + 1);
    TNazwaCzlonu &nazwa = p_Nazwy[static_cast<size_t>(p_Nr)];
    if (!nazwa.Gotowa) {
        QByteArray zUcieczkami;
        std::swap(FBufor, zUcieczkami);
        FBufor.append('"');
        DopiszUcieczki(p_Obiekt.AliasJSONPolaNr(p_Nr).toUtf8());
        FBufor.append("\":");
        std::swap(FBufor, zUcieczkami);
        nazwa.Bajty = zUcieczkami;
        nazwa.Gotowa = true;
    }
    return nazwa.Bajty;
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
