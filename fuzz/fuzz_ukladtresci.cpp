// Any input: a hint's marked-up text laid out at a width the input picks,
// under the font bundled with the tests. Pieces stay inside the content size,
// style numbers point into the style list, link pieces are found by the hit
// test, and every piece can be drawn.
#include "StylePodpowiedzi.h"
#include "UkladTresci.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPoint>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

namespace {

QFont czcionka;

// The failed condition's line, so that a crash names what broke.
void sprawdz(bool p_Warunek, int p_Linia = __builtin_LINE())
{
    if (!p_Warunek) {
        std::fprintf(stderr, "fuzz_ukladtresci.cpp:%d: condition failed\n", p_Linia);
        std::abort();
    }
}

}

// fontconfig keeps its caches until exit; the application object is never freed.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:QGuiApplication\n";
}

extern "C" int LLVMFuzzerInitialize(int *p_Argc, char ***p_Argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: at exit Qt's own statics are already gone.
    new QGuiApplication(*p_Argc, *p_Argv);
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(OSTREVIA_CZCIONKA));
    const QStringList rodziny = QFontDatabase::applicationFontFamilies(id);
    if (rodziny.isEmpty())
        std::abort();
    czcionka = QFont(rodziny.first());
    czcionka.setPointSize(10);
    czcionka.setHintingPreference(QFont::PreferFullHinting);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *p_Dane, size_t p_Rozmiar)
{
    // The font cache is trimmed by a timer, as it is in the running program.
    QCoreApplication::processEvents();
    FuzzedDataProvider dane(p_Dane, p_Rozmiar);
    const int szerokosc = dane.ConsumeIntegralInRange(1, 600);
    const std::string bajty = dane.ConsumeRemainingBytesAsString();
    const QString tekst = QString::fromUtf8(bajty.data(), qsizetype(bajty.size()));

    TUkladTresci uklad;
    uklad.UstawCzcionkeOkna(czcionka, 0);
    bool sformatowany = false;
    QSize rozmiar;
    uklad.UlozTresc(tekst, szerokosc, sformatowany, rozmiar);

    const auto &lista = uklad.DispLista();
    const int style = uklad.ListaStylow().Ile();
    sprawdz(rozmiar.width() >= 0 && rozmiar.height() >= 0);
    for (const TElemDispListy &e : lista) {
        sprawdz(e.NrStylu >= 0 && e.NrStylu < style);
        // An unclosed last link has no entry among the targets; the window reads it as empty.
        sprawdz(e.NrLinku >= 0);
        sprawdz(e.XKon >= e.XPocz && e.YKon >= e.YPocz);
        sprawdz(e.XKon <= rozmiar.width() && e.YKon <= rozmiar.height());
    }
    for (const int link : uklad.ListaLinkow())
        sprawdz(link >= 0 && link < int(lista.size()));
    if (!lista.empty()) {
        const TElemDispListy &e = lista[dane.ConsumeIntegralInRange<size_t>(0, lista.size() - 1)];
        const int znaleziony = uklad.ZnajdzLink(QPoint(e.XPocz, e.YPocz));
        sprawdz(znaleziony < int(lista.size()));
        if (e.NrLinku > 0 && e.XKon > e.XPocz && e.YKon > e.YPocz)
            sprawdz(znaleziony >= 0 && lista[znaleziony].NrLinku > 0);
    }
    (void)uklad.TrescBezFormatowania();

    // Drawing every piece, clipped to a small picture so that a huge text stays cheap.
    QImage obraz(64, 64, QImage::Format_RGB32);
    QPainter painter(&obraz);
    for (const TElemDispListy &e : lista)
        if (e.YPocz < 64 && e.XPocz < 64)
            uklad.RysujElement(painter, e, 0xE1FFFF, 0, false);
    return 0;
}
