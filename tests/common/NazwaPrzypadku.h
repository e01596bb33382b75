#pragma once

#include <cctype>
#include <string>

// A readable test-case name from a fixture's file name ("IE529_x.xml" ->
// "IE529_x_xml"): GoogleTest allows only letters, digits and '_'.
inline std::string NazwaPrzypadku(std::string p_Tekst)
{
    for (char &z : p_Tekst)
        if (!std::isalnum(static_cast<unsigned char>(z)))
            z = '_';
    return p_Tekst;
}
