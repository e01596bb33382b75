#pragma once

#include "Strumienie.h"

#include <QByteArrayView>

#include <cstdint>
#include <cstring>
#include <memory>

// The output of one write gathered in blocks: a small write is a copy into
// the block, and the block goes to the target stream whole when full and on
// Oproznij. A target with room in place (a memory stream, see
// TStream::PokazMiejsceZapisu) is its own block: the pieces go straight
// into its memory, with no second copy, and Oproznij tells it how far they
// reach. It can only be written: reading or positioning raise LkException.
// The destructor drops what is left (the write it belonged to failed); a
// write that succeeds ends with Oproznij, which raises a failed write of the
// target. The free room of the block is the stream's write window, so that
// WriteBuffer fills it without a virtual call.
class TWyjscieBlokowe : public TStream
{
public:
    static constexpr int64_t RozmBloku = 65536;

    explicit TWyjscieBlokowe(TStream *p_Cel);

    void Dopisz(const char *p_Bajty, int64_t p_Ile)
    {
        if (p_Ile <= FKoniecZapisu - FOknoZapisu) [[likely]] {
            // An empty array hands a null pointer, which memcpy must not get.
            if (p_Ile > 0) {
                std::memcpy(FOknoZapisu, p_Bajty, static_cast<size_t>(p_Ile));
                FOknoZapisu += p_Ile;
            }
        } else {
            DopiszDuzo(p_Bajty, p_Ile);
        }
    }
    void Dopisz(QByteArrayView p_Bajty) { Dopisz(p_Bajty.data(), p_Bajty.size()); }
    void Dopisz(char p_Znak)
    {
        if (FOknoZapisu == FKoniecZapisu) [[unlikely]]
            ZrobMiejsce(1);
        *FOknoZapisu++ = p_Znak;
    }
    // Room for p_Ile bytes (at most RozmBloku) at the returned place; the
    // caller fills some and hands back the end with Zajete.
    char *Miejsce(int64_t p_Ile)
    {
        if (p_Ile > FKoniecZapisu - FOknoZapisu) [[unlikely]]
            ZrobMiejsce(p_Ile);
        return FOknoZapisu;
    }
    void Zajete(char *p_Koniec) { FOknoZapisu = p_Koniec; }
    // Writes the block out (or, in the target's own room, says how far it is
    // filled); short writes of the target raise "Stream write error".
    void Oproznij();

    int64_t Read(void *p_Bufor, int64_t p_Ile) override;
    int64_t Write(const void *p_Bufor, int64_t p_Ile) override;
    int64_t Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od) override;
    const char *ClassName() const override { return "TWyjscieBlokowe"; }

private:
    void DopiszDuzo(const char *p_Bajty, int64_t p_Ile);
    // Room for p_Ile more bytes, p_Ile at most RozmBloku unless in the
    // target's room. The first call chooses between the target's room and a block.
    void ZrobMiejsce(int64_t p_Ile);

    TStream *FCel;
    // Null while the window is the target's own room (or nothing was written yet).
    std::unique_ptr<char[]> FBlok;
};

// A text writer's inline way to its output: while a document is written
// (a TZapisBlokami is alive) straight into the block, else to the stream.
class TDopisywanieBlokami
{
public:
    // p_Strumien: the writer's own output, which TZapisBlokami swaps for the block for a while.
    explicit TDopisywanieBlokami(TStream *&p_Strumien) : FStrumien(p_Strumien) {}
    TDopisywanieBlokami(const TDopisywanieBlokami &) = delete;
    TDopisywanieBlokami &operator=(const TDopisywanieBlokami &) = delete;

    void Dopisz(QByteArrayView p_Bajty)
    {
        if (FWyjscie)
            FWyjscie->Dopisz(p_Bajty);
        else if (!p_Bajty.isEmpty())
            FStrumien->WriteBuffer(p_Bajty.data(), p_Bajty.size());
    }
    void Dopisz(char p_Znak)
    {
        if (FWyjscie)
            FWyjscie->Dopisz(p_Znak);
        else
            FStrumien->WriteBuffer(&p_Znak, 1);
    }
    // The block output of the document being written; null outside one.
    TWyjscieBlokowe *Wyjscie() const { return FWyjscie; }

private:
    friend class TZapisBlokami;
    TStream *&FStrumien;
    TWyjscieBlokowe *FWyjscie = nullptr;
};

// For the span of one write, a writer's output goes through a block in front
// of the stream it had; Zakoncz writes the block out. Left without Zakoncz (a
// failure), the writer gets its stream back and what was gathered is
// dropped. Inside a write already under way it does nothing.
class TZapisBlokami
{
public:
    explicit TZapisBlokami(TDopisywanieBlokami &p_Zapisywacz);
    ~TZapisBlokami();
    TZapisBlokami(const TZapisBlokami &) = delete;
    TZapisBlokami &operator=(const TZapisBlokami &) = delete;

    void Zakoncz();

private:
    TDopisywanieBlokami &FZapisywacz;
    std::unique_ptr<TWyjscieBlokowe> FWlasne;
    TStream *FPoprzedni = nullptr;
};
