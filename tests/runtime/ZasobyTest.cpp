// Named resources and the unpacking of packed ones.
#include "StrumienieZlib.h"
#include "Wyjatki.h"
#include "Zasoby.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A packed resource as the build makes it: zlib over a 4-byte little-endian
// length (here whatever the case claims) and the bytes.
QByteArray spakuj(quint32 p_Dlugosc, const QByteArray &p_Tresc)
{
    TMemoryStream cel;
    {
        TCompressionStream zlib(TCompressionLevel::clMax, cel);
        const unsigned char dlugosc[4] = {static_cast<unsigned char>(p_Dlugosc), static_cast<unsigned char>(p_Dlugosc >> 8),
                                          static_cast<unsigned char>(p_Dlugosc >> 16),
                                          static_cast<unsigned char>(p_Dlugosc >> 24)};
        zlib.WriteBuffer(dlugosc, 4);
        zlib.WriteBuffer(p_Tresc.constData(), p_Tresc.size());
        zlib.Zakoncz();
    }
    return QByteArray(static_cast<const char *>(cel.Memory()), cel.Size());
}

} // namespace

TEST(Zasoby, UnpackingGivesExactlyTheDeclaredBytesAndRefusesAnyOtherLength)
{
    const QByteArray tresc = QByteArray("<?xml version=\"1.0\"?>\r\n").repeated(500);
    struct TPrzypadek
    {
        const char *Nazwa;
        QByteArray Spakowany;
        bool Poprawny;
        QByteArray Tresc = QByteArray();
    };
    // Kept alive: the registry shows the bytes without a copy.
    static std::vector<QByteArray> pamiec;
    const TPrzypadek przypadki[] = {
        {"ZasobDobry", spakuj(tresc.size(), tresc), true, tresc},
        {"ZasobDluzszyNizMowi", spakuj(tresc.size() - 1, tresc), false},
        {"ZasobKrotszyNizMowi", spakuj(tresc.size() + 1, tresc), false},
        {"ZasobOgromny", spakuj(0xFFFFFFFFu, tresc), false},
        {"ZasobUciety", spakuj(tresc.size(), tresc).chopped(8), false},
        {"ZasobPusty", spakuj(0, QByteArray()), true, QByteArray()},
    };
    for (const TPrzypadek &p : przypadki) {
        SCOPED_TRACE(p.Nazwa);
        pamiec.push_back(p.Spakowany);
        ZarejestrujZasob(QLatin1String(p.Nazwa), reinterpret_cast<const unsigned char *>(pamiec.back().constData()),
                         static_cast<size_t>(pamiec.back().size()));
        if (p.Poprawny)
            EXPECT_EQ(RozpakujZasob(QString::fromLatin1(p.Nazwa).toLower()), p.Tresc);
        else
            EXPECT_THROW(RozpakujZasob(QLatin1String(p.Nazwa)), EZDecompressionError);
    }
    EXPECT_THROW(RozpakujZasob(QStringLiteral("NieMaTakiego")), EResNotFound);
}
