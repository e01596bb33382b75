#include "Obiekt.h"

#include "OdczytywaczBinarny.h"
#include "StrumienCRC.h"
#include "ZapisywaczBinarny.h"

void TObiekt::ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const
{
    ZapiszObiektBinarnie(*this, p_Strumien, p_Zapisywacz);
}

void TObiekt::WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz)
{
    p_Odczytywacz.OdczytywanoPole(*this);
    WczytajObiektBinarnie(*this, p_Strumien, p_Odczytywacz);
}

uint32_t TObiektBazowy::DajWyroznikObiektu(const std::function<bool(const TObiekt &, int16_t)> &p_CzyZapisacPole)
{
    TLkCRCStream crc;
    TZapisywaczBinarny zapisywacz(crc);
    zapisywacz.CzyZapisacPole = p_CzyZapisacPole;
    zapisywacz.ZapiszObiekt(*this);
    return crc.DataCRC();
}
