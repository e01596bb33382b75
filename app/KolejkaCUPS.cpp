#include "KolejkaCUPS.h"

#include <cups/cups.h>

#include <algorithm>

namespace {

QString powod()
{
    switch (cupsLastError()) {
    case IPP_STATUS_ERROR_NOT_FOUND:
        return QStringLiteral("nie ma takiej drukarki");
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED:
        return QStringLiteral("brak uprawnień do drukarki");
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return QStringLiteral("drukarka nie przyjmuje zadań");
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
        return QStringLiteral("usługa drukowania (CUPS) nie odpowiada");
    case IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED:
        return QStringLiteral("drukarka nie przyjmuje plików PDF");
    default:
        return QStringLiteral("błąd CUPS: ") + QString::fromUtf8(cupsLastErrorString());
    }
}

// Frees the options however the job ends.
class TOpcje
{
public:
    explicit TOpcje(const QList<TOpcjaCUPS> &p_Opcje)
    {
        for (const TOpcjaCUPS &opcja : p_Opcje)
            FLiczba = cupsAddOption(opcja.first.constData(), opcja.second.constData(), FLiczba, &FOpcje);
    }
    ~TOpcje() { cupsFreeOptions(FLiczba, FOpcje); }
    TOpcje(const TOpcje &) = delete;
    TOpcje &operator=(const TOpcje &) = delete;

    int Liczba() const { return FLiczba; }
    cups_option_t *Opcje() const { return FOpcje; }

private:
    int FLiczba = 0;
    cups_option_t *FOpcje = nullptr;
};

} // namespace

bool WyslijDoCUPS(const QString &p_Kolejka, const QByteArray &p_Pdf, const QString &p_Tytul,
                  const QList<TOpcjaCUPS> &p_Opcje, QString &p_Blad)
{
    const QByteArray kolejka = p_Kolejka.toUtf8();
    const QByteArray tytul = p_Tytul.toUtf8();
    const TOpcje opcje(p_Opcje);
    int zadanie = 0;
    auto niepowodzenie = [&] {
        // The reason is read before cancelling, which would replace it.
        p_Blad = QStringLiteral("Nie udało się wysłać wydruku do drukarki %1:\r%2").arg(p_Kolejka, powod());
        if (zadanie > 0)
            cupsCancelJob2(CUPS_HTTP_DEFAULT, kolejka.constData(), zadanie, 0);
        return false;
    };

    // Streamed from memory as one document: no temporary file to leave behind.
    zadanie = cupsCreateJob(CUPS_HTTP_DEFAULT, kolejka.constData(), tytul.constData(), opcje.Liczba(), opcje.Opcje());
    if (zadanie <= 0)
        return niepowodzenie();
    bool wyslano = cupsStartDocument(CUPS_HTTP_DEFAULT, kolejka.constData(), zadanie, tytul.constData(),
                                     CUPS_FORMAT_PDF, 1)
                   == HTTP_STATUS_CONTINUE;
    constexpr qsizetype porcja = 64 * 1024;
    for (qsizetype poczatek = 0; wyslano && poczatek < p_Pdf.size(); poczatek += porcja)
        wyslano = cupsWriteRequestData(CUPS_HTTP_DEFAULT, p_Pdf.constData() + poczatek,
                                       static_cast<size_t>(std::min(porcja, p_Pdf.size() - poczatek)))
                  == HTTP_STATUS_CONTINUE;
    // The request is closed either way before anything else is asked.
    if (cupsFinishDocument(CUPS_HTTP_DEFAULT, kolejka.constData()) != IPP_STATUS_OK || !wyslano)
        return niepowodzenie();
    return true;
}
