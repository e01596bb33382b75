#pragma once

#include "ZapisywaczTekstu.h"

#include <QByteArrayView>

class TObiekt;

// Writer of the native text format: "object <type>", a line per field
// ("name=value", or a nested "object <name>" ... "end" block), then "end";
// lines end with CR LF. Texts are quoted runs with control bytes and the
// quote as #n pieces between them ("A"#13#10"B"): UTF-8 in double quotes,
// byte strings in single quotes. A long text is cut into lines of at most
// BudzetLinii characters joined by " +". References are the numbers their
// targets have in the binary format.
class TZapisywaczNatywny : public TZapisywaczTekstu
{
public:
    static constexpr int BudzetLinii = 4096;

    explicit TZapisywaczNatywny(TStream *p_Strumien, bool p_ZChwilowymi = false);

    // The whole document; ZakonczZapis follows.
    void ZapiszDokument(TObiektBazowy &p_Obiekt);
    // A nested block: "object", the name, the fields, "end".
    void ZapiszObiekt(TObiektBazowy &p_Obiekt, const QString &p_NazwaPola) override;
    void ZapiszTekst(const QByteArray &p_Tekst) override;
    void ZapiszTekst(const QString &p_Tekst) override;
    void ZapiszRef(const TPoleWskObiektu &p_Pole) override;
    // 'T' or 'N', as a byte string.
    void ZapiszBoolean(bool p_Wartosc) override;
    // One line per written field.
    void ZapiszPola(const TObiekt &p_Obiekt);
    // p_Bajty quoted with p_Cudzyslow, cut by the line budget.
    void ZapiszNapis(QByteArrayView p_Bajty, char p_Cudzyslow);

private:
    // A line of reference numbers breaks before a number past this many characters.
    static constexpr int DlugoscLiniiRef = 64;

    // "object", the name, the fields one level deeper, "end".
    void ZapiszBlok(TObiektBazowy &p_Obiekt, const QByteArray &p_Nazwa);
    // A list's content inside its block: "object" ... "end" per item, the
    // numbers of a pointer list's written targets in "(...)", or one string
    // (lines joined by CR LF, numbers as the list's text).
    void ZapiszListe(const TObiektBazowy &p_Lista);
};
