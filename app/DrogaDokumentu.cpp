#include "DrogaDokumentu.h"

#include "BuforZapisu.h"
#include "DaneFirmy.h"
#include "KodowanieZnakow.h"
#include "Komunikaty.h"
#include "LkFunIO.h"
#include "PlikWCalosci.h"
#include "PlikiTekstowe.h"
#include "PrzestrzenDokumentu.h"
#include "Strumienie.h"
#include "SzablonyWsadu.h"
#include "TypyPolBazowe.h"
#include "Zasoby.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Large enough that a page is written in few system calls.
constexpr int64_t rozmiarBuforaStrony = 256 * 1024;

void pokazBlad(const QString &p_Tekst)
{
    PokazKomunikat(p_Tekst, mtError, mbOKOnly, 0);
}

// A name the file system knows, links followed.
bool jestPlik(const QString &p_NazwaPliku)
{
    return !p_NazwaPliku.isEmpty() && QFileInfo(p_NazwaPliku).isFile();
}

} // namespace

TDrogaDokumentu::TDrogaDokumentu()
    : FNazwaPlikuSzabl(DajNazwePlikuTymczasowego(QStringLiteral("SzablPodgl")))
    // The browser judges a local file by its extension: ".tmp" would show
    // the page as plain text.
    , FNazwaPlikuHTML(DajNazwePlikuTymczasowego(QStringLiteral("PlikWynik"), QStringLiteral(".html")))
{
}

TDrogaDokumentu::TDrogaDokumentu(TBezPlikowTymczasowych) {}

TDrogaDokumentu::~TDrogaDokumentu()
{
    for (const QString *nazwa : {&FNazwaPlikuSzabl, &FNazwaPlikuHTML})
        if (!nazwa->isEmpty())
            QFile::remove(*nazwa);
}

QString TDrogaDokumentu::DajTypDokumentu(const QString &p_NazwaPliku, QString *p_Przestrzen)
{
    // A batch tells thousands of small messages: each is read in a few system
    // calls and its root looked at in memory. Anything but a foreign root (a
    // reader's error, a bare object) is read again from the file below, so
    // that the reader reports it as it always does.
    QByteArray bajty;
    if (WczytajMalyPlik(p_NazwaPliku, MaksMalegoPliku, bajty)) {
        TObiekt obiekt;
        TMemoryStream strumien(bajty);
        try {
            obiekt.WczytajZPlikuXML(p_NazwaPliku, tzxECS, &strumien);
        } catch (const ELkObcyTypError &e) {
            if (p_Przestrzen)
                *p_Przestrzen = e.PrzestrzenNazw();
            return e.OdczytanyTyp(false);
        } catch (const std::exception &) {
            // Told by the reading from the file below.
        }
    }
    TObiekt obiekt;
    try {
        obiekt.WczytajZPlikuXML(p_NazwaPliku, tzxECS);
    } catch (const ELkObcyTypError &e) {
        if (p_Przestrzen)
            *p_Przestrzen = e.PrzestrzenNazw();
        return e.OdczytanyTyp(false);
    }
    return QString();
}

const TTypDokumentu *TDrogaDokumentu::TypDokumentu(const QString &p_NazwaPliku)
{
    QString przestrzen;
    const QString typ = DajTypDokumentu(p_NazwaPliku, &przestrzen);
    return TypDokumentuKorzenia(typ, przestrzen);
}

bool TDrogaDokumentu::RozpakujPlikZRes(const QString &p_Nazwa, QString &p_Tresc)
{
    p_Tresc = TekstZPolskiegoAnsi(RozpakujZasob(p_Nazwa));
    return true;
}

const TTypDokumentu *TDrogaDokumentu::RozpoznajPlik(const QString &p_NazwaPliku)
{
    if (!jestPlik(p_NazwaPliku)) {
        pokazBlad(QStringLiteral("Brak pliku ") + p_NazwaPliku);
        return nullptr;
    }
    const TTypDokumentu *typ = TypDokumentu(p_NazwaPliku);
    if (!typ)
        pokazBlad(QStringLiteral("Program obsługuje wyłącznie pliki XML\rIE529 i IE599, pochodzące z systemu "
                                 "ECS.\rWskazany plik nie będzie wczytany"));
    return typ;
}

bool TDrogaDokumentu::MoznaPrzeksztalcic(const QString &p_NazwaPlikuXML, bool p_JestSzablon,
                                         bool p_PotrzebnePlikiTymczasowe) const
{
    if (!jestPlik(p_NazwaPlikuXML)) {
        pokazBlad(QStringLiteral("Brak pliku do otwarcia!"));
        return false;
    }
    if (!p_JestSzablon) {
        pokazBlad(QStringLiteral("Nie udało się rozpakować szablonu,\r") + LiniaPomocyFirmy());
        return false;
    }
    if (p_PotrzebnePlikiTymczasowe && (FNazwaPlikuSzabl.isEmpty() || FNazwaPlikuHTML.isEmpty())) {
        pokazBlad(QStringLiteral("Nie można uzyskać nazwy pliku tymczasowego"));
        return false;
    }
    return true;
}

template <typename TSzablon>
bool TDrogaDokumentu::Przeksztalc(const QString &p_NazwaPlikuXML, const TSzablon &p_Szablon, TStream &p_Cel)
{
    FDokumenty = {};
    // The message's own text is read only for a stylesheet that asks for it.
    const auto trescXML = [&p_NazwaPlikuXML] {
        QString tekst;
        WczytajTekstZPliku(tekst, p_NazwaPlikuXML);
        return tekst;
    };
    TBuforZapisu bufor(&p_Cel, rozmiarBuforaStrony);
    // The same message under the default namespace, or under a prefix that
    // qualifies every element, renders as the system writes it.
    const auto przygotuj = [this](const TDokXML &p_Dokument) {
        ZdejmijPrzestrzenDokumentu(p_Dokument);
        FDane.MRN = OdczytajMRN(p_Dokument);
    };
    if (!TransformujXSLDoStrumienia(p_NazwaPlikuXML, p_Szablon, bufor, true, FDokumenty, trescXML, przygotuj)) {
        bufor.Clear();
        pokazBlad(QStringLiteral("Nie udało się przygotowanie pliku XML do wyświetlania"));
        return false;
    }
    bufor.Flush();
    return true;
}

bool TDrogaDokumentu::OtworzPlikZSzablonem(const QString &p_NazwaPlikuXML, const QString &p_TrescSzablonu)
{
    if (!MoznaPrzeksztalcic(p_NazwaPlikuXML, !p_TrescSzablonu.isEmpty(), true))
        return false;
    ZapiszTekstDoPliku(p_TrescSzablonu, FNazwaPlikuSzabl);
    bool przeksztalcono = false;
    {
        TFileStream strona(FNazwaPlikuHTML, fmCreate);
        przeksztalcono = Przeksztalc(p_NazwaPlikuXML, TekstNaPolskiAnsi(p_TrescSzablonu), strona);
    }
    // The window shows one page at a time: its trees need not outlive it.
    FDokumenty = {};
    if (!przeksztalcono)
        return false;
    if (PokazStrone)
        PokazStrone(QUrl::fromLocalFile(QFileInfo(FNazwaPlikuHTML).absoluteFilePath()));
    return true;
}

bool TDrogaDokumentu::WczytajPlik(const QString &p_NazwaPliku)
{
    FDane = {};
    const TTypDokumentu *typ = RozpoznajPlik(p_NazwaPliku);
    if (!typ)
        return false;
    FDane.Typ = typ;
    QString szablon;
    RozpakujPlikZRes(typ->Zasob, szablon);
    return OtworzPlikZSzablonem(p_NazwaPliku, szablon);
}

bool TDrogaDokumentu::WyrenderujDo(const QString &p_NazwaPliku, TStream &p_Cel)
{
    FDane = {};
    const TTypDokumentu *typ = RozpoznajPlik(p_NazwaPliku);
    if (!typ)
        return false;
    FDane.Typ = typ;
    if (FSzablony) {
        const TArkuszSkompilowany *arkusz = FSzablony->Arkusz(typ->Zasob);
        return MoznaPrzeksztalcic(p_NazwaPliku, arkusz != nullptr, false) && Przeksztalc(p_NazwaPliku, *arkusz, p_Cel);
    }
    const QByteArray szablon = RozpakujZasob(typ->Zasob);
    return MoznaPrzeksztalcic(p_NazwaPliku, !szablon.isEmpty(), false) && Przeksztalc(p_NazwaPliku, szablon, p_Cel);
}
