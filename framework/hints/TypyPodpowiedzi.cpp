#include "TypyPodpowiedzi.h"

void TDanePodpowiedzi::WpiszDane(const QString &p_Podpowiedz, int32_t p_MaxSzerOkna, const QString &p_KodGUIDPodp,
                                 int32_t p_PozX, int32_t p_PozY, int32_t p_MaxCzasWSek, int32_t p_Flagi,
                                 TProcLinkOnClick p_ProcLinkOnClick)
{
    *this = TDanePodpowiedzi();
    Podpowiedz = p_Podpowiedz;
    MaxSzerOkna = p_MaxSzerOkna;
    KodGUIDPodp = p_KodGUIDPodp;
    PozX = p_PozX;
    PozY = p_PozY;
    MaxCzasWSek = p_MaxCzasWSek;
    Flagi = p_Flagi;
    ProcLinkOnClick = std::move(p_ProcLinkOnClick);
}

void TDanePodpowiedzi::WpiszUkrywana(const QString &p_Podpowiedz, const QString &p_KodGUIDPodp)
{
    Podpowiedz = p_Podpowiedz;
    KodGUIDPodp = p_KodGUIDPodp;
    Ukryj = true;
}

QString TDanePodpowiedzi::DajTresc() const
{
    QString t = Podpowiedz;
    for (qsizetype i = t.indexOf(QLatin1Char('[')); i >= 0; i = t.indexOf(QLatin1Char('['), i)) {
        const qsizetype koniec = t.indexOf(QLatin1Char(']'), i);
        if (koniec < 0)
            break;
        t.remove(i, koniec - i + 1);
    }
    for (qsizetype i = t.indexOf(QLatin1Char('{')); i >= 0; i = t.indexOf(QLatin1Char('{'), i)) {
        const qsizetype kreska = t.indexOf(QLatin1Char('|'), i + 1);
        const qsizetype koniec = kreska < 0 ? -1 : t.indexOf(QLatin1Char('}'), kreska + 1);
        if (koniec < 0)
            break;
        t.remove(kreska, koniec - kreska + 1);
        t.remove(i, 1);
        i = kreska - 1;
    }
    return t.trimmed();
}

QString TDanePodpowiedzi::DajSkrotTresci() const
{
    QString t = DajTresc();
    if (t.startsWith(QStringLiteral("Czy wiesz, że..."), Qt::CaseInsensitive))
        t.remove(0, 17);
    if (t.startsWith(QStringLiteral("Uwaga! ")))
        t.remove(0, 7);
    if (t.size() > 80)
        t = t.left(77) + QStringLiteral("...");
    return t;
}

uint8_t TDanePodpowiedzi::TypKomunikatu() const
{
    switch (FlagiLubZero(Flagi) & fpRodzaj) {
    case fpOstrzezenie: return 2;
    case fpBlad: return 3;
    case fpInformacja: return 4;
    default: return 1;
    }
}

void TDanePodpowiedzi::UstawTypKomunikatu(uint8_t p_Typ)
{
    Flagi = FlagiLubZero(Flagi) & ~fpRodzaj;
    switch (p_Typ) {
    case 2: Flagi |= fpOstrzezenie; break;
    case 3: Flagi |= fpBlad; break;
    case 4: Flagi |= fpInformacja; break;
    default: break;
    }
}
