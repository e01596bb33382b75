#include "Obiekt.h"

#include "BlokadaObiektu.h"
#include "KodowanieZnakow.h"
#include "KontenerPliku.h"
#include "LkTypyBazowe.h"
#include "OdczytywaczNatywny.h"
#include "Strumienie.h"
#include "ZapisywaczJSON.h"
#include "ZapisywaczNatywny.h"
#include "ZapisywaczXML.h"

bool TObiektBazowy::WczytajZTekstu(const QByteArray &p_Tekst, TStringCache *p_StringCache)
{
    if (p_Tekst.isEmpty()) {
        TBlokadaObiektu blokada(this);
        ZerujDane();
        return true;
    }
    TMemoryStream strumien(p_Tekst);
    TOdczytywaczNatywny odczytywacz(&strumien, p_StringCache);
    return odczytywacz.WczytajObiekt(*this);
}

QByteArray TObiektBazowy::ZapiszWTekscie(bool p_ZChwilowymi)
{
    // The written buffer becomes the result: no copy of a large text.
    TLkRawByteStringMaker strumien;
    TZapisywaczNatywny zapisywacz(&strumien, p_ZChwilowymi);
    zapisywacz.ZapiszDokument(*this);
    zapisywacz.ZakonczZapis();
    return strumien.DajWynik();
}

QString TObiektBazowy::DrzewoObiektu(int p_RozmiarAkap, int16_t p_TypZapisu, TTypZapisuXML p_TypZapisuXML)
{
    const auto uklad = [p_RozmiarAkap](TZapisywaczTekstu &p_Zapisywacz) {
        p_Zapisywacz.PominAkapity = false;
        p_Zapisywacz.PominKonceLinii = false;
        p_Zapisywacz.RozmAkapitu = p_RozmiarAkap > 0 ? p_RozmiarAkap : 2;
    };
    TMemoryStream strumien;
    switch (p_TypZapisu) {
    case tzpTekstowy: {
        TZapisywaczNatywny zapisywacz(&strumien, true);
        uklad(zapisywacz);
        zapisywacz.ZapiszDokument(*this);
        zapisywacz.ZakonczZapis();
        break;
    }
    case tzpXML: {
        TZapisywaczXML zapisywacz(&strumien, p_TypZapisuXML, tkxUTF8, false, true, QString());
        uklad(zapisywacz);
        // The root's element alone: no prolog.
        TBlokadaObiektu blokada(this);
        zapisywacz.PrzygotujIDObiektow(*this);
        WykonajZapisXML(zapisywacz, zapisywacz.DajNazweTypuDoZapisu(*this));
        zapisywacz.ZakonczZapis();
        break;
    }
    case tzpJSON: {
        TZapisywaczJSON zapisywacz(&strumien, true);
        uklad(zapisywacz);
        ZapiszDokumentJSON(zapisywacz);
        zapisywacz.ZakonczZapis();
        break;
    }
    default:
        return QStringLiteral("błędne użycie metody");
    }
    return QString::fromUtf8(strumien.Bajty());
}

// The text form is 8-bit: as a string it is its Windows-1250 reading, which
// gives back every byte.
QString TObiekt::GetJakoString() const
{
    return TekstZPolskiegoAnsi(GetJakoLkAnsiString());
}

void TObiekt::SetJakoString(const QString &p_Tekst)
{
    SetJakoLkAnsiString(TekstNaPolskiAnsi(p_Tekst));
}

QByteArray TObiekt::GetJakoLkAnsiString() const
{
    // Writing takes the lock, which a const object still has to take.
    return const_cast<TObiekt *>(this)->ZapiszWTekscie(false);
}

void TObiekt::SetJakoLkAnsiString(const QByteArray &p_Tekst)
{
    WczytajZTekstu(p_Tekst);
}

QString TObiekt::JakoStringZChwilowymi() const
{
    return TekstZPolskiegoAnsi(JakoLkAnsiStringZChwilowymi());
}

QByteArray TObiekt::JakoLkAnsiStringZChwilowymi() const
{
    return const_cast<TObiekt *>(this)->ZapiszWTekscie(true);
}

QString TObiekt::JakoStringPoWpieciu(const TArrayOfConst &p_KtorePola, const std::vector<TPole *> &p_Pola,
                                     bool p_ZChwilowymi)
{
    return TekstZPolskiegoAnsi(JakoLkAnsiStringPoWpieciu(p_KtorePola, p_Pola, p_ZChwilowymi));
}

QByteArray TObiekt::JakoLkAnsiStringPoWpieciu(const TArrayOfConst &p_KtorePola, const std::vector<TPole *> &p_Pola,
                                              bool p_ZChwilowymi)
{
    QByteArray wynik;
    WykonajPoWpieciu(p_KtorePola, p_Pola, [&] { wynik = ZapiszWTekscie(p_ZChwilowymi); });
    return wynik;
}
