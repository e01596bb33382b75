#include "Obiekt.h"

#include "Formatuj.h"
#include "KodowanieZnakow.h"
#include "PolaTekstowe.h"
#include "PolaZmiennoprzecinkowe.h"

#include <algorithm>
#include <optional>

namespace {

// The text a text field holds (a wide string field's own text, not its byte form).
std::optional<QString> TekstPola(const TPole &p_Pole)
{
    if (const auto *tekst = dynamic_cast<const TPoleString *>(&p_Pole))
        return tekst->Wartosc;
    if (const auto *szeroki = dynamic_cast<const TPoleWideString *>(&p_Pole))
        return szeroki->Wartosc;
    if (dynamic_cast<const TPoleRawByteString *>(&p_Pole))
        return p_Pole.GetJakoString();
    return std::nullopt;
}

void UstawTekstPola(TPole &p_Pole, const QString &p_Tekst)
{
    if (auto *szeroki = dynamic_cast<TPoleWideString *>(&p_Pole))
        szeroki->Wartosc = p_Tekst;
    else
        p_Pole.SetJakoString(p_Tekst);
}

// Blanks and control characters go from both ends.
QString Trymuj(const QString &p_Tekst)
{
    qsizetype poczatek = 0;
    qsizetype koniec = p_Tekst.size();
    while (poczatek < koniec && p_Tekst[poczatek].unicode() <= ' ')
        ++poczatek;
    while (koniec > poczatek && p_Tekst[koniec - 1].unicode() <= ' ')
        --koniec;
    return p_Tekst.mid(poczatek, koniec - poczatek);
}

QString BezZnakowSterujacych(const QString &p_Tekst)
{
    QString wynik;
    wynik.reserve(p_Tekst.size());
    for (const QChar znak : p_Tekst)
        if (znak.unicode() >= ' ')
            wynik += znak;
    return wynik;
}

bool JestWPolskimAnsi(QChar p_Znak)
{
    try {
        return TekstZPolskiegoAnsi(TekstNaPolskiAnsi(QString(p_Znak))) == QString(p_Znak);
    } catch (const Exception &) {
        // A lone combining mark converts to nothing.
        return false;
    }
}

QString BezObcychZnakow(const QString &p_Tekst)
{
    QString wynik;
    wynik.reserve(p_Tekst.size());
    for (const QChar znak : p_Tekst)
        if (JestWPolskimAnsi(znak))
            wynik += znak;
    return wynik;
}

QString PierwszaLinia(const QString &p_Tekst)
{
    const auto koniec = std::find_if(p_Tekst.begin(), p_Tekst.end(), [](QChar p_Znak) {
        return p_Znak == QLatin1Char('\r') || p_Znak == QLatin1Char('\n');
    });
    return p_Tekst.left(koniec - p_Tekst.begin());
}

// The first p_Dlugosc characters, without half of a surrogate pair at the cut.
QString Przytnij(const QString &p_Tekst, qsizetype p_Dlugosc)
{
    if (p_Tekst.size() <= p_Dlugosc)
        return p_Tekst;
    if (p_Dlugosc > 0 && p_Tekst[p_Dlugosc - 1].isHighSurrogate())
        --p_Dlugosc;
    return p_Tekst.left(p_Dlugosc);
}

} // namespace

void TObiekt::PoprawTeksty(const std::function<QString(TObiekt &, int16_t, const QString &)> &p_Fun,
                           bool p_WPodobiektach)
{
    for (int16_t nr = 0; nr <= OstatniNrPola(); ++nr) {
        TPole *pole = PoleJesliJest(nr);
        if (auto *podobiekt = dynamic_cast<TObiekt *>(pole)) {
            if (p_WPodobiektach)
                podobiekt->PoprawTeksty(p_Fun, true);
            continue;
        }
        if (!pole || !Bit(nr))
            continue;
        const std::optional<QString> tekst = TekstPola(*pole);
        if (!tekst)
            continue;
        const QString nowy = p_Fun(*this, nr, *tekst);
        if (nowy == *tekst)
            continue;
        if (nowy.isEmpty())
            UstawMaWartosc(nr, false);
        else
            UstawTekstPola(*pole, nowy);
        PoZmianiePola(nr);
    }
}

void TObiekt::PoprawPolaTekstowe(const std::function<QString(const QString &)> &p_Fun, bool p_WPodobiektach)
{
    PoprawTeksty([&](TObiekt &, int16_t, const QString &p_Tekst) { return p_Fun(p_Tekst); }, p_WPodobiektach);
}

void TObiekt::TrymujPolaTekstowe(bool p_WPodobiektach)
{
    PoprawPolaTekstowe(Trymuj, p_WPodobiektach);
}

void TObiekt::UsunZnakiSterujZPol(bool p_WPodobiektach)
{
    PoprawPolaTekstowe(BezZnakowSterujacych, p_WPodobiektach);
}

void TObiekt::PrzytnijPolaWgRozm(bool p_Trymuj, bool p_UsunObce, bool p_PierwszaLinia,
                                 const TOnPrzycieto &p_OnPrzycieto, bool p_WPodobiektach)
{
    PoprawTeksty(
        [&](TObiekt &p_Obiekt, int16_t p_Nr, const QString &p_Tekst) {
            QString nowy = p_Trymuj ? Trymuj(p_Tekst) : p_Tekst;
            if (p_UsunObce)
                nowy = BezObcychZnakow(nowy);
            if (p_PierwszaLinia)
                nowy = PierwszaLinia(nowy);
            if (const int16_t rozmiar = p_Obiekt.RozmPolaNr(p_Nr); rozmiar > 0)
                nowy = Przytnij(nowy, rozmiar);
            if (nowy != p_Tekst && p_OnPrzycieto)
                p_OnPrzycieto(p_Obiekt, p_Nr, p_Tekst, nowy);
            return nowy;
        },
        p_WPodobiektach);
}

void TObiekt::ZaokraglPola(const TArrayOfConst &p_KtorePola, uint8_t p_IleMiejscPoPrzecinku)
{
    for (const int16_t nr : NryPol(p_KtorePola, "ZaokraglPola")) {
        if (!TypPolaNr(nr)->DziedziczyPo(TPoleZmiennoprzecinkowe::Opis))
            throw LkException(Format(QStringLiteral("%s: Błędny typ pola %s"), {ClassName(), NazwaPolaNr(nr)}));
        if (MaWartosc(nr))
            static_cast<TPoleZmiennoprzecinkowe &>(Pola(nr)).Zaokraglij(p_IleMiejscPoPrzecinku);
    }
}
