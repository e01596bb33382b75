#include "UslugiSimpleMAPI.h"

#include "Komunikaty.h"
#include "OpisBleduSystemu.h"
#include "PlikiTymczasowe.h"
#include "ProgramPocztowy.h"
#include "TekstyPomocnicze.h"
#include "WatekGlowny.h"
#include "Wyjatki.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <atomic>
#include <cerrno>

namespace {

const QString programXdgEmail = QStringLiteral("xdg-email");

// How long the main thread waits for xdg-email; a mail program that keeps it
// longer has the mail by then.
constexpr int czasNaXdgEmail = 20000;

QStringList adresy(const QString &p_Pole)
{
    QString pole = p_Pole;
    pole.replace(QLatin1Char(';'), QLatin1Char('\n'));
    QStringList wynik;
    for (const QString &wiersz : pole.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")), Qt::SkipEmptyParts))
        if (!wiersz.trimmed().isEmpty())
            wynik << wiersz.trimmed();
    return wynik;
}

// Only these upper-case markers, as other mail programs got them before;
// TekstZHTML takes care of the rest.
QString trescBezZnacznikow(QString p_Tresc)
{
    const QString cr(QChar(13));
    while (p_Tresc.contains(QLatin1String("<BR>")))
        p_Tresc.replace(QLatin1String("<BR>"), cr);
    while (p_Tresc.contains(QLatin1String("<P>")))
        p_Tresc.replace(QLatin1String("<P>"), cr);
    while (p_Tresc.contains(QLatin1String("</P>")))
        p_Tresc.remove(QLatin1String("</P>"));
    return TekstZHTML(p_Tresc);
}

// xdg-email returns before the mail program has read the attachments, and
// the caller may delete them in the meantime: they go to a folder of this
// mail inside the process's temporary folder, under their own names.
bool skopiujZalaczniki(TDaneListu &p_Dane, QString &p_Blad)
{
    if (p_Dane.Zalaczniki.empty())
        return true;
    const QString tymczasowy = DajKatalogTymczasowy();
    if (tymczasowy.isEmpty())
        return true;
    static std::atomic<int> licznik{0};
    const QString katalog = tymczasowy + QStringLiteral("Poczta_%1/").arg(++licznik);
    for (TDaneZalacznika &z : p_Dane.Zalaczniki) {
        const QFileInfo plik(z.SciezkaDoZalacznika);
        if (!plik.isFile()) {
            p_Blad = QStringLiteral("Nie wysłano listu.\r%1").arg(OpisBleduMAPI(11));
            return false;
        }
        if (plik.absoluteFilePath().startsWith(tymczasowy))
            continue;
        const QString nazwa = z.NazwaPlikuZalacznika.isEmpty() ? plik.fileName() : z.NazwaPlikuZalacznika;
        const QString cel = katalog + QFileInfo(nazwa).fileName();
        if (!QDir().mkpath(katalog) || !QFile::copy(plik.absoluteFilePath(), cel)) {
            p_Blad = QStringLiteral("Nie wysłano listu.\r%1").arg(OpisBleduMAPI(12));
            return false;
        }
        z.SciezkaDoZalacznika = cel;
    }
    return true;
}

// xdg-email's exit codes as the Simple MAPI errors that mean the same.
int kodMAPI(int p_KodXdg)
{
    switch (p_KodXdg) {
    case 2: return 11; // a file does not exist
    case 5: return 12; // no permission to read a file
    default: return 2;
    }
}

} // namespace

QString OpisBleduMAPI(int p_Kod)
{
    switch (p_Kod) {
    case 0: return QStringLiteral("The call succeeded and the message was sent.");
    case 1: return QStringLiteral("The user canceled one of the dialog boxes.\rNo message was sent.");
    case 2: return QStringLiteral("One or more unspecified errors occurred.\rNo message was sent.");
    case 3:
        return QStringLiteral("There was no default logon,\rand the user failed to log on successfully when the "
                              "logon dialog box was displayed.\rNo message was sent.");
    case 5: return QStringLiteral("There was insufficient memory to proceed.\rNo message was sent.");
    case 9: return QStringLiteral("There were too many file attachments.\rNo message was sent.");
    case 10: return QStringLiteral("There were too many recipients.\rNo message was sent.");
    case 11: return QStringLiteral("The specified attachment was not found.\rNo message was sent.");
    case 12: return QStringLiteral("The specified attachment could not be opened.\rNo message was sent.");
    case 14: return QStringLiteral("A recipient did not appear in the address list.\rNo message was sent.");
    case 15:
        return QStringLiteral("The type of a recipient was not MAPI_TO, MAPI_CC, or MAPI_BCC.\rNo message was sent.");
    case 18: return QStringLiteral("The text in the message was too large.\rNo message was sent.");
    case 21:
        return QStringLiteral("A recipient matched more than one of the recipient descriptor structures and "
                              "MAPI_DIALOG was not set.\rNo message was sent.");
    case 25: return QStringLiteral("One or more recipients were invalid or did not resolve to any address.");
    default: return QStringLiteral("Nieznany błąd MAPI: %1").arg(p_Kod);
    }
}

QString DajProgramPocztowy()
{
    const QString polecenie = PolecenieProgramuPocztowego().trimmed();
    if (polecenie.isEmpty())
        return QString();
    QString program;
    if (polecenie.startsWith(QLatin1Char('"'))) {
        const qsizetype koniec = polecenie.indexOf(QLatin1Char('"'), 1);
        program = polecenie.mid(1, koniec < 0 ? -1 : koniec - 1);
    } else {
        program = polecenie.section(QLatin1Char(' '), 0, 0);
    }
    const QString nazwa = QFileInfo(program).fileName().toLower();
    if (nazwa == QLatin1String("thunderbird") || nazwa == QLatin1String("thunderbird.exe"))
        return QStringLiteral("Mozilla Thunderbird");
    if (nazwa == QLatin1String("outlook.exe"))
        return QStringLiteral("Microsoft Outlook");
    return QString();
}

QStringList ArgumentyXdgEmail(const TDaneListu &p_Dane, const QString &p_Tresc)
{
    QStringList argumenty{QStringLiteral("--utf8")};
    if (!p_Dane.TematListu.isEmpty())
        argumenty << QStringLiteral("--subject") << p_Dane.TematListu;
    if (!p_Tresc.isEmpty())
        argumenty << QStringLiteral("--body") << p_Tresc;
    for (const QString &adres : adresy(p_Dane.AdresAdresataDW))
        argumenty << QStringLiteral("--cc") << adres;
    for (const QString &adres : adresy(p_Dane.AdresAdresataUDW))
        argumenty << QStringLiteral("--bcc") << adres;
    for (const TDaneZalacznika &z : p_Dane.Zalaczniki)
        argumenty << QStringLiteral("--attach") << z.SciezkaDoZalacznika;
    // Without an address the mail program asks for one.
    argumenty << adresy(p_Dane.AdresAdresata);
    return argumenty;
}

bool WyslijList(const TDaneListu &p_Dane, QString &p_Blad, bool p_ZDialogiem, quintptr p_Sesja, quintptr p_Rodzic)
{
    Q_UNUSED(p_ZDialogiem);
    Q_UNUSED(p_Sesja);
    Q_UNUSED(p_Rodzic);
    if (!CzyWatekGlowny())
        throw LkException(QStringLiteral("Próba wysłania e-maila w wątku!"));
    p_Blad.clear();
    const QString program = QStandardPaths::findExecutable(programXdgEmail);
    if (program.isEmpty()) {
        p_Blad = QStringLiteral("Nie udało się załadować biblioteki %1: %2").arg(programXdgEmail, OpisBleduSystemu(ENOENT));
        return false;
    }
    TDaneListu dane = p_Dane;
    if (!skopiujZalaczniki(dane, p_Blad))
        return false;
    QString tresc = dane.TrescListu;
    if (DajProgramPocztowy() != QLatin1String("Mozilla Thunderbird"))
        tresc = trescBezZnacznikow(tresc);
    // Line breaks of our texts are CRs; mail programs want LFs.
    tresc.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));

    auto *proces = new QProcess(QCoreApplication::instance());
    proces->setProgram(program);
    proces->setArguments(ArgumentyXdgEmail(dane, tresc));
    proces->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(proces, &QProcess::finished, proces, &QObject::deleteLater);
    proces->start();
    if (!proces->waitForStarted()) {
        p_Blad = QStringLiteral("Nie udało się załadować biblioteki %1: %2").arg(programXdgEmail, proces->errorString());
        proces->deleteLater();
        return false;
    }
    if (!proces->waitForFinished(czasNaXdgEmail))
        return true; // still running: the mail program has it; the process cleans up after itself
    const int kod = proces->exitStatus() == QProcess::NormalExit ? proces->exitCode() : -1;
    if (kod == 0)
        return true;
    p_Blad = QStringLiteral("Nie wysłano listu.\r%1").arg(OpisBleduMAPI(kodMAPI(kod)));
    return false;
}

bool WyslijEmail(const QString &p_Adresaci, const QString &p_Temat, const QString &p_Tresc,
                 const QString &p_AdresaciDW, const QString &p_Zalaczniki)
{
    TDaneListu dane;
    dane.AdresAdresata = p_Adresaci;
    dane.TematListu = p_Temat;
    dane.TrescListu = p_Tresc;
    dane.AdresAdresataDW = p_AdresaciDW;
    if (!p_Zalaczniki.trimmed().isEmpty())
        for (const QString &wiersz :
             p_Zalaczniki.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")), Qt::SkipEmptyParts))
            dane.Zalaczniki.push_back({QFileInfo(wiersz).fileName(), wiersz});
    QString blad;
    const bool ok = WyslijList(dane, blad);
    if (!ok)
        PokazKomunikatOK(blad, mtWarning);
    return ok;
}
