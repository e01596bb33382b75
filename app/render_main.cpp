// ostrevia-render: the viewer's document road without a window.
//
//   ostrevia-render [-o OUT.html] [--pdf OUT.pdf] [--] IN.xml
//   ostrevia-render --output-dir DIR [--format html|pdf|html,pdf] [--summary FILE.csv] [-j N] INPUT...
//   ostrevia-render --export-stylesheet CC529C|CC599C [-o FILE]
//
// Messages the window would show go to standard error with their texts.
// Exit codes: 0 done, 1 refused or failed, 2 usage error.
#include "DrogaDokumentu.h"
#include "JednostkiDrogi.h"
#include "PlikWynikowy.h"
#include "PlikiTymczasowe.h"
#include "Strumienie.h"
#include "TypyDokumentow.h"
#include "Wersja.h"
#include "WsadRenderowania.h"
#include "ZakonczenieNaSygnal.h"
#include "Zasoby.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <thread>

namespace {

enum TKodWyjscia { kwSukces = 0, kwNiepowodzenie = 1, kwUzycie = 2 };

const char *const nazwaProgramu = "ostrevia-render";

const char *const tekstPomocy =
    "Użycie: ostrevia-render [opcje] [--] PLIK.xml\n"
    "        ostrevia-render --output-dir KATALOG [opcje wsadu] [--] WEJŚCIE...\n"
    "        ostrevia-render --export-stylesheet CC529C|CC599C [-o PLIK]\n"
    "\n"
    "Przedstawia komunikat IE529 lub IE599 z systemu ECS jako stronę HTML\n"
    "(i wydruk PDF), tak jak okno programu Ostrevia.\n"
    "\n"
    "Opcje:\n"
    "  -o, --output PLIK       strona HTML; domyślnie obok pliku wejściowego,\n"
    "                          z rozszerzeniem .html; \"-\" to standardowe wyjście\n"
    "      --pdf PLIK          także wydruk PDF (A4)\n"
    "      --export-stylesheet TYP\n"
    "                          zapisuje wbudowany arkusz XSL: CC529C lub CC599C\n"
    "\n"
    "Wsad: WEJŚCIE to plik albo katalog przeszukiwany w głąb (pliki *.xml).\n"
    "      --output-dir KATALOG\n"
    "                          tu trafiają strony i wydruki, nazwy bez powtórzeń\n"
    "      --format FORMAT     html (domyślnie), pdf albo html,pdf\n"
    "      --summary PLIK.csv\n"
    "                          zestawienie: wiersz na każdy plik (\";\", UTF-8)\n"
    "  -j N                    tyle plików naraz; domyślnie liczba procesorów\n"
    "\n"
    "  -h, --help              ta pomoc\n"
    "      --version           wersja programu\n"
    "      --                  koniec opcji: dalej już tylko nazwa pliku\n"
    "\n"
    "Przełączniki programu: -(Service), -(KatalogDanych)KATALOG, -(IniFile)PLIK.\n"
    "Kody wyjścia: 0 gotowe, 1 plik odrzucony lub błąd, 2 błędne wywołanie.\n";

struct TOpcje
{
    QString Wejscie;
    QString WyjscieHTML;
    QString WyjsciePDF;
    QString EksportSzablonu;
    bool Wsad = false;
    TOpcjeWsadu OpcjeWsadu;
};

void wypisz(const QString &p_Tekst)
{
    QString tekst = p_Tekst;
    tekst.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fprintf(stderr, "%s: %s\n", nazwaProgramu, qUtf8Printable(tekst));
}

int uzycie(const QString &p_Powod)
{
    wypisz(p_Powod);
    std::fprintf(stderr, "Pomoc: %s --help\n", nazwaProgramu);
    return kwUzycie;
}

// The framework's own switches ("-(Service)", "-(KatalogDanych)DIR") are read
// by its start-up; the tool's parser does not see them.
bool jestPrzelacznikiemProgramu(const QString &p_Argument)
{
    return (p_Argument.startsWith(QLatin1String("-(")) || p_Argument.startsWith(QLatin1String("/(")))
           && p_Argument.indexOf(QLatin1Char(')')) > 2;
}

enum class TWynikOpcji { Dalej, Pomoc, Wersja, Blad };

// The batch's own options, once --output-dir has made the run a batch.
TWynikOpcji czytajOpcjeWsadu(TOpcje &p_Opcje, const QStringList &p_Wejscia, const QString &p_Format,
                             const QString &p_Watki, QString &p_Blad)
{
    TOpcjeWsadu &wsad = p_Opcje.OpcjeWsadu;
    if (!p_Opcje.WyjscieHTML.isEmpty() || !p_Opcje.WyjsciePDF.isEmpty() || !p_Opcje.EksportSzablonu.isEmpty()) {
        p_Blad = QStringLiteral("--output-dir nie łączy się z -o, --pdf ani --export-stylesheet");
        return TWynikOpcji::Blad;
    }
    if (wsad.KatalogWyjsciowy.isEmpty()) {
        p_Blad = QStringLiteral("--output-dir wymaga nazwy katalogu");
        return TWynikOpcji::Blad;
    }
    if (p_Wejscia.isEmpty()) {
        p_Blad = QStringLiteral("brak plików wejściowych");
        return TWynikOpcji::Blad;
    }
    if (!p_Format.isEmpty()) {
        const QStringList formaty = p_Format.split(QLatin1Char(','));
        wsad.HTML = formaty.contains(QLatin1String("html"));
        wsad.PDF = formaty.contains(QLatin1String("pdf"));
        for (const QString &f : formaty)
            if (f != QLatin1String("html") && f != QLatin1String("pdf")) {
                p_Blad = QStringLiteral("--format przyjmuje html, pdf albo html,pdf");
                return TWynikOpcji::Blad;
            }
    }
    wsad.Watki = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (!p_Watki.isEmpty()) {
        bool liczba = false;
        wsad.Watki = p_Watki.toInt(&liczba);
        if (!liczba || wsad.Watki < 1 || wsad.Watki > 256) {
            p_Blad = QStringLiteral("-j przyjmuje liczbę od 1 do 256");
            return TWynikOpcji::Blad;
        }
    }
    wsad.Wejscia = p_Wejscia;
    wsad.ProgramPDF = QCoreApplication::applicationDirPath() + QStringLiteral("/ostrevia-pdf");
    p_Opcje.Wsad = true;
    return TWynikOpcji::Dalej;
}

TWynikOpcji czytajOpcje(const QStringList &p_Argumenty, TOpcje &p_Opcje, QString &p_Blad)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption wyjscie(QStringList{QStringLiteral("o"), QStringLiteral("output")}, QString(), QStringLiteral("PLIK"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), QString(), QStringLiteral("PLIK"));
    const QCommandLineOption eksport(QStringLiteral("export-stylesheet"), QString(), QStringLiteral("TYP"));
    const QCommandLineOption pomoc(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption wersja(QStringLiteral("version"));
    const QCommandLineOption katalog(QStringLiteral("output-dir"), QString(), QStringLiteral("KATALOG"));
    const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("FORMAT"));
    const QCommandLineOption podsumowanie(QStringLiteral("summary"), QString(), QStringLiteral("PLIK"));
    const QCommandLineOption watki(QStringLiteral("j"), QString(), QStringLiteral("N"));
    parser.addOptions({wyjscie, pdf, eksport, pomoc, wersja, katalog, format, podsumowanie, watki});

    QStringList argumenty;
    bool poKoncuOpcji = false;
    for (const QString &argument : p_Argumenty) {
        poKoncuOpcji = poKoncuOpcji || argument == QLatin1String("--");
        // "-j4" as make takes it; the parser reads single-dash words as long options.
        if (!poKoncuOpcji && argument.size() > 2 && argument.startsWith(QLatin1String("-j")) && argument[2].isDigit())
            argumenty << QStringLiteral("-j") << argument.mid(2);
        else if (poKoncuOpcji || !jestPrzelacznikiemProgramu(argument))
            argumenty << argument;
    }
    if (!parser.parse(argumenty)) {
        const QStringList nieznane = parser.unknownOptionNames();
        p_Blad = nieznane.isEmpty() ? QStringLiteral("opcja wymaga wartości (%1)").arg(parser.errorText())
                                    : QStringLiteral("nieznana opcja: %1").arg(nieznane.join(QStringLiteral(", ")));
        return TWynikOpcji::Blad;
    }
    if (parser.isSet(pomoc))
        return TWynikOpcji::Pomoc;
    if (parser.isSet(wersja))
        return TWynikOpcji::Wersja;
    QString tekstFormatu;
    QString tekstWatkow;
    for (const auto &[opcja, cel] : {std::pair{&wyjscie, &p_Opcje.WyjscieHTML}, std::pair{&pdf, &p_Opcje.WyjsciePDF},
                                     std::pair{&eksport, &p_Opcje.EksportSzablonu},
                                     std::pair{&katalog, &p_Opcje.OpcjeWsadu.KatalogWyjsciowy},
                                     std::pair{&format, &tekstFormatu},
                                     std::pair{&podsumowanie, &p_Opcje.OpcjeWsadu.Podsumowanie},
                                     std::pair{&watki, &tekstWatkow}}) {
        const QStringList wartosci = parser.values(*opcja);
        if (wartosci.size() > 1) {
            p_Blad = QStringLiteral("opcja --%1 podana więcej niż raz").arg(opcja->names().constLast());
            return TWynikOpcji::Blad;
        }
        *cel = wartosci.value(0);
    }
    const QStringList pliki = parser.positionalArguments();
    if (parser.isSet(katalog))
        return czytajOpcjeWsadu(p_Opcje, pliki, tekstFormatu, tekstWatkow, p_Blad);
    if (parser.isSet(format) || parser.isSet(podsumowanie) || parser.isSet(watki)) {
        p_Blad = QStringLiteral("--format, --summary i -j dotyczą wsadu (--output-dir)");
        return TWynikOpcji::Blad;
    }
    if (pliki.size() > 1) {
        p_Blad = QStringLiteral("można podać tylko jeden plik wejściowy");
        return TWynikOpcji::Blad;
    }
    p_Opcje.Wejscie = pliki.value(0);
    if (p_Opcje.EksportSzablonu.isEmpty() && p_Opcje.Wejscie.isEmpty()) {
        p_Blad = QStringLiteral("brak pliku wejściowego");
        return TWynikOpcji::Blad;
    }
    if (!p_Opcje.EksportSzablonu.isEmpty() && !p_Opcje.Wejscie.isEmpty()) {
        p_Blad = QStringLiteral("plik wejściowy albo --export-stylesheet, nie oba naraz");
        return TWynikOpcji::Blad;
    }
    if (!p_Opcje.EksportSzablonu.isEmpty() && !p_Opcje.WyjsciePDF.isEmpty()) {
        p_Blad = QStringLiteral("--pdf nie dotyczy eksportu arkusza");
        return TWynikOpcji::Blad;
    }
    return TWynikOpcji::Dalej;
}

int pokazWersje()
{
    const int wersja = DajNumerWersji(QCoreApplication::applicationFilePath());
    std::printf("%s %s\n", nazwaProgramu, qUtf8Printable(wersja ? WersjaJakoTekst(wersja) : QStringLiteral("?.??")));
    return kwSukces;
}

} // namespace

namespace {

int eksportujSzablon(const TOpcje &p_Opcje)
{
    const TTypDokumentu *typ = TypDokumentuONazwieLokalnej(p_Opcje.EksportSzablonu);
    if (!typ)
        return uzycie(QStringLiteral("--export-stylesheet przyjmuje CC529C albo CC599C"));
    const QByteArray tresc = RozpakujZasob(typ->Zasob);
    TPlikWynikowy wyjscie;
    if (!wyjscie.Otworz(p_Opcje.WyjscieHTML.isEmpty() ? QStringLiteral("-") : p_Opcje.WyjscieHTML)
        || !wyjscie.Zapisz(tresc) || !wyjscie.Zatwierdz()) {
        wypisz(wyjscie.Blad());
        return kwNiepowodzenie;
    }
    return kwSukces;
}

QString domyslneWyjscieHTML(const QString &p_Wejscie)
{
    const QFileInfo wejscie(p_Wejscie);
    return wejscie.dir().filePath(wejscie.completeBaseName() + QStringLiteral(".html"));
}

// The PDF is made by a helper that starts the browser engine, so that a page
// alone never pays for it. It prints p_StronaHTML into p_PlikPDF, which it
// writes as every output is written, never over p_Wejscie.
bool wydrukujPDF(const QString &p_StronaHTML, const QString &p_PlikPDF, const QString &p_Wejscie)
{
    QProcess pomocnik;
    pomocnik.setProcessChannelMode(QProcess::ForwardedChannels);
    pomocnik.start(QCoreApplication::applicationDirPath() + QStringLiteral("/ostrevia-pdf"),
                   {QStringLiteral("--"), p_StronaHTML, p_PlikPDF, p_Wejscie});
    if (!pomocnik.waitForFinished(-1) || pomocnik.exitStatus() != QProcess::NormalExit) {
        wypisz(QStringLiteral("nie udało się uruchomić programu tworzącego PDF: ") + pomocnik.errorString());
        return false;
    }
    return pomocnik.exitCode() == 0;
}

// Copies a whole file into the output in pieces.
bool przepisz(const QString &p_Plik, TPlikWynikowy &p_Wyjscie)
{
    QFile plik(p_Plik);
    if (!plik.open(QIODevice::ReadOnly)) {
        wypisz(QStringLiteral("nie można odczytać strony %1: %2").arg(p_Plik, plik.errorString()));
        return false;
    }
    for (;;) {
        const QByteArray porcja = plik.read(1024 * 1024);
        if (porcja.isEmpty())
            return plik.error() == QFileDevice::NoError;
        if (!p_Wyjscie.Zapisz(porcja)) {
            wypisz(p_Wyjscie.Blad());
            return false;
        }
    }
}

int wyrenderuj(const TOpcje &p_Opcje, TDrogaDokumentu &p_Droga)
{
    const QString html = p_Opcje.WyjscieHTML.isEmpty() ? domyslneWyjscieHTML(p_Opcje.Wejscie) : p_Opcje.WyjscieHTML;
    const bool zPDF = !p_Opcje.WyjsciePDF.isEmpty();
    if (zPDF && QFileInfo(p_Opcje.WyjsciePDF).absoluteFilePath() == QFileInfo(html).absoluteFilePath())
        return uzycie(QStringLiteral("strona i PDF nie mogą trafić do tego samego pliku"));
    // The PDF maker writes its own file later; a PDF that could not be
    // written is refused now, before the page is.
    if (zPDF) {
        TPlikWynikowy probaPDF;
        if (!probaPDF.Otworz(p_Opcje.WyjsciePDF, p_Opcje.Wejscie)) {
            wypisz(probaPDF.Blad());
            return kwNiepowodzenie;
        }
    }
    TPlikWynikowy wyjscie;
    if (!wyjscie.Otworz(html, p_Opcje.Wejscie)) {
        wypisz(wyjscie.Blad());
        return kwNiepowodzenie;
    }
    // The PDF maker loads the page from a file of ours with the extension
    // the browser wants, whatever the page's own output is.
    QString strona;
    if (zPDF) {
        strona = DajNazwePlikuTymczasowego(QStringLiteral("PlikWynik"), QStringLiteral(".html"));
        if (strona.isEmpty()) {
            wypisz(QStringLiteral("Nie można uzyskać nazwy pliku tymczasowego"));
            return kwNiepowodzenie;
        }
        TFileStream plik(strona, fmCreate);
        if (!p_Droga.WyrenderujDo(p_Opcje.Wejscie, plik))
            return kwNiepowodzenie;
    } else {
        TStrumienWynikowy strumien(wyjscie);
        if (!p_Droga.WyrenderujDo(p_Opcje.Wejscie, strumien))
            return kwNiepowodzenie;
    }
    if ((zPDF && !przepisz(strona, wyjscie)) || !wyjscie.Zatwierdz()) {
        if (!wyjscie.Blad().isEmpty())
            wypisz(wyjscie.Blad());
        return kwNiepowodzenie;
    }
    if (html != QLatin1String("-"))
        std::printf("%s\n", qUtf8Printable(html));
    if (!zPDF)
        return kwSukces;

    const bool wydrukowano = wydrukujPDF(strona, p_Opcje.WyjsciePDF, p_Opcje.Wejscie);
    QFile::remove(strona);
    if (!wydrukowano)
        return kwNiepowodzenie;
    if (p_Opcje.WyjsciePDF != QLatin1String("-"))
        std::printf("%s\n", qUtf8Printable(p_Opcje.WyjsciePDF));
    return kwSukces;
}

} // namespace

int main(int argc, char **argv)
{
    // libxslt's trees are many small blocks freed together: without fast bins
    // glibc does not sort them out again and again while freeing.
    mallopt(M_MXFAST, 0);
    QCoreApplication aplikacja(argc, argv);
    std::optional<TJednostkiDrogi> jednostki(std::in_place, aplikacja, true);
    // No event loop to return to: a signal ends the process at once, taking
    // its temporary files with it.
    ZakonczNaSygnaly(0);

    TOpcje opcje;
    QString blad;
    switch (czytajOpcje(QCoreApplication::arguments(), opcje, blad)) {
    case TWynikOpcji::Blad:
        return uzycie(blad);
    case TWynikOpcji::Pomoc:
        std::fputs(tekstPomocy, stdout);
        return kwSukces;
    case TWynikOpcji::Wersja:
        return pokazWersje();
    case TWynikOpcji::Dalej:
        break;
    }
    TDrogaDokumentu droga{TDrogaDokumentu::TBezPlikowTymczasowych()};
    int wynik = kwNiepowodzenie;
    try {
        if (opcje.Wsad)
            wynik = WyrenderujWsad(opcje.OpcjeWsadu);
        else
            wynik = opcje.EksportSzablonu.isEmpty() ? wyrenderuj(opcje, droga) : eksportujSzablon(opcje);
    } catch (const std::exception &e) {
        PokazWyjatekNaStderr(e);
    }
    // The output is written and closed: the units end as usual (the error log
    // writes what it holds), but the document trees are left to the system,
    // which takes them back at once rather than node by node.
    jednostki.reset();
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(wynik);
}
