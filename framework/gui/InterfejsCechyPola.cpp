#include "InterfejsCechyPola.h"

#include "Wyjatki.h"

#include <map>

QString NazwaTypuCechyPola(int p_Typ)
{
    static const std::map<int, const char *> nazwy = {
        {0, "tcpNazwa"}, {1, "tcpOpis"}, {2, "tcpTylkoDoOdczytu"}, {3, "tcpNiewidoczne"},
        {4, "tcpPoleZmieniaCechyPol"}, {5, "tcpNazwaSlownika"}, {6, "tcpNrPola"},
        {7, "tcpPrzyciskAkcjiOnClick"}, {8, "tcpPrzyciskAkcjiHint"}, {10, "tcpPrzyciskAkcjiEnabled"},
        {11, "tcpOnChange"}, {50, "tcpPoleKrytyczne"}, {51, "tcpWymagalnosc"}, {52, "tcpRozmiar"},
        {53, "tcpFunkcjaWalidacji"}, {54, "tcpMinLiczbaElem"}, {55, "tcpMaxLiczbaElem"},
        {56, "tcpBezWalidacji"}, {57, "tcpPolaUnikalne"}, {58, "tcpMinLength"}, {100, "tcpTypDanych"},
        {101, "tcpUjemneTez"}, {102, "tcpCyfry"}, {103, "tcpZnaki"}, {104, "tcpTylkoDuze"},
        {105, "tcpDataWaznosci"}, {106, "tcpKontekstSlownika"}, {107, "tcpKodSlownika"},
        {108, "tcpMaxLiczbaCyfr"}, {109, "tcpPrecyzja"}, {110, "tcpPolskieTez"}, {111, "tcpZnakiDodatkowe"},
        {112, "tcpMinWartosc"}, {113, "tcpMaxWartosc"}, {114, "tcpOpisFormatu"}, {115, "tcpFormat"},
        {116, "tcpFormatRegEx"}, {117, "tcpWiekszeOd"}, {118, "tcpMniejszeOd"},
        {119, "tcpOnZgodnaPozycjaSlownika"}, {120, "tcpRoleUC"}};
    const auto nazwa = nazwy.find(p_Typ);
    if (nazwa == nazwy.end())
        throw LkException(QStringLiteral("nieznana nazwa typu cechy pola: ") + QString::number(p_Typ));
    return QString::fromLatin1(nazwa->second);
}
