#include "ZapisywaczNatywny.h"

#include "BlokadaObiektu.h"
#include "KodowanieZnakow.h"
#include "ListaWskObiektow.h"
#include "ListyTekstow.h"
#include "Obiekt.h"
#include "ObiektyDoZapisu.h"
#include "ParsowanieTekstu.h"
#include "PoleArrayOfConst.h"
#include "PoleWskObiektu.h"

#include <algorithm>

namespace {

// Bytes written as #n: control bytes and the quote itself.
bool wymagaKodu(unsigned char p_Bajt, char p_Cudzyslow)
{
    return p_Bajt < 32 || p_Bajt == static_cast<unsigned char>(p_Cudzyslow);
}

} // namespace

TZapisywaczNatywny::TZapisywaczNatywny(TStream *p_Strumien, bool p_ZChwilowymi)
    : TZapisywaczTekstu(p_Strumien, p_ZChwilowymi)
{
}

void TZapisywaczNatywny::ZapiszDokument(TObiektBazowy &p_Obiekt)
{
    TBlokadaObiektu blokada(&p_Obiekt);
    DajObiektyDoZapisu(p_Obiekt, *this);
    ZapiszBlok(p_Obiekt, DajNazweTypuDoZapisu(p_Obiekt));
}

void TZapisywaczNatywny::ZapiszObiekt(TObiektBazowy &p_Obiekt, const QString &p_NazwaPola)
{
    ZapiszBlok(p_Obiekt, TekstNaPolskiAnsi(p_NazwaPola));
}

void TZapisywaczNatywny::ZapiszBlok(TObiektBazowy &p_Obiekt, const QByteArray &p_Nazwa)
{
    ZapiszTxt(QByteArrayLiteral("object "));
    ZapiszTxt(p_Nazwa);
    ZwiekszAkapit();
    if (const TObiekt *obiekt = p_Obiekt.JakoTObiekt())
        ZapiszPola(*obiekt);
    else
        ZapiszListe(p_Obiekt);
    ZmniejszAkapit();
    NowaLinia();
    ZapiszTxt(QByteArrayLiteral("end"));
}

void TZapisywaczNatywny::ZapiszListe(const TObiektBazowy &p_Lista)
{
    if (const auto *wskazania = dynamic_cast<const TListaWskObiektow *>(&p_Lista)) {
        NowaLinia();
        QByteArray linia("(");
        bool pierwszy = true;
        for (int i = 0; i < wskazania->IleObiektow(); ++i) {
            int gdzie = -1;
            if (!wskazania->ObiektyListy(i) || !PodlegaZapisowi(wskazania->ObiektyListy(i), gdzie))
                continue;
            if (!pierwszy)
                linia += ',';
            pierwszy = false;
            if (linia.size() > DlugoscLiniiRef) {
                ZapiszTxt(linia);
                NowaLinia();
                linia.clear();
            }
            linia += QByteArray::number(gdzie + 1);
        }
        ZapiszTxt(linia + ')');
    } else if (const auto *stale = dynamic_cast<const TPoleArrayOfConst *>(&p_Lista)) {
        // arrays of constants: their own lines
        stale->ZapiszBlokTekstowy(*this);
    } else if (const auto *linie = dynamic_cast<const TPoleStrList *>(&p_Lista)) {
        NowaLinia();
        ZapiszTekst(linie->Wartosci.join(QStringLiteral("\r\n")));
    } else if (const auto *wartosci = dynamic_cast<const TListaWartBazowa *>(&p_Lista)) {
        NowaLinia();
        ZapiszTekst(wartosci->GetJakoString());
    } else if (const auto *lista = dynamic_cast<const TListaBazowa *>(&p_Lista)) {
        for (int i = 0; i < lista->IleObiektow(); ++i) {
            NowaLinia();
            ZapiszTxt(QByteArrayLiteral("object"));
            ZwiekszAkapit();
            if (const TObiekt *element = lista->ObiektyListy(i)->JakoTObiekt())
                ZapiszPola(*element);
            ZmniejszAkapit();
            NowaLinia();
            ZapiszTxt(QByteArrayLiteral("end"));
        }
    }
}

void TZapisywaczNatywny::ZapiszPola(const TObiekt &p_Obiekt)
{
    const TObiekt *bylObiekt = ZapisObiekt;
    const int16_t ostatni = p_Obiekt.OstatniNrPola();
    for (int16_t nr = 0; nr <= ostatni; ++nr) {
        ZapisObiekt = &p_Obiekt;
        if (!PoleDoZapisu(p_Obiekt, nr, *this))
            continue;
        TPole *pole = p_Obiekt.PoleJesliJest(nr);
        NowaLinia();
        if (TObiektBazowy *podobiekt = pole->JakoObiekt()) {
            ZapiszObiekt(*podobiekt, p_Obiekt.NazwaPolaNr(nr));
        } else {
            ZapiszTxt(TekstNaPolskiAnsi(p_Obiekt.NazwaPolaNr(nr)));
            ZapiszTxt(QByteArrayLiteral("="));
            pole->ZapiszTekstowo(*this);
        }
    }
    ZapisObiekt = bylObiekt;
}

void TZapisywaczNatywny::ZapiszTekst(const QByteArray &p_Tekst)
{
    ZapiszNapis(p_Tekst, '\'');
}

void TZapisywaczNatywny::ZapiszTekst(const QString &p_Tekst)
{
    ZapiszNapis(p_Tekst.toUtf8(), '"');
}

void TZapisywaczNatywny::ZapiszBoolean(bool p_Wartosc)
{
    ZapiszTekst(QByteArray(1, p_Wartosc ? SlowoPrawda[0] : SlowoFalsz[0]));
}

void TZapisywaczNatywny::ZapiszRef(const TPoleWskObiektu &p_Pole)
{
    int gdzie = -1;
    ZapiszInt(p_Pole.Wartosc() && PodlegaZapisowi(p_Pole.Wartosc(), gdzie) ? gdzie + 1 : 0);
}

void TZapisywaczNatywny::ZapiszNapis(QByteArrayView p_Bajty, char p_Cudzyslow)
{
    const char cudzyslow[1] = {p_Cudzyslow};
    if (p_Bajty.isEmpty()) {
        ZapiszBufor(cudzyslow, 1);
        ZapiszBufor(cudzyslow, 1);
        return;
    }
    if (!PominKonceLinii && p_Bajty.size() > BudzetLinii)
        NowaLinia();
    int budzet = BudzetLinii;
    qsizetype i = 0;
    const qsizetype koniec = p_Bajty.size();
    while (i < koniec) {
        if (budzet <= 0 && !PominKonceLinii) {
            ZapiszTxt(QByteArrayLiteral(" +"));
            NowaLinia();
            budzet = BudzetLinii;
        }
        const auto bajt = static_cast<unsigned char>(p_Bajty[i]);
        if (wymagaKodu(bajt, p_Cudzyslow)) {
            ZapiszTxt('#' + QByteArray::number(bajt));
            budzet -= 4;
            ++i;
            continue;
        }
        // A quoted run: up to the next coded byte or the end of the budget.
        qsizetype j = i;
        const qsizetype granica = PominKonceLinii ? koniec : std::min(koniec, i + budzet);
        while (j < granica && !wymagaKodu(static_cast<unsigned char>(p_Bajty[j]), p_Cudzyslow))
            ++j;
        ZapiszBufor(cudzyslow, 1);
        ZapiszBufor(p_Bajty.data() + i, j - i);
        ZapiszBufor(cudzyslow, 1);
        budzet -= static_cast<int>(j - i);
        i = j;
    }
}
