#include "Zasoby.h"

#include "LkTypyBazowe.h"
#include "StrumienieZlib.h"
#include "Wyjatki.h"

#include <QHash>

#include <mutex>

namespace {

struct TRejestrZasobow
{
    std::mutex Blokada;
    QHash<QString, QByteArray> Zasoby;
};

TRejestrZasobow &rejestr()
{
    static TRejestrZasobow instancja;
    return instancja;
}

} // namespace

void ZarejestrujZasob(const QString &p_Nazwa, const unsigned char *p_Dane, size_t p_Rozmiar)
{
    auto &r = rejestr();
    std::lock_guard<std::mutex> blokada(r.Blokada);
    r.Zasoby.insert(p_Nazwa.toUpper(), QByteArray::fromRawData(reinterpret_cast<const char *>(p_Dane),
                                                               static_cast<qsizetype>(p_Rozmiar)));
}

bool JestZasob(const QString &p_Nazwa)
{
    auto &r = rejestr();
    std::lock_guard<std::mutex> blokada(r.Blokada);
    return r.Zasoby.contains(p_Nazwa.toUpper());
}

QByteArray DajZasob(const QString &p_Nazwa)
{
    auto &r = rejestr();
    std::lock_guard<std::mutex> blokada(r.Blokada);
    const auto it = r.Zasoby.constFind(p_Nazwa.toUpper());
    if (it == r.Zasoby.constEnd())
        throw EResNotFound(QStringLiteral("Resource %1 not found").arg(p_Nazwa));
    return it.value();
}

QByteArray RozpakujZasob(const QString &p_Nazwa)
{
    // Our own resources are small; the bound keeps a damaged length from
    // asking for memory the stream cannot fill.
    constexpr quint32 najwiekszaDlugosc = 256u * 1024 * 1024;
    const QByteArray spakowany = DajZasob(p_Nazwa);
    TLkReadOnlyRawByteStream zrodlo(spakowany);
    TDecompressionStream rozpakowany(zrodlo);

    unsigned char naglowek[4];
    rozpakowany.ReadBuffer(naglowek, sizeof naglowek);
    const quint32 dlugosc = quint32(naglowek[0]) | quint32(naglowek[1]) << 8 | quint32(naglowek[2]) << 16
                            | quint32(naglowek[3]) << 24;
    const QString uszkodzony = QStringLiteral("Uszkodzony zasób %1: %2");
    if (dlugosc > najwiekszaDlugosc)
        throw EZDecompressionError(uszkodzony.arg(p_Nazwa, QStringLiteral("zbyt duża długość")));
    QByteArray tresc(qsizetype(dlugosc), Qt::Uninitialized);
    if (rozpakowany.Read(tresc.data(), dlugosc) != dlugosc)
        throw EZDecompressionError(uszkodzony.arg(p_Nazwa, QStringLiteral("dane krótsze niż ich długość")));
    char nadmiar;
    if (rozpakowany.Read(&nadmiar, 1) != 0)
        throw EZDecompressionError(uszkodzony.arg(p_Nazwa, QStringLiteral("dane dłuższe niż ich długość")));
    return tresc;
}
