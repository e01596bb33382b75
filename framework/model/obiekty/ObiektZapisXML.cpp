#include "Obiekt.h"

#include "BlokadaObiektu.h"
#include "JadroKlas.h"
#include "PlikiObiektow.h"
#include "PoleWskObiektu.h"
#include "Strumienie.h"
#include "ZapisywaczXML.h"

namespace {

const QString PoleWartosci = QStringLiteral("_Value_");

enum class TRodzajPolaXML { Atrybut, Element, Tekst, Pomin };

} // namespace

void TObiektBazowy::WykonajZapisXML(TZapisywaczXML &, const QByteArray &)
{
    BledneWywolanie("WykonajZapisXML");
}

void TObiektBazowy::ZapiszDoXML(TZapisywaczXML &p_Zapisywacz)
{
    TBlokadaObiektu blokada(this);
    p_Zapisywacz.ZapiszNaglowekPliku(p_Zapisywacz.SzablonXSL);
    p_Zapisywacz.PrzygotujIDObiektow(*this);
    WykonajZapisXML(p_Zapisywacz, p_Zapisywacz.DajNazweTypuDoZapisu(*this));
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
    TMemoryStream strumien;
    ZapiszWPlikuXML(strumien, p_SzablonXSL, p_TypZapisu, p_TypKodowania, p_BezPolPomijanych, p_ZChwilowymi);
    return QByteArray(static_cast<const char *>(strumien.Memory()), static_cast<qsizetype>(strumien.Size()));
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
    const QByteArray nazwa = prefiks + p_NazwaObiektu.mid(p_NazwaObiektu.indexOf(':') + (prefiks.isEmpty() ? 0 : 1));
    const QByteArray prefiksAtrybutow = AttrFormDefaultXML() == fdxQualified ? p_Zapisywacz.PrefiksPrzestrzeni(*this)
                                                                             : QByteArray();

    p_Zapisywacz.ZapiszTxt('<' + nazwa);
    if (korzen)
        p_Zapisywacz.ZapiszPrzestrzenNazw(*this);
    if (!p_Zapisywacz.PozIdObiektu.isEmpty()) {
        p_Zapisywacz.ZapiszTxt(p_Zapisywacz.PozIdObiektu);
        p_Zapisywacz.PozIdObiektu.clear();
    }
    p_Zapisywacz.ZapiszIDObiektu(*this, prefiksAtrybutow);

    std::vector<int16_t> kolejnosc = DajKolejnoscPolXML();
    const int16_t ostatni = OstatniNrPola();
    if (kolejnosc.empty()) {
        for (int16_t nr = 0; nr <= ostatni; ++nr)
            kolejnosc.push_back(nr);
    }
    // First pass: attributes; what is left for the second pass is remembered.
    std::vector<std::pair<int16_t, TRodzajPolaXML>> pola;
    pola.reserve(kolejnosc.size());
    int16_t tekst = -1;
    bool saElementy = false;
    for (int16_t nr : kolejnosc) {
        if (nr < 0 || nr > ostatni)
            continue;
        const TPole *pole = PoleJesliJest(nr);
        // An empty sub-object that a reference points at is still written, or the reference would be lost.
        if (!p_Zapisywacz.CzyZapisacPoleObiektu(nr, *this)
            && !(pole && pole->JakoObiekt() && !p_Zapisywacz.IDObiektu(pole->JakoObiekt()).isEmpty()))
            continue;
        const auto *wskaznik = dynamic_cast<const TPoleWskObiektu *>(pole);
        QByteArray id;
        if (wskaznik) {
            id = p_Zapisywacz.IDObiektu(wskaznik->Wartosc());
            if (id.isEmpty())
                continue;
        }
        const QString alias = AliasXMLPolaNr(nr);
        if (alias == PoleWartosci) {
            tekst = nr;
            continue;
        }
        const bool listaJakoAtrybut = pole && pole->JakoObiekt() && JestAtrybutem(nr) && pole->JakoObiekt()->MozeBycAtrybutemXML();
        if (!listaJakoAtrybut && (!pole || pole->JakoObiekt() || (wierszowy && !JestAtrybutem(nr)))) {
            pola.emplace_back(nr, TRodzajPolaXML::Element);
            saElementy = true;
            continue;
        }
        const QByteArray nazwaAtrybutu = p_Zapisywacz.Przekoduj(alias);
        p_Zapisywacz.ZapiszTxt(' ' + prefiksAtrybutow + nazwaAtrybutu.mid(nazwaAtrybutu.indexOf(':') + 1) + "=\"");
        if (wskaznik) {
            p_Zapisywacz.ZapiszTxt(id);
        } else {
            const QString maska = MaskaZapisuPolaNr(nr);
            if (maska.isEmpty())
                pole->ZapiszXMLowo(p_Zapisywacz);
            else
                ZapiszWgMaskiXML(p_Zapisywacz, nr, maska);
        }
        p_Zapisywacz.ZapiszTxt(QByteArrayLiteral("\""));
    }
    if (!saElementy && tekst < 0) {
        p_Zapisywacz.ZapiszTxt(QByteArrayLiteral("/>"));
        return;
    }
    p_Zapisywacz.ZapiszTxt(QByteArrayLiteral(">"));
    if (saElementy) {
        p_Zapisywacz.ZwiekszAkapit();
        for (const auto &[nr, rodzaj] : pola) {
            (void)rodzaj;
            TPole &pole = Pola(nr);
            const QByteArray nazwaPola = p_Zapisywacz.Przekoduj(AliasXMLPolaNr(nr));
            p_Zapisywacz.NowaLinia();
            if (TObiektBazowy *obiekt = pole.JakoObiekt()) {
                obiekt->WykonajZapisXML(p_Zapisywacz, nazwaPola);
                continue;
            }
            p_Zapisywacz.ZapiszTxt('<' + nazwaPola + '>');
            if (const auto *wskaznik = dynamic_cast<const TPoleWskObiektu *>(&pole)) {
                p_Zapisywacz.ZapiszTxt(p_Zapisywacz.IDObiektu(wskaznik->Wartosc()));
            } else {
                const QString maska = MaskaZapisuPolaNr(nr);
                if (maska.isEmpty())
                    pole.ZapiszXMLowo(p_Zapisywacz);
                else
                    ZapiszWgMaskiXML(p_Zapisywacz, nr, maska);
            }
            p_Zapisywacz.ZapiszTxt("</" + nazwaPola + '>');
        }
        p_Zapisywacz.ZmniejszAkapit();
        p_Zapisywacz.NowaLinia();
    }
    if (tekst >= 0)
        Pola(tekst).ZapiszXMLowo(p_Zapisywacz);
    p_Zapisywacz.ZapiszTxt("</" + nazwa + '>');
}

void TObiekt::ZapiszWgMaskiXML(TZapisywaczXML &p_Zapisywacz, int16_t p_Nr, const QString &p_Maska)
{
    const QString tekst = Pola(p_Nr).WartWgMaski(p_Maska, &DajJadroKlas().FormatSettings());
    if (p_Maska.startsWith(QLatin1Char('#')) && tekst.size() > p_Maska.size())
        throw LkException(Format(QStringLiteral("błąd zapisu wg maski: \"%s\" <> \"%s\" w %s"),
                                 {tekst, p_Maska, DajSciezkeDoSiebie(nullptr, false, false, p_Nr)}));
    p_Zapisywacz.ZapiszTekst(tekst);
}
