#include "ZapisywaczXML.h"

#include "ListaObiektow.h"
#include "Obiekt.h"
#include "PoleWskObiektu.h"

#include "KodowanieZnakow.h"
#include "TabeleStronKodowych.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <limits>

namespace {

bool bezZnakowSterujacych(TTypZapisuXML p_Typ)
{
    return p_Typ == tzxCelina || p_Typ == tzxOSOZ || p_Typ == tzxECS;
}

// Characters escaping may touch; everything else is copied as a run.
constexpr std::array<bool, 128> ZbudujSpecjalne()
{
    std::array<bool, 128> t{};
    for (int c = 0; c < 32; ++c)
        t[c] = true;
    for (char c : {'&', '"', '<', '\'', '>'})
        t[static_cast<unsigned char>(c)] = true;
    return t;
}
constexpr std::array<bool, 128> Specjalne = ZbudujSpecjalne();

bool specjalny(char16_t c)
{
    return c < 128 ? Specjalne[c] : (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFF;
}

} // namespace

TZapisywaczXML::TZapisywaczXML(TStream *p_Strumien, bool p_ZChwilowymi)
    : TZapisywaczTekstu(p_Strumien, p_ZChwilowymi), TDopisywanieBlokami(Strumien)
{
    UstawTypIKodowanie(tzxDomyslny, tkxDomyslny);
}

TZapisywaczXML::TZapisywaczXML(TStream *p_Strumien, TTypZapisuXML p_TypZapisu, TTypKodowaniaXML p_TypKodowania,
                               bool p_BezPolPomijanych, bool p_ZChwilowymi, const QString &p_SzablonXSL,
                               TDajPrzestrzenPref p_DajPrzestrzenPref)
    : TZapisywaczTekstu(p_Strumien, p_ZChwilowymi), TDopisywanieBlokami(Strumien),
      FDajPrzestrzenPref(std::move(p_DajPrzestrzenPref)), SzablonXSL(p_SzablonXSL), BezPomijanych(p_BezPolPomijanych)
{
    UstawTypIKodowanie(p_TypZapisu, p_TypKodowania);
}

void TZapisywaczXML::UstawTypIKodowanie(TTypZapisuXML p_TypZapisu, TTypKodowaniaXML p_TypKodowania)
{
    TypZapisuXML = p_TypZapisu == tzxDomyslny ? tzxStandard : p_TypZapisu;
    KodowanieXML = p_TypKodowania == tkxDomyslny ? tkxUTF8 : p_TypKodowania;
    BooleanJako01 = bezZnakowSterujacych(TypZapisuXML);
}

bool TZapisywaczXML::CzyZapisacPoleObiektu(int16_t p_NrPola, const TObiekt &p_Obiekt)
{
    ZapisPole = p_NrPola;
    if (CzyZapisacPole)
        return CzyZapisacPole(p_Obiekt, p_NrPola);
    if (!p_Obiekt.MaWartosc(p_NrPola))
        return false;
    if (!ZapisWszystkichPol && !p_Obiekt.PoleZapisywane(p_NrPola))
        return false;
    return !(BezPomijanych && p_Obiekt.PominPoleWXML(p_NrPola, *this));
}

QByteArray TZapisywaczXML::DajNazweTypuDoZapisu(const TObiektBazowy &p_Obiekt) const
{
    if (const TObiekt *obiekt = p_Obiekt.JakoTObiekt())
        return Przekoduj(obiekt->AliasXMLPolaNr(-1));
    // A list root in the line-wise dialect: "ArrayOf" and its item class.
    if (TypZapisuXML == tzxWierszowy)
        if (const TOpisKlasy *element = TypObiektowListy(p_Obiekt.Klasa()))
            return Przekoduj(QStringLiteral("ArrayOf") + element->ClassName());
    QString nazwa = p_Obiekt.ClassName().mid(1);
    while (nazwa.startsWith(QLatin1Char('_')))
        nazwa.remove(0, 1);
    return Przekoduj(nazwa);
}

namespace {

// Where Zastap writes: a byte array grown as needed.
struct TDoTablicy
{
    static constexpr qsizetype MaksJednostek = std::numeric_limits<qsizetype>::max() / 4;
    QByteArray &Tablica;
    char *Miejsce(qsizetype p_Ile)
    {
        const qsizetype byl = Tablica.size();
        Tablica.resize(byl + p_Ile);
        return Tablica.data() + byl;
    }
    void Zajete(char *p_Koniec) { Tablica.resize(p_Koniec - Tablica.constData()); }
    void Dopisz(QByteArrayView p_Bajty) { Tablica.append(p_Bajty); }
};

// The same over the block output: a run at most a third of a block, so that its UTF-8 fits.
struct TDoBloku
{
    static constexpr qsizetype MaksJednostek = TWyjscieBlokowe::RozmBloku / 3;
    TWyjscieBlokowe &Wyjscie;
    char *Miejsce(qsizetype p_Ile) { return Wyjscie.Miejsce(p_Ile); }
    void Zajete(char *p_Koniec) { Wyjscie.Zajete(p_Koniec); }
    void Dopisz(QByteArrayView p_Bajty) { Wyjscie.Dopisz(p_Bajty); }
};

} // namespace

template <typename W> void TZapisywaczXML::Zastap(QStringView p_Tekst, W &p_Wynik) const
{
    const bool bezSterujacych = bezZnakowSterujacych(TypZapisuXML);
    const bool utf8 = KodowanieXML == tkxUTF8;
    auto referencja = [&](uint32_t p_Kod) {
        char bufor[16];
        char *w = bufor;
        *w++ = '&';
        *w++ = '#';
        if (Znormalizowany) {
            *w++ = 'x';
            w = std::to_chars(w, bufor + sizeof bufor, p_Kod, 16).ptr;
            for (char *z = bufor + 3; z < w; ++z)
                *z = static_cast<char>(std::toupper(static_cast<unsigned char>(*z)));
        } else {
            w = std::to_chars(w, bufor + sizeof bufor, p_Kod).ptr;
        }
        *w++ = ';';
        p_Wynik.Dopisz(QByteArrayView(bufor, w - bufor));
    };
    const char16_t *p = p_Tekst.utf16();
    const char16_t *koniec = p + p_Tekst.size();
    while (p < koniec) {
        const char16_t *poczatek = p;
        if (utf8) {
            // Straight into the output: at most three bytes a unit.
            const char16_t *granica = p + std::min<qsizetype>(koniec - p, W::MaksJednostek);
            char *w = p_Wynik.Miejsce(3 * (granica - p));
            for (; p < granica; ++p) {
                const char16_t c = *p;
                if (c < 0x80) {
                    if (Specjalne[c])
                        break;
                    *w++ = static_cast<char>(c);
                } else if (c < 0x800) {
                    *w++ = static_cast<char>(0xC0 | (c >> 6));
                    *w++ = static_cast<char>(0x80 | (c & 0x3F));
                } else if ((c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFF) {
                    break;
                } else {
                    *w++ = static_cast<char>(0xE0 | (c >> 12));
                    *w++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                    *w++ = static_cast<char>(0x80 | (c & 0x3F));
                }
            }
            p_Wynik.Zajete(w);
            if (p == granica)
                continue;
        } else {
            while (p < koniec && !specjalny(*p))
                ++p;
            if (p > poczatek)
                p_Wynik.Dopisz(Koduj(QStringView(poczatek, p).toString()));
            if (p == koniec)
                break;
        }
        const char16_t c = *p++;
        switch (c) {
        case '&': p_Wynik.Dopisz("&amp;"); break;
        case '"': p_Wynik.Dopisz("&quot;"); break;
        case '<': p_Wynik.Dopisz("&lt;"); break;
        case '\'': p_Wynik.Dopisz(Znormalizowany ? "'" : "&apos;"); break;
        case '>': p_Wynik.Dopisz(Znormalizowany ? ">" : "&gt;"); break;
        case '\t':
        case '\n': referencja(c); break;
        default:
            if (QChar::isHighSurrogate(c) && p < koniec && QChar::isLowSurrogate(*p)) {
                // A whole pair is one character: UTF-8 holds it, other encodings get one reference.
                const uint32_t kod = QChar::surrogateToUcs4(c, *p++);
                if (utf8)
                    p_Wynik.Dopisz(QStringView(p - 2, 2).toUtf8());
                else
                    referencja(kod);
            } else if (!bezSterujacych) {
                referencja(c);
            }
        }
    }
}

QByteArray TZapisywaczXML::Koduj(const QString &p_Tekst) const
{
    switch (KodowanieXML) {
    case tkxUTF8: return p_Tekst.toUtf8();
    case tkxISO88592: return TekstNaStroneKodowa(p_Tekst, CP_ISO_8859_2);
    case tkxWin1251: return TekstNaStroneKodowa(p_Tekst, 1251);
    case tkxISO88591: return TekstNaStroneKodowa(p_Tekst, 28591);
    default: return TekstNaStroneKodowa(p_Tekst, 1250);
    }
}

QByteArray TZapisywaczXML::Przekoduj(const QString &p_Tekst) const
{
    QByteArray wynik;
    wynik.reserve(p_Tekst.size());
    TDoTablicy doTablicy{wynik};
    Zastap(p_Tekst, doTablicy);
    return wynik;
}

void TZapisywaczXML::ZapiszTekst(const QString &p_Tekst)
{
    if (TWyjscieBlokowe *wyjscie = Wyjscie()) {
        TDoBloku doBloku{*wyjscie};
        Zastap(p_Tekst, doBloku);
        return;
    }
    FTekst.resize(0);
    TDoTablicy doTablicy{FTekst};
    Zastap(p_Tekst, doTablicy);
    ZapiszBufor(FTekst.constData(), FTekst.size());
}

void TZapisywaczXML::ZapiszTekst(const QByteArray &p_Tekst)
{
    if (KodowanieXML == tkxUTF8 || KodowanieXML == tkxISO88592) {
        ZapiszTekst(TekstZPolskiegoAnsi(p_Tekst));
        return;
    }
    // The other encodings keep the bytes; only the markup characters are escaped.
    QByteArray wynik;
    wynik.reserve(p_Tekst.size());
    for (char bajt : p_Tekst) {
        const auto c = static_cast<unsigned char>(bajt);
        if (c >= 128 || !Specjalne[c])
            wynik += bajt;
        else if (c < 32 && c != '\t' && c != '\n' && bezZnakowSterujacych(TypZapisuXML))
            continue;
        else
            wynik += Przekoduj(QString(QChar(c)));
    }
    ZapiszTxt(wynik);
}

void TZapisywaczXML::ZapiszBoolean(bool p_Wartosc)
{
    if (BooleanJako01)
        ZapiszTxt(p_Wartosc ? QByteArrayLiteral("1") : QByteArrayLiteral("0"));
    else
        ZapiszTxt(p_Wartosc ? QByteArrayLiteral("true") : QByteArrayLiteral("false"));
}

void TZapisywaczXML::ZapiszObiekt(TObiektBazowy &p_Obiekt, const QString &p_NazwaPola)
{
    p_Obiekt.WykonajZapisXML(*this, Przekoduj(p_NazwaPola));
}

QByteArray TZapisywaczXML::DajNaglowekXML() const
{
    static const char *const nazwy[] = {"utf-8", "windows-1250", "utf-8", "ISO-8859-2", "windows-1251", "ISO-8859-1"};
    return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"") + nazwy[KodowanieXML] + QByteArrayLiteral("\" ?>\r\n");
}

void TZapisywaczXML::ZapiszNaglowekPliku(const QString &p_SzablonXSL)
{
    ZapiszTxt(DajNaglowekXML());
    if (p_SzablonXSL.isEmpty())
        return;
    if (p_SzablonXSL.startsWith(QLatin1Char('<'))) {
        ZapiszTxt(Koduj(p_SzablonXSL));
    } else {
        QString adres = p_SzablonXSL;
        if (adres.left(5).compare(QLatin1String("http:"), Qt::CaseInsensitive) != 0
            && adres.left(5).compare(QLatin1String("file:"), Qt::CaseInsensitive) != 0)
            adres = QStringLiteral("file://") + adres;
        adres.replace(QLatin1Char('\\'), QLatin1Char('/'));
        ZapiszTxt("<?xml-stylesheet type=\"text/xsl\" href=\"" + Przekoduj(adres) + "\"?>");
    }
    ZapiszTxt(QByteArrayLiteral("\r\n"));
}

void TZapisywaczXML::DodajPrzestrzenieObiektu(const TObiekt &p_Obiekt)
{
    // Without a namespace and without alias prefixes wanted there is nothing
    // to learn from the fields: most trees, and most of a write's walk.
    if (!FDajPrzestrzenPref && p_Obiekt.PrzestrzenNazwXML().isEmpty())
        return;
    const bool wierszowy = TypZapisuXML == tzxWierszowy;
    bool atrybuty = false;
    bool elementy = false;
    for (int16_t nr = 0; nr <= p_Obiekt.OstatniNrPola(); ++nr) {
        if (!CzyZapisacPoleObiektu(nr, p_Obiekt))
            continue;
        const bool atrybut = !p_Obiekt.PoleJestObiektem(nr) && (!wierszowy || p_Obiekt.JestAtrybutem(nr));
        (atrybut ? atrybuty : elementy) = true;
        if (FDajPrzestrzenPref) {
            const QString alias = p_Obiekt.AliasXMLPolaNr(nr);
            const qsizetype dwukropek = alias.indexOf(QLatin1Char(':'));
            if (dwukropek > 0) {
                const QString prefiks = alias.left(dwukropek);
                const auto it = std::lower_bound(FPrefiksyAliasow.begin(), FPrefiksyAliasow.end(), prefiks);
                if (it == FPrefiksyAliasow.end() || *it != prefiks)
                    FPrefiksyAliasow.insert(it, prefiks);
            }
        }
    }
    if (atrybuty || elementy)
        FPrzestrzNazw.DodajPrzestrzen(p_Obiekt, atrybuty, elementy);
}

void TZapisywaczXML::DodajPrzestrzenieDrzewa(TObiektBazowy &p_Korzen)
{
    p_Korzen.WykonajWDrzewie([&](TObiektBazowy &p_Obiekt) {
        if (const TObiekt *obiekt = p_Obiekt.JakoTObiekt())
            DodajPrzestrzenieObiektu(*obiekt);
        return false;
    });
}

void TZapisywaczXML::UstalPrefiksy(TObiektBazowy &p_Korzen)
{
    const TObiekt *korzen = p_Korzen.JakoTObiekt();
    const QString przestrzenKorzenia = korzen ? korzen->PrzestrzenNazwXML() : QString();
    if (FPrzestrzNazw.IlePrzestrzNazwXML() == 0 || !przestrzenKorzenia.isEmpty() || !FPrefiksyAliasow.isEmpty()) {
        if (korzen && !przestrzenKorzenia.isEmpty() && !FPrzestrzNazw.DajPrzestrzen(przestrzenKorzenia)) {
            auto rekord = std::make_unique<TPrzestrzNazwXML>();
            rekord->UstawPrzestrzen(przestrzenKorzenia);
            rekord->UstawPrefiks(korzen->PrefPrzestrzNazwXML());
            FPrzestrzNazw.DodajPrzestrzNazwXML(std::move(rekord), FPrzestrzNazw.IlePrzestrzNazwXML());
        }
        for (const QString &prefiks : std::as_const(FPrefiksyAliasow)) {
            int gdzie;
            if (FPrzestrzNazw.JestTakiPrefiks(prefiks.toUtf8(), gdzie)) {
                FPrzestrzNazw.PrzestrzNazwXML(gdzie).UstawQualified(true);
            } else {
                auto rekord = std::make_unique<TPrzestrzNazwXML>();
                rekord->UstawPrzestrzen(FDajPrzestrzenPref(prefiks.toUtf8()));
                rekord->UstawPrefiks(prefiks.toUtf8());
                rekord->UstawQualified(true);
                FPrzestrzNazw.DodajPrzestrzNazwXML(std::move(rekord), 0);
            }
        }
        // Unqualified namespaces other than the root's are never named in the document.
        TListaPrzestrzNazwXML zostaja;
        for (const auto &rekord : FPrzestrzNazw)
            if (rekord->Qualified() || rekord->Przestrzen() == przestrzenKorzenia) {
                auto kopia = std::make_unique<TPrzestrzNazwXML>();
                kopia->UstawPrzestrzen(rekord->Przestrzen());
                kopia->UstawPrefiks(rekord->Prefiks());
                kopia->UstawQualified(rekord->Qualified());
                zostaja.DodajPrzestrzNazwXML(std::move(kopia), zostaja.IlePrzestrzNazwXML());
            }
        std::swap(FPrzestrzNazw, zostaja);
    }
    if (TPrzestrzNazwXML *rekordKorzenia = FPrzestrzNazw.DajPrzestrzen(przestrzenKorzenia)) {
        bool kwalifikowane = false;
        bool niekwalifikowane = false;
        for (const auto &rekord : FPrzestrzNazw)
            (rekord->Qualified() ? kwalifikowane : niekwalifikowane) = true;
        const bool zPrefiksem = (kwalifikowane && niekwalifikowane)
            || (korzen && korzen->ElemFormDefaultXML() == fdxUnqualified);
        if (!zPrefiksem)
            rekordKorzenia->UstawPrefiks({});
    }
    // The root's namespace without a prefix is the default one; the others get "lk1", "lk2", ...
    for (int i = 0; i < FPrzestrzNazw.IlePrzestrzNazwXML(); ++i) {
        TPrzestrzNazwXML &rekord = FPrzestrzNazw.PrzestrzNazwXML(i);
        if (!rekord.Prefiks().isEmpty() || rekord.Przestrzen() == przestrzenKorzenia)
            continue;
        for (int n = 1;; ++n) {
            const QByteArray prefiks = "lk" + QByteArray::number(n);
            int gdzie;
            if (!FPrzestrzNazw.JestTakiPrefiks(prefiks, gdzie) || gdzie >= i) {
                rekord.UstawPrefiks(prefiks);
                break;
            }
        }
    }
}

void TZapisywaczXML::PrzygotujIDObiektow(TObiektBazowy &p_Korzen)
{
    FPrzestrzNazw = TListaPrzestrzNazwXML();
    FPrefiksyAliasow.clear();
    // Namespaces are learnt on the walk that collects the identifiers. That
    // walk enters only fields with a value, which is all a namespace depends
    // on, unless a filter decides (it may write fields without one) or an
    // object is met outside its owner: then the tree is walked again for them.
    const bool zFiltrem = static_cast<bool>(CzyZapisacPole);
    bool obcy = false;
    NadajID(ZbierzCeleReferencji(p_Korzen, {}, [&](TObiekt &p_Obiekt, bool p_Wlasny) {
        obcy = obcy || !p_Wlasny;
        if (!zFiltrem && !obcy)
            DodajPrzestrzenieObiektu(p_Obiekt);
    }));
    if (zFiltrem || obcy) {
        FPrzestrzNazw = TListaPrzestrzNazwXML();
        FPrefiksyAliasow.clear();
        DodajPrzestrzenieDrzewa(p_Korzen);
    }
    UstalPrefiksy(p_Korzen);
}

void TZapisywaczXML::ZapiszPrzestrzenNazw(const TObiektBazowy &p_Korzen)
{
    const TObiekt *obiekt = p_Korzen.JakoTObiekt();
    std::vector<const TPrzestrzNazwXML *> rekordy;
    for (const auto &rekord : FPrzestrzNazw)
        rekordy.push_back(rekord.get());
    std::stable_sort(rekordy.begin(), rekordy.end(),
                     [](const TPrzestrzNazwXML *a, const TPrzestrzNazwXML *b) { return a->Prefiks() < b->Prefiks(); });
    for (const TPrzestrzNazwXML *rekord : rekordy) {
        const QByteArray nazwa = rekord->Prefiks().isEmpty() ? QByteArrayLiteral("xmlns") : "xmlns:" + rekord->Prefiks();
        // A field of that name writes the declaration itself.
        bool pole = false;
        for (int16_t nr = 0; obiekt && nr <= obiekt->OstatniNrPola() && !pole; ++nr)
            pole = obiekt->MaWartosc(nr)
                && (obiekt->AliasXMLPolaNr(nr) == QLatin1String(nazwa) || obiekt->NazwaPolaNr(nr) == QLatin1String(nazwa));
        if (!pole)
            ZapiszTxt(' ' + nazwa + "=\"" + Przekoduj(rekord->Przestrzen()) + '"');
    }
    FPrzestrzZapisana = true;
}

QByteArray TZapisywaczXML::PrefiksPrzestrzeni(const TObiekt &p_Klasa) const
{
    if (FPrzestrzNazw.IlePrzestrzNazwXML() == 0)
        return {};
    const QString przestrzen = p_Klasa.PrzestrzenNazwXML();
    if (przestrzen.isEmpty())
        return {};
    const QByteArray prefiks = FPrzestrzNazw.DajPrefiksPrzestrzNazw(przestrzen);
    return prefiks.isEmpty() ? prefiks : prefiks + ':';
}

const TZapisywaczXML::TNazwaPolaXML &TZapisywaczXML::NazwaPolaXML(const TObiekt &p_Obiekt, int16_t p_Nr)
{
    const TOpisKlasy *klasa = &p_Obiekt.Klasa();
    if (klasa != FOstatniaKlasa) {
        FOstatniaKlasa = klasa;
        FOstatnieNazwy = &FNazwyPol[klasa];
    }
    // Sized once for the class, so that a name handed out stays in place.
    std::vector<TNazwaPolaXML> &nazwy = *FOstatnieNazwy;
    if (nazwy.size() <= static_cast<size_t>(p_Nr))
        nazwy.resize(static_cast<size_t>(std::max(p_Obiekt.OstatniNrPola(), p_Nr)) + 1);
    TNazwaPolaXML &nazwa = nazwy[static_cast<size_t>(p_Nr)];
    if (!nazwa.Gotowa) {
        const QString alias = p_Obiekt.AliasXMLPolaNr(p_Nr);
        nazwa.Element = Przekoduj(alias);
        nazwa.Atrybut = nazwa.Element.mid(nazwa.Element.indexOf(':') + 1);
        nazwa.Wartosc = alias == QLatin1String("_Value_");
        nazwa.Gotowa = true;
    }
    return nazwa;
}

void TZapisywaczXML::ZapiszIDObiektu(const TObiektBazowy &p_Obiekt, const QByteArray &p_Prefiks)
{
    const QByteArray id = IDObiektu(&p_Obiekt);
    if (id.isEmpty())
        return;
    ZapiszZnak(' ');
    Dopisz(p_Prefiks);
    Dopisz("ID=\"");
    Dopisz(id);
    ZapiszZnak('"');
}
