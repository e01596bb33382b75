#include "TlumaczeniaQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstring>

namespace {

// Texts of Qt's print and file dialogs that Qt's Polish catalogue lacks.
// Asked last, so the catalogue's own translations always win.
class TUzupelnienieTlumaczen : public QTranslator
{
public:
    using QTranslator::QTranslator;

    QString translate(const char *p_Kontekst, const char *p_Tekst, const char *, int) const override
    {
        struct TTlumaczenie
        {
            const char *Kontekst;
            const char *Tekst;
            const char16_t *Polski;
        };
        static const TTlumaczenie tlumaczenia[] = {
            {"QPrintSettingsOutput", "Double Sided Printing", u"Drukowanie dwustronne"},
            {"QPrintSettingsOutput", "Off", u"Wyłączone"},
            {"QPrintSettingsOutput", "Long side binding", u"Wzdłuż dłuższej krawędzi"},
            {"QPrintSettingsOutput", "Short side binding", u"Wzdłuż krótszej krawędzi"},
            {"QPrintSettingsOutput", "Pages", u"Strony"},
            {"QPrintSettingsOutput",
             "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a "
             "hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
             u"Podaj strony lub zakresy stron rozdzielone przecinkami; zakres to dwie liczby połączone łącznikiem. "
             u"Na przykład 3,5-7,9 drukuje strony 3, 5, 6, 7 i 9."},
            {"QPrintPropertiesWidget", "Advanced", u"Zaawansowane"},
            {"QPrintPropertiesWidget", "There are conflicts in some options. Please fix them.",
             u"Niektóre opcje wykluczają się wzajemnie. Popraw je."},
            {"QAbstractFileIconProvider", "Drive", u"Dysk"},
            {"QAbstractFileIconProvider", "Folder", u"Folder"},
        };
        for (const TTlumaczenie &t : tlumaczenia)
            if (std::strcmp(t.Kontekst, p_Kontekst) == 0 && std::strcmp(t.Tekst, p_Tekst) == 0)
                return QString::fromUtf16(t.Polski);
        return QString();
    }

    bool isEmpty() const override { return false; }
};

} // namespace

void ZaladujTlumaczeniaQt(QCoreApplication &p_Aplikacja)
{
    // The translator installed last is asked first.
    QCoreApplication::installTranslator(new TUzupelnienieTlumaczen(&p_Aplikacja));
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
