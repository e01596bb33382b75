#include "ListaBazowa.h"

#include "BlokadaObiektu.h"
#include "PlikiObiektow.h"
#include "PolaDatyICzasu.h"
#include "Strumienie.h"

#include <memory>

namespace {

[[noreturn]] void BlednyTypIndeksu(const char *p_Kontekst)
{
    throw LkException(Format(QStringLiteral("%s: Błędny typ indeksu"), {QString::fromLatin1(p_Kontekst)}));
}

// The text of field p_Nr of p_Obiekt in a CSV cell: empty without a value,
// dates by the settings, anything else as its text.
QString TekstPola(const TObiekt &p_Obiekt, int16_t p_Nr, const TFormatSettings &p_FormatDaty)
{
    if (!p_Obiekt.MaWartosc(p_Nr))
        return {};
    const TPole *pole = p_Obiekt.PoleJesliJest(p_Nr);
    if (const auto *data = dynamic_cast<const TPoleDateTimeBazowe *>(pole))
        return data->WartWgMaski(QString(), &p_FormatDaty);
    return p_Obiekt.Tekstowo(p_Nr);
}

// The cell of one column (a field number or a path from the item).
QString TekstKolumny(TObiektBazowy *p_Obiekt, const TVarRec &p_Kolumna, const TFormatSettings &p_FormatDaty)
{
    auto *obiekt = dynamic_cast<TObiekt *>(p_Obiekt);
    if (!obiekt)
        return {};
    if (p_Kolumna.JestCalkowita())
        return TekstPola(*obiekt, static_cast<int16_t>(p_Kolumna.JakoInt64()), p_FormatDaty);
    if (!p_Kolumna.JestTekstem())
        BlednyTypIndeksu("CSVW");
    int16_t nr = -2;
    TObiektBazowy *cel = obiekt->ObiektIPole(p_Kolumna.JakoString(), nr, true);
    if (!cel)
        return {};
    if (nr == -1)
        return cel->MaWartosc(-1) ? cel->GetJakoString() : QString();
    const auto *wlasciciel = dynamic_cast<const TObiekt *>(cel);
    return wlasciciel ? TekstPola(*wlasciciel, nr, p_FormatDaty) : QString();
}

} // namespace

void TListaBazowa::ZapiszWPlikuCSV(const QString &p_NazwaPliku, const TArrayOfConst &p_KtorePola,
                                   const TArrayOfConst &p_NazwyKolumn, char p_Separator, bool p_ZapiszNaglowek,
                                   TTypKodowaniaCSV p_TypKodowania, TStream *p_Strumien,
                                   const TFormatSettings *p_FormatDaty, bool p_ZawszeCudzyslow, bool p_TekstDoLinii)
{
    TBlokadaObiektu blokada(this);
    // Created before anything can fail in writing: a failure here keeps its own message.
    std::unique_ptr<TFileStream> plik;
    if (!p_Strumien) {
        plik = UtworzPlikObiektu(p_NazwaPliku);
        p_Strumien = plik.get();
    }
    if (ListaPusta())
        return;
    if (p_TypKodowania == tkcDomyslny)
        p_TypKodowania = tkcWin1250;
    const TFormatSettings formatDaty = FormatDatyCSV(p_FormatDaty);
    const auto *pierwszy = dynamic_cast<const TObiekt *>(ObiektyListy(0));
    try {
        TArrayOfConst kolumny = p_KtorePola;
        if (kolumny.empty() && pierwszy)
            for (int nr = 0; nr <= pierwszy->RozmPolaNr(-1); ++nr)
                kolumny.emplace_back(nr);

        QByteArray bufor;
        auto zapiszWiersz = [&](const QStringList &p_Komorki) {
            for (qsizetype i = 0; i < p_Komorki.size(); ++i) {
                if (i > 0)
                    bufor += p_Separator;
                bufor += KomorkaCSV(p_Komorki[i], p_Separator, p_TypKodowania, p_ZawszeCudzyslow, p_TekstDoLinii);
            }
            bufor += "\r\n";
            // Written in pieces, so that a long list needs no second copy of the file in memory.
            if (bufor.size() >= 65536) {
                p_Strumien->WriteBuffer(bufor.constData(), bufor.size());
                bufor.clear();
            }
        };
        if (p_TypKodowania == tkcUTF8)
            bufor += "\xEF\xBB\xBF";

        if (p_ZapiszNaglowek) {
            auto alias = [&](const TVarRec &p_Pole) {
                return pierwszy ? pierwszy->AliasXMLPolaNr(static_cast<int16_t>(p_Pole.JakoInt64())) : QString();
            };
            QStringList naglowek;
            for (const TVarRec &nazwa : p_NazwyKolumn.empty() ? kolumny : p_NazwyKolumn) {
                if (nazwa.JestCalkowita())
                    naglowek << alias(nazwa);
                else if (nazwa.JestTekstem())
                    naglowek << nazwa.JakoString();
                else
                    BlednyTypIndeksu(p_NazwyKolumn.empty() ? "CSVK" : "CSVN");
            }
            zapiszWiersz(naglowek);
        }
        QStringList komorki;
        for (TObiektBazowy *obiekt : *this) {
            komorki.clear();
            for (const TVarRec &kolumna : kolumny)
                komorki << TekstKolumny(obiekt, kolumna, formatDaty);
            zapiszWiersz(komorki);
        }
        p_Strumien->WriteBuffer(bufor.constData(), bufor.size());
    } catch (Exception &e) {
        OpiszBladZapisu(e, p_NazwaPliku);
        throw;
    }
}
