#include "LadowaniePanelu.h"

#include "Komunikaty.h"
#include "PanelDokumentu.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLibrary>
#include <QOpenGLContext>
#include <QTimer>
#include <QWidget>

QT_BEGIN_NAMESPACE
// Qt's own hook for the context every other one shares with; the engine sets
// it the same way when it starts before the application object.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *p_Kontekst);
QT_END_NAMESPACE

namespace {

constexpr char plikBiblioteki[] = "libostrevia_przegladarka.so";
// A shown window is painted well within this; past it the pane comes anyway.
constexpr int najpozniejMs = 1000;

// Beside the program (the build), or in the library folder of an installation;
// else by name, which also finds it in a program that links it.
QString bibliotekaPanelu()
{
    const QString katalog = QCoreApplication::applicationDirPath();
    for (const QString &plik : {katalog + QLatin1Char('/') + QLatin1String(plikBiblioteki),
                                katalog + QStringLiteral("/../lib/ostrevia/") + QLatin1String(plikBiblioteki)})
        if (QFileInfo::exists(plik))
            return plik;
    return QStringLiteral("ostrevia_przegladarka");
}

// The engine reads the format of the OpenGL context its views would share
// textures with, and crashes without one, even when it draws in software as
// it does here (see the library's entry point). A program linking the engine
// makes a real context before its application object exists, which costs the
// start the loading of the OpenGL driver; this one is never created, so the
// driver is never loaded. It lives as long as the process.
void przygotujWspolnyKontekst()
{
    if (QOpenGLContext::globalShareContext())
        return;
    auto *kontekst = new QOpenGLContext;
    qt_gl_set_global_share_context(kontekst);
}

} // namespace

TLadowaniePanelu::TLadowaniePanelu(QWidget &p_Okno, QWidget &p_Rodzic, std::function<void(TPanelDokumentu *)> p_Gotowy)
    : QObject(&p_Okno), FOkno(p_Okno), FRodzic(p_Rodzic), FGotowy(std::move(p_Gotowy))
{
    FOkno.installEventFilter(this);
}

bool TLadowaniePanelu::eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie)
{
    if (p_Obiekt == &FOkno && !FProbowano) {
        // Queued behind the paint, so that the window reaches the screen first.
        if (p_Zdarzenie->type() == QEvent::Paint)
            QTimer::singleShot(0, this, &TLadowaniePanelu::Zaladuj);
        else if (p_Zdarzenie->type() == QEvent::Show)
            QTimer::singleShot(najpozniejMs, this, &TLadowaniePanelu::Zaladuj);
    }
    return false;
}

void TLadowaniePanelu::Zamow()
{
    QTimer::singleShot(0, this, [this] {
        if (!FOkno.isVisible())
            Zaladuj();
    });
}

void TLadowaniePanelu::Zaladuj()
{
    if (FProbowano)
        return;
    FProbowano = true;
    FOkno.removeEventFilter(this);
    przygotujWspolnyKontekst();
    QLibrary biblioteka(bibliotekaPanelu());
    // Whatever the library needs of this program is looked up now: missing,
    // it is refused here, not when a printout first calls it.
    biblioteka.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    const auto utworz = reinterpret_cast<TUtworzPanelDokumentu>(biblioteka.resolve(NazwaUtworzPanelDokumentu));
    if (!utworz) {
        PokazKomunikat(QStringLiteral("Nie można uruchomić przeglądarki dokumentów:\r") + biblioteka.errorString(),
                       mtError, mbOKOnly, 0);
        return;
    }
    FGotowy(utworz(&FRodzic));
}
