#pragma once

#include "FormatSettings.h"
#include "LkJSONParser.h"
#include "OdczytywaczTekstuZRef.h"

#include <deque>
#include <unordered_map>
#include <vector>

class TObiekt;
struct TOpisKlasy;

// Reader of the JSON format. Members that no field takes are skipped whole
// and counted; "ID" members bind the objects that references name. Strings
// are decoded from UTF-8 before their escapes are resolved. Objects nested
// deeper than MaksGlebokosc are refused, so input cannot exhaust the stack.
class TOdczytywaczJSON : public TOdczytywaczTekstuZRef
{
public:
    static constexpr int MaksGlebokosc = 500;

    explicit TOdczytywaczJSON(TStream *p_Strumien, TStringCache *p_StringCache = nullptr);

    TLkJSONParser &Parser() const { return static_cast<TLkJSONParser &>(*FParser); }

    // Reads a whole document into p_Obiekt, cleared first. On any failure the
    // references collected are dropped and the object is left cleared.
    void WczytajDokument(TObiektBazowy &p_Obiekt);
    // The members of a TObiekt up to its "}"; without p_OdczytanoTyp its "{" first.
    void WczytajObiektJSON(TObiekt &p_Obiekt, bool p_OdczytanoTyp);

    // The current token's bytes (a string's with its escapes); the parser moves on.
    QByteArray WczytajTekstAnsi();
    // The same, decoded from UTF-8, escapes resolved.
    QString WczytajTekst() override;
    // A string, or an array of strings whose last one wins (none: empty).
    QString WczytajTekstLubTablice();
    // At "_type_": the type name after it (and a "," after that passed over).
    // Anything else: "Spodziewany symbol _type_" when p_WyjatekGdyBrak, else empty.
    QString OdczytajTypObiektu(bool p_WyjatekGdyBrak);
    // The member "value" and its ":".
    void CzytajPropValue();
    // The whole value at the current token, nested ones included, without recursion.
    void PominWartosc();

    // Escapes resolved; anything but the JSON escapes raises LkException "Nieprawidłowa stała tekstowa".
    static QString RozwinUcieczki(const QString &p_Tekst);

    TFormatSettings FFormatSettingsJSON;

private:
    // The field a member name stands for: its alias, its name, its previous name (a tunnel).
    int16_t NrPolaJSON(const TObiekt &p_Obiekt, const QString &p_Nazwa);
    // The member name at the current token, decoded; the parser moves on. Valid
    // until the next name read at the same nesting level.
    const QString &WczytajNazweCzlonu();
    int FGlebokosc = 0;
    // A deque: growing it keeps the names of outer levels where they are.
    std::deque<QString> FNazwyCzlonow;
    // A member name met in a class before: its bytes as written, decoded, and
    // the field it stands for (-1: none).
    struct TCzlon
    {
        QByteArray Bajty;
        QString Nazwa;
        int16_t Nr;
        bool Tunel;
    };
    // The current token's entry when this class has met it; then the parser
    // has moved on. Null otherwise, and nothing read.
    const TCzlon *ZnanyCzlon(const TObiekt &p_Obiekt);
    // Names looked up once per class, a bounded few (hostile names cannot
    // grow it); never reallocated, so that an entry stays in place for the read.
    static constexpr size_t MaksCzlonowKlasy = 64;
    std::unordered_map<const TOpisKlasy *, std::vector<TCzlon>> FCzlony;
    const TOpisKlasy *FOstatniaKlasa = nullptr;
    std::vector<TCzlon> *FOstatnieCzlony = nullptr;
};
