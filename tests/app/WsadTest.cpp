// ostrevia-render --output-dir end to end: the real executable, real files,
// the real stylesheets, and the real browser engine for the PDFs.
#include "KatalogTestowy.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace {

struct TPrzebieg
{
    int Kod;
    QString Wyjscie;
    QString Bledy;
};

class WsadTest : public KatalogTestowy
{
protected:
    TPrzebieg Wsad(const QStringList &p_Argumenty, int p_LimitMs = 120000) const
    {
        QProcess proces;
        proces.setWorkingDirectory(FKatalog.path());
        // The PDF maker runs as root here and without a GPU.
        QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
        srodowisko.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        srodowisko.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), QStringLiteral("--no-sandbox --disable-gpu"));
        srodowisko.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        proces.setProcessEnvironment(srodowisko);
        proces.start(QStringLiteral(OSTREVIA_BIN_DIR "/ostrevia-render"), p_Argumenty);
        const bool skonczyl = proces.waitForFinished(p_LimitMs);
        EXPECT_TRUE(skonczyl) << "ostrevia-render hangs: " << qPrintable(p_Argumenty.join(QLatin1Char(' ')));
        if (!skonczyl)
            proces.kill();
        proces.waitForFinished();
        return {proces.exitCode(), QString::fromUtf8(proces.readAllStandardOutput()),
                QString::fromUtf8(proces.readAllStandardError())};
    }

    QString Kopia(const QString &p_Dane, const QString &p_Cel) const
    {
        const QString cel = Sciezka(p_Cel);
        QDir().mkpath(QFileInfo(cel).path());
        EXPECT_TRUE(QFile::copy(Dane(p_Dane), cel)) << qPrintable(cel);
        return cel;
    }

    // Every file under a folder, by relative name, with its bytes.
    static std::map<QString, QByteArray> Zawartosc(const QString &p_Katalog)
    {
        std::map<QString, QByteArray> pliki;
        QDirIterator it(p_Katalog, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString plik = it.next();
            pliki[QDir(p_Katalog).relativeFilePath(plik)] = CzytajPlik(plik);
        }
        return pliki;
    }
};

TEST_F(WsadTest, RendersATreeWithNamesKeptUniqueAndListsTheRefusedWithoutStopping)
{
    Kopia(QStringLiteral("IE529.xml"), QStringLiteral("we/IE529.xml"));
    Kopia(QStringLiteral("IE529_minimalny.xml"), QStringLiteral("we/a/IE529.xml"));
    Kopia(QStringLiteral("IE599.xml"), QStringLiteral("we/a/b/ie529.XML"));
    Kopia(QStringLiteral("obcy_korzen.xml"), QStringLiteral("we/a/obcy.xml"));
    Kopia(QStringLiteral("IE599_maly.xml"), QStringLiteral("we/a/b/notatka.txt"));
    // A file given by name counts whatever its extension; the same file met
    // again under another name is rendered once.
    const QString wprost = Kopia(QStringLiteral("IE599_maly.xml"), QStringLiteral("osobno/IE529_2.dane"));
    ASSERT_TRUE(QFile::link(Sciezka(QStringLiteral("we/IE529.xml")), Sciezka(QStringLiteral("we/a/link.xml"))));

    const QString wyniki = Sciezka(QStringLiteral("wyniki"));
    const TPrzebieg wynik = Wsad({QStringLiteral("--output-dir"), wyniki, QStringLiteral("-j"), QStringLiteral("2"),
                                  QStringLiteral("we"), wprost});
    EXPECT_EQ(wynik.Kod, 1) << qPrintable(wynik.Bledy);
    // In the inputs' order: the folder's names sorted, sub-folders where they sort.
    // Letter case does not make a name new: the third is "ie529_3".
    const QStringList strony = {QStringLiteral("IE529.html"), QStringLiteral("IE529_2.html"),
                                QStringLiteral("ie529_3.html"), QStringLiteral("IE529_2_2.html")};
    QStringList oczekiwane;
    for (const QString &strona : strony)
        oczekiwane << wyniki + QLatin1Char('/') + strona;
    EXPECT_EQ(wynik.Wyjscie, oczekiwane.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    EXPECT_EQ(QDir(wyniki).entryList(QDir::Files), QStringList({strony[0], strony[1], strony[3], strony[2]}));
    // Each page is its own message's: the IE599 went to the third name.
    EXPECT_TRUE(CzytajPlik(wyniki + QStringLiteral("/ie529_3.html")).contains("CC599C"));
    EXPECT_TRUE(CzytajPlik(wyniki + QStringLiteral("/IE529_2.html")).contains("CC529C"));

    // Standard error: one line per file when it is no terminal, then the refused with their reasons.
    const QStringList linie = wynik.Bledy.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(linie.filter(QRegularExpression(QStringLiteral("^\\[\\d/5\\] "))).size(), 5) << qPrintable(wynik.Bledy);
    EXPECT_TRUE(wynik.Bledy.contains(QStringLiteral("odrzucono plików: 1 z 5"))) << qPrintable(wynik.Bledy);
    EXPECT_TRUE(wynik.Bledy.contains(QStringLiteral("we/a/obcy.xml: Program obsługuje wyłącznie pliki XML IE529 i IE599")))
        << qPrintable(wynik.Bledy);
}

// An input kept in the output folder under the name another input's page
// would take is read, not replaced: the page moves on to the next name.
TEST_F(WsadTest, AnInputInTheOutputFolderIsNeverReplacedByAnotherPage)
{
    const QString pierwszy = Kopia(QStringLiteral("IE529.xml"), QStringLiteral("we/zgloszenie.xml"));
    const QString wWynikach = Kopia(QStringLiteral("IE599_maly.xml"), QStringLiteral("wyniki/zgloszenie.html"));
    const QByteArray tresc = CzytajPlik(wWynikach);
    const QString wyniki = Sciezka(QStringLiteral("wyniki"));

    const TPrzebieg wynik =
        Wsad({QStringLiteral("--output-dir"), wyniki, QStringLiteral("-j"), QStringLiteral("1"), pierwszy, wWynikach});
    EXPECT_EQ(wynik.Kod, 0) << qPrintable(wynik.Bledy);
    EXPECT_EQ(CzytajPlik(wWynikach), tresc);
    EXPECT_EQ(wynik.Wyjscie, QStringList({wyniki + QStringLiteral("/zgloszenie_2.html"),
                                          wyniki + QStringLiteral("/zgloszenie_3.html")})
                                     .join(QLatin1Char('\n'))
                                 + QLatin1Char('\n'));
    EXPECT_TRUE(CzytajPlik(wyniki + QStringLiteral("/zgloszenie_2.html")).contains("CC529C"));
    EXPECT_TRUE(CzytajPlik(wyniki + QStringLiteral("/zgloszenie_3.html")).contains("CC599C"));
}

TEST_F(WsadTest, ExitsWithZeroWhenAllRenderedAndTwoForUsageErrors)
{
    const QString we = Kopia(QStringLiteral("IE529.xml"), QStringLiteral("we.xml"));
    const QString wyniki = Sciezka(QStringLiteral("nowy/katalog"));
    const TPrzebieg dobry = Wsad({QStringLiteral("--output-dir"), wyniki, we, QStringLiteral("-j1")});
    EXPECT_EQ(dobry.Kod, 0) << qPrintable(dobry.Bledy);
    EXPECT_TRUE(QFileInfo::exists(wyniki + QStringLiteral("/we.html")));

    const QString d = QStringLiteral("--output-dir");
    for (const QStringList &argumenty : {
             QStringList{d, wyniki},
             QStringList{d, wyniki, QStringLiteral("--format"), QStringLiteral("xml"), we},
             QStringList{d, wyniki, QStringLiteral("--format"), QStringLiteral("html,doc"), we},
             QStringList{d, wyniki, QStringLiteral("-j"), QStringLiteral("0"), we},
             QStringList{d, wyniki, QStringLiteral("-j"), QStringLiteral("dwa"), we},
             QStringList{d, wyniki, QStringLiteral("-o"), Sciezka(QStringLiteral("x.html")), we},
             QStringList{d, wyniki, QStringLiteral("--pdf"), Sciezka(QStringLiteral("x.pdf")), we},
             QStringList{QStringLiteral("--summary"), Sciezka(QStringLiteral("s.csv")), we},
             QStringList{QStringLiteral("-j"), QStringLiteral("2"), we},
             QStringList{d}}) {
        const TPrzebieg wynik = Wsad(argumenty);
        EXPECT_EQ(wynik.Kod, 2) << qPrintable(argumenty.join(QLatin1Char(' '))) << qPrintable(wynik.Bledy);
    }
    // An output folder that cannot be made stops the run at once.
    ZapiszPlik(QStringLiteral("plik"), "x");
    EXPECT_EQ(Wsad({d, Sciezka(QStringLiteral("plik/pod")), we}).Kod, 1);
}

TEST_F(WsadTest, SummaryHasOneRowPerInputThroughTheModelsCsv)
{
    Kopia(QStringLiteral("IE529.xml"), QStringLiteral("we/1.xml"));
    Kopia(QStringLiteral("IE599.xml"), QStringLiteral("we/2.xml"));
    Kopia(QStringLiteral("IE529_uszkodzony.xml"), QStringLiteral("we/3.xml"));
    const QString csv = Sciezka(QStringLiteral("zestawienie.csv"));
    const TPrzebieg wynik = Wsad({QStringLiteral("--output-dir"), Sciezka(QStringLiteral("wyniki")),
                                  QStringLiteral("--summary"), csv, QStringLiteral("we")});
    EXPECT_EQ(wynik.Kod, 1) << qPrintable(wynik.Bledy);
    const QByteArray oczekiwany =
        "\xEF\xBB\xBF"
        "plik;komunikat;MRN;LRN;data przyjęcia;data zwolnienia;data wyprowadzenia;urząd wywozu;urząd wyprowadzenia;"
        "eksporter;nr identyfikacyjny eksportera;liczba pozycji;masa brutto;stan zamknięć;wynik\r\n"
        "we/1.xml;IE529;26PL30101000481522;LRN2026111800017;2026-11-18;2026-11-18;;PL301010;PL401030;"
        "Zakłady Mięsne „Łęczyca” Sp. z o.o.;PL7750001234000;2;18450.500;;OK\r\n"
        "we/2.xml;IE599;26PL32201000503318;GD-EXP-2026-1187;2026-11-21;2026-11-21;2026-11-24;PL322010;PL322030;"
        "Stocznia Jachtowa Gdańsk-Wisłoujście Sp. z o.o.;PL5842716309000;2;9870.000;prawidłowe;OK\r\n"
        "we/3.xml;;;;;;;;;;;;;;Podczas wczytywania pliku:  we/3.xml wystąpił następujący błąd: Opening and ending "
        "tag mismatch: releaseDate line 15 and releaseDat (wiersz 15, kolumna 41) Nie udało się przygotowanie pliku "
        "XML do wyświetlania\r\n";
    EXPECT_EQ(CzytajPlik(csv), oczekiwany);
}

TEST_F(WsadTest, ParallelRenderingWritesWhatOneThreadWrites)
{
    const char *const probki[] = {"IE529.xml", "IE599.xml", "IE529_minimalny.xml", "IE599_maly.xml",
                                  "IE529_przestrzen_domyslna.xml", "obcy_korzen.xml", "IE599_bez_GR.xml"};
    for (int i = 0; i < 28; ++i)
        Kopia(QString::fromLatin1(probki[i % std::size(probki)]),
              QStringLiteral("we/%1/%2").arg(i % 4).arg(QString::fromLatin1(probki[i % std::size(probki)])));
    std::map<QString, QByteArray> pierwszy;
    TPrzebieg wzor{};
    for (const char *watki : {"1", "2", "4"}) {
        const QString wyniki = Sciezka(QStringLiteral("wyniki-j") + QLatin1String(watki));
        TPrzebieg wynik = Wsad({QStringLiteral("--output-dir"), wyniki, QStringLiteral("-j"),
                                QLatin1String(watki), QStringLiteral("--summary"),
                                      wyniki + QStringLiteral("/zestawienie.csv"), QStringLiteral("we")});
        EXPECT_EQ(wynik.Kod, 1);
        const auto zawartosc = Zawartosc(wyniki);
        if (pierwszy.empty()) {
            pierwszy = zawartosc;
            wzor = wynik;
            EXPECT_EQ(pierwszy.size(), 24u + 1u);
            continue;
        }
        EXPECT_TRUE(zawartosc == pierwszy) << "-j " << watki;
        EXPECT_EQ(wynik.Wyjscie.replace(QStringLiteral("-j") + QLatin1String(watki), QStringLiteral("-j1")),
                  wzor.Wyjscie);
    }
}

TEST_F(WsadTest, HostileFolderNeverHangsAndEveryValidFileIsRendered)
{
    const QString we = Sciezka(QStringLiteral("we"));
    Kopia(QStringLiteral("IE529.xml"), QStringLiteral("we/dobry1.xml"));
    Kopia(QStringLiteral("IE599.xml"), QStringLiteral("we/pod/dobry2.xml"));
    Kopia(QStringLiteral("nie_xml.xml"), QStringLiteral("we/nie_xml.xml"));
    Kopia(QStringLiteral("utf16.xml"), QStringLiteral("we/utf16.xml"));
    ZapiszPlik(QStringLiteral("we/binarny.XML"), QByteArray("\x00\x01\x02\xff", 4));
    ZapiszPlik(QStringLiteral("we/pusty.xml"), QByteArray());
    ASSERT_TRUE(QFile::link(QStringLiteral("petla.xml"), Sciezka(QStringLiteral("we/petla.xml"))));
    ASSERT_TRUE(QFile::link(QStringLiteral(".."), Sciezka(QStringLiteral("we/pod/w_gore"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("/nie/ma/takiego.xml"), Sciezka(QStringLiteral("we/wiszacy.xml"))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(Sciezka(QStringLiteral("we/kolejka.xml"))).constData(), 0644), 0);
    // A directory entry that cannot be opened even by root: a socket.
    const int gniazdo = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un adres{};
    adres.sun_family = AF_UNIX;
    const QByteArray nazwaGniazda = QFile::encodeName(Sciezka(QStringLiteral("we/gniazdo.xml")));
    ASSERT_LT(nazwaGniazda.size(), qsizetype(sizeof adres.sun_path));
    std::memcpy(adres.sun_path, nazwaGniazda.constData(), nazwaGniazda.size());
    ASSERT_EQ(::bind(gniazdo, reinterpret_cast<sockaddr *>(&adres), sizeof adres), 0);
    // Unreadable by permissions: root reads it all the same, so the case
    // only counts for other users.
    const QString zamkniety = Kopia(QStringLiteral("IE529.xml"), QStringLiteral("we/zamkniety.xml"));
    ::chmod(QFile::encodeName(zamkniety).constData(), 0);
    const bool root = ::geteuid() == 0;
    // A large message among the rest (the size the generator gives in the
    // benchmark; here a few megabytes of items).
    QByteArray duzy = CzytajPlik(Dane(QStringLiteral("IE529.xml")));
    // Whole lines: a goods item of a special-procedure document nests deeper.
    const qsizetype poczatek = duzy.indexOf("\n    <GoodsItem>\n") + 1;
    const qsizetype koniec = duzy.indexOf("\n    </GoodsItem>\n", poczatek) + 18;
    const QByteArray pozycja = duzy.mid(poczatek, koniec - poczatek);
    QByteArray pozycje;
    while (pozycje.size() < 4 * 1024 * 1024)
        pozycje += pozycja;
    duzy.insert(koniec, pozycje);
    ZapiszPlik(QStringLiteral("we/duzy.xml"), duzy);

    const QString csv = Sciezka(QStringLiteral("z.csv"));
    const TPrzebieg wynik = Wsad({QStringLiteral("--output-dir"), Sciezka(QStringLiteral("wyniki")),
                                  QStringLiteral("--summary"), csv, QStringLiteral("-j"), QStringLiteral("2"), we});
    ::close(gniazdo);
    EXPECT_EQ(wynik.Kod, 1);
    QStringList strony = {QStringLiteral("dobry1.html"), QStringLiteral("dobry2.html"), QStringLiteral("duzy.html")};
    if (root)
        strony << QStringLiteral("zamkniety.html");
    strony.sort();
    EXPECT_EQ(QDir(Sciezka(QStringLiteral("wyniki"))).entryList(QDir::Files), strony);
    const struct
    {
        const char *Plik;
        const char *Powod;
    } odrzucone[] = {
        {"we/binarny.XML", "Błąd odczytu pliku"},          {"we/gniazdo.xml", "to gniazdo, a nie plik"},
        {"we/kolejka.xml", "to kolejka FIFO, a nie plik"}, {"we/nie_xml.xml", "Błąd odczytu pliku"},
        {"we/petla.xml", "zbyt wiele dowiązań symbolicznych"},   {"we/pusty.xml", "Błąd odczytu pliku"},
        {"we/utf16.xml", "Błąd odczytu pliku"},          {"we/wiszacy.xml", "nie ma takiego pliku ani katalogu"},
    };
    for (const auto &odrzucony : odrzucone) {
        const QString linia = QStringLiteral("  %1: %2").arg(Sciezka(QString::fromLatin1(odrzucony.Plik)),
                                                              QString::fromUtf8(odrzucony.Powod));
        EXPECT_TRUE(wynik.Bledy.contains(linia)) << qPrintable(linia) << "\n" << qPrintable(wynik.Bledy);
    }
    if (!root) {
        EXPECT_TRUE(wynik.Bledy.contains(QStringLiteral("zamkniety.xml: brak uprawnień")));
    }
    // The large message is counted whole in the summary.
    const QList<QByteArray> wiersze = CzytajPlik(csv).split('\n');
    const auto wiersz = std::find_if(wiersze.begin(), wiersze.end(), [](const QByteArray &w) { return w.contains("duzy.xml"); });
    ASSERT_NE(wiersz, wiersze.end());
    EXPECT_TRUE(wiersz->trimmed().endsWith(";OK")) << wiersz->constData();
    EXPECT_EQ(wiersz->split(';').value(11).toInt(), 2 + pozycje.size() / pozycja.size()) << wiersz->constData();
}

TEST_F(WsadTest, PrintsPdfsWithOneEngineAndLeavesNoPageBehind)
{
    Kopia(QStringLiteral("IE529.xml"), QStringLiteral("we/a.xml"));
    Kopia(QStringLiteral("IE599_maly.xml"), QStringLiteral("we/b.xml"));
    Kopia(QStringLiteral("obcy_korzen.xml"), QStringLiteral("we/c.xml"));
    const QString wyniki = Sciezka(QStringLiteral("pdf"));
    const TPrzebieg wynik = Wsad({QStringLiteral("--output-dir"), wyniki, QStringLiteral("--format"),
                                  QStringLiteral("pdf"), QStringLiteral("we")},
                                 300000);
    EXPECT_EQ(wynik.Kod, 1) << qPrintable(wynik.Bledy);
    EXPECT_EQ(QDir(wyniki).entryList(QDir::Files), QStringList({QStringLiteral("a.pdf"), QStringLiteral("b.pdf")}));
    for (const QString &pdf : {QStringLiteral("a.pdf"), QStringLiteral("b.pdf")})
        EXPECT_TRUE(CzytajPlik(wyniki + QLatin1Char('/') + pdf).startsWith("%PDF-")) << qPrintable(pdf);
    // The pages printed from went to the process's own temporary folder, which is gone.
    QDirIterator it(qEnvironmentVariable("XDG_RUNTIME_DIR"), {QStringLiteral("PlikWynik*")}, QDir::Files,
                    QDirIterator::Subdirectories);
    EXPECT_FALSE(it.hasNext()) << qPrintable(it.hasNext() ? it.next() : QString());
}

} // namespace
