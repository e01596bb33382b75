#include "Obiekt.h"

#include "Formatuj.h"
#include "PoleWskObiektu.h"

#include <memory>

namespace {

[[noreturn]] void BlednaSciezka(const TPole &p_Obiekt, QStringView p_Sciezka)
{
    throw LkException(
        Format(QStringLiteral("%s: Błędna ścieżka : %s"), {p_Obiekt.ClassName(), p_Sciezka.toString()}));
}

bool JestPodobiektem(const TOpisKlasy &p_Klasa)
{
    return p_Klasa.DziedziczyPo(TObiektBazowy::Opis);
}

bool JestWskaznikiem(const TOpisKlasy &p_Klasa)
{
    return p_Klasa.DziedziczyPo(TPoleWskObiektu::Opis);
}

// The field a path's head (up to the first "." or "[") names in p_Obiekt, and
// the rest of the path (a "." dropped, a "[" kept for the list that reads it).
struct TKrokWSciezce
{
    int16_t Nr;
    QStringView Reszta;
    // The path ends here: a simple field, or a pointer field with nothing after it.
    bool Koniec;
    bool Podobiekt;
};

TKrokWSciezce KrokWSciezce(const TObiekt &p_Obiekt, QStringView p_Sciezka)
{
    qsizetype i = 0;
    while (i < p_Sciezka.size() && p_Sciezka[i] != QLatin1Char('.') && p_Sciezka[i] != QLatin1Char('['))
        ++i;
    const bool kropka = i < p_Sciezka.size() && p_Sciezka[i] == QLatin1Char('.');
    const QStringView reszta = p_Sciezka.mid(kropka ? i + 1 : i);
    // "Adres." and ".Miasto" name nothing.
    const bool poprawna = i > 0 && !(kropka && reszta.isEmpty());
    const int16_t nr = poprawna ? p_Obiekt.NrPolaONazwie(p_Sciezka.left(i).toString()) : -1;
    const TOpisKlasy *klasa = nr >= 0 ? p_Obiekt.TypPolaNr(nr) : nullptr;
    if (!klasa)
        BlednaSciezka(p_Obiekt, p_Sciezka);
    const bool podobiekt = JestPodobiektem(*klasa);
    const bool koniec = !podobiekt && !(!reszta.isEmpty() && JestWskaznikiem(*klasa));
    // Nothing goes on below a simple field.
    if (koniec && !reszta.isEmpty())
        BlednaSciezka(p_Obiekt, p_Sciezka);
    return {nr, reszta, koniec, podobiekt};
}

// The object below field p_Nr for questions about classes and names: the
// sub-object, or a scratch instance of its class kept in p_Wzor when there is
// none yet, or the target of a pointer field; null otherwise.
const TObiektBazowy *ObiektPolaLubWzor(const TObiekt &p_Obiekt, int16_t p_Nr, std::unique_ptr<TPole> &p_Wzor)
{
    const TOpisKlasy *klasa = p_Obiekt.TypPolaNr(p_Nr);
    if (!klasa)
        return nullptr;
    const TPole *pole = p_Obiekt.PoleJesliJest(p_Nr);
    if (JestWskaznikiem(*klasa)) {
        const auto *wskaznik = dynamic_cast<const TPoleWskObiektu *>(pole);
        return wskaznik ? wskaznik->Wartosc() : nullptr;
    }
    if (!JestPodobiektem(*klasa))
        return nullptr;
    if (const auto *podobiekt = dynamic_cast<const TObiektBazowy *>(pole))
        return podobiekt;
    if (!klasa->Tworz)
        return nullptr;
    p_Wzor.reset(klasa->Tworz(nullptr));
    return dynamic_cast<const TObiektBazowy *>(p_Wzor.get());
}

// A write through a path, creating fields on the way: to the object itself
// (field -1) or to a field of a TObiekt. A pointer without target on the way,
// or a field of an object of another kind, is a wrong path.
void ZapiszWgSciezki(TObiekt &p_Obiekt, const QString &p_Sciezka,
                     const std::function<void(TObiektBazowy &)> &p_DoObiektu,
                     const std::function<void(TObiekt &, int16_t)> &p_DoPola)
{
    int16_t nr = -2;
    TObiektBazowy *cel = p_Obiekt.ObiektIPole(p_Sciezka, nr, true);
    auto *wlasciciel = dynamic_cast<TObiekt *>(cel);
    if (cel && nr == -1)
        p_DoObiektu(*cel);
    else if (wlasciciel && nr >= 0)
        p_DoPola(*wlasciciel, nr);
    else
        BlednaSciezka(p_Obiekt, p_Sciezka);
}

} // namespace

// ---- TObiektBazowy: "Self", "^" and the walk

TObiektBazowy *TObiektBazowy::IdzSciezka(const QString &p_Sciezka, int16_t &p_IDPola, TTrybSciezki p_Tryb,
                                         std::vector<std::unique_ptr<TPole>> &p_Wzory)
{
    // A loop rather than recursion: every step, "^" included, eats part of the
    // path, so a long path costs time but no stack.
    TObiektBazowy *obiekt = this;
    QStringView sciezka(p_Sciezka);
    p_IDPola = -2;
    for (;;) {
        if (sciezka.compare(QLatin1String("Self"), Qt::CaseInsensitive) == 0) {
            p_IDPola = -1;
            return obiekt;
        }
        if (sciezka.startsWith(QLatin1Char('^'))) {
            if (!obiekt->FRodzic)
                BlednaSciezka(*obiekt, sciezka);
            obiekt = obiekt->FRodzic;
            sciezka = sciezka.mid(1);
            if (sciezka.isEmpty()) {
                p_IDPola = -1;
                return obiekt;
            }
            continue;
        }
        obiekt = obiekt->ZejdzSciezka(sciezka, p_IDPola, p_Tryb, p_Wzory);
        if (!obiekt) {
            p_IDPola = -2;
            return nullptr;
        }
        if (sciezka.isEmpty())
            return obiekt;
    }
}

TObiektBazowy *TObiektBazowy::ObiektIPole(const QString &p_Sciezka, int16_t &p_IDPola, bool p_Tworz)
{
    std::vector<std::unique_ptr<TPole>> wzory;
    return IdzSciezka(p_Sciezka, p_IDPola, p_Tworz ? TTrybSciezki::Tworz : TTrybSciezki::Czytaj, wzory);
}

const TOpisKlasy *TObiektBazowy::KlasaIPole(const QString &p_Sciezka, int16_t &p_IDPola) const
{
    // This mode changes nothing in the objects it passes.
    std::vector<std::unique_ptr<TPole>> wzory;
    const TObiektBazowy *obiekt =
        const_cast<TObiektBazowy *>(this)->IdzSciezka(p_Sciezka, p_IDPola, TTrybSciezki::Klasy, wzory);
    return obiekt ? &obiekt->Klasa() : nullptr;
}

TObiektBazowy *TObiektBazowy::ZejdzSciezka(QStringView &p_Sciezka, int16_t &, TTrybSciezki,
                                           std::vector<std::unique_ptr<TPole>> &)
{
    BlednaSciezka(*this, p_Sciezka);
}

// ---- TObiekt: a field name, then the rest in the sub-object or the pointer's target

TObiektBazowy *TObiekt::ZejdzSciezka(QStringView &p_Sciezka, int16_t &p_IDPola, TTrybSciezki p_Tryb,
                                     std::vector<std::unique_ptr<TPole>> &p_Wzory)
{
    const TKrokWSciezce krok = KrokWSciezce(*this, p_Sciezka);
    p_Sciezka = krok.Reszta;
    if (krok.Koniec) {
        p_IDPola = krok.Nr;
        return this;
    }
    p_IDPola = -1;
    if (p_Tryb == TTrybSciezki::Klasy) {
        p_Wzory.emplace_back();
        return const_cast<TObiektBazowy *>(ObiektPolaLubWzor(*this, krok.Nr, p_Wzory.back()));
    }
    // Only fields with a value are followed, unless they may be created.
    TPole *pole = p_Tryb == TTrybSciezki::Tworz ? &Pola(krok.Nr)
                                                 : (MaWartosc(krok.Nr) ? PoleJesliJest(krok.Nr) : nullptr);
    if (krok.Podobiekt)
        return dynamic_cast<TObiektBazowy *>(pole);
    // A field plugged in may be of another kind than the class declares.
    const auto *wskaznik = dynamic_cast<const TPoleWskObiektu *>(pole);
    return wskaznik ? wskaznik->Wartosc() : nullptr;
}

bool TObiekt::SciezkaIstnieje(const QString &p_Sciezka) const
{
    int16_t nr = -2;
    try {
        return const_cast<TObiekt *>(this)->ObiektIPole(p_Sciezka, nr, false) != nullptr;
    } catch (const LkException &) {
        return false;
    }
}

bool TObiekt::SciezkiIstnieja(const QStringList &p_Sciezki) const
{
    for (const QString &sciezka : p_Sciezki)
        if (!SciezkaIstnieje(sciezka))
            return false;
    return true;
}

TPole *TObiekt::PoleONazwie(const QString &p_NazwaPola, bool p_Tworz)
{
    int16_t nr = -2;
    TObiektBazowy *obiekt = ObiektIPole(p_NazwaPola, nr, p_Tworz);
    if (!obiekt || nr == -1)
        return obiekt;
    auto *wlasciciel = dynamic_cast<TObiekt *>(obiekt);
    if (!wlasciciel)
        return nullptr;
    return p_Tworz ? &wlasciciel->Pola(nr) : wlasciciel->PoleJesliJest(nr);
}

TPole &TObiekt::DajPoleONazwie(const QString &p_NazwaPola, const TOpisKlasy *p_Klasa)
{
    TPole *pole = PoleONazwie(p_NazwaPola, true);
    if (!pole)
        throw LkException(Format(QStringLiteral("%s.%s: Brak pola o nazwie %s"),
                                 {ClassName(), QStringLiteral("DajPoleONazwie"), p_NazwaPola}));
    if (p_Klasa && !pole->Klasa().DziedziczyPo(*p_Klasa))
        throw LkException(Format(QStringLiteral("%s: Błędny typ pola %s"), {ClassName(), p_NazwaPola}));
    return *pole;
}

Variant TObiekt::DajTrescWgSciezki(const QString &p_Sciezka, bool p_PreferujTekst, bool p_SprawdzSciezke) const
{
    int16_t nr = -2;
    TObiektBazowy *obiekt = nullptr;
    try {
        obiekt = const_cast<TObiekt *>(this)->ObiektIPole(p_Sciezka, nr, false);
    } catch (const LkException &) {
        if (p_SprawdzSciezke)
            throw;
        return {};
    }
    if (!obiekt)
        return {};
    // An object's own value is its text form.
    if (nr == -1)
        return p_PreferujTekst ? Variant::ZString(obiekt->GetJakoString()) : obiekt->GetJakoVariant();
    const auto *wlasciciel = dynamic_cast<const TObiekt *>(obiekt);
    if (!wlasciciel || !wlasciciel->MaWartosc(nr))
        return {};
    return p_PreferujTekst ? Variant::ZString(wlasciciel->Tekstowo(nr)) : wlasciciel->Variantowo(nr);
}

QString TObiekt::TekstowoWgSciezki(const QString &p_Sciezka) const
{
    return DajTrescWgSciezki(p_Sciezka, true).JakoString();
}

Variant TObiekt::VariantowoWgSciezki(const QString &p_Sciezka) const
{
    return DajTrescWgSciezki(p_Sciezka);
}

void TObiekt::UstawTekstowoWgSciezki(const QString &p_Sciezka, const QString &p_Tekst)
{
    ZapiszWgSciezki(
        *this, p_Sciezka, [&](TObiektBazowy &p_Cel) { p_Cel.SetJakoString(p_Tekst); },
        [&](TObiekt &p_Cel, int16_t p_Nr) { p_Cel.UstawTekstowo(p_Nr, p_Tekst); });
}

void TObiekt::SetVariantowoWgSciezki(const QString &p_Sciezka, const Variant &p_Wartosc)
{
    ZapiszWgSciezki(
        *this, p_Sciezka, [&](TObiektBazowy &p_Cel) { p_Cel.SetJakoVariant(p_Wartosc); },
        [&](TObiekt &p_Cel, int16_t p_Nr) { p_Cel.SetVariantowo(p_Nr, p_Wartosc); });
}

QString TObiekt::SciezkaNaEkran(const QString &p_Sciezka) const
{
    QString wynik;
    // The object the next name belongs to; null once the path leaves what the model knows.
    const TObiektBazowy *obiekt = this;
    // Scratch instances stand for sub-objects not created yet; names below them may need them.
    std::vector<std::unique_ptr<TPole>> wzory;
    qsizetype i = 0;
    while (i < p_Sciezka.size()) {
        const QChar znak = p_Sciezka[i];
        if (znak == QLatin1Char('.')) {
            ++i;
        } else if (znak == QLatin1Char('^')) {
            wynik += znak;
            obiekt = obiekt ? obiekt->Rodzic() : nullptr;
            ++i;
        } else if (znak == QLatin1Char('[')) {
            const qsizetype koniec = p_Sciezka.indexOf(QLatin1Char(']'), i);
            if (koniec < 0) {
                wynik += p_Sciezka.mid(i);
                break;
            }
            const QString indeks = p_Sciezka.mid(i + 1, koniec - i - 1);
            bool liczba = false;
            const qlonglong nr = indeks.toLongLong(&liczba);
            wynik += QStringLiteral(" (%1)").arg(liczba && nr >= 0 ? QString::number(nr + 1) : indeks);
            // The items of a list are not known here.
            obiekt = nullptr;
            i = koniec + 1;
        } else {
            qsizetype koniec = i;
            while (koniec < p_Sciezka.size() && p_Sciezka[koniec] != QLatin1Char('.')
                   && p_Sciezka[koniec] != QLatin1Char('['))
                ++koniec;
            const QString nazwa = p_Sciezka.mid(i, koniec - i);
            if (!wynik.isEmpty() && !wynik.endsWith(QLatin1Char('^')))
                wynik += QStringLiteral(" -> ");
            const auto *wlasciciel = dynamic_cast<const TObiekt *>(obiekt);
            const int16_t nr = wlasciciel ? wlasciciel->NrPolaONazwie(nazwa) : -1;
            if (nr >= 0) {
                wynik += wlasciciel->NazwaEdycjiPolaNr(nr);
                wzory.emplace_back();
                obiekt = ObiektPolaLubWzor(*wlasciciel, nr, wzory.back());
            } else {
                wynik += nazwa;
                obiekt = nullptr;
            }
            i = koniec;
        }
    }
    return wynik;
}
