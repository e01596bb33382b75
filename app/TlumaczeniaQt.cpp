#include "TlumaczeniaQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void ZaladujTlumaczeniaQt(QCoreApplication &p_Aplikacja)
{
    const QString katalog = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale polski(QLocale::Polish, QLocale::Poland);
    // qtbase: dialogs and widgets; qtwebengine: the browser pane's own texts.
    for (const char *katalogTekstow : {"qtbase", "qtwebengine"}) {
        auto *tlumacz = new QTranslator(&p_Aplikacja);
        if (tlumacz->load(polski, QString::fromLatin1(katalogTekstow), QStringLiteral("_"), katalog))
            QCoreApplication::installTranslator(tlumacz);
        else
            delete tlumacz;
    }
}
