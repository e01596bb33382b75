#include "Obiekt.h"

#include "BlokadaObiektu.h"
#include "JadroKlas.h"
#include "LkTypyBazowe.h"
#include "ListaWskObiektow.h"
#include "PlikiObiektow.h"
#include "PoleWskObiektu.h"
#include "Strumienie.h"
#include "ZapisywaczXML.h"

namespace {

// Whether a sub-object's element would hold anything: a field written as an
// attribute, a child or text, or an identifier. A value XML cannot carry (a
// pointer whose target got no identifier) leaves the element empty, and an
// empty element reads back as no value: writing it would make the next
// round trip differ from this one.
bool maCoZapisac(const TObiekt &p_Obiekt, TZapisywaczXML &p_Zapisywacz)
{
    for (int16_t nr = 0; nr <= p_Obiekt.OstatniNrPola(); ++nr) {
        const TPole *pole = p_Obiekt.PoleJesliJest(nr);
        const TObiektBazowy *obiekt = pole ? pole->JakoObiekt() : nullptr;
        if (!p_Zapisywacz.CzyZapisacPoleObiektu(nr, p_Obiekt)) {
            if (obiekt && !p_Zapisywacz.IDObiektu(obiekt).isEmpty())
                return true;
            continue;
        }
        if (const TPoleWskObiektu *wskaznik = pole ? pole->JakoWskaznik() : nullptr) {
            if (!p_Zapisywacz.IDObiektu(wskaznik->Wartosc()).isEmpty())
                return true;
        } else if (const TObiekt *podobiekt = obiekt ? obiekt->JakoTObiekt() : nullptr) {
            if (maCoZapisac(*podobiekt, p_Zapisywacz))
                return true;
        } else if (const auto *wskazania = dynamic_cast<const TListaWskObiektow *>(obiekt)) {
            for (int i = 0; i < wskazania->IleObiektow(); ++i)
                if (!p_Zapisywacz.IDObiektu(wskazania->ObiektyListy(i)).isEmpty())
                    return true;
        } else {
            return true;
        }
    }
    return !p_Zapisywacz.IDObiektu(&p_Obiekt).isEmpty();
}

} // namespace

void TObiektBazowy::WykonajZapisXML(TZapisywaczXML &, const QByteArray &)
{
    BledneWywolanie("WykonajZapisXML");
}

void TObiektBazowy::ZapiszDoXML(TZapisywaczXML &p_Zapisywacz)
{
    TBlokadaObiektu blokada(this);
    TZapisBlokami bloki(p_Zapisywacz);
    p_Zapisywacz.ZapiszNaglowekPliku(p_Zapisywacz.SzablonXSL);
    p_Zapisywacz.PrzygotujIDObiektow(*this);
    WykonajZapisXML(p_Zapisywacz, p_Zapisywacz.DajNazweTypuDoZapisu(*this));
    bloki.Zakoncz();
    p_Zapisywacz.ZakonczZapis();
}

void TObiektBazowy::ZapiszWPlikuXML(TStream &p_Strumien, TZapisywaczXML &p_Zapisywacz)
{
    p_Zapisywacz.Strumien = &p_Strumien;
    ZapiszDoXML(p_Zapisywacz);
}

void TObiektBazowy::ZapiszWPlikuXML(TStream &p_Strumien, const QString &p_SzablonXSL, TTypZapisuXML p_TypZapisu,
                                    TTypKodowaniaXML p_TypKodowania, bool p_BezPolPomijanych, bool p_ZChwilowymi)
{
    TZapisywaczXML zapisywacz(&p_Strumien, p_TypZapisu, p_TypKodowania, p_BezPolPomijanych, p_ZChwilowymi, p_SzablonXSL);
    ZapiszDoXML(zapisywacz);
}

void TObiektBazowy::ZapiszWPlikuXML(const QString &p_NazwaPliku, const QString &p_SzablonXSL,
                                    TTypZapisuXML p_TypZapisu, TTypKodowaniaXML p_TypKodowania, bool p_BezPolPomijanych,
                                    bool p_ZChwilowymi)
{
    std::unique_ptr<TFileStream> plik = UtworzPlikObiektu(p_NazwaPliku);
    try {
        ZapiszWPlikuXML(*plik, p_SzablonXSL, p_TypZapisu, p_TypKodowania, p_BezPolPomijanych, p_ZChwilowymi);
    } catch (Exception &e) {
        OpiszBladZapisu(e, p_NazwaPliku);
        throw;
    }
}

QByteArray TObiektBazowy::ZapiszWStringuXML(TTypZapisuXML p_TypZapisu, TTypKodowaniaXML p_TypKodowania,
                                            bool p_BezPolPomijanych, bool p_ZChwilowymi, const QString &p_SzablonXSL)
{
    TLkRawByteStringMaker strumien;
    ZapiszWPlikuXML(strumien, p_SzablonXSL, p_TypZapisu, p_TypKodowania, p_BezPolPomijanych, p_ZChwilowymi);
    return strumien.DajWynik();
}

void TObiekt::WykonajZapisXML(TZapisywaczXML &p_Zapisywacz, const QByteArray &p_NazwaObiektu)
{
    TBlokadaObiektu blokada(this);
    const bool wierszowy = p_Zapisywacz.TypZapisuXML == tzxWierszowy;

    // The element's prefix: the root's namespace, or the one of the class holding the field when it qualifies.
    QByteArray prefiks;
    const bool korzen = !p_Zapisywacz.FPrzestrzZapisana;
    if (korzen) {
        prefiks = p_Zapisywacz.PrefiksPrzestrzeni(*this);
    } else if (const TObiektBazowy *rodzic = Rodzic()) {
        const TObiekt *wlasciciel = rodzic->JakoTObiekt();
        if (wlasciciel && wlasciciel->ElemFormDefaultXML() == fdxQualified)
            prefiks = p_Zapisywacz.PrefiksPrzestrzeni(*wlasciciel);
    }
    // Bound, not copied: a copy of a shared array costs two atomic operations an element.
    const bool zmieniona = !prefiks.isEmpty() || p_NazwaObiektu.contains(':');
    const QByteArray zPrefiksem =
        zmieniona ? prefiks + p_NazwaObiektu.mid(p_NazwaObiektu.indexOf(':') + (prefiks.isEmpty() ? 0 : 1)) : QByteArray();
    const QByteArray &nazwa = zmieniona ? zPrefiksem : p_NazwaObiektu;
    const QByteArray prefiksAtrybutow = AttrFormDefaultXML() == fdxQualified ? p_Zapisywacz.PrefiksPrzestrzeni(*this)
                                                                             : QByteArray();

    p_Zapisywacz.ZapiszZnak('<');
    p_Zapisywacz.Dopisz(nazwa);
    if (korzen)
        p_Zapisywacz.ZapiszPrzestrzenNazw(*this);
    if (!p_Zapisywacz.PozIdObiektu.isEmpty()) {
        p_Zapisywacz.Dopisz(p_Zapisywacz.PozIdObiektu);
        p_Zapisywacz.PozIdObiektu.clear();
    }
    p_Zapisywacz.ZapiszIDObiektu(*this, prefiksAtrybutow);

    const std::vector<int16_t> kolejnosc = DajKolejnoscPolXML();
    const int16_t ostatni = OstatniNrPola();
    const int ilePol = kolejnosc.empty() ? ostatni + 1 : static_cast<int>(kolejnosc.size());
    // First pass: attributes. The fields left for the content go on the
    // writer's stack, above those of the elements this one is nested in.
    std::vector<int16_t> &elementy = p_Zapisywacz.FPolaElementow;
    const size_t odElementow = elementy.size();
    int16_t tekst = -1;
    for (int i = 0; i < ilePol; ++i) {
        const int16_t nr = kolejnosc.empty() ? static_cast<int16_t>(i) : kolejnosc[static_cast<size_t>(i)];
        if (nr < 0 || nr > ostatni)
            continue;
        const TPole *pole = PoleJesliJest(nr);
        const TObiektBazowy *podobiekt = pole ? pole->JakoObiekt() : nullptr;
        // An empty sub-object that a reference points at is still written, or the reference would be lost.
        if (!p_Zapisywacz.CzyZapisacPoleObiektu(nr, *this)
            && !(podobiekt && !p_Zapisywacz.IDObiektu(podobiekt).isEmpty()))
            continue;
        if (const TObiekt *zPolami = podobiekt ? podobiekt->JakoTObiekt() : nullptr;
            zPolami && !maCoZapisac(*zPolami, p_Zapisywacz))
            continue;
        const TPoleWskObiektu *wskaznik = pole ? pole->JakoWskaznik() : nullptr;
        QByteArray id;
        if (wskaznik) {
            id = p_Zapisywacz.IDObiektu(wskaznik->Wartosc());
            if (id.isEmpty())
                continue;
        }
        const TZapisywaczXML::TNazwaPolaXML &nazwaPola = p_Zapisywacz.NazwaPolaXML(*this, nr);
        if (nazwaPola.Wartosc) {
            tekst = nr;
            continue;
        }
        const bool listaJakoAtrybut = podobiekt && JestAtrybutem(nr) && podobiekt->MozeBycAtrybutemXML();
        if (!listaJakoAtrybut && (!pole || podobiekt || (wierszowy && !JestAtrybutem(nr)))) {
            elementy.push_back(nr);
            continue;
        }
        p_Zapisywacz.ZapiszZnak(' ');
        p_Zapisywacz.Dopisz(prefiksAtrybutow);
        p_Zapisywacz.Dopisz(nazwaPola.Atrybut);
        p_Zapisywacz.Dopisz("=\"");
        if (wskaznik) {
            p_Zapisywacz.Dopisz(id);
        } else {
            const QString maska = MaskaZapisuPolaNr(nr);
            if (maska.isEmpty())
                pole->ZapiszXMLowo(p_Zapisywacz);
            else
                ZapiszWgMaskiXML(p_Zapisywacz, nr, maska);
        }
        p_Zapisywacz.ZapiszZnak('"');
    }
    const size_t doElementow = elementy.size();
    if (doElementow == odElementow && tekst < 0) {
        p_Zapisywacz.Dopisz("/>");
        return;
    }
    p_Zapisywacz.ZapiszZnak('>');
    if (doElementow > odElementow) {
        p_Zapisywacz.ZwiekszAkapit();
        // By position: the elements written below push onto the same stack.
        for (size_t i = odElementow; i < doElementow; ++i) {
            const int16_t nr = elementy[i];
            TPole &pole = Pola(nr);
            // Names stay in place for the whole write (NazwaPolaXML).
            const QByteArray &nazwaPola = p_Zapisywacz.NazwaPolaXML(*this, nr).Element;
            p_Zapisywacz.NowaLinia();
            if (TObiektBazowy *obiekt = pole.JakoObiekt()) {
                obiekt->WykonajZapisXML(p_Zapisywacz, nazwaPola);
                continue;
            }
            p_Zapisywacz.ZapiszZnak('<');
            p_Zapisywacz.Dopisz(nazwaPola);
            p_Zapisywacz.ZapiszZnak('>');
            if (const TPoleWskObiektu *wskaznik = pole.JakoWskaznik()) {
                p_Zapisywacz.Dopisz(p_Zapisywacz.IDObiektu(wskaznik->Wartosc()));
            } else {
                const QString maska = MaskaZapisuPolaNr(nr);
                if (maska.isEmpty())
                    pole.ZapiszXMLowo(p_Zapisywacz);
                else
                    ZapiszWgMaskiXML(p_Zapisywacz, nr, maska);
            }
            p_Zapisywacz.Dopisz("</");
            p_Zapisywacz.Dopisz(nazwaPola);
            p_Zapisywacz.ZapiszZnak('>');
        }
        elementy.resize(odElementow);
        p_Zapisywacz.ZmniejszAkapit();
        p_Zapisywacz.NowaLinia();
    }
    if (tekst >= 0)
        Pola(tekst).ZapiszXMLowo(p_Zapisywacz);
    p_Zapisywacz.Dopisz("</");
    p_Zapisywacz.Dopisz(nazwa);
    p_Zapisywacz.ZapiszZnak('>');
}

void TObiekt::ZapiszWgMaskiXML(TZapisywaczXML &p_Zapisywacz, int16_t p_Nr, const QString &p_Maska)
{
    const QString tekst = Pola(p_Nr).WartWgMaski(p_Maska, &DajJadroKlas().FormatSettings());
    if (p_Maska.startsWith(QLatin1Char('#')) && tekst.size() > p_Maska.size())
        throw LkException(Format(QStringLiteral("błąd zapisu wg maski: \"%s\" <> \"%s\" w %s"),
                                 {tekst, p_Maska, DajSciezkeDoSiebie(nullptr, false, false, p_Nr)}));
    p_Zapisywacz.ZapiszTekst(tekst);
}
