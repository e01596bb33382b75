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
    const QByteArray id = parser.TokenString();
    parser.NextToken();
    if (id.isEmpty()) {
        p_Pole.UstawWartosc(nullptr);
        return false;
    }
    if (TObiektBazowy *cel = DajObiektWgRef(id)) {
        p_Pole.UstawWartosc(cel);
        DodajRefUstawiona(p_Pole);
    } else {
        DodajIDRef(id);
        p_Pole.UstawWartosc(nullptr);
        OdczRef.push_back({&p_Pole, true, 0, id});
    }
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

void TOdczytywaczTekstuZRef::PrzypiszObiektDoID(TObiektBazowy &p_Obiekt, const QByteArray &p_ID)
{
    TObiektBazowy *&obiekt = OdczIDRef[p_ID];
    if (obiekt && obiekt != &p_Obiekt)
        throw LkException(Format(QStringLiteral("zdublowany ID=\"%s\""), {QString::fromLatin1(p_ID)}));
    obiekt = &p_Obiekt;
}

void TOdczytywaczTekstuZRef::DodajIDRef(const QByteArray &p_ID)
{
    if (!OdczIDRef.contains(p_ID))
        OdczIDRef.insert(p_ID, nullptr);
}

TObiektBazowy *TOdczytywaczTekstuZRef::DajObiektWgRef(const QByteArray &p_Ref) const
{
    return OdczIDRef.value(p_Ref, nullptr);
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
