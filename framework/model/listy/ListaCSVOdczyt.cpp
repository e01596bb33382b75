#include "ListaObiektow.h"

#include "BlokadaObiektu.h"
#include "CzytnikCSV.h"
#include "PlikiObiektow.h"
#include "PolaDatyICzasu.h"
#include "Strumienie.h"

#include <memory>

namespace {

const QString KontekstMapy = QStringLiteral("WczytajZPlikuCSV,Map");

[[noreturn]] void BlednyTypIndeksu(const QString &p_Kontekst)
{
    throw LkException(Format(QStringLiteral("%s: Błędny typ indeksu"), {p_Kontekst}));
}

// The rest of the stream, read in pieces: a size the stream claims is not
// trusted, only the bytes it gives.
QByteArray CzytajReszte(TStream &p_Strumien)
{
    QByteArray dane;
    constexpr qsizetype kawalek = 1 << 20;
    for (;;) {
        const qsizetype bylo = dane.size();
        dane.resize(bylo + kawalek);
        const int64_t przeczytano = p_Strumien.Read(dane.data() + bylo, kawalek);
        dane.resize(bylo + static_cast<qsizetype>(std::max<int64_t>(przeczytano, 0)));
        if (przeczytano <= 0)
            return dane;
    }
}

// The column each element of p_KtoreKolumny picks (-1: left out).
std::vector<int> MapujKolumny(const TListaObiektow &p_Lista, const TArrayOfConst &p_KtoreKolumny,
                              const QStringList *p_Naglowek, bool p_ZglosBrakKol)
{
    std::vector<int> kolumny;
    for (const TVarRec &kolumna : p_KtoreKolumny) {
        if (!p_Naglowek) {
            if (!kolumna.JestCalkowita())
                p_Lista.BledneWywolanie("WczytajZPlikuCSV,Map");
            kolumny.push_back(static_cast<int>(std::clamp<int64_t>(kolumna.JakoInt64(), -1, INT32_MAX)));
            continue;
        }
        if (kolumna.JestTekstem()) {
            const QString nazwa = kolumna.JakoString();
            int gdzie = static_cast<int>(p_Naglowek->size()) - 1;
            while (gdzie >= 0 && p_Naglowek->at(gdzie).compare(nazwa, Qt::CaseInsensitive) != 0)
                --gdzie;
            if (gdzie < 0 && p_ZglosBrakKol)
                throw LkException(Format(QStringLiteral("%s: Błędna ścieżka : %s"), {KontekstMapy, nazwa}));
            kolumny.push_back(gdzie);
        } else if (kolumna.JestCalkowita()) {
            const int64_t nr = kolumna.JakoInt64();
            const bool jest = nr >= 0 && nr < p_Naglowek->size();
            if (!jest && p_ZglosBrakKol)
                throw LkException(Format(QStringLiteral("%s: Błędna wartość indeksu = %d"), {KontekstMapy, nr}));
            kolumny.push_back(jest ? static_cast<int>(nr) : -1);
        } else {
            BlednyTypIndeksu(KontekstMapy);
        }
    }
    return kolumny;
}

// One cell into field p_Nr of p_Obiekt; a failure names the field.
void WpiszDoPola(TObiekt &p_Obiekt, int16_t p_Nr, const QString &p_Tekst, const TFormatSettings &p_FormatDaty)
{
    try {
        if (auto *data = dynamic_cast<TPoleDateTimeBazowe *>(&p_Obiekt.Pola(p_Nr))) {
            data->WczytajZTekstu(p_Tekst, &p_FormatDaty);
            p_Obiekt.UstawMaWartosc(p_Nr, true);
        } else {
            p_Obiekt.UstawTekstowo(p_Nr, p_Tekst);
        }
    } catch (Exception &e) {
        e.SetMessage(Format(QStringLiteral("pole %s: %s"), {p_Obiekt.NazwaPolaNr(p_Nr), e.Message()}));
        throw;
    }
}

// One cell into a field given by number, or by a path from the item (created on the way).
void WpiszKomorke(TObiekt &p_Obiekt, const TVarRec &p_Pole, const QString &p_Tekst, const TFormatSettings &p_FormatDaty)
{
    if (p_Pole.JestCalkowita()) {
        WpiszDoPola(p_Obiekt, static_cast<int16_t>(p_Pole.JakoInt64()), p_Tekst, p_FormatDaty);
        return;
    }
    int16_t nr = -2;
    TObiektBazowy *cel = p_Obiekt.ObiektIPole(p_Pole.JakoString(), nr, true);
    auto *wlasciciel = dynamic_cast<TObiekt *>(cel);
    if (cel && nr == -1)
        cel->SetJakoString(p_Tekst);
    else if (wlasciciel && nr >= 0)
        WpiszDoPola(*wlasciciel, nr, p_Tekst, p_FormatDaty);
    else
        throw LkException(Format(QStringLiteral("%s: Błędna ścieżka : %s"), {p_Obiekt.ClassName(), p_Pole.JakoString()}));
}

} // namespace

void TListaObiektow::WczytajZPlikuCSV(const QString &p_NazwaPliku, const TArrayOfConst &p_KtorePola,
                                      const TArrayOfConst &p_KtoreKolumny, char p_Separator, bool p_JestNaglowek,
                                      TTypKodowaniaCSV p_TypKodowania, TStream *p_Strumien, bool p_ZglosBrakKol,
                                      const TFormatSettings *p_FormatDaty, bool p_IgnorujCudzyslow)
{
    TBlokadaObiektu blokada(this);
    std::unique_ptr<TFileStream> plik;
    if (!p_Strumien) {
        plik = OtworzPlikObiektu(p_NazwaPliku);
        p_Strumien = plik.get();
    }
    QByteArray dane;
    try {
        dane = CzytajReszte(*p_Strumien);
    } catch (Exception &e) {
        e.SetMessage(Format(QStringLiteral("Błąd odczytu pliku %s:\r%s"), {p_NazwaPliku, e.Message()}));
        throw;
    }
    plik.reset();

    TCzytnikCSV czytnik(std::move(dane), p_Separator, p_TypKodowania, p_IgnorujCudzyslow);
    if (czytnik.Pusty()) {
        ZerujDane();
        return;
    }
    SkrocListe(0, true);
    const TFormatSettings formatDaty = FormatDatyCSV(p_FormatDaty);
    QStringList komorki;
    std::vector<int> kolumny;
    if (p_JestNaglowek) {
        czytnik.NastepnaLinia(komorki);
        kolumny = MapujKolumny(*this, p_KtoreKolumny, &komorki, p_ZglosBrakKol);
    } else {
        kolumny = MapujKolumny(*this, p_KtoreKolumny, nullptr, p_ZglosBrakKol);
    }
    // The cell of column p_Kolumna; empty when the line has no such column.
    auto komorka = [&](int p_Kolumna) {
        return p_Kolumna >= 0 && p_Kolumna < komorki.size() ? komorki[p_Kolumna] : QString();
    };
    while (czytnik.NastepnaLinia(komorki)) {
        if (komorki.size() == 1 && komorki[0].isEmpty())
            continue;
        try {
            auto *obiekt = static_cast<TObiekt *>(DodajObiekt(nullptr, IleObiektow()));
            auto wpisz = [&](const TVarRec &p_Pole, const QString &p_Tekst) {
                if (!p_Tekst.isEmpty())
                    WpiszKomorke(*obiekt, p_Pole, p_Tekst, formatDaty);
            };
            if (p_KtorePola.empty() && kolumny.empty()) {
                const int ile = std::min(static_cast<int>(komorki.size()) - 1, int(obiekt->RozmPolaNr(-1)));
                for (int k = 0; k <= ile; ++k)
                    wpisz(k, komorki[k]);
            } else if (p_KtorePola.empty()) {
                for (size_t k = 0; k < kolumny.size(); ++k)
                    wpisz(static_cast<int>(k), komorka(kolumny[k]));
            } else {
                for (size_t j = 0; j < p_KtorePola.size(); ++j) {
                    const TVarRec &pole = p_KtorePola[j];
                    if (!pole.JestCalkowita() && !pole.JestTekstem())
                        BlednyTypIndeksu(QStringLiteral("WczytajZPlikuCSV,Read"));
                    const int kolumna = kolumny.empty() ? static_cast<int>(j) : (j < kolumny.size() ? kolumny[j] : -1);
                    wpisz(pole, komorka(kolumna));
                }
            }
        } catch (Exception &e) {
            e.SetMessage(Format(QStringLiteral("Linia %d: %s"), {czytnik.NrLinii(), e.Message()}));
            throw;
        }
    }
    UstawPojemnoscListy(IleObiektow());
}
