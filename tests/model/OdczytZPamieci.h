#pragma once

#include "OdczytywaczTekstuZRef.h"
#include "Strumienie.h"

#include <QByteArray>

// A text reader with identifiers over input held in memory; the first token is read at once.
class TOdczytZPamieci : public TOdczytywaczTekstuZRef
{
public:
    explicit TOdczytZPamieci(const QByteArray &p_Wejscie, TStringCache *p_Cache = nullptr)
        : TOdczytywaczTekstuZRef(&FStrumien, p_Cache), FStrumien(p_Wejscie)
    {
        UtworzParser();
    }

private:
    TMemoryStream FStrumien;
};
