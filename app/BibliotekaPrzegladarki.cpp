// The entry point of libostrevia_przegladarka.so: the browser engine's side
// of the viewer, loaded by the window once it is on screen.
#include "WidokDokumentu.h"

#include <QQuickWindow>

extern "C" Q_DECL_EXPORT TPanelDokumentu *UtworzPanelDokumentu(QWidget *p_Rodzic)
{
    // The engine's views draw through Qt Quick. On OpenGL, the first view
    // would turn the window, on screen already, into an OpenGL surface, which
    // Qt does by destroying and re-creating it: the whole window would blink.
    // A document needs no GPU; drawn in software, the window stays as it is
    // and the OpenGL driver is never loaded.
    static const bool gotowe = [] {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        return true;
    }();
    Q_UNUSED(gotowe);
    return new TWidokDokumentu(p_Rodzic);
}
