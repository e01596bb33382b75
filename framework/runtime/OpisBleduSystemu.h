#pragma once

#include <QString>

// A system error number as a short Polish reason for a message, such as
// "brak uprawnień"; numbers without a text of their own give
// "błąd systemu nr N".
QString OpisBleduSystemu(int p_Blad);
