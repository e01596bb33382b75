#pragma once

#include "Wyjatki.h"

// Syntax errors of the object model's readers. Readers catch this class apart
// from other failures; the message already names the line and the column.
class ELkParserError : public LkException
{
public:
    explicit ELkParserError(QString p_Komunikat, int p_Linia = 0, int p_Pozycja = 0)
        : LkException(std::move(p_Komunikat)), FLinia(p_Linia), FPozycja(p_Pozycja)
    {
    }

    // 0 when the error did not come from a tokenizer.
    int Linia() const { return FLinia; }
    int Pozycja() const { return FPozycja; }

private:
    int FLinia;
    int FPozycja;
};

// A serialised root of another type than the object reading it. The viewer
// recognises documents by it, so it also carries the namespace URI bound to
// the root's prefix in the root's own start tag (empty when none was declared).
class ELkObcyTypError : public ELkParserError
{
public:
    ELkObcyTypError(const QString &p_Odczytany, const QString &p_Spodziewany);

    // The name as read; with p_BezPrzestrzeniNazw only the part after the first ':'.
    QString OdczytanyTyp(bool p_BezPrzestrzeniNazw = false) const;
    const QString &SpodziewanyTyp() const { return FSpodziewanyTyp; }

    const QString &PrzestrzenNazw() const { return FPrzestrzenNazw; }
    void UstawPrzestrzenNazw(QString p_Uri) { FPrzestrzenNazw = std::move(p_Uri); }

private:
    QString FOdczytanyTyp;
    QString FSpodziewanyTyp;
    QString FPrzestrzenNazw;
};
