#include "ListyLiczb.h"

#include "BlokadaObiektu.h"
#include "PolaCalkowite.h"
#include "PolaZmiennoprzecinkowe.h"

#include <algorithm>
#include <limits>

namespace {

bool JestSeparatorem(QChar p_Znak)
{
    return p_Znak == QLatin1Char(' ') || p_Znak == QLatin1Char(',') || p_Znak == QLatin1Char('\r')
        || p_Znak == QLatin1Char('\n');
}

// Whole numbers: digits with an optional leading "-"; anything else is refused
// with the message of its fault. A value beyond the type's range is refused too.
template <typename T> std::vector<T> CzytajCalkowite(const QString &p_Tekst)
{
    std::vector<T> wartosci;
    bool minus = false;
    bool cyfry = false;
    // Accumulated negatively, so that the type's minimum fits.
    T liczba = 0;
    auto zakoncz = [&] {
        if (cyfry)
            wartosci.push_back(minus ? liczba : static_cast<T>(-liczba));
        minus = cyfry = false;
        liczba = 0;
    };
    for (const QChar znak : p_Tekst) {
        if (JestSeparatorem(znak)) {
            zakoncz();
        } else if (znak == QLatin1Char('-')) {
            if (cyfry)
                throw LkException(QStringLiteral("minus w środku liczby"));
            if (minus)
                throw LkException(QStringLiteral("PIL: powtórzony minus"));
            minus = true;
        } else if (znak >= QLatin1Char('0') && znak <= QLatin1Char('9')) {
            const T cyfra = static_cast<T>(znak.unicode() - '0');
            const T dolna = minus ? std::numeric_limits<T>::min() : static_cast<T>(-std::numeric_limits<T>::max());
            if (liczba < (dolna + cyfra) / 10)
                throw LkException(QStringLiteral("obcy znak"));
            liczba = static_cast<T>(liczba * 10 - cyfra);
            cyfry = true;
        } else {
            throw LkException(QStringLiteral("obcy znak"));
        }
    }
    zakoncz();
    return wartosci;
}

// Floats: the pieces between separators, each through the tolerant float parse.
template <typename T> std::vector<T> CzytajZmiennoprzecinkowe(const QString &p_Tekst)
{
    std::vector<T> wartosci;
    qsizetype poczatek = 0;
    for (qsizetype i = 0; i <= p_Tekst.size(); ++i) {
        if (i < p_Tekst.size() && !JestSeparatorem(p_Tekst[i]))
            continue;
        if (i > poczatek)
            wartosci.push_back(static_cast<T>(TekstNaLiczbe(p_Tekst.mid(poczatek, i - poczatek),
                                                            static_cast<long double>(std::numeric_limits<T>::max()))));
        poczatek = i + 1;
    }
    return wartosci;
}

template <typename T> T WartoscPola(const TPole &p_Pole)
{
    if constexpr (std::is_integral_v<T>) {
        if (const auto *calkowite = dynamic_cast<const TPoleCalkowitoliczbowe *>(&p_Pole))
            return static_cast<T>(calkowite->JakoInt64());
        return static_cast<T>(p_Pole.GetJakoVariant().JakoInt64());
    } else {
        if (const auto *liczba = dynamic_cast<const TPoleNumeryczne *>(&p_Pole))
            return static_cast<T>(liczba->JakoExtended());
        return static_cast<T>(p_Pole.GetJakoVariant().JakoDouble());
    }
}

} // namespace

template <typename T> QString TPoleListaLiczb<T>::TekstWartosci(T p_Wartosc)
{
    if constexpr (std::is_integral_v<T>)
        return QString::number(p_Wartosc);
    else
        return TekstLiczbyZmiennoprzecinkowej(p_Wartosc, std::is_same_v<T, double> ? 15 : 18);
}

template <typename T> void TPoleListaLiczb<T>::UstawRozmiar(int p_Rozmiar, bool)
{
    // The new area is always zeroed: stale values must not reappear.
    TBlokadaObiektu blokada(this);
    FWartosci.UstawIle(p_Rozmiar);
}

template <typename T> void TPoleListaLiczb<T>::UstawWartosc(int p_Nr, T p_Wartosc)
{
    TBlokadaObiektu blokada(this);
    if (p_Nr < 0 || p_Nr >= Rozmiar())
        throw LkException(Format(QStringLiteral("%s.%s: indeks %d poza zakresem 0..%d"),
                                 {ClassName(), QStringLiteral("Wartosci"), p_Nr, Rozmiar() - 1}));
    FWartosci[p_Nr] = p_Wartosc;
}

template <typename T> int TPoleListaLiczb<T>::DodajWartosc(T p_Wartosc, int p_Gdzie)
{
    TBlokadaObiektu blokada(this);
    p_Gdzie = std::clamp(p_Gdzie, 0, Rozmiar());
    FWartosci.Wstaw(p_Wartosc, p_Gdzie);
    return p_Gdzie;
}

template <typename T> bool TPoleListaLiczb<T>::DodajWartoscGdyBrak(T p_Wartosc, bool p_Posortowana)
{
    TBlokadaObiektu blokada(this);
    if (!p_Posortowana) {
        if (JestWartosc(p_Wartosc))
            return false;
        DodajWartosc(p_Wartosc);
        return true;
    }
    int gdzie = 0;
    if (WyszukajWartosc(p_Wartosc, gdzie))
        return false;
    DodajWartosc(p_Wartosc, gdzie);
    return true;
}

template <typename T> void TPoleListaLiczb<T>::DodajZakres(T p_Od, T p_Do) requires std::is_integral_v<T>
{
    TBlokadaObiektu blokada(this);
    if (p_Od > p_Do)
        return;
    FWartosci.UstawPojemnosc(Rozmiar() + static_cast<int>(std::min<int64_t>(int64_t(p_Do) - p_Od + 1, INT32_MAX - Rozmiar())));
    for (T wartosc = p_Od;; ++wartosc) {
        DodajWartosc(wartosc);
        if (wartosc == p_Do)
            break;
    }
}

template <typename T> void TPoleListaLiczb<T>::DodajZArrayOfInt(const std::vector<T> &p_Wartosci)
{
    TBlokadaObiektu blokada(this);
    for (const T wartosc : p_Wartosci)
        DodajWartosc(wartosc);
}

template <typename T> void TPoleListaLiczb<T>::DolaczDane(const TPoleListaLiczb &p_Lista)
{
    TBlokadaObiektu blokada(this);
    const std::vector<T> wartosci(p_Lista.begin(), p_Lista.end());
    DodajZArrayOfInt(wartosci);
}

template <typename T> void TPoleListaLiczb<T>::UsunElement(int p_Nr)
{
    TBlokadaObiektu blokada(this);
    if (p_Nr >= 0 && p_Nr < Rozmiar())
        FWartosci.Wyjmij(p_Nr, false);
}

template <typename T> int TPoleListaLiczb<T>::UsunWartosc(T p_Wartosc)
{
    TBlokadaObiektu blokada(this);
    T *dane = FWartosci.Dane();
    const int bylo = Rozmiar();
    FWartosci.UstawIle(static_cast<int>(std::remove(dane, dane + bylo, p_Wartosc) - dane));
    if (Rozmiar() != bylo)
        FWartosci.Zmniejsz();
    return bylo - Rozmiar();
}

template <typename T> int TPoleListaLiczb<T>::UsunWartosci(const TPoleListaLiczb &p_Lista)
{
    TBlokadaObiektu blokada(this);
    const std::vector<T> usuwane(p_Lista.begin(), p_Lista.end());
    int ile = 0;
    for (const T wartosc : usuwane)
        ile += UsunWartosc(wartosc);
    return ile;
}

template <typename T> bool TPoleListaLiczb<T>::WyszukajIUsun(T p_Wartosc, TRodzajSortowania p_Sortowanie)
{
    TBlokadaObiektu blokada(this);
    int gdzie = 0;
    if (!WyszukajWartosc(p_Wartosc, gdzie, p_Sortowanie))
        return false;
    UsunElement(gdzie);
    return true;
}

template <typename T> int TPoleListaLiczb<T>::UsunDuplikaty()
{
    TBlokadaObiektu blokada(this);
    std::vector<T> byly;
    int zostaje = 0;
    for (int i = 0; i < Rozmiar(); ++i) {
        const T wartosc = FWartosci[i];
        if (std::find(byly.begin(), byly.end(), wartosc) != byly.end())
            continue;
        byly.push_back(wartosc);
        FWartosci[zostaje++] = wartosc;
    }
    const int usuniete = Rozmiar() - zostaje;
    FWartosci.UstawIle(zostaje);
    if (usuniete > 0)
        FWartosci.Zmniejsz();
    return usuniete;
}

template <typename T> int TPoleListaLiczb<T>::Gdzie(T p_Wartosc) const
{
    const T *znaleziona = std::find(begin(), end(), p_Wartosc);
    return znaleziona == end() ? -1 : static_cast<int>(znaleziona - begin());
}

template <typename T> bool TPoleListaLiczb<T>::JestWartoscZZakresu(T p_Od, T p_Do) const
{
    return std::any_of(begin(), end(), [&](T p_Wartosc) { return p_Wartosc >= p_Od && p_Wartosc <= p_Do; });
}

template <typename T>
bool TPoleListaLiczb<T>::WyszukajWartosc(T p_Wartosc, int &p_Gdzie, TRodzajSortowania p_Sortowanie) const
{
    const T *miejsce = p_Sortowanie == rsMalejaco ? std::lower_bound(begin(), end(), p_Wartosc, std::greater<T>())
                                                  : std::lower_bound(begin(), end(), p_Wartosc);
    p_Gdzie = static_cast<int>(miejsce - begin());
    return miejsce != end() && *miejsce == p_Wartosc;
}

template <typename T> void TPoleListaLiczb<T>::PosortujWartosci(TRodzajSortowania p_Sortowanie)
{
    TBlokadaObiektu blokada(this);
    T *dane = FWartosci.Dane();
    if (p_Sortowanie == rsMalejaco)
        std::sort(dane, dane + Rozmiar(), std::greater<T>());
    else
        std::sort(dane, dane + Rozmiar());
}

template <typename T> typename TPoleListaLiczb<T>::TSuma TPoleListaLiczb<T>::SumaWartosci() const
{
    TSuma suma = 0;
    for (const T wartosc : *this)
        suma += wartosc;
    return suma;
}

template <typename T> T TPoleListaLiczb<T>::WartoscMax() const
{
    return Rozmiar() > 0 ? *std::max_element(begin(), end()) : T();
}

template <typename T> T TPoleListaLiczb<T>::WartoscMin() const
{
    return Rozmiar() > 0 ? *std::min_element(begin(), end()) : T();
}

template <typename T>
QString TPoleListaLiczb<T>::ListaWartosci(const QString &p_Separator, int p_Od, int p_Do, T p_Dodaj) const
{
    const int ostatni = p_Do < 0 || p_Do >= Rozmiar() ? Rozmiar() - 1 : p_Do;
    QStringList teksty;
    for (int i = std::max(p_Od, 0); i <= ostatni; ++i)
        teksty << TekstWartosci(static_cast<T>(FWartosci[i] + p_Dodaj));
    return teksty.join(p_Separator);
}

template <typename T>
QString TPoleListaLiczb<T>::OpisWartosci(const QString &p_Separator, const QString &p_SeparatorZakresu, T p_Dodaj) const
    requires std::is_integral_v<T>
{
    QStringList teksty;
    for (int i = 0; i < Rozmiar();) {
        int j = i;
        while (j + 1 < Rozmiar() && FWartosci[j] != std::numeric_limits<T>::max() && FWartosci[j + 1] == FWartosci[j] + 1)
            ++j;
        QString tekst = TekstWartosci(static_cast<T>(FWartosci[i] + p_Dodaj));
        if (j > i)
            tekst += p_SeparatorZakresu + TekstWartosci(static_cast<T>(FWartosci[j] + p_Dodaj));
        teksty << tekst;
        i = j + 1;
    }
    return teksty.join(p_Separator);
}

template <typename T> void TPoleListaLiczb<T>::KopiujZPola(const TPoleListaLiczb &p_Lista)
{
    KopiujZArrayOfInt(std::vector<T>(p_Lista.begin(), p_Lista.end()));
}

template <typename T> void TPoleListaLiczb<T>::KopiujZArrayOfInt(const std::vector<T> &p_Wartosci)
{
    TBlokadaObiektu blokada(this);
    ZerujDane();
    FWartosci.UstawPojemnosc(static_cast<int>(p_Wartosci.size()));
    DodajZArrayOfInt(p_Wartosci);
}

template <typename T> void TPoleListaLiczb<T>::KopiujZArrayOfConst(const TArrayOfConst &p_Wartosci)
{
    std::vector<T> wartosci;
    for (const TVarRec &wartosc : p_Wartosci) {
        if (wartosc.JestTekstem()) {
            const std::vector<T> z = CzytajWartosci(wartosc.JakoString());
            wartosci.insert(wartosci.end(), z.begin(), z.end());
        } else if (wartosc.JestZmiennoprzecinkowa()) {
            wartosci.push_back(static_cast<T>(wartosc.JakoDouble()));
        } else {
            wartosci.push_back(static_cast<T>(wartosc.JakoInt64()));
        }
    }
    KopiujZArrayOfInt(wartosci);
}

template <typename T> std::vector<int16_t> TPoleListaLiczb<T>::KopiujDoArrayOfSmallint() const
{
    std::vector<int16_t> wartosci;
    wartosci.reserve(static_cast<size_t>(Rozmiar()));
    for (const T wartosc : *this)
        wartosci.push_back(static_cast<int16_t>(wartosc));
    return wartosci;
}

template <typename T> TArrayOfConst TPoleListaLiczb<T>::JakoArrayOfConst() const
{
    TArrayOfConst wartosci;
    wartosci.reserve(static_cast<size_t>(Rozmiar()));
    for (const T wartosc : *this) {
        if constexpr (std::is_integral_v<T>)
            wartosci.emplace_back(static_cast<long long>(wartosc));
        else
            wartosci.emplace_back(static_cast<double>(wartosc));
    }
    return wartosci;
}

template <typename T> std::vector<T> TPoleListaLiczb<T>::CzytajWartosci(const QString &p_Tekst)
{
    if constexpr (std::is_integral_v<T>)
        return CzytajCalkowite<T>(p_Tekst);
    else
        return CzytajZmiennoprzecinkowe<T>(p_Tekst);
}

template <typename T> QString TPoleListaLiczb<T>::GetJakoString() const
{
    return ListaWartosci(QStringLiteral(" "));
}

template <typename T> void TPoleListaLiczb<T>::SetJakoString(const QString &p_Tekst)
{
    KopiujZArrayOfInt(CzytajWartosci(p_Tekst));
}

template <typename T>
void TPoleListaLiczb<T>::DolaczWartosc(const TObiekt &p_Obiekt, int16_t p_NrPola, bool p_DuplikatyOk, bool p_Posortowana)
{
    const TPole *pole = p_Obiekt.MaWartosc(p_NrPola) ? p_Obiekt.PoleJesliJest(p_NrPola) : nullptr;
    if (!pole)
        return;
    const T wartosc = WartoscPola<T>(*pole);
    TBlokadaObiektu blokada(this);
    if (!p_DuplikatyOk) {
        DodajWartoscGdyBrak(wartosc, p_Posortowana);
        return;
    }
    int gdzie = Rozmiar();
    if (p_Posortowana)
        WyszukajWartosc(wartosc, gdzie);
    DodajWartosc(wartosc, gdzie);
}

template <typename T> QString TPoleListaLiczb<T>::TekstowoElemNr(int p_Nr) const
{
    return p_Nr >= 0 && p_Nr < Rozmiar() ? TekstWartosci(FWartosci[p_Nr]) : QString();
}

template <typename T> Variant TPoleListaLiczb<T>::VariantowoElemNr(int p_Nr) const
{
    if (p_Nr < 0 || p_Nr >= Rozmiar())
        return {};
    if constexpr (std::is_same_v<T, int32_t>)
        return Variant::ZInteger(FWartosci[p_Nr]);
    else if constexpr (std::is_integral_v<T>)
        return Variant::ZInt64(FWartosci[p_Nr]);
    else
        return Variant::ZDouble(static_cast<double>(FWartosci[p_Nr]));
}

template <typename T> int16_t TPoleListaLiczb<T>::Porownaj(const TPole &p_Pole, TPorownywaczDanych *) const
{
    const auto *inna = dynamic_cast<const TPoleListaLiczb *>(&p_Pole);
    if (!inna)
        BledneWywolanie("Porownaj");
    // Value by value, then the shorter list first.
    const int ile = std::min(Rozmiar(), inna->Rozmiar());
    for (int i = 0; i < ile; ++i)
        if (FWartosci[i] != inna->FWartosci[i])
            return FWartosci[i] < inna->FWartosci[i] ? -1 : 1;
    return Rozmiar() < inna->Rozmiar() ? -1 : (Rozmiar() > inna->Rozmiar() ? 1 : 0);
}

template <typename T> void TPoleListaLiczb<T>::KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier)
{
    const auto *inna = dynamic_cast<const TPoleListaLiczb *>(&p_Pole);
    if (!inna)
        BledneWywolanie("KopiujDane");
    TPole::KopiujDane(p_Pole, p_Kopier);
    if (inna != this)
        KopiujZPola(*inna);
}

template <typename T> int64_t TPoleListaLiczb<T>::ZajmowanaPamiec() const
{
    return static_cast<int64_t>(sizeof(*this)) + static_cast<int64_t>(Pojemnosc()) * static_cast<int64_t>(sizeof(T));
}

template class TPoleListaLiczb<int32_t>;
template class TPoleListaLiczb<int64_t>;
template class TPoleListaLiczb<double>;
template class TPoleListaLiczb<long double>;

TPoleIntList *TPoleIntList::CreateAs(std::initializer_list<int32_t> p_Wartosci, TObiektBazowy *p_Rodzic)
{
    auto *lista = new TPoleIntList(p_Rodzic);
    lista->DodajZArrayOfInt(std::vector<int32_t>(p_Wartosci));
    return lista;
}
