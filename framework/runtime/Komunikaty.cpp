#include "Komunikaty.h"

#include <QCoreApplication>

#include <cstdio>

TProcKomunikatu ProcKomunikatu = nullptr;
bool TrybCichy = false;

namespace {

TPrezenterKomunikatow prezenter = nullptr;
TZwalnianieEnter zwolnijEnter = nullptr;
QString tytulAplikacji;
thread_local TZbieraczKomunikatow *tl_Zbieracz = nullptr;

// Runs the drain when the dialog is over, however it ended. A failing drain
// must not replace the caller's answer or the dialog's own exception.
class TZwolnienieEnterNaKoniec
{
public:
    ~TZwolnienieEnterNaKoniec()
    {
        if (!zwolnijEnter)
            return;
        try {
            zwolnijEnter();
        } catch (...) {
        }
    }
};

} // namespace

int PokazKomunikatNaStderr(const QString &p_Tytul, const QString &p_Tekst, TMsgDlgType, TMsgDlgButtons p_Przyciski,
                           int32_t)
{
    QString tekst = p_Tekst;
    tekst.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(p_Tytul), qUtf8Printable(tekst));
    std::fflush(stderr);
    return OdpowiedzWTrybieCichym(p_Przyciski);
}

void UstawPrezenterKomunikatow(TPrezenterKomunikatow p_Prezenter, TZwalnianieEnter p_ZwolnijEnter)
{
    prezenter = p_Prezenter;
    zwolnijEnter = p_ZwolnijEnter;
}

TPrezenterKomunikatow PrezenterKomunikatow()
{
    return prezenter;
}

TZwalnianieEnter ZwalnianieEnterKomunikatow()
{
    return zwolnijEnter;
}

QString TytulAplikacji()
{
    return tytulAplikacji.isEmpty() ? QCoreApplication::applicationName() : tytulAplikacji;
}

void UstawTytulAplikacji(const QString &p_Tytul)
{
    tytulAplikacji = p_Tytul;
}

QString TytulKomunikatu(TMsgDlgType p_Rodzaj)
{
    switch (p_Rodzaj) {
    case mtWarning:
        return QStringLiteral("UWAGA!");
    case mtError:
        return QStringLiteral("Błąd");
    case mtInformation:
        return QStringLiteral("Informacja");
    case mtConfirmation:
        return QStringLiteral("Potwierdź");
    case mtCustom:
        break;
    }
    return TytulAplikacji();
}

QString NapisPrzycisku(TMsgDlgBtn p_Przycisk)
{
    if (p_Przycisk < mbYes || p_Przycisk > mbClose)
        return QString();
    static const char16_t *const napisy[] = {
        u"&Tak", u"&Nie", u"OK", u"Anuluj", u"Prze&rwij", u"Ponów p&róbę",
        u"&Ignoruj", u"&Wszystkie", u"Nie na wszystkie", u"Tak na wszystkie", u"&Pomoc", u"&Zamknij",
    };
    return QString::fromUtf16(napisy[p_Przycisk]);
}

int OdpowiedzPrzycisku(TMsgDlgBtn p_Przycisk)
{
    static const int odpowiedzi[] = {mrYes,   mrNo,  mrOk,      mrCancel,   mrAbort, mrRetry,
                                     mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrNone,  mrClose};
    if (p_Przycisk < mbYes || p_Przycisk > mbClose)
        return mrNone;
    return odpowiedzi[p_Przycisk];
}

int DomyslnyPrzycisk(TMsgDlgButtons p_Przyciski)
{
    for (TMsgDlgBtn kandydat : {mbOK, mbYes, mbRetry})
        if (p_Przyciski & Przycisk(kandydat))
            return kandydat;
    return -1;
}

int OdpowiedzWTrybieCichym(TMsgDlgButtons p_Przyciski)
{
    if (p_Przyciski & Przycisk(mbOK))
        return mrOk;
    if (p_Przyciski & Przycisk(mbYes))
        return mrYes;
    return mrCancel;
}

int PokazKomunikat(const QString &p_Tekst, TMsgDlgType p_Rodzaj, TMsgDlgButtons p_Przyciski,
                   int32_t p_KontekstPomocy)
{
    return PokazKomunikatZTytulem(TytulKomunikatu(p_Rodzaj), p_Tekst, p_Rodzaj, p_Przyciski, p_KontekstPomocy);
}

int PokazKomunikatZTytulem(const QString &p_Tytul, const QString &p_Tekst, TMsgDlgType p_Rodzaj,
                           TMsgDlgButtons p_Przyciski, int32_t p_KontekstPomocy)
{
    if (tl_Zbieracz) {
        tl_Zbieracz->Dodaj({p_Tytul, p_Tekst, p_Rodzaj, p_Przyciski, p_KontekstPomocy});
        return OdpowiedzWTrybieCichym(p_Przyciski);
    }
    if (ProcKomunikatu)
        return ProcKomunikatu(p_Tekst, p_Rodzaj, p_Przyciski, p_KontekstPomocy);
    if (TrybCichy)
        return OdpowiedzWTrybieCichym(p_Przyciski);
    if (!prezenter)
        return PokazKomunikatNaStderr(p_Tytul, p_Tekst, p_Rodzaj, p_Przyciski, p_KontekstPomocy);
    if (zwolnijEnter)
        zwolnijEnter();
    TZwolnienieEnterNaKoniec zwolnijPoOknie;
    return prezenter(p_Tytul, p_Tekst, p_Rodzaj, p_Przyciski, p_KontekstPomocy);
}

int PokazKomunikatPrzyciski(const QString &p_Tekst, TMsgDlgType p_Rodzaj, TMsgDlgButtons p_Przyciski)
{
    return PokazKomunikat(p_Tekst, p_Rodzaj, p_Przyciski, 0);
}

int PokazKomunikatOK(const QString &p_Tekst, TMsgDlgType p_Rodzaj)
{
    return PokazKomunikatPrzyciski(p_Tekst, p_Rodzaj, mbOKOnly);
}

void PokazKomunikatFmt(const QString &p_Format, const TArrayOfConst &p_Argumenty, TMsgDlgType p_Rodzaj)
{
    PokazKomunikatOK(Format(p_Format, p_Argumenty), p_Rodzaj);
}

QString KomunikatZKropka(const QString &p_Komunikat)
{
    if (!p_Komunikat.isEmpty() && p_Komunikat.back() > QLatin1Char('.'))
        return p_Komunikat + QLatin1Char('.');
    return p_Komunikat;
}

TZbieraczKomunikatow::TZbieraczKomunikatow() : FPoprzedni(tl_Zbieracz)
{
    tl_Zbieracz = this;
}

TZbieraczKomunikatow::~TZbieraczKomunikatow()
{
    tl_Zbieracz = FPoprzedni;
}

void TZbieraczKomunikatow::Odtworz(const std::vector<TZebranyKomunikat> &p_Komunikaty)
{
    for (const TZebranyKomunikat &k : p_Komunikaty)
        PokazKomunikatZTytulem(k.Tytul, k.Tekst, k.Rodzaj, k.Przyciski, k.KontekstPomocy);
}
