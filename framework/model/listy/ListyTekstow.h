#pragma once

#include "ListaWartBazowa.h"

#include <QStringList>

// A list of strings (lines). Its text is the lines, each ended by CR LF;
// setting the text splits it into lines at CR LF, CR or LF.
class TPoleStrList : public TKlasa<TPoleStrList, TListaWartBazowa>
{
public:
    using TKlasa::TKlasa;

    QStringList Wartosci;

    void Dodaj(const QString &p_Tekst) { Wartosci << p_Tekst; }

    QString GetJakoString() const override;
    void SetJakoString(const QString &p_Tekst) override;
    // The text of a field added as one line.
    void DolaczWartosc(const TObiekt &p_Obiekt, int16_t p_NrPola, bool p_DuplikatyOk = true,
                       bool p_Posortowana = false) override;
    int IleWartosci() const override { return static_cast<int>(Wartosci.size()); }
    QString TekstowoElemNr(int p_Nr) const override { return Wartosci.value(p_Nr); }
    Variant VariantowoElemNr(int p_Nr) const override;

    void ZerujDane() override { Wartosci.clear(); }
    // Line by line (letter case by the comparer's rule), then the shorter list first.
    int16_t Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz = nullptr) const override;
    void KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier = nullptr) override;
    int64_t ZajmowanaPamiec() const override;
    // ---- binary format (ListyBinarne.cpp): the count, then each line as a string field writes it
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;
    // ---- JSON (ListyJSON.cpp): an array of strings
    void WykonajZapisJSON(TZapisywaczJSON &p_Zapisywacz, bool p_ZapisanoTyp) const override;
    void WykonajOdczytJSON(TOdczytywaczJSON &p_Odczytywacz, bool p_OdczytanoTyp) override;
    // ---- XML (ListyXML.cpp)
    void WpiszTekstXML(int p_Poz, const QString &p_Tekst) override;
};

// The same for wide strings (formats that tell the two apart write them differently).
class TPoleWideStrList : public TKlasa<TPoleWideStrList, TPoleStrList>
{
public:
    using TKlasa::TKlasa;
    Variant VariantowoElemNr(int p_Nr) const override;
    // ---- binary format (ListyBinarne.cpp): the lines always in UTF-8
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;
};
