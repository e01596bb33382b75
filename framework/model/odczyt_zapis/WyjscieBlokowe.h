#pragma once

#include "Strumienie.h"

#include <QByteArrayView>

#include <cstdint>
#include <cstring>
#include <memory>

class TZapisywaczTekstu;

// The output of one text write gathered in blocks: a small write is a copy
// into the block, and the block goes to the target stream whole when full
// and on Oproznij. It can only be written: reading or positioning raise
// LkException. The destructor drops what is left (the write it belonged to
// failed); a write that succeeds ends with Oproznij, which raises a failed
// write of the target.
class TWyjscieBlokowe : public TStream
{
public:
    static constexpr int64_t RozmBloku = 65536;

    explicit TWyjscieBlokowe(TStream *p_Cel);

    void Dopisz(const char *p_Bajty, int64_t p_Ile)
    {
        if (p_Ile <= FKoniec - FPoz) [[likely]] {
            std::memcpy(FPoz, p_Bajty, static_cast<size_t>(p_Ile));
            FPoz += p_Ile;
        } else {
            DopiszDuzo(p_Bajty, p_Ile);
        }
    }
    void Dopisz(QByteArrayView p_Bajty) { Dopisz(p_Bajty.data(), p_Bajty.size()); }
    void Dopisz(char p_Znak)
    {
        if (FPoz == FKoniec) [[unlikely]]
            Oproznij();
        *FPoz++ = p_Znak;
    }
    // Room for p_Ile bytes (at most RozmBloku) at the returned place; the
    // caller fills some and hands back the end with Zajete.
    char *Miejsce(int64_t p_Ile)
    {
        if (p_Ile > FKoniec - FPoz) [[unlikely]]
            Oproznij();
        return FPoz;
    }
    void Zajete(char *p_Koniec) { FPoz = p_Koniec; }
    // Writes the block out; short writes of the target raise "Stream write error".
    void Oproznij();

    int64_t Read(void *p_Bufor, int64_t p_Ile) override;
    int64_t Write(const void *p_Bufor, int64_t p_Ile) override;
    int64_t Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od) override;
    const char *ClassName() const override { return "TWyjscieBlokowe"; }

private:
    void DopiszDuzo(const char *p_Bajty, int64_t p_Ile);

    TStream *FCel;
    std::unique_ptr<char[]> FBlok;
    char *FPoz;
    char *FKoniec;
};

// For the span of one write, a writer's output goes through p_Wyjscie (set
// here, cleared again) in front of the stream it had; Zakoncz writes it out.
// Left without Zakoncz (a failure), the writer gets its stream back and what
// was gathered is dropped. Inside a write already under way it does nothing.
class TZapisBlokami
{
public:
    TZapisBlokami(TZapisywaczTekstu &p_Zapisywacz, TWyjscieBlokowe *&p_Wyjscie);
    ~TZapisBlokami();
    TZapisBlokami(const TZapisBlokami &) = delete;
    TZapisBlokami &operator=(const TZapisBlokami &) = delete;

    void Zakoncz();

private:
    TZapisywaczTekstu &FZapisywacz;
    TWyjscieBlokowe *&FWyjscie;
    std::unique_ptr<TWyjscieBlokowe> FWlasne;
    TStream *FPoprzedni = nullptr;
};
