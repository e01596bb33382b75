// The application object: an exception out of an event handler becomes an
// error box titled with the application title, and the window goes on. The
// test suite runs on its own QApplication, so a small program built on
// TLkAplikacja (ProbaAplikacji.cpp) is run and its report read.
#include "Komunikaty.h"

#include <QMessageBox>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

// Lines of the report: OKNO title icon text | HAK kind buttons text, decoded.
struct TRaport
{
    QList<QStringList> Linie;
    int Klikniecia = -1;
    QString Data; // a date in the default short format
    int Aktualizacje = -1; // idle action updates of a shown form
};

QString zHex(const QByteArray &p_Pole)
{
    return QString::fromUtf8(QByteArray::fromHex(p_Pole));
}

TRaport uruchomProbe(const QStringList &p_Komunikaty, bool p_Hak)
{
    QStringList argumenty;
    if (p_Hak)
        argumenty << QStringLiteral("--hak");
    for (const QString &komunikat : p_Komunikaty)
        argumenty << QString::fromLatin1(komunikat.toUtf8().toHex());
    QProcess proba;
    // The machine's locale must not decide the interface's language.
    QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
    srodowisko.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    proba.setProcessEnvironment(srodowisko);
    proba.start(QStringLiteral(OSTREVIA_PROBA_APLIKACJI), argumenty);
    EXPECT_TRUE(proba.waitForFinished(60000));
    EXPECT_EQ(proba.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(proba.exitCode(), 0) << proba.readAllStandardError().toStdString();

    TRaport raport;
    for (const QByteArray &linia : proba.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> pola = linia.split(' ');
        if (pola.value(0) == "KLIKNIECIA") {
            raport.Klikniecia = pola.value(1).toInt();
        } else if (pola.value(0) == "AKTUALIZACJE") {
            raport.Aktualizacje = pola.value(1).toInt();
        } else if (pola.value(0) == "DATA") {
            raport.Data = QString::fromUtf8(linia.mid(5));
        } else if (pola.size() == 4 && pola[0] == "OKNO") {
            raport.Linie.append({"OKNO", zHex(pola[1]), QString::fromLatin1(pola[2]), zHex(pola[3])});
        } else if (pola.size() == 4 && pola[0] == "HAK") {
            raport.Linie.append({"HAK", QString::fromLatin1(pola[1]), QString::fromLatin1(pola[2]), zHex(pola[3])});
        }
    }
    return raport;
}

TEST(LkAplikacjaTest, WyjatekZObslugiZdarzeniaIdzieDoKomunikatuBleduZKropka)
{
    const QList<std::pair<QString, QString>> przypadki = {
        {"Brak pliku", "Brak pliku."},
        {"Koniec.", "Koniec."},
        {"Czy na pewno?", "Czy na pewno?."},
        {"Uwaga!", "Uwaga!"},
        {"Lista (3)", "Lista (3)"},
        {"Po przecinku,", "Po przecinku,"},
        {"Katalog /tmp/", "Katalog /tmp/."},
        {"Ścieżka żółć", "Ścieżka żółć."},
        {"Dwie linie\rdruga", "Dwie linie\rdruga."},
        {"Koniec linii\r", "Koniec linii\r"},
        {"", ""},
        {"--std Błąd biblioteki", "Błąd biblioteki."},
        {"--obcy", "Nieznany wyjątek."},
    };
    QStringList komunikaty;
    for (const auto &przypadek : przypadki)
        komunikaty << przypadek.first;

    const TRaport raport = uruchomProbe(komunikaty, true);

    ASSERT_EQ(raport.Linie.size(), przypadki.size());
    for (int i = 0; i < przypadki.size(); ++i) {
        const QStringList &linia = raport.Linie[i];
        EXPECT_EQ(linia[0], QStringLiteral("HAK"));
        EXPECT_EQ(linia[1].toInt(), mtError) << i;
        EXPECT_EQ(linia[2].toInt(), mbOKOnly) << i;
        EXPECT_EQ(linia[3], przypadki[i].second) << "case " << i;
    }
    // Every click reached the handler: the window stayed usable.
    EXPECT_EQ(raport.Klikniecia, przypadki.size());
}

TEST(LkAplikacjaTest, PrawdziweOknoWyjatkuMaTytulAplikacjiIIkoneBledu)
{
    const TRaport raport = uruchomProbe({QStringLiteral("Nie można otworzyć\rpliku"), QStringLiteral("Drugi raz")},
                                        false);

    ASSERT_EQ(raport.Linie.size(), 2);
    EXPECT_EQ(raport.Linie[0], (QStringList{"OKNO", "Ostrevia", QString::number(QMessageBox::Critical),
                                            "Nie można otworzyć\npliku."}));
    EXPECT_EQ(raport.Linie[1][3], QStringLiteral("Drugi raz."));
    EXPECT_EQ(raport.Klikniecia, 2);
    EXPECT_EQ(raport.Data, QStringLiteral("5.03.2024"));
    EXPECT_GT(raport.Aktualizacje, 0);
}

} // namespace
