#include "ObiektBazowy.h"

#include "LkXMLParser.h"
#include "OdczytywaczXML.h"
#include "WyjatkiModelu.h"

#include "Strumienie.h"

#include <QLocale>

#include <memory>

const TOpisKlasy TPole::Opis = {"TPole", nullptr, nullptr, {}};
const TOpisKlasy TObiektBazowy::Opis = {"TObiektBazowy", &TPole::Opis, nullptr, {}};

namespace {

// The object stays locked for the whole load, also when it fails.
class TBlokadaObiektu
{
public:
    explicit TBlokadaObiektu(TObiektBazowy &p_Obiekt) : FObiekt(p_Obiekt) { FObiekt.ZablokujObiekt(); }
    ~TBlokadaObiektu() { FObiekt.OdblokujObiekt(); }
    TBlokadaObiektu(const TBlokadaObiektu &) = delete;
    TBlokadaObiektu &operator=(const TBlokadaObiektu &) = delete;

private:
    TObiektBazowy &FObiekt;
};

// " at position / size (percentage)": where in the input a read failed.
QString PolozenieBledu(TStream &p_Strumien)
{
    qint64 pozycja = 0;
    qint64 rozmiar = 0;
    try {
        pozycja = p_Strumien.Position();
        rozmiar = p_Strumien.Size();
    } catch (const std::exception &) {
        // A stream that cannot tell reports 0 / 0.
    }
    QString procent;
    if (rozmiar > 0) {
        // One decimal place in the system's number format.
        procent = QString::number(static_cast<double>(pozycja) * 100.0 / static_cast<double>(rozmiar), 'f', 1)
                      .replace(QLatin1Char('.'), QLocale::system().decimalPoint())
                  + QStringLiteral(" %");
    }
    return QStringLiteral(" at %1 / %2 (%3)").arg(pozycja).arg(rozmiar).arg(procent);
}

} // namespace

bool TObiektBazowy::MoznaCzytacDaneTypu(const QString &p_NazwaTypu) const
{
    QString nazwa = p_NazwaTypu;
    const QString klasa = ClassName();
    if (nazwa.compare(klasa, Qt::CaseInsensitive) == 0)
        return true;
    while (nazwa.size() > 2 && nazwa.startsWith(QLatin1Char('_')))
        nazwa.remove(0, 1);
    if (nazwa.compare(klasa, Qt::CaseInsensitive) == 0)
        return true;
    for (const TOpisKlasy *przodek = Klasa().Rodzic; przodek; przodek = przodek->Rodzic)
        if (p_NazwaTypu.compare(przodek->ClassName(), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool TObiektBazowy::CzyKorzenXMLTegoTypu(const QString &p_Nazwa) const
{
    return MoznaCzytacDaneTypu(QLatin1Char('T') + p_Nazwa) || MoznaCzytacDaneTypu(p_Nazwa);
}

void TObiektBazowy::WczytajZXML(TOdczytywaczXML &p_Odczytywacz)
{
    TBlokadaObiektu blokada(*this);
    ZerujDane();
    p_Odczytywacz.WczytajNaglowekXML();
    TLkXMLParser &parser = p_Odczytywacz.Parser();
    parser.CheckToken(TLkParser::toSymbol);
    const QString nazwa = p_Odczytywacz.Przekoduj(parser.TokenString());
    if (!CzyKorzenXMLTegoTypu(nazwa)) {
        ELkObcyTypError blad(nazwa, ClassName());
        // Only the root's own start tag is read, for the namespace its prefix names.
        const qsizetype dwukropek = nazwa.indexOf(QLatin1Char(':'));
        const QString prefiks = dwukropek < 0 ? QString() : nazwa.left(dwukropek);
        blad.UstawPrzestrzenNazw(p_Odczytywacz.WczytajDeklaracjePrzestrzeni().value(prefiks));
        throw blad;
    }
    WykonajOdczytXML(p_Odczytywacz, nazwa);
}

bool TObiektBazowy::WczytajZPlikuXML(const QString &p_NazwaPliku, TTypZapisuXML p_TypZapisu, TStream *p_Strumien,
                                     TTypKodowaniaXML p_TypKodowania, const TOnBlednyUTF8 &p_OnBlednyUTF8,
                                     const TKlasaOdczytywaczaXML &p_KlasaOdczytywacza)
{
    std::unique_ptr<TFileStream> plik;
    TStream *strumien = p_Strumien;
    if (!strumien) {
        try {
            plik = std::make_unique<TFileStream>(p_NazwaPliku, fmOpenRead | fmShareDenyWrite);
        } catch (const Exception &e) {
            throw EFCreateError(QStringLiteral("Błąd otwarcia pliku %1:\r%2").arg(p_NazwaPliku, e.Message()));
        }
        strumien = plik.get();
    }
    bool nicNiePominieto = false;
    try {
        // The reader goes before the message is built: its tokenizer puts the
        // stream back at the token where reading stopped.
        std::unique_ptr<TOdczytywaczXML> odczytywacz =
            p_KlasaOdczytywacza ? p_KlasaOdczytywacza(strumien, p_TypZapisu, p_TypKodowania, p_OnBlednyUTF8)
                                : std::make_unique<TOdczytywaczXML>(strumien, p_TypZapisu, p_TypKodowania,
                                                                    p_OnBlednyUTF8);
        odczytywacz->WczytajObiekt(*this);
        nicNiePominieto = odczytywacz->PominietoDane == 0;
    } catch (Exception &e) {
        if (dynamic_cast<TFileStream *>(strumien))
            e.SetMessage(QStringLiteral("Błąd odczytu pliku %1:\r%2").arg(p_NazwaPliku, e.Message())
                         + PolozenieBledu(*strumien));
        throw;
    }
    PoOdczyciePlikuXML();
    return nicNiePominieto;
}
