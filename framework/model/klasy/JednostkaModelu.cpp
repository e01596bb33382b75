#include "JednostkaModelu.h"

#include "JadroKlas.h"
#include "SledzenieObiektow.h"

namespace {

QString sciezkaProgramu;

} // namespace

void InicjujModel(const QString &p_SciezkaProgramu)
{
    sciezkaProgramu = p_SciezkaProgramu;
    // Before any object exists, so that the tracer sees them all.
    UruchomSledzeniePamieci(p_SciezkaProgramu);
    DajJadroKlas();
}

void ZakonczModel()
{
    ZakonczJadroKlas(sciezkaProgramu);
    ZakonczSledzeniePamieci();
}
