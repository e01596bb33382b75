#include "LkKontrolkaEdycji.h"

#include "Formatuj.h"
#include "Wyjatki.h"

namespace {

const char *const wlasnoscWymagalnosci = "Wymagalnosc";

bool maWlasnosc(const QWidget *p_Kontrolka, const char *p_Nazwa)
{
    return p_Kontrolka->metaObject()->indexOfProperty(p_Nazwa) >= 0;
}

// Clears a flag on every way out.
struct TFlagaNaCzas
{
    bool &Flaga;
    explicit TFlagaNaCzas(bool &p_Flaga) : Flaga(p_Flaga) { Flaga = true; }
    ~TFlagaNaCzas() { Flaga = false; }
};

} // namespace

TLkKontrolkaEdycjiBazowa::TLkKontrolkaEdycjiBazowa(QWidget *p_LkKontrolka)
    : FLkKontrolka(p_LkKontrolka), FOryginalnyHint(p_LkKontrolka->toolTip().trimmed()),
      FJestWymagalnosc(maWlasnosc(p_LkKontrolka, wlasnoscWymagalnosci))
{
    if (maWlasnosc(p_LkKontrolka, "NoParentHint"))
        p_LkKontrolka->setProperty("NoParentHint", true);
}

bool TLkKontrolkaEdycjiBazowa::ignorowany(int p_Typ) const
{
    return FIgnorowaneTypyCechPola.any() && p_Typ <= 127 && FIgnorowaneTypyCechPola.test(p_Typ);
}

int TLkKontrolkaEdycjiBazowa::wymagalnoscKontrolki() const
{
    if (!FJestWymagalnosc)
        throw LkException(QStringLiteral("brak property Wymagalnosc w kontrolce ") + FLkKontrolka->objectName());
    return FLkKontrolka->property(wlasnoscWymagalnosci).toInt();
}

void TLkKontrolkaEdycjiBazowa::ZastosujCechePola(const ICechaPola &p_Cecha)
{
    const int typ = p_Cecha.Typ() % 128;
    switch (typ) {
    case tcpOpis:
        FOpis = p_Cecha.Wartosc().JakoString();
        zlozPodpowiedz();
        return;
    case tcpTylkoDoOdczytu: {
        if (FPodglad)
            return;
        const bool tylko = p_Cecha.Wartosc().JakoBoolean();
        if (tylko != FTylkoDoOdczytu)
            UstawTylkoDoOdczytu(tylko);
        FTylkoDoOdczytu = tylko;
        return;
    }
    case tcpNiewidoczne:
        FLkKontrolka->setVisible(!p_Cecha.Wartosc().JakoBoolean());
        return;
    case tcpPoleKrytyczne:
        FPoleKrytyczne = p_Cecha.Wartosc().JakoBoolean();
        return;
    case tcpWymagalnosc: {
        if (!FJestWymagalnosc)
            return;
        const QVector<Variant> tablica = p_Cecha.Tablica();
        const int kod = tablica.isEmpty() ? 0 : static_cast<int>(tablica.at(0).JakoInt64());
        FLkKontrolka->setProperty(wlasnoscWymagalnosci, kod);
        FPowodWymagalnosci.clear();
        if (kod != 0) {
            FPowodWymagalnosci = QStringLiteral("pole jest ") +
                                 (kod == 1 ? (FPoleKrytyczne ? QStringLiteral("bezwzględnie ") : QString()) +
                                                 QStringLiteral("wymagane")
                                           : QStringLiteral("zabronione"));
            if (tablica.size() > 1 && !tablica.at(1).JakoString().isEmpty())
                FPowodWymagalnosci += QStringLiteral(" - ") + tablica.at(1).JakoString();
            if (tablica.size() > 2)
                FPowodWymagalnosci = tablica.at(2).JakoString() + QStringLiteral(": ") + FPowodWymagalnosci;
        }
        odswiezWidocznosc(kod);
        return;
    }
    case tcpNazwa:
    case tcpPoleZmieniaCechyPol:
    case tcpNazwaSlownika:
    case tcpNrPola:
    case tcpOnChange:
    case 53:
    case 54:
    case 55:
    case 56:
    case 57:
    case 114:
    case 115:
    case 116:
        return;
    default:
        throw LkException(Format(QStringLiteral("nieobsługiwana cecha %s w kontrolce %s"),
                                 {NazwaTypuCechyPola(typ), FLkKontrolka->objectName()}));
    }
}

void TLkKontrolkaEdycjiBazowa::ZastosujCechyPol(const IZrodloCechPola &p_Zrodlo)
{
    ZerujCechy();
    if (!ignorowany(tcpFunkcjaWalidacji))
        if (const ICechaPola *walidacja = p_Zrodlo.CechaTypu(tcpFunkcjaWalidacji))
            ZastosujCechePola(*walidacja);
    if (FJestWymagalnosc && !ignorowany(tcpWymagalnosc) && !p_Zrodlo.CechaTypu(tcpWymagalnosc)) {
        FLkKontrolka->setProperty(wlasnoscWymagalnosci, 0);
        FPowodWymagalnosci.clear();
        odswiezWidocznosc(0);
    }
    // Read-only comes last: the other features may still change the control.
    const ICechaPola *tylkoDoOdczytu = nullptr;
    for (int i = 0; i < p_Zrodlo.IleCech(); ++i) {
        const ICechaPola *cecha = p_Zrodlo.Cecha(i);
        const int typ = cecha->Typ();
        if (ignorowany(typ) || typ == tcpFunkcjaWalidacji || (typ == tcpOnChange && FZmienionoDane))
            continue;
        if (typ == tcpTylkoDoOdczytu)
            tylkoDoOdczytu = cecha;
        else
            ZastosujCechePola(*cecha);
    }
    if (tylkoDoOdczytu)
        ZastosujCechePola(*tylkoDoOdczytu);
}

void TLkKontrolkaEdycjiBazowa::WyczyscKontrolke(bool p_ZCechami)
{
    if (p_ZCechami) {
        ZerujCechy();
        if (FJestWymagalnosc) {
            FLkKontrolka->setProperty(wlasnoscWymagalnosci, 0);
            FPowodWymagalnosci.clear();
            FOpis.clear();
            odswiezWidocznosc(wymagalnoscKontrolki());
        }
    }
    UstawWartoscKontrolki(Variant::Null());
}

void TLkKontrolkaEdycjiBazowa::DodajObserwatora(IObserwatorLkKontrolkiEdycji *p_Obserwator)
{
    if (p_Obserwator && !FListaObserwatorow.contains(p_Obserwator))
        FListaObserwatorow << p_Obserwator;
}

void TLkKontrolkaEdycjiBazowa::UsunObserwatora(IObserwatorLkKontrolkiEdycji *p_Obserwator)
{
    FListaObserwatorow.removeAll(p_Obserwator);
}

void TLkKontrolkaEdycjiBazowa::OdswiezPowodWymagalnosci()
{
    if (FJestWymagalnosc)
        odswiezWidocznosc(wymagalnoscKontrolki());
}

void TLkKontrolkaEdycjiBazowa::ZmienionoDane()
{
    const TFlagaNaCzas zmiana(FZmienionoDane);
    // A copy: an observer may leave while it is told.
    const QVector<IObserwatorLkKontrolkiEdycji *> obserwatorzy = FListaObserwatorow;
    for (IObserwatorLkKontrolkiEdycji *obserwator : obserwatorzy)
        obserwator->ZmienionoDaneKontrolki(*this);
    OdswiezPowodWymagalnosci();
}

void TLkKontrolkaEdycjiBazowa::ZmienionoDanePol(const QVector<Variant> &)
{
    throw LkException(QStringLiteral("Brak implementacji TLkKontrolkaEdycji<T>.ZmienionoDanePol"));
}

void TLkKontrolkaEdycjiBazowa::odswiezWidocznosc(int p_Kod)
{
    FWidocznyPowodWymagalnosci =
        !FPowodWymagalnosci.isEmpty() && (p_Kod == 1 ? !KontrolkaMaWartosc() : p_Kod == 2);
    zlozPodpowiedz();
}

void TLkKontrolkaEdycjiBazowa::zlozPodpowiedz()
{
    // Paragraphs of a tooltip: Qt breaks lines at "\n".
    const QString akapit = QStringLiteral("\n\n");
    QString podpowiedz = FOryginalnyHint;
    if (!FOpis.isEmpty())
        podpowiedz += (podpowiedz.isEmpty() ? QString() : akapit) + FOpis;
    if (FWidocznyPowodWymagalnosci)
        podpowiedz += podpowiedz.isEmpty() ? FPowodWymagalnosci : akapit + QStringLiteral("* ") + FPowodWymagalnosci;
    FLkKontrolka->setToolTip(podpowiedz);
}
