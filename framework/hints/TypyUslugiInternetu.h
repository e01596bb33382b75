#pragma once

#include <QString>

#include <vector>

struct TDaneZalacznika
{
    QString NazwaPlikuZalacznika; // the name the recipient sees
    QString SciezkaDoZalacznika;  // the file's full path
};

// A prepared mail. Address fields hold several addresses separated by ";";
// the display names travel along but the hand-off does not use them.
struct TDaneListu
{
    QString NazwaAdresata;
    QString AdresAdresata;
    QString NazwaAdresataDW;
    QString AdresAdresataDW;
    QString AdresAdresataUDW;
    QString TematListu;
    QString TrescListu;
    std::vector<TDaneZalacznika> Zalaczniki;
};
