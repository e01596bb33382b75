#include "ZapisywaczTekstu.h"

#include "BuforZapisu.h"
#include "CeleReferencji.h"
#include "KodowanieZnakow.h"
#include "Obiekt.h"
#include "ParsowanieTekstu.h"
#include "PoleWskObiektu.h"
#include "Strumienie.h"
#include "ZglaszanieBledow.h"

#include <charconv>
#include <exception>

TZapisywaczTekstu::TZapisywaczTekstu(TStream *p_Strumien, bool p_ZChwilowymi) : Strumien(p_Strumien)
{
    ZapisWszystkichPol = p_ZChwilowymi;
    if (dynamic_cast<TFileStream *>(p_Strumien)) {
        BuforZapisu = std::make_unique<TBuforZapisu>(p_Strumien, RozmBuforaZapisu);
        Strumien = BuforZapisu.get();
    }
}

TZapisywaczTekstu::~TZapisywaczTekstu()
{
    // Unwinding after a failure: what is buffered belongs to the failed write.
    if (!BuforZapisu || std::uncaught_exceptions())
        return;
    try {
        BuforZapisu->Flush();
    } catch (const std::exception &e) {
        ZglosBlad(KomunikatWyjatku(e), false);
    }
}

void TZapisywaczTekstu::ZakonczZapis()
{
    if (BuforZapisu)
        BuforZapisu->Flush();
}

bool TZapisywaczTekstu::CzyZapisacPoleObiektu(int16_t p_NrPola, const TObiekt &p_Obiekt)
{
    ZapisPole = p_NrPola;
    return TZapisywaczDanych::CzyZapisacPoleObiektu(p_NrPola, p_Obiekt);
}

QByteArray TZapisywaczTekstu::DajNazweTypuDoZapisu(const TObiektBazowy &p_Obiekt) const
{
    return p_Obiekt.ClassName().toLatin1();
}

void TZapisywaczTekstu::ZapiszTekst(const QByteArray &p_Tekst)
{
    ZapiszTxt(p_Tekst);
}

void TZapisywaczTekstu::ZapiszTekst(const QString &p_Tekst)
{
    ZapiszTxt(p_Tekst.toUtf8());
}

void TZapisywaczTekstu::ZapiszBoolean(bool p_Wartosc)
{
    ZapiszTxt(QByteArray(1, p_Wartosc ? SlowoPrawda[0] : SlowoFalsz[0]));
}

void TZapisywaczTekstu::ZapiszObiekt(TObiektBazowy &, const QString &)
{
    throw LkException(Format(QStringLiteral("Brak implementacji %s"), {QStringLiteral("TZapisywaczTekstu.ZapiszObiekt")}));
}

void TZapisywaczTekstu::ZapiszRef(const TPoleWskObiektu &p_Pole)
{
    ZapiszTxt(IDObiektu(p_Pole.Wartosc()));
}

void TZapisywaczTekstu::ZbierzObiektyZID(TObiektBazowy &p_Korzen, const TFunCzyPoleCelu &p_CzyPole)
{
    for (TObiektBazowy *cel : ZbierzCeleReferencji(p_Korzen, p_CzyPole)) {
        DodajObiekt(cel);
        IDObiektow.append(QByteArray::number(static_cast<qsizetype>(ZapObiekty.size())));
    }
    SortujListe();
}

QByteArray TZapisywaczTekstu::IDObiektu(const TObiektBazowy *p_Obiekt)
{
    int gdzie;
    return p_Obiekt && PodlegaZapisowi(p_Obiekt, gdzie) ? IDObiektow.value(gdzie) : QByteArray();
}

void TZapisywaczTekstu::ZapiszAkapit()
{
    if (PominAkapity || Akapit <= 0)
        return;
    if (AkapitStr.size() != Akapit || (!AkapitStr.isEmpty() && AkapitStr[0] != ZnakAkapitu))
        AkapitStr = QByteArray(Akapit, ZnakAkapitu);
    ZapiszTxt(AkapitStr);
}

void TZapisywaczTekstu::NowaLinia()
{
    if (PominKonceLinii)
        return;
    ZapiszTxt(QByteArrayLiteral("\r\n"));
    ZapiszAkapit();
}

void TZapisywaczTekstu::ZapiszTxt(const QByteArray &p_Tekst)
{
    ZapiszBufor(p_Tekst.constData(), p_Tekst.size());
}

void TZapisywaczTekstu::ZapiszTxt(const QString &p_Maska, const TArrayOfConst &p_Argumenty)
{
    ZapiszTxt(TekstNaPolskiAnsi(Format(p_Maska, p_Argumenty)));
}

void TZapisywaczTekstu::ZapiszLinie(const QByteArray &p_Tekst)
{
    NowaLinia();
    ZapiszTxt(p_Tekst);
}

void TZapisywaczTekstu::ZapiszLinie(const QString &p_Maska, const TArrayOfConst &p_Argumenty)
{
    NowaLinia();
    ZapiszTxt(p_Maska, p_Argumenty);
}

void TZapisywaczTekstu::ZapiszBufor(const void *p_Bufor, int64_t p_Ile)
{
    if (p_Ile > 0)
        Strumien->WriteBuffer(p_Bufor, p_Ile);
}

void TZapisywaczTekstu::ZapiszInt(int32_t p_Wartosc)
{
    ZapiszInt64(p_Wartosc);
}

void TZapisywaczTekstu::ZapiszInt64(int64_t p_Wartosc)
{
    // The digits from the stack, without a block per number.
    char cyfry[24];
    const std::to_chars_result wynik = std::to_chars(cyfry, cyfry + sizeof cyfry, p_Wartosc);
    ZapiszBufor(cyfry, wynik.ptr - cyfry);
}
