#include "PorownywaczDanych.h"

#include <algorithm>

bool TPorownywaczDanych::TrwaPorownanie(const TObiektBazowy *p_Co, const TObiektBazowy *p_ZCzym)
{
    const auto para = std::make_pair(p_Co, p_ZCzym);
    if (!FPierwsza.first) {
        FPierwsza = para;
        return false;
    }
    if (para == FPierwsza)
        return true;
    const auto miejsce = std::lower_bound(FPary.begin(), FPary.end(), para);
    if (miejsce != FPary.end() && *miejsce == para)
        return true;
    FPary.insert(miejsce, para);
    return false;
}
