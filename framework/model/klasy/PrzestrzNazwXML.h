#pragma once

#include "Obiekt.h"
#include "PolaTekstowe.h"
#include "PoleBoolean.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

// One XML namespace a writer declares: its URI, its prefix and whether names
// in it are written qualified.
class TPrzestrzNazwXML : public TKlasa<TPrzestrzNazwXML, TObiekt>
{
public:
    static constexpr TOpisPola PolaKlasy[] = {
        {0, "Przestrzen", &TPoleString::Opis},
        {1, "Prefiks", &TPoleRawByteString::Opis},
        {2, "Qualified", &TPoleBoolean::Opis},
    };
    using TKlasa::TKlasa;

    QString Przestrzen() const { return Tekstowo(0); }
    void UstawPrzestrzen(const QString &p_Przestrzen) { UstawTekstowo(0, p_Przestrzen); }
    QByteArray Prefiks() const { return TekstowoAnsi(1); }
    void UstawPrefiks(const QByteArray &p_Prefiks) { UstawTekstowoAnsi(1, p_Prefiks); }
    bool Qualified() const;
    void UstawQualified(bool p_Qualified);
};

// The namespaces collected for one XML document, in order of first use.
class TListaPrzestrzNazwXML
{
public:
    using TElementy = std::vector<std::unique_ptr<TPrzestrzNazwXML>>;

    // Enters the namespace of p_Klasa (nothing when it has none): the record
    // of that URI turns qualified once names of a qualified form are written
    // in it, and takes the class's prefix when it names one (the last wins).
    void DodajPrzestrzen(const TObiekt &p_Klasa, bool p_ZapisAttr, bool p_ZapisElem);
    // Null when none.
    TPrzestrzNazwXML *DajPrzestrzen(const QString &p_Przestrzen) const;
    // Empty when none.
    QByteArray DajPrefiksPrzestrzNazw(const QString &p_Przestrzen) const;
    // Whether a record from p_ZacznijOd on has that prefix; p_Gdzie is its position or -1.
    bool JestTakiPrefiks(const QByteArray &p_Prefiks, int &p_Gdzie, int p_ZacznijOd = 0) const;
    // Takes the record; p_Gdzie beyond the end appends.
    void DodajPrzestrzNazwXML(std::unique_ptr<TPrzestrzNazwXML> p_Przestrzen, int p_Gdzie);
    TPrzestrzNazwXML &PrzestrzNazwXML(int p_Nr) const { return *FElementy.at(static_cast<size_t>(p_Nr)); }
    int IlePrzestrzNazwXML() const { return static_cast<int>(FElementy.size()); }

    TElementy::const_iterator begin() const { return FElementy.begin(); }
    TElementy::const_iterator end() const { return FElementy.end(); }

private:
    TElementy FElementy;
};
