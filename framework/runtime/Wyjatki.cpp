#include "Wyjatki.h"

const char *Exception::what() const noexcept
{
    if (FWhat.isEmpty() && !FMessage.isEmpty())
        FWhat = FMessage.toUtf8();
    return FWhat.constData();
}

QString KomunikatWyjatku(const std::exception &p_Wyjatek)
{
    if (auto *nasz = dynamic_cast<const Exception *>(&p_Wyjatek))
        return nasz->Message();
    return QString::fromUtf8(p_Wyjatek.what());
}
