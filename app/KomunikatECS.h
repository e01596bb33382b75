#pragma once

#include "ListaObiektow.h"
#include "TypyPolBazowe.h"

struct TTypDokumentu;

// The parts of an IE529 / IE599 message that a register of exports keeps,
// as persistent classes the model's XML reader fills: each field is named
// after its element, so a prefixed, a default-namespace and a bare message
// read alike, and elements the register does not keep are skipped.

class TUrzadCelny : public TKlasa<TUrzadCelny, TObiekt>
{
public:
    enum : int16_t { referenceNumber };
    static constexpr TOpisPola PolaKlasy[] = {{referenceNumber, "referenceNumber", &TPoleString::Opis}};
    using TKlasa::TKlasa;
};

class TOperacjaWywozu : public TKlasa<TOperacjaWywozu, TObiekt>
{
public:
    enum : int16_t { LRN, MRN, declarationAcceptanceDate, releaseDate };
    static constexpr TOpisPola PolaKlasy[] = {
        {LRN, "LRN", &TPoleString::Opis},
        {MRN, "MRN", &TPoleString::Opis},
        {declarationAcceptanceDate, "declarationAcceptanceDate", &TPoleString::Opis},
        {releaseDate, "releaseDate", &TPoleString::Opis},
    };
    using TKlasa::TKlasa;
};

class TDaneIdentyfikacyjnePL : public TKlasa<TDaneIdentyfikacyjnePL, TObiekt>
{
public:
    enum : int16_t { nip, regon, pesel };
    static constexpr TOpisPola PolaKlasy[] = {
        {nip, "nip", &TPoleString::Opis}, {regon, "regon", &TPoleString::Opis}, {pesel, "pesel", &TPoleString::Opis}};
    using TKlasa::TKlasa;
};

class TEksporter : public TKlasa<TEksporter, TObiekt>
{
public:
    enum : int16_t { name, identificationNumber, IdentificationDataPL };
    static constexpr TOpisPola PolaKlasy[] = {
        {name, "name", &TPoleString::Opis},
        {identificationNumber, "identificationNumber", &TPoleString::Opis},
        {IdentificationDataPL, "IdentificationDataPL", &TDaneIdentyfikacyjnePL::Opis},
    };
    using TKlasa::TKlasa;
};

class TWynikKontroliWyjscia : public TKlasa<TWynikKontroliWyjscia, TObiekt>
{
public:
    enum : int16_t { exitDate, stateOfSeals };
    static constexpr TOpisPola PolaKlasy[] = {
        {exitDate, "exitDate", &TPoleString::Opis}, {stateOfSeals, "stateOfSeals", &TPoleString::Opis}};
    using TKlasa::TKlasa;
};

// Consignment data: the gross mass of the whole shipment.
class TPartiaTowaru : public TKlasa<TPartiaTowaru, TObiekt>
{
public:
    enum : int16_t { grossMass };
    static constexpr TOpisPola PolaKlasy[] = {{grossMass, "grossMass", &TPoleString::Opis}};
    using TKlasa::TKlasa;
};

class TMiaraTowaru : public TKlasa<TMiaraTowaru, TObiekt>
{
public:
    enum : int16_t { grossMass };
    static constexpr TOpisPola PolaKlasy[] = {{grossMass, "grossMass", &TPoleString::Opis}};
    using TKlasa::TKlasa;
};

class TTowarPozycji : public TKlasa<TTowarPozycji, TObiekt>
{
public:
    enum : int16_t { GoodsMeasure };
    static constexpr TOpisPola PolaKlasy[] = {{GoodsMeasure, "GoodsMeasure", &TMiaraTowaru::Opis}};
    using TKlasa::TKlasa;
};

class TPozycjaTowarowa : public TKlasa<TPozycjaTowarowa, TObiekt>
{
public:
    enum : int16_t { Commodity };
    static constexpr TOpisPola PolaKlasy[] = {{Commodity, "Commodity", &TTowarPozycji::Opis}};
    using TKlasa::TKlasa;
};

class TListaPozycjiTowarowych : public TKlasa<TListaPozycjiTowarowych, TListaObiektow>
{
public:
    using TKlasa::TKlasa;
    const TOpisKlasy &TypObiektowListy() const override { return TPozycjaTowarowa::Opis; }
};

// The shipment; the gross mass stands in its consignment, in some layouts
// beside it.
class TPrzesylkaTowarow : public TKlasa<TPrzesylkaTowarow, TObiekt>
{
public:
    enum : int16_t { Consignment, GoodsItem, grossMass };
    static constexpr TOpisPola PolaKlasy[] = {
        {Consignment, "Consignment", &TPartiaTowaru::Opis},
        {GoodsItem, "GoodsItem", &TListaPozycjiTowarowych::Opis},
        {grossMass, "grossMass", &TPoleString::Opis},
    };
    using TKlasa::TKlasa;
};

// IE529, release for export. Later layouts put the consignment under the root.
class TCC529C : public TKlasa<TCC529C, TObiekt>
{
public:
    enum : int16_t { ExportOperation, CustomsOfficeOfExport, CustomsOfficeOfExitDeclared, Exporter, GoodsShipment,
                     Consignment };
    static constexpr TOpisPola PolaKlasy[] = {
        {ExportOperation, "ExportOperation", &TOperacjaWywozu::Opis},
        {CustomsOfficeOfExport, "CustomsOfficeOfExport", &TUrzadCelny::Opis},
        {CustomsOfficeOfExitDeclared, "CustomsOfficeOfExitDeclared", &TUrzadCelny::Opis},
        {Exporter, "Exporter", &TEksporter::Opis},
        {GoodsShipment, "GoodsShipment", &TPrzesylkaTowarow::Opis},
        {Consignment, "Consignment", &TPartiaTowaru::Opis},
    };
    using TKlasa::TKlasa;
};

// IE599, exit results: the office the goods actually left by and what it found.
class TCC599C : public TKlasa<TCC599C, TCC529C>
{
public:
    enum : int16_t { CustomsOfficeOfExitActual = TCC529C::Consignment + 1, ExitControlResult };
    static constexpr TOpisPola PolaKlasy[] = {
        {CustomsOfficeOfExitActual, "CustomsOfficeOfExitActual", &TUrzadCelny::Opis},
        {ExitControlResult, "ExitControlResult", &TWynikKontroliWyjscia::Opis},
    };
    using TKlasa::TKlasa;
};

// The message of that type read from the file (an IE599 object for an IE599,
// an IE529 object otherwise). Reader errors pass on as exceptions.
std::unique_ptr<TCC529C> WczytajKomunikatECS(const QString &p_NazwaPliku, const TTypDokumentu &p_Typ);
