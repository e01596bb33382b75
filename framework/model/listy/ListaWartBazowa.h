#pragma once

#include "Obiekt.h"

// Base of the value lists: a persistent object holding plain values (numbers
// or texts) rather than objects. It has a value exactly when it holds one.
class TListaWartBazowa : public TKlasa<TListaWartBazowa, TObiektBazowy>
{
public:
    using TKlasa::TKlasa;

    // Appends the value of field p_NrPola of p_Obiekt (a field without a value
    // adds nothing): not when the list holds it already unless p_DuplikatyOk,
    // at its sorted place when p_Posortowana.
    virtual void DolaczWartosc(const TObiekt &p_Obiekt, int16_t p_NrPola, bool p_DuplikatyOk = true,
                               bool p_Posortowana = false) = 0;
    virtual int IleWartosci() const = 0;
    // Value i as text and as a variant; empty outside the list.
    virtual QString TekstowoElemNr(int p_Nr) const = 0;
    virtual Variant VariantowoElemNr(int p_Nr) const = 0;
    // DolaczWartosc for each field given by number or name.
    void DolaczZObiektu(const TObiekt &p_Obiekt, const TArrayOfConst &p_KtorePola, bool p_DuplikatyOk = true,
                        bool p_Posortowana = false);

    bool MaWartosc(int16_t) const override { return IleWartosci() > 0; }
    // "%d elem.".
    QString OpisTekstowy() const override;
    // ---- XML (ListyXML.cpp): one element per value, its text the content or
    // (Celina, OSOZ, ECS) the "Txt" attribute; or, as its owner's attribute,
    // the values separated by ",".
    void WykonajZapisXML(TZapisywaczXML &p_Zapisywacz, const QByteArray &p_NazwaObiektu) override;
    void WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu) override;
    void ZapiszXMLowo(TZapisywaczXML &p_Zapisywacz) const override;
    bool WczytajAtrybutXML(TOdczytywaczXML &p_Odczytywacz) override;
    // Value p_Poz (0-based) from an element's text; the list grows to hold it.
    virtual void WpiszTekstXML(int p_Poz, const QString &p_Tekst) = 0;
};
