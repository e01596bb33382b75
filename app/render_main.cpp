// ostrevia-render: the viewer's document road without a window.
//
//   ostrevia-render IN.xml [-o OUT.html] [--pdf OUT.pdf]
//   ostrevia-render --export-stylesheet CC529C|CC599C [-o FILE]
//
// Messages the window would show go to standard error with their texts.
// Exit codes: 0 done, 1 refused or failed, 2 usage error.
#include "DrogaDokumentu.h"
#include "KodowanieZnakow.h"
#include "PlikiTekstowe.h"
#include "Start.h"
#include "WydrukPDF.h"
#include "ZakonczenieNaSygnal.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace {

enum TKodWyjscia { kwSukces = 0, kwNiepowodzenie = 1, kwUzycie = 2 };

struct TOpcje
{
    QString Wejscie;
    QString WyjscieHTML;
    QString WyjsciePDF;
    QString EksportSzablonu;
};

void wypisz(const QString &p_Tekst)
{
    QString tekst = p_Tekst;
    tekst.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fprintf(stderr, "%s\n", qUtf8Printable(tekst));
}

int uzycie(const QString &p_Powod)
{
    if (!p_Powod.isEmpty())
        wypisz(QStringLiteral("ostrevia-render: ") + p_Powod);
    wypisz(QStringLiteral("usage: ostrevia-render IN.xml [-o OUT.html] [--pdf OUT.pdf]\n"
                          "       ostrevia-render --export-stylesheet CC529C|CC599C [-o FILE]"));
    return kwUzycie;
}

// Returns an empty string on success, else what was wrong.
QString czytajOpcje(const QStringList &p_Argumenty, TOpcje &p_Opcje)
{
    for (qsizetype i = 1; i < p_Argumenty.size(); ++i) {
        const QString &arg = p_Argumenty[i];
        auto wartosc = [&](QString &p_Cel) {
            if (i + 1 >= p_Argumenty.size())
                return false;
            p_Cel = p_Argumenty[++i];
            return true;
        };
        if (arg == QLatin1String("-o")) {
            if (!wartosc(p_Opcje.WyjscieHTML))
                return QStringLiteral("-o needs a file name");
        } else if (arg == QLatin1String("--pdf")) {
            if (!wartosc(p_Opcje.WyjsciePDF))
                return QStringLiteral("--pdf needs a file name");
        } else if (arg == QLatin1String("--export-stylesheet")) {
            if (!wartosc(p_Opcje.EksportSzablonu))
                return QStringLiteral("--export-stylesheet needs CC529C or CC599C");
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return QStringLiteral("unknown option ") + arg;
        } else if (p_Opcje.Wejscie.isEmpty()) {
            p_Opcje.Wejscie = arg;
        } else {
            return QStringLiteral("only one input file");
        }
    }
    if (p_Opcje.EksportSzablonu.isEmpty() == p_Opcje.Wejscie.isEmpty())
        return p_Opcje.Wejscie.isEmpty() ? QStringLiteral("no input file") : QStringLiteral("an input file or --export-stylesheet, not both");
    return QString();
}

// Standard error is for the user's messages: the browser engine's start-up
// chatter is kept out unless asked for.
void filtrujKomunikatyQt(QtMsgType p_Typ, const QMessageLogContext &p_Kontekst, const QString &p_Tekst)
{
    static const bool wszystkie = !qEnvironmentVariableIsEmpty("OSTREVIA_DEBUG");
    if (wszystkie || p_Typ == QtCriticalMsg || p_Typ == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(p_Typ, p_Kontekst, p_Tekst)));
}

bool skopiujPlik(const QString &p_Z, const QString &p_Do)
{
    QFile zrodlo(p_Z);
    QSaveFile cel(p_Do);
    if (!zrodlo.open(QIODevice::ReadOnly) || !cel.open(QIODevice::WriteOnly))
        return false;
    cel.write(zrodlo.readAll());
    return cel.commit();
}

int eksportujSzablon(const TOpcje &p_Opcje)
{
    const int indeks = p_Opcje.EksportSzablonu == QLatin1String("CC529C")   ? 0
                       : p_Opcje.EksportSzablonu == QLatin1String("CC599C") ? 1
                                                                             : -1;
    if (indeks < 0)
        return uzycie(QStringLiteral("--export-stylesheet takes CC529C or CC599C"));
    QString tresc;
    TDrogaDokumentu::RozpakujPlikZRes(QString::fromLatin1(ZasobySzablonow[indeks]), tresc);
    if (p_Opcje.WyjscieHTML.isEmpty()) {
        const QByteArray bajty = TekstNaPolskiAnsi(tresc);
        std::fwrite(bajty.constData(), 1, static_cast<size_t>(bajty.size()), stdout);
        return kwSukces;
    }
    if (!ZapiszTekstDoPliku(tresc, p_Opcje.WyjscieHTML)) {
        wypisz(QStringLiteral("ostrevia-render: cannot write ") + p_Opcje.WyjscieHTML);
        return kwNiepowodzenie;
    }
    return kwSukces;
}

int wyrenderuj(const TOpcje &p_Opcje)
{
    TDrogaDokumentu droga;
    QUrl strona;
    droga.PokazStrone = [&strona](const QUrl &p_Adres) { strona = p_Adres; };
    if (!droga.WczytajPlik(p_Opcje.Wejscie))
        return kwNiepowodzenie;

    QString html = p_Opcje.WyjscieHTML;
    if (html.isEmpty()) {
        const QFileInfo wejscie(p_Opcje.Wejscie);
        html = wejscie.dir().filePath(wejscie.completeBaseName() + QStringLiteral(".html"));
    }
    if (!skopiujPlik(droga.NazwaPlikuHTML(), html)) {
        wypisz(QStringLiteral("ostrevia-render: cannot write ") + html);
        return kwNiepowodzenie;
    }
    std::printf("%s\n", qUtf8Printable(html));

    if (!p_Opcje.WyjsciePDF.isEmpty()) {
        QString blad;
        if (!WydrukujDoPDF(strona, p_Opcje.WyjsciePDF, blad)) {
            wypisz(QStringLiteral("ostrevia-render: ") + blad);
            return kwNiepowodzenie;
        }
        std::printf("%s\n", qUtf8Printable(p_Opcje.WyjsciePDF));
    }
    return kwSukces;
}

} // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(filtrujKomunikatyQt);
    PrzygotujSrodowiskoQt(false);
    QApplication aplikacja(argc, argv);
    TJednostkiProgramu jednostki(aplikacja);
    ZakonczNaSygnaly(0); // no event loop to return to: end at once
    // No window here: what the window would show goes to standard error.
    PrzekierujKomunikatyNaStderr();

    TOpcje opcje;
    const QString blad = czytajOpcje(QCoreApplication::arguments(), opcje);
    if (!blad.isEmpty())
        return uzycie(blad);
    try {
        return opcje.EksportSzablonu.isEmpty() ? wyrenderuj(opcje) : eksportujSzablon(opcje);
    } catch (const std::exception &e) {
        PokazWyjatekNaStderr(e);
        return kwNiepowodzenie;
    }
}
