#pragma once

#include "OdczytywaczTekstuZRef.h"
#include "Strumienie.h"

#include <QByteArray>

// Input held in memory, as a base of its own so that it outlives the reader
// (a base destroyed later): the reader's parser puts the stream back at the
// unread token when it goes.
struct TWejscieZPamieci
{
    explicit TWejscieZPamieci(const QByteArray &p_Wejscie) : FStrumien(p_Wejscie) {}
    TMemoryStream FStrumien;
};

// A text reader with identifiers over input held in memory; the first token is read at once.
class TOdczytZPamieci : private TWejscieZPamieci, public TOdczytywaczTekstuZRef
{
public:
    explicit TOdczytZPamieci(const QByteArray &p_Wejscie, TStringCache *p_Cache = nullptr)
        : TWejscieZPamieci(p_Wejscie), TOdczytywaczTekstuZRef(&FStrumien, p_Cache)
    {
    }
};
