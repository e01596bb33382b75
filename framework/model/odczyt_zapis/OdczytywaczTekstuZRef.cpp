#include "OdczytywaczTekstuZRef.h"

#include "Formatuj.h"
#include "ListaWskObiektow.h"
#include "ObiektBazowy.h"
#include "PoleWskObiektu.h"

namespace {

const QString KontekstPola = QStringLiteral("podczas odczytu pola \"%s\"");

} // namespace

void TOdczytywaczTekstuZRef::OdczytywanoPole(TPole &p_Pole)
{
    TOdczytywaczTekstu::OdczytywanoPole(p_Pole);
    OstPole = &p_Pole;
}

bool TOdczytywaczTekstuZRef::WczytajRef(TPoleWskObiektu &p_Pole)
{
    TLkParser &parser = Parser();
    if (parser.Token() == TLkParser::toEOF)
        parser.Error(QStringLiteral("Nieoczekiwany koniec pliku"));
    // A bound identifier is settled from the token's bytes; only a waiting one is kept as text.
    const QByteArrayView widok = parser.TokenView();
    TObiektBazowy *cel = widok.isEmpty() ? nullptr : DajObiektWgRef(widok);
    const QByteArray id = cel ? QByteArray() : widok.toByteArray();
    parser.NextToken();
    if (cel) {
        p_Pole.UstawWartosc(cel);
        DodajRefUstawiona(p_Pole);
        return true;
    }
    if (id.isEmpty()) {
        p_Pole.UstawWartosc(nullptr);
        return false;
    }
    DodajIDRef(id);
    p_Pole.UstawWartosc(nullptr);
    OdczRef.push_back({&p_Pole, true, 0, id});
    return true;
}

void TOdczytywaczTekstuZRef::KorygujReferencje()
{
    for (const TRefOdczytana &ref : OdczRef)
        if (ref.Oczekuje)
            ref.Pole->UstawWartosc(DajObiektWgRef(ref.ID));
    OdczRef.clear();
    KorygujListy([this](const TRefListy &p_Ref) { return DajObiektWgRef(p_Ref.ID); });
}

void TOdczytywaczTekstuZRef::RejestrujListeRef(TListaWskObiektow &p_Lista, const QByteArray &p_ID, int p_Gdzie)
{
    RejestrujListe(p_Lista);
    if (TObiektBazowy *cel = DajObiektWgRef(p_ID)) {
        if (p_Gdzie < 0)
            p_Lista.DopiszObiekt(cel);
        else
            p_Lista.UstawObiekt(p_Gdzie, cel);
        return;
    }
    DodajIDRef(p_ID);
    DodajOczekujacy(p_Lista, p_Gdzie, 0, p_ID);
}

int64_t TOdczytywaczTekstuZRef::NrID(QByteArrayView p_ID)
{
    if (p_ID.isEmpty() || p_ID.size() > 9 || p_ID[0] == '0')
        return -1;
    int64_t nr = 0;
    for (const char c : p_ID) {
        if (c < '0' || c > '9')
            return -1;
        nr = nr * 10 + (c - '0');
    }
    return nr;
}

void TOdczytywaczTekstuZRef::PrzypiszObiektDoID(TObiektBazowy &p_Obiekt, QByteArrayView p_ID)
{
    const auto zdublowany = [&] {
        return LkException(Format(QStringLiteral("zdublowany ID=\"%s\""), {QString::fromLatin1(p_ID)}));
    };
    // A number may be bound in either table (see below), so both are asked.
    if (const int64_t nr = NrID(p_ID); nr >= 0) {
        if (TObiektBazowy *byl = DajObiektWgRef(p_ID)) {
            if (byl != &p_Obiekt)
                throw zdublowany();
            return;
        }
        if (nr <= static_cast<int64_t>(2 * FIleNumerowanych + 4096)) {
            // Bounded by the count bound so far: the table stays linear in the input.
            if (static_cast<size_t>(nr) >= FNumerowaneID.size())
                FNumerowaneID.resize(static_cast<size_t>(nr) + 1);
            FNumerowaneID[static_cast<size_t>(nr)] = &p_Obiekt;
            ++FIleNumerowanych;
            return;
        }
    }
    TObiektBazowy *&obiekt = OdczIDRef[p_ID.toByteArray()];
    if (obiekt && obiekt != &p_Obiekt)
        throw zdublowany();
    obiekt = &p_Obiekt;
}

void TOdczytywaczTekstuZRef::DodajIDRef(const QByteArray &p_ID)
{
    if (!OdczIDRef.contains(p_ID))
        OdczIDRef.insert(p_ID, nullptr);
}

TObiektBazowy *TOdczytywaczTekstuZRef::DajObiektWgRef(QByteArrayView p_Ref) const
{
    if (const int64_t nr = NrID(p_Ref); nr >= 0 && static_cast<size_t>(nr) < FNumerowaneID.size())
        if (TObiektBazowy *obiekt = FNumerowaneID[static_cast<size_t>(nr)])
            return obiekt;
    return OdczIDRef.isEmpty() ? nullptr : OdczIDRef.value(p_Ref.toByteArray(), nullptr);
}

QString TOdczytywaczTekstuZRef::KorygujTrescWyjatku(const QString &p_Tresc, const QString &p_NazwaPola)
{
    const QString poczatek = KontekstPola.left(KontekstPola.indexOf(QLatin1String("%s")));
    const qsizetype gdzie = p_Tresc.indexOf(poczatek);
    if (gdzie < 0)
        return p_Tresc + QLatin1Char(' ') + Format(KontekstPola, {p_NazwaPola});
    QString wynik = p_Tresc;
    return wynik.insert(gdzie + poczatek.size(), p_NazwaPola + QLatin1Char('.'));
}
