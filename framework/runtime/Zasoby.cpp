#include "Zasoby.h"

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
