#include "PlikiTekstowe.h"

#include "KodowanieZnakow.h"
#include "Strumienie.h"

#include <exception>

bool WczytajTekstZPliku(QString &p_Tekst, const QString &p_NazwaPliku)
{
    try {
        TFileStream plik(p_NazwaPliku, fmOpenRead | fmShareDenyWrite);
        const int64_t rozmiar = plik.Size();
        if (rozmiar < 0)
            return false;
        QByteArray bajty(qsizetype(rozmiar), Qt::Uninitialized);
        plik.ReadBuffer(bajty.data(), rozmiar);
        p_Tekst = TekstZPolskiegoAnsi(bajty);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

bool ZapiszTekstDoPliku(const QString &p_Tekst, const QString &p_NazwaPliku)
{
    try {
        // Converted before the file is touched, so a failed conversion leaves it as it was.
        const QByteArray bajty = TekstNaPolskiAnsi(p_Tekst);
        TFileStream plik(p_NazwaPliku, fmCreate);
        plik.WriteBuffer(bajty.constData(), bajty.size());
        return true;
    } catch (const std::exception &) {
        return false;
    }
}
