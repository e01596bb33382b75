#pragma once

#include "OdczytywaczTekstu.h"

#include <QByteArray>
#include <QString>

#include <array>

class TObiekt;
class TObiektBazowy;

// Reader of the native text format (see TZapisywaczNatywny). Fields are
// found by name, then by their previous name; an unknown field or block is
// skipped and counted in PominietoDane. Numbers in references name objects
// in the order their blocks are met. Errors carry the line and column, and
// a field's errors its path.
class TOdczytywaczNatywny : public TOdczytywaczTekstu
{
public:
    explicit TOdczytywaczNatywny(TStream *p_Strumien, TStringCache *p_StringCache = nullptr);

    // The whole document; true when nothing was skipped. A document of
    // another type raises ELkObcyTypError.
    bool WczytajObiekt(TObiektBazowy &p_Obiekt);
    // Field lines up to the block's "end", which is left as the current token.
    void WczytajPola(TObiekt &p_Obiekt);

private:
    int16_t ZnajdzPole(const TObiekt &p_Obiekt, const QString &p_Nazwa);
    // The current symbol token as a field name. Names repeat on every object
    // of a class: each short one is decoded once and found again by its bytes.
    const QString &NazwaPola();
    void WczytajPodobiekt(TObiekt &p_Obiekt);
    // A list's content up to its block's "end"; false for a list that cannot create its items.
    bool WczytajListe(TObiektBazowy &p_Lista);
    void WczytajPoleProste(TObiekt &p_Obiekt);
    // The rest of a block, nested blocks included, up to and past its "end".
    void PominBlok();
    // One value: a text with its "+" pieces, a number (with a decimal comma), or one token.
    void PominWartosc();

    struct TNazwaPola
    {
        QByteArray Bajty;
        QString Nazwa;
    };
    // Direct-mapped by the bytes; longer names are decoded each time.
    static constexpr int IleNazw = 64;
    static constexpr qsizetype NajdluzszaNazwa = 64;
    std::array<TNazwaPola, IleNazw> FNazwy;
    QString FNazwaDluga;
};
