#include "WierszPodsumowania.h"

#include "KomunikatECS.h"

#include <optional>

namespace {

QString tekst(const TObiekt &p_Obiekt, const char *p_Sciezka)
{
    return p_Obiekt.TekstowoWgSciezki(QString::fromLatin1(p_Sciezka));
}

// The first path that holds a value.
QString pierwszy(const TObiekt &p_Obiekt, std::initializer_list<const char *> p_Sciezki)
{
    for (const char *sciezka : p_Sciezki) {
        const QString wartosc = tekst(p_Obiekt, sciezka);
        if (!wartosc.isEmpty())
            return wartosc;
    }
    return {};
}

// The exporter's number; a Polish exporter without an EORI number is known
// by the national one the message gives.
QString nrEksportera(const TCC529C &p_Komunikat)
{
    const QString eori = tekst(p_Komunikat, "Exporter.identificationNumber");
    if (!eori.isEmpty())
        return eori;
    for (const auto &[sciezka, etykieta] : {std::pair{"Exporter.IdentificationDataPL.nip", "NIP "},
                                           std::pair{"Exporter.IdentificationDataPL.regon", "REGON "},
                                           std::pair{"Exporter.IdentificationDataPL.pesel", "PESEL "}}) {
        const QString numer = tekst(p_Komunikat, sciezka);
        if (!numer.isEmpty())
            return QLatin1String(etykieta) + numer;
    }
    return {};
}

// A decimal text as thousandths; none when it is no plain decimal number.
std::optional<qint64> tysiaczne(const QString &p_Tekst)
{
    const QString t = p_Tekst.trimmed();
    const qsizetype kropka = t.indexOf(QLatin1Char('.'));
    const QString calosc = kropka < 0 ? t : t.left(kropka);
    QString ulamek = kropka < 0 ? QString() : t.mid(kropka + 1);
    if (calosc.isEmpty() || ulamek.size() > 3)
        return std::nullopt;
    ulamek = ulamek.leftJustified(3, QLatin1Char('0'));
    bool ok1 = false;
    bool ok2 = false;
    const qint64 c = calosc.toLongLong(&ok1);
    const qint64 u = ulamek.toLongLong(&ok2);
    if (!ok1 || !ok2 || c < 0 || c > qint64(1) << 40 || calosc.startsWith(QLatin1Char('+')))
        return std::nullopt;
    return c * 1000 + u;
}

// The goods items of the message; null when it has none.
const TListaPozycjiTowarowych *pozycjeTowarowe(const TCC529C &p_Komunikat)
{
    const auto *przesylka = dynamic_cast<const TPrzesylkaTowarow *>(p_Komunikat.PoleJesliJest(TCC529C::GoodsShipment));
    return przesylka ? dynamic_cast<const TListaPozycjiTowarowych *>(
                           przesylka->PoleJesliJest(TPrzesylkaTowarow::GoodsItem))
                     : nullptr;
}

// The shipment's gross mass as declared; without one, the items' masses
// added up when every item gives one.
QString masaBrutto(const TCC529C &p_Komunikat)
{
    const QString masa =
        pierwszy(p_Komunikat, {"GoodsShipment.Consignment.grossMass", "GoodsShipment.grossMass", "Consignment.grossMass"});
    if (!masa.isEmpty())
        return masa;
    const TListaPozycjiTowarowych *pozycje = pozycjeTowarowe(p_Komunikat);
    if (!pozycje || pozycje->ListaPusta())
        return {};
    qint64 suma = 0;
    for (const TObiekt *pozycja : *pozycje) {
        const auto masaPozycji = tysiaczne(tekst(*pozycja, "Commodity.GoodsMeasure.grossMass"));
        if (!masaPozycji)
            return {};
        suma += *masaPozycji;
    }
    return QStringLiteral("%1.%2").arg(suma / 1000).arg(suma % 1000, 3, 10, QLatin1Char('0'));
}

QString stanZamkniec(const QString &p_Kod)
{
    if (p_Kod == QLatin1String("1"))
        return QStringLiteral("prawidłowe");
    if (p_Kod == QLatin1String("0"))
        return QStringLiteral("nieprawidłowe");
    return p_Kod;
}

int liczbaPozycji(const TCC529C &p_Komunikat)
{
    const TListaPozycjiTowarowych *pozycje = pozycjeTowarowe(p_Komunikat);
    return pozycje ? pozycje->IleObiektow() : 0;
}

} // namespace

void TWierszPodsumowania::WpiszKomunikat(const TCC529C &p_Komunikat)
{
    const bool ie599 = dynamic_cast<const TCC599C *>(&p_Komunikat) != nullptr;
    UstawTekstowo(Komunikat, ie599 ? QStringLiteral("IE599") : QStringLiteral("IE529"));
    UstawTekstowo(MRN, tekst(p_Komunikat, "ExportOperation.MRN"));
    UstawTekstowo(LRN, tekst(p_Komunikat, "ExportOperation.LRN"));
    UstawTekstowo(DataPrzyjecia, tekst(p_Komunikat, "ExportOperation.declarationAcceptanceDate"));
    UstawTekstowo(DataZwolnienia, tekst(p_Komunikat, "ExportOperation.releaseDate"));
    UstawTekstowo(UrzadWywozu, tekst(p_Komunikat, "CustomsOfficeOfExport.referenceNumber"));
    // An exit confirmation names the office the goods actually left by.
    UstawTekstowo(UrzadWyprowadzenia, ie599 ? pierwszy(p_Komunikat, {"CustomsOfficeOfExitActual.referenceNumber",
                                                                      "CustomsOfficeOfExitDeclared.referenceNumber"})
                                            : tekst(p_Komunikat, "CustomsOfficeOfExitDeclared.referenceNumber"));
    UstawTekstowo(Eksporter, tekst(p_Komunikat, "Exporter.name"));
    UstawTekstowo(NrEksportera, nrEksportera(p_Komunikat));
    UstawPole<TPoleInteger>(LiczbaPozycji, liczbaPozycji(p_Komunikat));
    UstawTekstowo(MasaBrutto, masaBrutto(p_Komunikat));
    if (ie599) {
        UstawTekstowo(DataWyprowadzenia, tekst(p_Komunikat, "ExitControlResult.exitDate"));
        UstawTekstowo(StanZamkniec, stanZamkniec(tekst(p_Komunikat, "ExitControlResult.stateOfSeals")));
    }
}

void TListaWierszyPodsumowania::ZapiszCSV(TStream &p_Cel)
{
    const TArrayOfConst naglowek = {
        QStringLiteral("plik"), QStringLiteral("komunikat"), QStringLiteral("MRN"), QStringLiteral("LRN"),
        QStringLiteral("data przyjęcia"), QStringLiteral("data zwolnienia"), QStringLiteral("data wyprowadzenia"),
        QStringLiteral("urząd wywozu"), QStringLiteral("urząd wyprowadzenia"), QStringLiteral("eksporter"),
        QStringLiteral("nr identyfikacyjny eksportera"), QStringLiteral("liczba pozycji"),
        QStringLiteral("masa brutto"), QStringLiteral("stan zamknięć"), QStringLiteral("wynik")};
    ZapiszWPlikuCSV(QString(), {}, naglowek, ';', true, tkcUTF8, &p_Cel, nullptr, false, true);
}
