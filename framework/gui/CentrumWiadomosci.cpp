#include "CentrumWiadomosci.h"

#include "JadroKlas.h"

std::shared_ptr<ICentrumWiadomosci> DajCentrumWiadomosci()
{
    std::shared_ptr<ICentrumWiadomosci> centrum;
    DajJadroKlas().DajInterfejs(centrum);
    return centrum;
}
