#pragma once

#include <array>
#include <cstdint>

// Byte classes of the tokenizers: one table lookup per byte in every scan loop.
namespace KlasyZnakow
{
enum : uint16_t
{
    Bialy = 1 << 0,            // 1..32: skipped between tokens
    Cyfra = 1 << 1,
    CyfraHex = 1 << 2,
    PoczatekSymbolu = 1 << 3,  // A-Z _ a-z and 128..253, for all three formats
    SymbolTekst = 1 << 4,      // native text symbol continues: 0-9 A-Z _ a-z
    SymbolXML = 1 << 5,        // XML name continues: - . 0-9 : A-Z _ a-z 128..253
    LiczbaTekst = 1 << 6,      // native text float continues: 0-9 + - E e
    LiczbaXML = 1 << 7,        // XML float continues: 0-9 + - E e . ,
    KoniecApostrof = 1 << 8,   // stops a '...' segment: ' CR LF 0
    KoniecCudzyslow = 1 << 9,  // stops a "..." segment: " CR LF 0
    KoniecTekstuXML = 1 << 10, // stops an XML string: " < CR LF 0
    KoniecTekstuJSON = 1 << 11, // stops a JSON string: " \ and 0..31
    MalaLitera = 1 << 12,      // a-z: JSON literals
    StrukturaJSON = 1 << 13,   // { } [ ] : , of JSON
    PoBieguJSON = 1 << 14,     // ends a run outside JSON strings: blanks, { } [ ] : , and "
};

constexpr std::array<uint16_t, 256> ZbudujTabele()
{
    std::array<uint16_t, 256> t{};
    auto dodaj = [&t](int od, int doIncl, uint16_t flaga) {
        for (int c = od; c <= doIncl; ++c)
            t[c] |= flaga;
    };
    dodaj(1, 32, Bialy);
    dodaj('0', '9', Cyfra | CyfraHex | SymbolTekst | SymbolXML | LiczbaTekst | LiczbaXML);
    dodaj('A', 'F', CyfraHex);
    dodaj('a', 'f', CyfraHex);
    dodaj('A', 'Z', PoczatekSymbolu | SymbolTekst | SymbolXML);
    dodaj('a', 'z', PoczatekSymbolu | SymbolTekst | SymbolXML | MalaLitera);
    dodaj('_', '_', PoczatekSymbolu | SymbolTekst | SymbolXML);
    dodaj(128, 253, PoczatekSymbolu | SymbolXML);
    dodaj('-', '-', SymbolXML);
    dodaj('.', '.', SymbolXML);
    dodaj(':', ':', SymbolXML);
    for (char c : {'+', '-', 'E', 'e'})
        t[static_cast<unsigned char>(c)] |= LiczbaTekst | LiczbaXML;
    t['.'] |= LiczbaXML;
    t[','] |= LiczbaXML;
    for (int c : {0, int('\r'), int('\n')})
        t[c] |= KoniecApostrof | KoniecCudzyslow | KoniecTekstuXML;
    t['\''] |= KoniecApostrof;
    t['"'] |= KoniecCudzyslow | KoniecTekstuXML | KoniecTekstuJSON;
    t['<'] |= KoniecTekstuXML;
    dodaj(0, 31, KoniecTekstuJSON);
    t['\\'] |= KoniecTekstuJSON;
    for (char c : {'{', '}', '[', ']', ':', ','})
        t[static_cast<unsigned char>(c)] |= StrukturaJSON | PoBieguJSON;
    dodaj(1, 32, PoBieguJSON);
    t['"'] |= PoBieguJSON;
    return t;
}

inline constexpr std::array<uint16_t, 256> Tabela = ZbudujTabele();

inline bool Jest(char p_Znak, uint16_t p_Klasa)
{
    return (Tabela[static_cast<unsigned char>(p_Znak)] & p_Klasa) != 0;
}
} // namespace KlasyZnakow
