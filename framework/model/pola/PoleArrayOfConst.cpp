#include "PoleArrayOfConst.h"

#include "BlokadaObiektu.h"
#include "Extended80.h"
#include "JadroKlas.h"
#include "KodowanieZnakow.h"
#include "LkParam.h"
#include "Obiekt.h"
#include "OdczytywaczDanych.h"
#include "OdczytywaczJSON.h"
#include "OdczytywaczNatywny.h"
#include "OdczytywaczXML.h"
#include "ParsowanieTekstu.h"
#include "PolaZmiennoprzecinkowe.h"
#include "PorownywaczDanych.h"
#include "StrumienBinarny.h"
#include "ZapisywaczBinarny.h"
#include "ZapisywaczJSON.h"
#include "ZapisywaczNatywny.h"
#include "ZapisywaczXML.h"

#include <limits>
#include <utility>

namespace {

constexpr const char *NazwyRodzajow[TPoleArrayOfConst::IleRodzajow] = {
    "vtInteger", "vtBoolean",    "vtChar",     "vtExtended",  "vtString",   "vtPointer",
    "vtPChar",   "vtObject",     "vtClass",    "vtWideChar",  "vtPWideChar", "vtAnsiString",
    "vtCurrency", "vtVariant",   "vtInterface", "vtWideString", "vtInt64",  "vtUnicodeString",
};

TLkParamBazowy *jakoParam(const TVarRec &p_Wartosc)
{
    return p_Wartosc.Rodzaj() == TVarRec::TRodzaj::Object ? dynamic_cast<TLkParamBazowy *>(p_Wartosc.JakoObiekt())
                                                          : nullptr;
}

TObiekt *jakoObiekt(const TVarRec &p_Wartosc)
{
    return p_Wartosc.Rodzaj() == TVarRec::TRodzaj::Object ? dynamic_cast<TObiekt *>(p_Wartosc.JakoObiekt()) : nullptr;
}

QString nazwaKlasy(const TObject *p_Obiekt)
{
    const auto *pole = dynamic_cast<const TPole *>(p_Obiekt);
    return pole ? pole->ClassName() : QStringLiteral("TObject");
}

template <typename T> int16_t znak(T p_A, T p_B)
{
    return p_A < p_B ? -1 : (p_B < p_A ? 1 : 0);
}

int16_t porownajStale(const TVarRec &p_A, const TVarRec &p_B, TPorownywaczDanych &p_Porownywacz)
{
    if (const int16_t wynik = znak(p_A.KodTypu(), p_B.KodTypu()))
        return wynik;
    switch (p_A.Rodzaj()) {
    case TVarRec::TRodzaj::Extended:
        return znak(p_A.JakoDouble(), p_B.JakoDouble());
    case TVarRec::TRodzaj::String:
    case TVarRec::TRodzaj::Char:
        return znak(p_A.JakoString().compare(p_B.JakoString()), 0);
    case TVarRec::TRodzaj::AnsiString:
        return znak(p_A.JakoBajty().compare(p_B.JakoBajty()), 0);
    case TVarRec::TRodzaj::Object: {
        const TObject *a = p_A.JakoObiekt();
        const TObject *b = p_B.JakoObiekt();
        const auto *poleA = dynamic_cast<const TPole *>(a);
        const auto *poleB = dynamic_cast<const TPole *>(b);
        if (!poleA || !poleB)
            return poleA ? 1 : (poleB ? -1 : znak(a, b));
        return poleA->Porownaj(*poleB, &p_Porownywacz);
    }
    default:
        return znak(p_A.JakoInt64(), p_B.JakoInt64());
    }
}

} // namespace

const char *TPoleArrayOfConst::NazwaRodzaju(int p_Rodzaj)
{
    return p_Rodzaj >= 0 && p_Rodzaj < IleRodzajow ? NazwyRodzajow[p_Rodzaj] : "";
}

int TPoleArrayOfConst::RodzajONazwie(QByteArrayView p_Nazwa)
{
    for (int rodzaj = 0; rodzaj < IleRodzajow; ++rodzaj)
        if (p_Nazwa == NazwyRodzajow[rodzaj])
            return rodzaj;
    return -1;
}

TPoleArrayOfConst::TRodzajStalej TPoleArrayOfConst::RodzajStalej(const TVarRec &p_Wartosc)
{
    // The model's constants use the kind numbers of an open array already.
    return static_cast<TRodzajStalej>(p_Wartosc.KodTypu());
}

void TPoleArrayOfConst::SprawdzRodzajDoOdczytu(int p_Rodzaj)
{
    // Nothing here holds a variant, a class or an interface.
    if (p_Rodzaj == vtVariant || p_Rodzaj == vtClass || p_Rodzaj == vtInterface)
        throw LkException(Format(QStringLiteral("Brak implementacji %s"), {QString::fromLatin1(NazwaRodzaju(p_Rodzaj))}));
}

const TVarRec &TPoleArrayOfConst::ParamNr(int p_Nr) const
{
    if (p_Nr < 0 || p_Nr >= IleParam())
        throw LkException(Format(QStringLiteral("b\u0142\u0119dny nr parametru: %d"), {p_Nr}));
    return FParametry[static_cast<size_t>(p_Nr)];
}

void TPoleArrayOfConst::Inicjuj(const TArrayOfConst &p_Parametry)
{
    TBlokadaObiektu blokada(this);
    ZerujDane();
    for (const TVarRec &wartosc : p_Parametry)
        DolaczParam(wartosc);
}

void TPoleArrayOfConst::DolaczParam(const TVarRec &p_Wartosc)
{
    if (p_Wartosc.Rodzaj() == TVarRec::TRodzaj::Object && p_Wartosc.JakoObiekt() && !jakoObiekt(p_Wartosc))
        throw LkException(Format(QStringLiteral("%s.%s: b\u0142\u0119dna klasa %s"),
                                 {ClassName(), QStringLiteral("DolaczParam"), nazwaKlasy(p_Wartosc.JakoObiekt())}));
    DolaczDowolnyParam(p_Wartosc);
}

void TPoleArrayOfConst::DolaczDowolnyParam(const TVarRec &p_Wartosc)
{
    TBlokadaObiektu blokada(this);
    SprawdzMiejsce();
    Dolacz(p_Wartosc, false);
}

TObiekt &TPoleArrayOfConst::DolaczNowyObiekt(const TOpisKlasy &p_Klasa)
{
    std::unique_ptr<TPole> nowy(p_Klasa.Tworz ? p_Klasa.Tworz(this) : nullptr);
    TObiekt *obiekt = nowy ? nowy->JakoTObiekt() : nullptr;
    if (!obiekt)
        throw LkException(Format(QStringLiteral("%s.%s: b\u0142\u0119dna klasa %s"),
                                 {ClassName(), QStringLiteral("DopiszObiektOTypie"), p_Klasa.ClassName()}));
    TBlokadaObiektu blokada(this);
    SprawdzMiejsce();
    Dolacz(static_cast<TObject *>(nowy.release()), true);
    return *obiekt;
}

void TPoleArrayOfConst::UsunParamNr(int p_Nr)
{
    TBlokadaObiektu blokada(this);
    const TVarRec wartosc = ParamNr(p_Nr);
    const bool wlasny = FWlasne[static_cast<size_t>(p_Nr)];
    FParametry.erase(FParametry.begin() + p_Nr);
    FWlasne.erase(FWlasne.begin() + p_Nr);
    Pusc(wartosc, wlasny);
}

void TPoleArrayOfConst::Dolacz(const TVarRec &p_Wartosc, bool p_Wlasny)
{
    // A parameter object is held by its count, whoever made it.
    if (TLkParamBazowy *param = jakoParam(p_Wartosc)) {
        param->Zwieksz();
        p_Wlasny = false;
    }
    FParametry.push_back(p_Wartosc);
    FWlasne.push_back(p_Wlasny);
}

void TPoleArrayOfConst::Pusc(const TVarRec &p_Wartosc, bool p_Wlasny)
{
    if (TLkParamBazowy *param = jakoParam(p_Wartosc))
        param->Zwolnij();
    else if (p_Wlasny)
        delete static_cast<TPole *>(jakoObiekt(p_Wartosc));
}

void TPoleArrayOfConst::SprawdzMiejsce() const
{
    if (IleParam() >= MaksElementow)
        throw LkException(Format(QStringLiteral("Tablica sta\u0142ych przekracza %d element\u00f3w"), {MaksElementow}));
}

void TPoleArrayOfConst::ZerujDane()
{
    // Taken out first: an object freed here leaves through UsunRefOd, which must find nothing.
    TArrayOfConst parametry;
    std::vector<bool> wlasne;
    {
        TBlokadaObiektu blokada(this);
        parametry.swap(FParametry);
        wlasne.swap(FWlasne);
    }
    for (size_t i = 0; i < parametry.size(); ++i)
        Pusc(parametry[i], wlasne[i]);
}

void TPoleArrayOfConst::UsunRefOd(TPole *p_Pole)
{
    TObiektBazowy::UsunRefOd(p_Pole);
    TBlokadaObiektu blokada(this);
    for (size_t i = 0; i < FParametry.size(); ++i)
        if (FWlasne[i] && FParametry[i].JakoObiekt() == static_cast<TObject *>(p_Pole)) {
            FParametry[i] = TVarRec(static_cast<TObject *>(nullptr));
            FWlasne[i] = false;
        }
}

int16_t TPoleArrayOfConst::Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz) const
{
    const auto *inna = dynamic_cast<const TPoleArrayOfConst *>(&p_Pole);
    if (!inna)
        BledneWywolanie("Porownaj");
    // Objects in the arrays compare once per pair, as everywhere in one comparison.
    TPorownywaczDanych wlasny(this, inna);
    TPorownywaczDanych &porownywacz = p_Porownywacz ? *p_Porownywacz : wlasny;
    if (inna == this || porownywacz.TrwaPorownanie(this, inna))
        return 0;
    TBlokadaObiektu blokada(this);
    int16_t wynik = znak(IleParam(), inna->IleParam());
    for (size_t i = 0; i < FParametry.size() && !wynik; ++i)
        wynik = porownajStale(FParametry[i], inna->FParametry[i], porownywacz);
    return wynik;
}

void TPoleArrayOfConst::KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier)
{
    const auto *zrodlo = dynamic_cast<const TPoleArrayOfConst *>(&p_Pole);
    if (!zrodlo)
        BledneWywolanie("KopiujDane");
    if (zrodlo == this)
        return;
    TPole::KopiujDane(p_Pole, p_Kopier);
    TBlokadaObiektu blokada(this);
    ZerujDane();
    for (size_t i = 0; i < zrodlo->FParametry.size(); ++i) {
        const TVarRec &wartosc = zrodlo->FParametry[i];
        const TObiekt *obiekt = jakoObiekt(wartosc);
        if (!zrodlo->FWlasne[i] || !obiekt) {
            Dolacz(wartosc, false);
            continue;
        }
        TObiekt &kopia = DolaczNowyObiekt(obiekt->Klasa());
        kopia.KopiujDane(*obiekt, p_Kopier);
    }
}

int64_t TPoleArrayOfConst::ZajmowanaPamiec() const
{
    int64_t pamiec = static_cast<int64_t>(sizeof(*this) + FParametry.capacity() * sizeof(TVarRec));
    for (size_t i = 0; i < FParametry.size(); ++i) {
        const TVarRec &w = FParametry[i];
        pamiec += w.JakoString().capacity() * 2 + w.JakoBajty().capacity();
        if (FWlasne[i])
            pamiec += jakoObiekt(w)->ZajmowanaPamiec();
    }
    return pamiec;
}

QString TPoleArrayOfConst::OpisTekstowy() const
{
    return Format(QStringLiteral("%d elem."), {IleParam()});
}

TObiekt &TPoleArrayOfConst::NowyObiektTypu(const QString &p_Nazwa)
{
    // The classes of the objects holding the array first: a document may name
    // its own classes before anything registered them. A bounded walk, as a
    // chain of pretended parents may run in a circle.
    const TOpisKlasy *klasa = nullptr;
    int krokow = 0;
    for (const TObiektBazowy *w = Rodzic(); w && !klasa && krokow < MaksKrokowWGore; w = w->Rodzic(), ++krokow)
        if (w->ClassName().compare(p_Nazwa, Qt::CaseInsensitive) == 0)
            klasa = &w->Klasa();
    if (!klasa)
        klasa = DajJadroKlas().JestKlasaONazwie(p_Nazwa);
    if (!klasa || !klasa->DziedziczyPo(TObiekt::Opis))
        throw LkException(Format(QStringLiteral("%s.%s: b\u0142\u0119dna klasa %s"),
                                 {ClassName(), QStringLiteral("DopiszObiektOTypie"), p_Nazwa}));
    return DolaczNowyObiekt(*klasa);
}

void TPoleArrayOfConst::SprawdzPustaPrzedOdczytem() const
{
    // Objects read into the first copy may be bound to identifiers already:
    // freeing them for a second copy would leave those naming nothing.
    if (!FParametry.empty())
        throw LkException(QStringLiteral("Tablica sta\u0142ych powt\u00f3rzona w dokumencie"));
}

std::optional<TVarRec> TPoleArrayOfConst::StalaZTekstu(int p_Rodzaj, const QString &p_Tekst, const QByteArray &p_Bajty)
{
    switch (p_Rodzaj) {
    case vtInteger:
    case vtInt64:
    case vtPointer: {
        const auto liczba = SprobujTekstNaInt64(p_Tekst.trimmed().toLatin1());
        if (!liczba)
            return std::nullopt;
        if (p_Rodzaj == vtInt64)
            return TVarRec(static_cast<long long>(*liczba));
        if (p_Rodzaj == vtPointer)
            return TVarRec(reinterpret_cast<const void *>(static_cast<intptr_t>(*liczba)));
        if (*liczba < std::numeric_limits<int32_t>::min() || *liczba > std::numeric_limits<int32_t>::max())
            return std::nullopt;
        return TVarRec(static_cast<int>(*liczba));
    }
    case vtBoolean:
        if (const auto logiczna = SprobujTekstNaBoolean(p_Tekst.toUtf8()); logiczna && !p_Tekst.isEmpty())
            return TVarRec(*logiczna);
        return std::nullopt;
    case vtChar:
    case vtWideChar:
        if (p_Tekst.size() != 1)
            return std::nullopt;
        return TVarRec(p_Tekst.at(0));
    case vtExtended:
    case vtCurrency:
        try {
            if (p_Rodzaj == vtCurrency)
                return TVarRec::Currency(TekstNaCurrency(p_Tekst));
            return TVarRec(static_cast<double>(TekstNaLiczbe(p_Tekst, std::numeric_limits<double>::max())));
        } catch (const EConvertError &) {
            return std::nullopt;
        }
    case vtString:
    case vtPChar:
    case vtAnsiString:
        return TVarRec(p_Bajty);
    case vtPWideChar:
    case vtWideString:
    case vtUnicodeString:
        return TVarRec(p_Tekst);
    case vtObject:
        if (p_Tekst == QLatin1String("null") || p_Tekst == QLatin1String("nil"))
            return TVarRec(static_cast<TObject *>(nullptr));
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

void TPoleArrayOfConst::DolaczZTekstu(int p_Rodzaj, const QString &p_Tekst, const QByteArray &p_Bajty,
                                      const TLkParser &p_Parser)
{
    const std::optional<TVarRec> wartosc = StalaZTekstu(p_Rodzaj, p_Tekst, p_Bajty);
    if (!wartosc)
        p_Parser.Error(QStringLiteral("B\u0142\u0119dny token = %1").arg(p_Tekst));
    SprawdzMiejsce();
    Dolacz(*wartosc, false);
}

void TPoleArrayOfConst::ZapiszWartoscTekstowo(TZapisywaczTekstu &p_Zapisywacz, const TVarRec &p_Wartosc)
{
    switch (p_Wartosc.Rodzaj()) {
    case TVarRec::TRodzaj::Boolean:
        p_Zapisywacz.ZapiszBoolean(p_Wartosc.JakoInt64() != 0);
        break;
    case TVarRec::TRodzaj::Char:
    case TVarRec::TRodzaj::String:
        p_Zapisywacz.ZapiszTekst(p_Wartosc.JakoString());
        break;
    case TVarRec::TRodzaj::AnsiString:
        p_Zapisywacz.ZapiszTekst(p_Wartosc.JakoBajty());
        break;
    case TVarRec::TRodzaj::Extended:
        p_Zapisywacz.ZapiszTxt(TekstLiczbyZmiennoprzecinkowej(p_Wartosc.JakoDouble(), 18).toLatin1());
        break;
    case TVarRec::TRodzaj::Currency:
        p_Zapisywacz.ZapiszTxt(TekstCurrency(p_Wartosc.JakoInt64()).toLatin1());
        break;
    case TVarRec::TRodzaj::Object:
        // Only a missing object has a text form; objects are written by each format.
        p_Zapisywacz.ZapiszTxt(QByteArrayLiteral("null"));
        break;
    default:
        p_Zapisywacz.ZapiszInt64(p_Wartosc.JakoInt64());
        break;
    }
}

// ---- binary

void TPoleArrayOfConst::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const
{
    TBlokadaObiektu blokada(this);
    ZapiszKrotkaLiczbe(p_Strumien, IleParam());
    for (const TVarRec &w : FParametry) {
        const TRodzajStalej rodzaj = RodzajStalej(w);
        // An address means nothing to whoever reads the file.
        if (rodzaj == vtPointer)
            throw LkException(Format(QStringLiteral("Brak implementacji %s"), {QStringLiteral("vtPointer")}));
        ZapiszLE<uint8_t>(p_Strumien, rodzaj);
        switch (rodzaj) {
        case vtInteger:
            ZapiszLE<int32_t>(p_Strumien, static_cast<int32_t>(w.JakoInt64()));
            break;
        case vtBoolean:
            ZapiszLE<uint8_t>(p_Strumien, w.JakoInt64() != 0);
            break;
        case vtWideChar:
            ZapiszLE<uint16_t>(p_Strumien, w.JakoString().isEmpty() ? 0 : w.JakoString().at(0).unicode());
            break;
        case vtExtended: {
            const TBajtyExtended bajty = ExtendedNaBajty(w.JakoDouble());
            p_Strumien.WriteBuffer(bajty.data(), bajty.size());
            break;
        }
        case vtCurrency:
        case vtInt64:
            ZapiszLE<int64_t>(p_Strumien, w.JakoInt64());
            break;
        case vtAnsiString:
            ZapiszNapis(p_Strumien, w.JakoBajty());
            break;
        case vtUnicodeString:
            ZapiszNapisUTF8(p_Strumien, p_Zapisywacz.NormalizujTekst ? p_Zapisywacz.NormalizujTekst(w.JakoString())
                                                                     : w.JakoString());
            break;
        default:
            if (const TObiekt *obiekt = jakoObiekt(w)) {
                DajJadroKlas().RejestrujKlase(obiekt->Klasa());
                ZapiszNapis(p_Strumien, obiekt->ClassName().toLatin1());
                ZapiszObiektBinarnie(*obiekt, p_Strumien, p_Zapisywacz);
            } else {
                ZapiszNapis(p_Strumien, QByteArrayLiteral("nil"));
            }
            break;
        }
    }
}

void TPoleArrayOfConst::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    TPoziomOdczytu poziom(p_Odczytywacz);
    SprawdzPustaPrzedOdczytem();
    // Elements are added as they are read: the count claimed reserves nothing.
    const int32_t ile = CzytajKrotkaLiczbe(p_Strumien);
    for (int32_t i = 0; i < ile; ++i) {
        const uint8_t rodzaj = CzytajLE<uint8_t>(p_Strumien);
        SprawdzRodzajDoOdczytu(rodzaj);
        switch (rodzaj) {
        case vtInteger:
            Dolacz(TVarRec(static_cast<int>(CzytajLE<int32_t>(p_Strumien))), false);
            break;
        case vtBoolean:
            Dolacz(TVarRec(CzytajLE<uint8_t>(p_Strumien) != 0), false);
            break;
        case vtChar: {
            const QString znak = TekstZPolskiegoAnsi(QByteArray(1, static_cast<char>(CzytajLE<uint8_t>(p_Strumien))));
            Dolacz(TVarRec(znak.isEmpty() ? QChar() : znak.at(0)), false);
            break;
        }
        case vtWideChar:
            Dolacz(TVarRec(QChar(CzytajLE<uint16_t>(p_Strumien))), false);
            break;
        case vtExtended: {
            TBajtyExtended bajty;
            p_Strumien.ReadBuffer(bajty.data(), bajty.size());
            Dolacz(TVarRec(static_cast<double>(ExtendedZBajtow(bajty))), false);
            break;
        }
        case vtCurrency:
            Dolacz(TVarRec::Currency(CzytajLE<int64_t>(p_Strumien)), false);
            break;
        case vtInt64:
            Dolacz(TVarRec(static_cast<long long>(CzytajLE<int64_t>(p_Strumien))), false);
            break;
        case vtString:
        case vtPChar:
        case vtAnsiString:
            Dolacz(TVarRec(CzytajNapis(p_Strumien)), false);
            break;
        case vtPWideChar:
        case vtWideString:
        case vtUnicodeString: {
            QString tekst = CzytajNapisUTF8(p_Strumien);
            p_Odczytywacz.UzyjCache(tekst);
            Dolacz(TVarRec(tekst), false);
            break;
        }
        case vtObject: {
            const QByteArray typ = CzytajNapis(p_Strumien);
            if (typ == "nil") {
                Dolacz(TVarRec(static_cast<TObject *>(nullptr)), false);
                break;
            }
            TObiekt &obiekt = NowyObiektTypu(TekstZPolskiegoAnsi(typ));
            // The writer numbers no object inside an array: neither does the reader.
            const size_t obiektow = p_Odczytywacz.OdczObiekty.size();
            obiekt.WczytajZeStrumienia(p_Strumien, p_Odczytywacz);
            p_Odczytywacz.OdczObiekty.resize(obiektow);
            break;
        }
        default:
            throw LkException(Format(QStringLiteral("b\u0142\u0119dny typ parametru: %d"), {static_cast<int>(rodzaj)}));
        }
    }
}

// ---- XML

void TPoleArrayOfConst::WykonajZapisXML(TZapisywaczXML &p_Zapisywacz, const QByteArray &p_NazwaObiektu)
{
    TBlokadaObiektu blokada(this);
    p_Zapisywacz.ZapiszTxt('<' + p_NazwaObiektu);
    if (!p_Zapisywacz.FPrzestrzZapisana)
        p_Zapisywacz.ZapiszPrzestrzenNazw(*this);
    if (FParametry.empty()) {
        p_Zapisywacz.ZapiszTxt(QByteArrayLiteral("/>"));
        return;
    }
    p_Zapisywacz.ZapiszTxt(QByteArrayLiteral(">"));
    p_Zapisywacz.ZwiekszAkapit();
    for (const TVarRec &w : FParametry) {
        p_Zapisywacz.NowaLinia();
        TObiekt *obiekt = jakoObiekt(w);
        if (!obiekt) {
            p_Zapisywacz.ZapiszTxt(QByteArrayLiteral("<Const ") + NazwaRodzaju(RodzajStalej(w)) + "=\"");
            ZapiszWartoscTekstowo(p_Zapisywacz, w);
            p_Zapisywacz.ZapiszTxt(QByteArrayLiteral("\"/>"));
            continue;
        }
        DajJadroKlas().RejestrujKlase(obiekt->Klasa());
        p_Zapisywacz.ZapiszTxt(QByteArrayLiteral("<Const>"));
        p_Zapisywacz.ZwiekszAkapit();
        p_Zapisywacz.NowaLinia();
        obiekt->WykonajZapisXML(p_Zapisywacz, p_Zapisywacz.Przekoduj(obiekt->ClassName()));
        p_Zapisywacz.ZmniejszAkapit();
        p_Zapisywacz.NowaLinia();
        p_Zapisywacz.ZapiszTxt(QByteArrayLiteral("</Const>"));
    }
    p_Zapisywacz.ZmniejszAkapit();
    p_Zapisywacz.NowaLinia();
    p_Zapisywacz.ZapiszTxt("</" + p_NazwaObiektu + '>');
}

void TPoleArrayOfConst::WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu)
{
    TLkXMLParser &parser = p_Odczytywacz.Parser();
    p_Odczytywacz.OdczytywanoPole(*this);
    SprawdzPustaPrzedOdczytem();
    p_Odczytywacz.Zagniezdz();
    const QString nazwaStalej = QStringLiteral("Const");
    auto blad = [&](const QString &p_Token) { parser.Error(QStringLiteral("B\u0142\u0119dny token = %1").arg(p_Token)); };
    const bool zTrescia = p_Odczytywacz.WczytajAtrybutyID(*this);
    while (zTrescia && !p_Odczytywacz.PrzerwijOdczyt && p_Odczytywacz.NastepnyPodelement(p_NazwaObiektu)) {
        if (!p_Odczytywacz.NazwaJest(parser.TokenView(), nazwaStalej)) {
            p_Odczytywacz.PominPodelement(*this, p_Odczytywacz.Przekoduj(parser.TokenView()));
            continue;
        }
        // A constant: its kind names its one attribute, beside an optional vtVarType.
        int rodzaj = -1;
        QString tekst;
        QByteArray atrybut;
        parser.NextToken();
        while (p_Odczytywacz.NazwaAtrybutu(atrybut)) {
            if (atrybut == "vtVarType") {
                parser.NextToken();
                continue;
            }
            rodzaj = rodzaj < 0 ? RodzajONazwie(atrybut) : -1;
            if (rodzaj < 0)
                blad(p_Odczytywacz.Przekoduj(atrybut));
            SprawdzRodzajDoOdczytu(rodzaj);
            tekst = p_Odczytywacz.WczytajTekst();
        }
        if (parser.Token() == '/') {
            parser.NextToken();
            parser.CheckToken('>');
            if (rodzaj < 0)
                blad(nazwaStalej);
            DolaczZTekstu(rodzaj, tekst, TekstNaPolskiAnsi(tekst), parser);
            continue;
        }
        parser.CheckToken('>');
        if (rodzaj >= 0)
            blad(QString::fromLatin1(NazwaRodzaju(rodzaj)));
        // An object's element, named by its class, is all the constant holds.
        if (!p_Odczytywacz.NastepnyPodelement(nazwaStalej))
            blad(nazwaStalej);
        const QString typ = p_Odczytywacz.Przekoduj(parser.TokenView());
        NowyObiektTypu(typ).WykonajOdczytXML(p_Odczytywacz, typ);
        if (p_Odczytywacz.NastepnyPodelement(nazwaStalej))
            blad(p_Odczytywacz.Przekoduj(parser.TokenView()));
    }
    p_Odczytywacz.Wynurz();
}

// ---- JSON

void TPoleArrayOfConst::WykonajZapisJSON(TZapisywaczJSON &p_Zapisywacz, bool p_ZapisanoTyp) const
{
    TBlokadaObiektu blokada(this);
    if (p_ZapisanoTyp)
        p_Zapisywacz.ZapiszPropValue();
    p_Zapisywacz.ZapiszTxt(QByteArrayLiteral("["));
    for (size_t i = 0; i < FParametry.size(); ++i) {
        const TVarRec &w = FParametry[i];
        if (i > 0) {
            p_Zapisywacz.ZapiszTxt(QByteArrayLiteral(","));
            p_Zapisywacz.NowaLinia();
        }
        p_Zapisywacz.ZapiszTxt(QByteArrayLiteral("{\"") + NazwaRodzaju(RodzajStalej(w)) + "\":");
        if (TObiekt *obiekt = jakoObiekt(w)) {
            DajJadroKlas().RejestrujKlase(obiekt->Klasa());
            p_Zapisywacz.ZapiszPoczTypu(*obiekt);
            obiekt->WykonajZapisJSON(p_Zapisywacz, true);
            p_Zapisywacz.ZapiszKonTypu();
        } else {
            ZapiszWartoscTekstowo(p_Zapisywacz, w);
        }
        p_Zapisywacz.ZapiszTxt(QByteArrayLiteral("}"));
    }
    p_Zapisywacz.ZapiszTxt(QByteArrayLiteral("]"));
}

void TPoleArrayOfConst::WykonajOdczytJSON(TOdczytywaczJSON &p_Odczytywacz, bool p_OdczytanoTyp)
{
    TLkJSONParser &parser = p_Odczytywacz.Parser();
    if (p_OdczytanoTyp)
        p_Odczytywacz.CzytajPropValue();
    SprawdzPustaPrzedOdczytem();
    parser.CheckToken('[');
    parser.NextToken();
    while (parser.Token() != ']') {
        if (parser.Token() == TLkParser::toEOF)
            parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
        parser.CheckToken('{');
        parser.NextToken();
        parser.CheckToken(TLkParser::toWString);
        QByteArray nazwa = parser.TokenString();
        parser.NextToken();
        parser.CheckToken(':');
        parser.NextToken();
        if (nazwa == "vtVarType") {
            parser.NextToken();
            parser.CheckToken(',');
            parser.NextToken();
            parser.CheckToken(TLkParser::toWString);
            nazwa = parser.TokenString();
            parser.NextToken();
            parser.CheckToken(':');
            parser.NextToken();
        }
        const int rodzaj = RodzajONazwie(nazwa);
        if (rodzaj < 0)
            parser.Error(QStringLiteral("B\u0142\u0119dny token = %1").arg(QString::fromUtf8(nazwa)));
        SprawdzRodzajDoOdczytu(rodzaj);
        if (rodzaj == vtObject && parser.Token() == '{') {
            parser.NextToken();
            TObiekt &obiekt = NowyObiektTypu(p_Odczytywacz.OdczytajTypObiektu(true));
            p_Odczytywacz.OdczytywanoPole(obiekt);
            p_Odczytywacz.WczytajObiektJSON(obiekt, true);
        } else if (parser.Token() == TLkParser::toWString) {
            const QString tekst = p_Odczytywacz.WczytajTekst();
            DolaczZTekstu(rodzaj, tekst, TekstNaPolskiAnsi(tekst), parser);
        } else {
            const QString tekst = QString::fromLatin1(parser.TokenView());
            DolaczZTekstu(rodzaj, tekst, tekst.toLatin1(), parser);
            parser.NextToken();
        }
        parser.CheckToken('}');
        if (parser.NextToken() == ',')
            parser.NextToken();
    }
    parser.NextToken();
    if (p_OdczytanoTyp) {
        parser.CheckToken('}');
        parser.NextToken();
    }
}

// ---- native text

void TPoleArrayOfConst::ZapiszBlokTekstowy(TZapisywaczNatywny &p_Zapisywacz) const
{
    TBlokadaObiektu blokada(this);
    for (const TVarRec &w : FParametry) {
        p_Zapisywacz.NowaLinia();
        const TObiekt *obiekt = jakoObiekt(w);
        if (!obiekt) {
            p_Zapisywacz.ZapiszTxt(QByteArray(NazwaRodzaju(RodzajStalej(w))) + '=');
            if (w.Rodzaj() == TVarRec::TRodzaj::Object)
                p_Zapisywacz.ZapiszTxt(QByteArrayLiteral("nil"));
            else
                ZapiszWartoscTekstowo(p_Zapisywacz, w);
            continue;
        }
        DajJadroKlas().RejestrujKlase(obiekt->Klasa());
        p_Zapisywacz.ZapiszTxt("object " + TekstNaPolskiAnsi(obiekt->ClassName()));
        p_Zapisywacz.ZwiekszAkapit();
        p_Zapisywacz.ZapiszPola(*obiekt);
        p_Zapisywacz.ZmniejszAkapit();
        p_Zapisywacz.NowaLinia();
        p_Zapisywacz.ZapiszTxt(QByteArrayLiteral("end"));
    }
}

void TPoleArrayOfConst::WczytajBlokTekstowy(TOdczytywaczNatywny &p_Odczytywacz)
{
    TLkParser &parser = p_Odczytywacz.Parser();
    p_Odczytywacz.OdczytywanoPole(*this);
    SprawdzPustaPrzedOdczytem();
    TPoziomOdczytu poziom(p_Odczytywacz);
    while (!p_Odczytywacz.PrzerwijOdczyt && !parser.TokenSymbolIs("end")) {
        if (parser.Token() == TLkParser::toEOF)
            parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
        if (parser.TokenSymbolIs("object")) {
            parser.NextToken();
            parser.CheckToken(TLkParser::toSymbol);
            TObiekt &obiekt = NowyObiektTypu(TekstZPolskiegoAnsi(parser.TokenString()));
            parser.NextToken();
            // The writer numbers no object inside an array: neither does the reader.
            const size_t obiektow = p_Odczytywacz.OdczObiekty.size();
            p_Odczytywacz.OdczytywanoPole(obiekt);
            p_Odczytywacz.WczytajPola(obiekt);
            p_Odczytywacz.OdczObiekty.resize(obiektow);
            if (p_Odczytywacz.PrzerwijOdczyt)
                return;
            parser.CheckTokenSymbol("end");
            parser.NextToken();
            continue;
        }
        parser.CheckToken(TLkParser::toSymbol);
        const QByteArray nazwa = parser.TokenString();
        const int rodzaj = RodzajONazwie(nazwa);
        if (rodzaj < 0)
            parser.Error(QStringLiteral("B\u0142\u0119dny token = %1").arg(TekstZPolskiegoAnsi(nazwa)));
        SprawdzRodzajDoOdczytu(rodzaj);
        parser.NextToken();
        parser.CheckToken('=');
        parser.NextToken();
        if (parser.Token() == TLkParser::toString || parser.Token() == TLkParser::toWString) {
            // Byte strings keep their bytes; other texts are decoded as the format's strings are.
            const bool bajty = rodzaj == vtString || rodzaj == vtPChar || rodzaj == vtAnsiString;
            const QByteArray surowe = bajty ? p_Odczytywacz.WczytajTekstAnsi() : QByteArray();
            const QString tekst = bajty ? TekstZPolskiegoAnsi(surowe) : p_Odczytywacz.WczytajTekst();
            DolaczZTekstu(rodzaj, tekst, surowe, parser);
        } else {
            const QString tekst = QString::fromLatin1(parser.TokenView());
            DolaczZTekstu(rodzaj, tekst, tekst.toLatin1(), parser);
            parser.NextToken();
        }
    }
}
