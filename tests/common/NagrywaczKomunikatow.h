#pragma once

#include "Komunikaty.h"

#include <QString>

#include <vector>

// Records every message the service shows and answers with a chosen code, for
// as long as it lives. By default it stands in as the host's hook
// (ProcKomunikatu), which wins over silent mode and never sees a caption; as
// the dialog (TMiejsce::Okno) it is reached only where the real dialog would
// be, and records the caption too.
class TNagrywaczKomunikatow
{
public:
    enum class TMiejsce { Hak, Okno };

    struct TKomunikat
    {
        QString Tytul; // the dialog's only
        QString Tekst;
        TMsgDlgType Rodzaj;
        TMsgDlgButtons Przyciski;
        int32_t KontekstPomocy;
    };

    explicit TNagrywaczKomunikatow(int p_Odpowiedz = mrOk, TMiejsce p_Miejsce = TMiejsce::Hak)
        : FOdpowiedz(p_Odpowiedz), FMiejsce(p_Miejsce), FPoprzedni(s_Biezacy), FHak(ProcKomunikatu),
          FPrezenter(PrezenterKomunikatow()), FZwolnijEnter(ZwalnianieEnterKomunikatow()), FTrybCichy(TrybCichy)
    {
        s_Biezacy = this;
        if (FMiejsce == TMiejsce::Hak) {
            ProcKomunikatu = &nagrajZHaka;
        } else {
            ProcKomunikatu = nullptr;
            TrybCichy = false;
            UstawPrezenterKomunikatow(&nagrajZOkna, nullptr);
        }
    }
    ~TNagrywaczKomunikatow()
    {
        ProcKomunikatu = FHak;
        if (FMiejsce == TMiejsce::Okno) {
            TrybCichy = FTrybCichy;
            UstawPrezenterKomunikatow(FPrezenter, FZwolnijEnter);
        }
        s_Biezacy = FPoprzedni;
    }
    TNagrywaczKomunikatow(const TNagrywaczKomunikatow &) = delete;
    TNagrywaczKomunikatow &operator=(const TNagrywaczKomunikatow &) = delete;

    const std::vector<TKomunikat> &Komunikaty() const { return FKomunikaty; }
    void Wyczysc() { FKomunikaty.clear(); }

private:
    static int nagrajZHaka(const QString &p_Tekst, TMsgDlgType p_Rodzaj, TMsgDlgButtons p_Przyciski,
                           int32_t p_KontekstPomocy)
    {
        return nagrajZOkna(QString(), p_Tekst, p_Rodzaj, p_Przyciski, p_KontekstPomocy);
    }
    static int nagrajZOkna(const QString &p_Tytul, const QString &p_Tekst, TMsgDlgType p_Rodzaj,
                           TMsgDlgButtons p_Przyciski, int32_t p_KontekstPomocy)
    {
        s_Biezacy->FKomunikaty.push_back({p_Tytul, p_Tekst, p_Rodzaj, p_Przyciski, p_KontekstPomocy});
        return s_Biezacy->FOdpowiedz;
    }

    static inline TNagrywaczKomunikatow *s_Biezacy = nullptr;
    int FOdpowiedz;
    TMiejsce FMiejsce;
    TNagrywaczKomunikatow *FPoprzedni;
    TProcKomunikatu FHak;
    TPrezenterKomunikatow FPrezenter;
    TZwalnianieEnter FZwolnijEnter;
    bool FTrybCichy;
    std::vector<TKomunikat> FKomunikaty;
};
