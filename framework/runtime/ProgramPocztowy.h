#pragma once

#include <QString>

// The command of the desktop's default handler of mailto: addresses, in the
// form the registry's "mailto\shell\open\command" value has: the program and
// its arguments, with "%1" where the address goes. Empty when no handler is
// set or its desktop entry cannot be found.
QString PolecenieProgramuPocztowego();
