#include "ObiektBazowy.h"

#include "Obiekt.h"

#include "BlokadaObiektu.h"
#include "JadroKlas.h"
#include "LkXMLParser.h"
#include "OdczytywaczXML.h"
#include "PlikiObiektow.h"
#include "SledzenieObiektow.h"
#include "WyjatkiModelu.h"
#include "ZglaszanieBledow.h"

#include "Strumienie.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <unordered_set>

TObiektBazowy::TObiektBazowy(TObiektBazowy *p_Rodzic) : FRodzic(p_Rodzic)
{
    if (FRodzic)
        FRodzic->DodajRef(this);
    if (TLkOKChecker *sledzenie = AktywneSledzenieObiektow())
        sledzenie->UtworzonoObiekt(this);
}

TObiektBazowy::~TObiektBazowy()
{
    RozbierzWDestruktorze();
    if (TLkOKChecker *sledzenie = AktywneSledzenieObiektow())
        sledzenie->ZwolnionoObiekt(this);
}

QString TObiektBazowy::Rozbierz()
{
    QString bledy;
    auto krok = [&](const char *p_Krok, auto &&p_Dzialanie) {
        try {
            p_Dzialanie();
        } catch (const std::exception &e) {
            QString sciezka;
            try {
                sciezka = DajSciezkeDoSiebie();
            } catch (const std::exception &) {
                // The message goes without the path.
            }
            if (!bledy.isEmpty())
                bledy += QLatin1Char('\r');
            // Unchecked: the class as far as it is still built.
            bledy += QStringLiteral("Wyjątek w %1 w %2.Destroy (%3): %4")
                         .arg(QLatin1String(p_Krok), DajOpisKlasy().ClassName(), sciezka, KomunikatWyjatku(e));
        }
    };
    krok("ZwolnijReferencje", [this] { ZwolnijReferencje(); });
    krok("ZerujDane", [this] { ZwolnijDane(); });
    return bledy;
}

void TObiektBazowy::RozbierzWDestruktorze() noexcept
{
    try {
        const QString bledy = Rozbierz();
        // A destructor may run anywhere (unwinding, another thread, inside a
        // dialog): the failures are logged, or handed to the host, never shown.
        if (!bledy.isEmpty())
            ZglosBlad(bledy, false);
    } catch (...) {
        // Nothing is left to report with.
    }
}

void TObiektBazowy::Zniszcz()
{
    QString bledy;
    try {
        bledy = Rozbierz();
    } catch (...) {
        delete this;
        throw;
    }
    delete this;
    if (!bledy.isEmpty())
        throw LkException(bledy);
}

TObiektBazowy::TDodatki &TObiektBazowy::Dodatki()
{
    if (!FDodatki)
        FDodatki = std::make_unique<TDodatki>();
    return *FDodatki;
}

TObiektBazowy *TObiektBazowy::DajKorzen()
{
    TObiektBazowy *obiekt = this;
    std::unordered_set<const TObiektBazowy *> odwiedzone;
    while (obiekt->FRodzic && odwiedzone.insert(obiekt).second)
        obiekt = obiekt->FRodzic;
    return obiekt;
}

TObiektBazowy *TObiektBazowy::DajRodzica(const TOpisKlasy &p_Klasa) const
{
    std::unordered_set<const TObiektBazowy *> odwiedzone;
    for (TObiektBazowy *obiekt = FRodzic; obiekt && odwiedzone.insert(obiekt).second; obiekt = obiekt->FRodzic)
        if (obiekt->Klasa().DziedziczyPo(p_Klasa))
            return obiekt;
    return nullptr;
}

void TObiektBazowy::DodajRef(TPole *p_Pole)
{
    std::vector<TPole *> &lista = Dodatki().ListaRef;
    // Fields and items made one after another mostly come at rising addresses.
    if (lista.empty() || lista.back() < p_Pole) {
        lista.push_back(p_Pole);
        return;
    }
    const auto miejsce = std::lower_bound(lista.begin(), lista.end(), p_Pole);
    if (miejsce == lista.end() || *miejsce != p_Pole)
        lista.insert(miejsce, p_Pole);
}

void TObiektBazowy::UsunRefOd(TPole *p_Pole)
{
    if (!FDodatki)
        return;
    std::vector<TPole *> &lista = FDodatki->ListaRef;
    const auto miejsce = std::lower_bound(lista.begin(), lista.end(), p_Pole);
    if (miejsce != lista.end() && *miejsce == p_Pole)
        lista.erase(miejsce);
}

bool TObiektBazowy::MaRefOd(const TPole *p_Pole) const
{
    return FDodatki && std::binary_search(FDodatki->ListaRef.begin(), FDodatki->ListaRef.end(), p_Pole);
}

bool TObiektBazowy::MaJakiesRefZKlasy(const TOpisKlasy &p_Klasa) const
{
    return FDodatki && std::any_of(FDodatki->ListaRef.begin(), FDodatki->ListaRef.end(), [&](const TPole *p_Pole) {
               return p_Pole->Klasa().DziedziczyPo(p_Klasa);
           });
}

std::vector<TPole *> TObiektBazowy::WypiszWskazujace()
{
    if (!FDodatki)
        return {};
    // Children stay on the list: they keep their parent.
    std::vector<TPole *> zostaja;
    std::vector<TPole *> wskazujace;
    for (TPole *pole : FDodatki->ListaRef) {
        // A pointer list is an object too, but refers without being a child.
        const TObiektBazowy *obiekt = pole->JakoObiekt();
        (obiekt && obiekt->Rodzic() == this ? zostaja : wskazujace).push_back(pole);
    }
    FDodatki->ListaRef = std::move(zostaja);
    return wskazujace;
}

void TObiektBazowy::PrzepnijRefNa(TObiektBazowy *p_Obiekt)
{
    // Each field leaves the list before it is told, so it cannot come back to it.
    for (TPole *pole : WypiszWskazujace())
        pole->PrzepnijRef(this, p_Obiekt);
}

void TObiektBazowy::ZwolnijReferencje()
{
    while (FDodatki && !FDodatki->ListaRef.empty()) {
        std::vector<TPole *> &lista = FDodatki->ListaRef;
        // A list's items are touched here first when a tree goes: fetch a few ahead.
        if (lista.size() > 8)
            __builtin_prefetch(lista[lista.size() - 9]);
        TPole *pole = lista.back();
        lista.pop_back();
        pole->ZerujRefDo(this);
    }
    if (FRodzic) {
        FRodzic->UsunRefOd(this);
        FRodzic = nullptr;
    }
}

void TObiektBazowy::ZwolnijLinki()
{
    WykonajWDrzewie([](TObiektBazowy &p_Obiekt) {
        for (TPole *pole : p_Obiekt.WypiszWskazujace())
            pole->ZerujRefDo(&p_Obiekt);
        p_Obiekt.ZerujWskazniki();
        return false;
    });
}

void TObiektBazowy::ZerujRefDo(TObiektBazowy *p_Obiekt)
{
    if (FRodzic == p_Obiekt)
        FRodzic = nullptr;
}

QString TObiektBazowy::KrokSciezki(const TObiektBazowy &, bool, bool) const
{
    return QStringLiteral("<%1>").arg(ClassName());
}

QString TObiektBazowy::KrokPola(int16_t p_Nr, bool) const
{
    return QStringLiteral("[%1]").arg(p_Nr);
}

QString TObiektBazowy::DajSciezkeDoSiebie(const TObiektBazowy *p_OdObiektu, bool p_NaEkran, bool p_BezIndeksow,
                                          int16_t p_NrPodpola) const
{
    QString sciezka = p_NrPodpola >= 0 ? KrokPola(p_NrPodpola, p_NaEkran) : QString();
    std::unordered_set<const TObiektBazowy *> odwiedzone;
    const TObiektBazowy *obiekt = this;
    while (obiekt != p_OdObiektu && obiekt->FRodzic && odwiedzone.insert(obiekt).second) {
        const TObiektBazowy &rodzic = *obiekt->FRodzic;
        const QString krok = rodzic.KrokSciezki(*obiekt, p_NaEkran, p_BezIndeksow);
        // Steps inside an object are joined by a separator; list indices follow directly.
        if (!sciezka.isEmpty() && dynamic_cast<const TObiekt *>(obiekt))
            sciezka.prepend(p_NaEkran ? QStringLiteral(" -> ") : QStringLiteral("."));
        sciezka.prepend(krok);
        obiekt = &rodzic;
    }
    if (p_OdObiektu && obiekt != p_OdObiektu)
        return {};
    return sciezka;
}

bool TObiektBazowy::MoznaCzytacDaneTypu(const QString &p_NazwaTypu) const
{
    QString nazwa = p_NazwaTypu;
    const QString klasa = ClassName();
    if (nazwa.compare(klasa, Qt::CaseInsensitive) == 0)
        return true;
    while (nazwa.size() > 2 && nazwa.startsWith(QLatin1Char('_')))
        nazwa.remove(0, 1);
    if (nazwa.compare(klasa, Qt::CaseInsensitive) == 0)
        return true;
    if (const TOpisKlasy *zarejestrowana = DajJadroKlas().JestKlasaONazwie(p_NazwaTypu))
        return Klasa().DziedziczyPo(*zarejestrowana) || zarejestrowana->DziedziczyPo(Klasa());
    for (const TOpisKlasy *przodek = Klasa().Rodzic; przodek; przodek = przodek->Rodzic)
        if (p_NazwaTypu.compare(przodek->ClassName(), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool TObiektBazowy::CzyKorzenXMLTegoTypu(const QString &p_Nazwa) const
{
    return MoznaCzytacDaneTypu(QLatin1Char('T') + p_Nazwa) || MoznaCzytacDaneTypu(p_Nazwa);
}

void TObiektBazowy::WczytajZXML(TOdczytywaczXML &p_Odczytywacz)
{
    TBlokadaObiektu blokada(this);
    ZerujDane();
    p_Odczytywacz.WczytajNaglowekXML();
    TLkXMLParser &parser = p_Odczytywacz.Parser();
    parser.CheckToken(TLkParser::toSymbol);
    const QString nazwa = p_Odczytywacz.Przekoduj(parser.TokenString());
    if (!CzyKorzenXMLTegoTypu(nazwa)) {
        ELkObcyTypError blad(nazwa, ClassName());
        // Only the root's own start tag is read, for the namespace its prefix names.
        const qsizetype dwukropek = nazwa.indexOf(QLatin1Char(':'));
        const QString prefiks = dwukropek < 0 ? QString() : nazwa.left(dwukropek);
        blad.UstawPrzestrzenNazw(p_Odczytywacz.WczytajDeklaracjePrzestrzeni().value(prefiks));
        throw blad;
    }
    try {
        WykonajOdczytXML(p_Odczytywacz, nazwa);
        p_Odczytywacz.KorygujReferencje();
    } catch (...) {
        // No half-read tree and no reference left pointing into what was freed.
        p_Odczytywacz.ZerujReferencje();
        ZerujDane();
        throw;
    }
}

bool TObiektBazowy::WczytajZPlikuXML(const QString &p_NazwaPliku, TTypZapisuXML p_TypZapisu, TStream *p_Strumien,
                                     TTypKodowaniaXML p_TypKodowania, const TOnBlednyUTF8 &p_OnBlednyUTF8,
                                     const TKlasaOdczytywaczaXML &p_KlasaOdczytywacza)
{
    std::unique_ptr<TFileStream> plik;
    if (!p_Strumien) {
        plik = OtworzPlikObiektu(p_NazwaPliku);
        p_Strumien = plik.get();
    }
    const bool wynik = WczytajXML(*p_Strumien, p_TypZapisu, p_TypKodowania, p_OnBlednyUTF8, p_KlasaOdczytywacza,
                                  dynamic_cast<TFileStream *>(p_Strumien) ? NaglowekOdczytuPliku : QString(),
                                  p_NazwaPliku);
    PoOdczyciePlikuXML();
    return wynik;
}

bool TObiektBazowy::WczytajZeStringuXML(const QByteArray &p_XML, TTypZapisuXML p_TypZapisu,
                                        TTypKodowaniaXML p_TypKodowania, const TOnBlednyUTF8 &p_OnBlednyUTF8)
{
    // No text is no data: an empty value stored somewhere reads back as an empty object.
    if (p_XML.isEmpty()) {
        TBlokadaObiektu blokada(this);
        ZerujDane();
        return true;
    }
    TMemoryStream strumien(p_XML);
    return WczytajXML(strumien, p_TypZapisu, p_TypKodowania, p_OnBlednyUTF8, {}, NaglowekOdczytuNapisu,
                      QStringLiteral("XML"));
}

bool TObiektBazowy::WczytajXML(TStream &p_Strumien, TTypZapisuXML p_TypZapisu, TTypKodowaniaXML p_TypKodowania,
                               const TOnBlednyUTF8 &p_OnBlednyUTF8, const TKlasaOdczytywaczaXML &p_KlasaOdczytywacza,
                               const QString &p_NaglowekBledu, const QString &p_Nazwa)
{
    try {
        // The reader goes before the message is built: its tokenizer puts the
        // stream back at the token where reading stopped.
        std::unique_ptr<TOdczytywaczXML> odczytywacz =
            p_KlasaOdczytywacza ? p_KlasaOdczytywacza(&p_Strumien, p_TypZapisu, p_TypKodowania, p_OnBlednyUTF8)
                                : std::make_unique<TOdczytywaczXML>(&p_Strumien, p_TypZapisu, p_TypKodowania,
                                                                    p_OnBlednyUTF8);
        odczytywacz->WczytajObiekt(*this);
        return odczytywacz->PominietoDane == 0;
    } catch (Exception &e) {
        if (!p_NaglowekBledu.isEmpty())
            OpiszBladOdczytu(e, p_NaglowekBledu, p_Nazwa, p_Strumien);
        throw;
    }
}
