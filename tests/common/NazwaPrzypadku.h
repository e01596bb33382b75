#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

// A test-case name GoogleTest accepts (letters, digits and '_' only) from any
// text: Polish letters lose their marks, every other run of characters
// becomes one '_' ("IE529_x.xml" -> "IE529_x_xml", "Błąd &Nie" -> "Blad_Nie").
inline std::string NazwaPrzypadku(std::string_view p_Tekst)
{
    // UTF-8 of the Polish letters and their plain counterparts.
    static constexpr std::string_view polskie[][2] = {
        {"ą", "a"}, {"ć", "c"}, {"ę", "e"}, {"ł", "l"}, {"ń", "n"}, {"ó", "o"}, {"ś", "s"}, {"ź", "z"}, {"ż", "z"},
        {"Ą", "A"}, {"Ć", "C"}, {"Ę", "E"}, {"Ł", "L"}, {"Ń", "N"}, {"Ó", "O"}, {"Ś", "S"}, {"Ź", "Z"}, {"Ż", "Z"},
    };
    std::string nazwa;
    bool odstep = false;
    for (size_t i = 0; i < p_Tekst.size();) {
        const unsigned char z = static_cast<unsigned char>(p_Tekst[i]);
        if ((z >= '0' && z <= '9') || (z >= 'A' && z <= 'Z') || (z >= 'a' && z <= 'z')) {
            if (odstep && !nazwa.empty())
                nazwa += '_';
            odstep = false;
            nazwa += static_cast<char>(z);
            ++i;
            continue;
        }
        bool litera = false;
        for (const auto &para : polskie)
            if (p_Tekst.substr(i).starts_with(para[0])) {
                if (odstep && !nazwa.empty())
                    nazwa += '_';
                odstep = false;
                nazwa += para[1];
                i += para[0].size();
                litera = true;
                break;
            }
        if (!litera) {
            // '_' counts as a separator too, so that runs collapse into one.
            odstep = true;
            ++i;
        }
    }
    return nazwa.empty() ? std::string("_") : nazwa;
}

// Names the cases of INSTANTIATE_TEST_SUITE_P after what PrintTo (or <<)
// prints for them, so that a CTest name and a failure report say the same
// words. Two cases that print alike are a duplicate GoogleTest refuses.
struct NazwaZOpisu
{
    template <typename T>
    std::string operator()(const ::testing::TestParamInfo<T> &p_Info) const
    {
        return NazwaPrzypadku(::testing::PrintToString(p_Info.param));
    }
};
