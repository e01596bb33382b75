#include "DrogaDokumentu.h"

#include "DaneFirmy.h"
#include "KodowanieZnakow.h"
#include "TekstyPomocnicze.h"
#include "Komunikaty.h"
#include "LkFunIO.h"
#include "LkTypyBazowe.h"
#include "PlikiTekstowe.h"
#include "StrumienieZlib.h"
#include "TypyDokumentXML.h"
#include "TypyPolBazowe.h"
#include "Zasoby.h"

#include <QFile>
#include <QFileInfo>

const char *const ZasobySzablonow[2] = {"Szablon529Plus", "Szablon599Plus"};

namespace {

const QStringList korzenieDokumentow = {QStringLiteral("ns5:CC529C"), QStringLiteral("ns5:CC599C")};
const QStringList lokalneNazwyKorzeni = {QStringLiteral("CC529C"), QStringLiteral("CC599C")};
const QStringList przestrzenieDokumentow = {QStringLiteral("http://www.mf.gov.pl/xsd/AES/CC529C.xsd"),
                                            QStringLiteral("http://www.mf.gov.pl/xsd/AES/CC599C.xsd")};

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

TDrogaDokumentu::~TDrogaDokumentu()
{
    for (const QString *nazwa : {&FNazwaPlikuSzabl, &FNazwaPlikuHTML})
        if (!nazwa->isEmpty())
            QFile::remove(*nazwa);
}

QString TDrogaDokumentu::DajTypDokumentu(const QString &p_NazwaPliku, QString *p_Przestrzen)
{
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

int TDrogaDokumentu::IndeksTypuDokumentu(const QString &p_NazwaPliku)
{
    QString przestrzen;
    const QString typ = DajTypDokumentu(p_NazwaPliku, &przestrzen);
    const int indeks = IndeksTekstu(typ, korzenieDokumentow, false, -1);
    if (indeks >= 0)
        return indeks;
    // The same message under another prefix, or in the default namespace, is
    // the same document: judge it by its namespace, not by its prefix.
    const int lokalny = lokalneNazwyKorzeni.indexOf(typ.mid(typ.indexOf(QLatin1Char(':')) + 1));
    if (lokalny >= 0 && przestrzen == przestrzenieDokumentow[lokalny])
        return lokalny;
    return -1;
}

bool TDrogaDokumentu::RozpakujPlikZRes(const QString &p_Nazwa, QString &p_Tresc)
{
    const QByteArray spakowany = DajZasob(p_Nazwa);
    TLkReadOnlyRawByteStream zrodlo(spakowany);
    TDecompressionStream rozpakowany(zrodlo);

    char bufor[1024];
    rozpakowany.ReadBuffer(bufor, 4); // length prefix, not needed
    QByteArray bajty;
    for (;;) {
        const qint64 przeczytano = rozpakowany.Read(bufor, sizeof bufor);
        bajty.append(bufor, przeczytano);
        if (przeczytano < static_cast<qint64>(sizeof bufor))
            break;
    }
    p_Tresc = TekstZPolskiegoAnsi(bajty);
    return true;
}

bool TDrogaDokumentu::OtworzPlikZSzablonem(const QString &p_NazwaPlikuXML, const QString &p_TrescSzablonu)
{
    if (!jestPlik(p_NazwaPlikuXML)) {
        pokazBlad(QStringLiteral("Brak pliku do otwarcia!"));
        return false;
    }
    if (p_TrescSzablonu.isEmpty()) {
        pokazBlad(QStringLiteral("Nie udało się rozpakować szablonu,\r") + LiniaPomocyFirmy());
        return false;
    }
    if (FNazwaPlikuSzabl.isEmpty() || FNazwaPlikuHTML.isEmpty()) {
        pokazBlad(QStringLiteral("Nie można uzyskać nazwy pliku tymczasowego"));
        return false;
    }
    ZapiszTekstDoPliku(p_TrescSzablonu, FNazwaPlikuSzabl);
    QString trescXML;
    WczytajTekstZPliku(trescXML, p_NazwaPlikuXML);

    QString wynik;
    if (!TransformujXSL(p_NazwaPlikuXML, FNazwaPlikuSzabl, wynik, true, trescXML)) {
        pokazBlad(QStringLiteral("Nie udało się przygotowanie pliku XML do wyświetlania"));
        return false;
    }
    ZapiszTekstDoPliku(wynik, FNazwaPlikuHTML);
    if (PokazStrone)
        PokazStrone(QUrl::fromLocalFile(QFileInfo(FNazwaPlikuHTML).absoluteFilePath()));
    return true;
}

bool TDrogaDokumentu::WczytajPlik(const QString &p_NazwaPliku)
{
    if (!jestPlik(p_NazwaPliku)) {
        pokazBlad(QStringLiteral("Brak pliku ") + p_NazwaPliku);
        return false;
    }
    const int indeks = IndeksTypuDokumentu(p_NazwaPliku);
    if (indeks < 0) {
        pokazBlad(QStringLiteral("Program obsługuje wyłącznie pliki XML\rIE529 i IE599, pochodzące z systemu "
                                 "ECS.\rWskazany plik nie będzie wczytany"));
        return false;
    }
    QString szablon;
    RozpakujPlikZRes(QString::fromLatin1(ZasobySzablonow[indeks]), szablon);
    return OtworzPlikZSzablonem(p_NazwaPliku, szablon);
}
