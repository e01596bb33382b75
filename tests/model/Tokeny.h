#pragma once

#include "LkParser.h"
#include "NazwaPrzypadku.h"
#include "Strumienie.h"
#include "WyjatkiModelu.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

// One token as a test expects it: kind (or character code) and bytes.
struct Token
{
    int Rodzaj;
    QByteArray Tekst;
    bool operator==(const Token &) const = default;
};

inline std::ostream &operator<<(std::ostream &p_Os, const Token &p_Token)
{
    p_Os << '(';
    if (p_Token.Rodzaj > 32 && p_Token.Rodzaj < 127)
        p_Os << '\'' << static_cast<char>(p_Token.Rodzaj) << '\'';
    else
        p_Os << p_Token.Rodzaj;
    return p_Os << ", \"" << p_Token.Tekst.toStdString() << "\")";
}

inline Token Znak(char p_Znak)
{
    return {static_cast<unsigned char>(p_Znak), QByteArray(1, p_Znak)};
}

// Every token of the input up to the end of the stream.
template <class TParser>
std::vector<Token> WszystkieTokeny(const QByteArray &p_Wejscie)
{
    TMemoryStream strumien(p_Wejscie);
    TParser parser(&strumien);
    std::vector<Token> tokeny;
    while (parser.Token() != TLkParser::toEOF) {
        tokeny.push_back({parser.Token(), parser.TokenString()});
        parser.NextToken();
    }
    return tokeny;
}

// The message of the parser error that reading the whole input raises; empty when none.
template <class TParser>
QString BladTokenow(const QByteArray &p_Wejscie)
{
    try {
        WszystkieTokeny<TParser>(p_Wejscie);
    } catch (const ELkParserError &e) {
        return e.Message();
    }
    return QString();
}

// A case of a token table: input and the tokens or the error it gives.
struct PrzypadekTokenow
{
    const char *Opis;
    QByteArray Wejscie;
    std::vector<Token> Tokeny;
    QString Blad;
};

inline std::ostream &operator<<(std::ostream &p_Os, const PrzypadekTokenow &p_Przypadek)
{
    return p_Os << p_Przypadek.Opis;
}

template <class TParser>
void SprawdzPrzypadek(const PrzypadekTokenow &p_Przypadek)
{
    if (p_Przypadek.Blad.isEmpty())
        EXPECT_EQ(WszystkieTokeny<TParser>(p_Przypadek.Wejscie), p_Przypadek.Tokeny);
    else
        EXPECT_EQ(BladTokenow<TParser>(p_Przypadek.Wejscie).toStdString(), p_Przypadek.Blad.toStdString());
}
