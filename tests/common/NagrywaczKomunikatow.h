#pragma once

#include "Komunikaty.h"

#include <QString>

#include <vector>

// Records every message the service shows (through the ProcKomunikatu hook)
// and answers with a chosen code, for as long as it lives.
class TNagrywaczKomunikatow
{
public:
    struct TKomunikat
    {
        QString Tekst;
        TMsgDlgType Rodzaj;
        TMsgDlgButtons Przyciski;
    };

    explicit TNagrywaczKomunikatow(int p_Odpowiedz = mrOk)
    {
        s_Biezacy = this;
        FOdpowiedz = p_Odpowiedz;
        FPoprzedni = ProcKomunikatu;
        ProcKomunikatu = &nagraj;
    }
    ~TNagrywaczKomunikatow()
    {
        ProcKomunikatu = FPoprzedni;
        s_Biezacy = nullptr;
    }
    TNagrywaczKomunikatow(const TNagrywaczKomunikatow &) = delete;
    TNagrywaczKomunikatow &operator=(const TNagrywaczKomunikatow &) = delete;

    const std::vector<TKomunikat> &Komunikaty() const { return FKomunikaty; }

private:
    static int nagraj(const QString &p_Tekst, TMsgDlgType p_Rodzaj, TMsgDlgButtons p_Przyciski, int32_t)
    {
        s_Biezacy->FKomunikaty.push_back({p_Tekst, p_Rodzaj, p_Przyciski});
        return s_Biezacy->FOdpowiedz;
    }

    static inline TNagrywaczKomunikatow *s_Biezacy = nullptr;
    int FOdpowiedz;
    TProcKomunikatu FPoprzedni;
    std::vector<TKomunikat> FKomunikaty;
};
