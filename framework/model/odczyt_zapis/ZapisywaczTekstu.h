#pragma once

#include "CeleReferencji.h"
#include "Formatuj.h"
#include "ZapisywaczDanych.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

class TBuforZapisu;
class TPoleWskObiektu;
class TStream;

// Writer base of the text formats: raw output with line breaks and
// indentation, and identifiers ("1", "2", ...) for the objects that pointer
// fields inside the written tree refer to. Output to a file stream goes
// through a 65536-byte buffer: ZakonczZapis writes it out (a failed write
// raises), and a writer destroyed before that writes out what is left,
// reporting a failure instead of raising it. How a
// format quotes its strings and writes its objects is its own writer's
// business: the base writes text unquoted and refuses objects.
class TZapisywaczTekstu : public TZapisywaczDanych
{
public:
    static constexpr int RozmBuforaZapisu = 65536;

    TZapisywaczTekstu(TStream *p_Strumien, bool p_ZChwilowymi);
    ~TZapisywaczTekstu() override;
    // Writes out what the file buffer holds; the end of every successful write.
    void ZakonczZapis();

    // Records the field as ZapisPole before the common rule.
    bool CzyZapisacPoleObiektu(int16_t p_NrPola, const TObiekt &p_Obiekt) override;
    // The type name written for an object: its class name.
    virtual QByteArray DajNazweTypuDoZapisu(const TObiektBazowy &p_Obiekt) const;
    // Base: the bytes, and the text as UTF-8, as they are.
    virtual void ZapiszTekst(const QByteArray &p_Tekst);
    virtual void ZapiszTekst(const QString &p_Tekst);
    // Base: "T" or "N", the first letters of the Boolean words.
    virtual void ZapiszBoolean(bool p_Wartosc);
    // Each format writes objects its own way; the base raises "Brak implementacji %s".
    virtual void ZapiszObiekt(TObiektBazowy &p_Obiekt, const QString &p_NazwaPola);
    // The target's identifier; nothing when the target was not collected.
    virtual void ZapiszRef(const TPoleWskObiektu &p_Pole);

    // Collects the targets of pointer fields inside the tree of p_Korzen and
    // gives each the next identifier; run once, before writing. p_CzyPole
    // narrows the walk to the fields that will be written.
    void ZbierzObiektyZID(TObiektBazowy &p_Korzen, const TFunCzyPoleCelu &p_CzyPole = {});
    // The same for targets a writer collected on a walk of its own.
    void NadajID(const std::vector<TObiektBazowy *> &p_Cele);
    // The identifier of a collected object; empty for any other.
    QByteArray IDObiektu(const TObiektBazowy *p_Obiekt);

    void ZwiekszAkapit() { Akapit += RozmAkapitu; }
    void ZmniejszAkapit() { Akapit = Akapit > RozmAkapitu ? Akapit - RozmAkapitu : 0; }
    void ZapiszAkapit();
    // CR LF and the indentation, unless line ends are suppressed.
    void NowaLinia();
    void ZapiszTxt(const QByteArray &p_Tekst);
    // The mask formatted first (Format's directives), written as Windows-1250.
    void ZapiszTxt(const QString &p_Maska, const TArrayOfConst &p_Argumenty);
    void ZapiszLinie(const QByteArray &p_Tekst);
    void ZapiszLinie(const QString &p_Maska, const TArrayOfConst &p_Argumenty);
    void ZapiszBufor(const void *p_Bufor, int64_t p_Ile);
    void ZapiszInt(int32_t p_Wartosc);
    void ZapiszInt64(int64_t p_Wartosc);

    // The output: the caller's stream, or the buffer in front of it.
    TStream *Strumien;
    int Akapit = 0;
    bool PominAkapity = true;
    char ZnakAkapitu = ' ';
    int RozmAkapitu = 1;
    bool PominKonceLinii = false;
    // The object and field being written.
    const TObiekt *ZapisObiekt = nullptr;
    int16_t ZapisPole = -1;
    // Parallel to ZapObiekty.
    QList<QByteArray> IDObiektow;

private:
    std::unique_ptr<TBuforZapisu> BuforZapisu;
    QByteArray AkapitStr;
};
