#include "AktualizacjaAkcji.h"

#include "LogBledow.h"
#include "Parametry.h"
#include "Wersja.h"

#include <QApplication>
#include <QWidget>

namespace {

int GPoziomAktualizacji = 0;

QString opisFormy(const QWidget *p_Forma)
{
    return p_Forma->objectName() + QLatin1Char(':') + QString::fromLatin1(p_Forma->metaObject()->className());
}

// Lowered on the way out even when the update raises.
class TPoziomAktualizacji
{
public:
    TPoziomAktualizacji() { ++GPoziomAktualizacji; }
    ~TPoziomAktualizacji() { --GPoziomAktualizacji; }
    TPoziomAktualizacji(const TPoziomAktualizacji &) = delete;
    TPoziomAktualizacji &operator=(const TPoziomAktualizacji &) = delete;
};

constexpr int MaxRozmLoguAktualizacji = 102400;

} // namespace

bool TrwaAktualizacjaAkcji()
{
    return GPoziomAktualizacji > 0;
}

QStringList OpisyForm()
{
    QStringList opisy;
    for (const QWidget *okno : QApplication::topLevelWidgets()) {
        const Qt::WindowType typ = okno->windowType();
        if (typ == Qt::Window || typ == Qt::Dialog || typ == Qt::Sheet || typ == Qt::Tool)
            opisy << opisFormy(okno);
    }
    return opisy;
}

QString OpisBrakujacychForm(const QWidget *p_Forma, const QStringList &p_Przed, const QStringList &p_Po)
{
    if (p_Przed.size() == p_Po.size())
        return QString();
    QStringList brakujace = p_Przed;
    for (const QString &obecna : p_Po)
        brakujace.removeOne(obecna);
    return opisFormy(p_Forma) + QStringLiteral(" - brak ") + brakujace.join(QLatin1Char(','));
}

void AktualizujAkcje(const QWidget *p_Forma, const std::function<void()> &p_Aktualizacja)
{
    const bool diagnostyka = JestParametr(QStringLiteral("diag"));
    const QStringList przed = diagnostyka ? OpisyForm() : QStringList();
    {
        TPoziomAktualizacji poziom;
        p_Aktualizacja();
    }
    if (!diagnostyka)
        return;
    const QString opis = OpisBrakujacychForm(p_Forma, przed, OpisyForm());
    if (!opis.isEmpty())
        ZapiszWyjatekWLogu(opis, NazwaProduktu + QStringLiteral("UpdateActions.txt"), MaxRozmLoguAktualizacji,
                           QDateTime(), true);
}
