#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstring>

// Our own small stream family, shaped like Delphi's TStream: the object
// model's formats and the file container depend on its exact behaviour
// (short reads return less, ReadBuffer raises, CopyFrom(x, 0) copies all).

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream
{
public:
    TStream() = default;
    TStream(const TStream &) = delete;
    TStream &operator=(const TStream &) = delete;
    virtual ~TStream() = default;

    // Reads up to p_Ile bytes; fewer (0 at the end) is not an error.
    virtual int64_t Read(void *p_Bufor, int64_t p_Ile) = 0;
    // Writes up to p_Ile bytes and returns how many were written.
    virtual int64_t Write(const void *p_Bufor, int64_t p_Ile) = 0;
    // Moves the position and returns the new one.
    virtual int64_t Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t p_Pozycja) { Seek(p_Pozycja, soBeginning); }
    // By default measured by seeking to the end and back.
    virtual int64_t Size();
    // Streams that cannot change size raise EStreamError.
    virtual void SetSize(int64_t p_Rozmiar);
    // Bytes left to read when the stream knows it without work, else -1:
    // readers size their arrays by it, never by a count the input only claims.
    virtual int64_t ZnanaReszta() { return -1; }

    // Exactly p_Ile bytes or EReadError "Stream read error" / EWriteError
    // "Stream write error". Inside the stream's window (see below) without a call.
    void ReadBuffer(void *p_Bufor, int64_t p_Ile)
    {
        if (p_Ile <= FKoniecOdczytu - FOknoOdczytu) {
            if (p_Ile > 0) {
                std::memcpy(p_Bufor, FOknoOdczytu, static_cast<size_t>(p_Ile));
                FOknoOdczytu += p_Ile;
            }
            return;
        }
        ReadBufferPozaOknem(p_Bufor, p_Ile);
    }
    void WriteBuffer(const void *p_Bufor, int64_t p_Ile)
    {
        if (p_Ile <= FKoniecZapisu - FOknoZapisu) {
            if (p_Ile > 0) {
                std::memcpy(FOknoZapisu, p_Bufor, static_cast<size_t>(p_Ile));
                FOknoZapisu += p_Ile;
            }
            return;
        }
        WriteBufferPozaOknem(p_Bufor, p_Ile);
    }
    // Copies p_Ile bytes from p_Zrodlo's position; 0 copies the whole source
    // from its beginning. Returns the count copied.
    int64_t CopyFrom(TStream &p_Zrodlo, int64_t p_Ile);

    // Room to fill in place, for writers of many small pieces: at least p_Ile
    // bytes at the position, shown as the write window (OknoZapisu up to
    // KoniecOknaZapisu). What ZajmijOkno then covers is written; the rest of
    // the room is not. False when the stream has no such room: write through
    // WriteBuffer. A class whose Write filters what it takes refuses it too.
    virtual bool PokazMiejsceZapisu(int64_t) { return false; }
    char *OknoZapisu() const { return FOknoZapisu; }
    char *KoniecOknaZapisu() const { return FKoniecZapisu; }
    // p_Koniec: within the window; the bytes before it are written.
    void ZajmijOkno(char *p_Koniec) { FOknoZapisu = p_Koniec; }

    // The class name that error messages show.
    virtual const char *ClassName() const { return "TStream"; }

protected:
    // The formats read and write a few bytes a value: a stream that can may
    // show the bytes at its position (to read) or the room there (to write),
    // which ReadBuffer and WriteBuffer then use without a virtual call. A
    // stream that shows a window takes its position from it in every call of its own.
    const char *FOknoOdczytu = nullptr;
    const char *FKoniecOdczytu = nullptr;
    char *FOknoZapisu = nullptr;
    char *FKoniecZapisu = nullptr;

private:
    void ReadBufferPozaOknem(void *p_Bufor, int64_t p_Ile);
    void WriteBufferPozaOknem(const void *p_Bufor, int64_t p_Ile);
};

// Memory shown as a stream; reading and positioning only. Positions beyond
// the end are allowed and read nothing.
class TCustomMemoryStream : public TStream
{
public:
    int64_t Read(void *p_Bufor, int64_t p_Ile) override;
    int64_t Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od) override;
    int64_t Size() override
    {
        ZajmijPozycje();
        return FSize;
    }
    int64_t ZnanaReszta() override
    {
        ZajmijPozycje();
        return FPosition < FSize ? FSize - std::max<int64_t>(FPosition, 0) : 0;
    }

    void *Memory() const { return FMemory; }
    // The contents as bytes (a copy).
    QByteArray Bajty() const { return QByteArray(FMemory, RozmiarDanych()); }
    void SaveToStream(TStream &p_Cel);
    // Raises EFCreateError when the file cannot be created.
    void SaveToFile(const QString &p_NazwaPliku);

    const char *ClassName() const override { return "TCustomMemoryStream"; }

protected:
    // Shows foreign memory; the stream never frees it.
    virtual void SetPointer(void *p_Pamiec, int64_t p_Rozmiar);
    // FPosition from the read window (bytes ReadBuffer took) or the end from
    // the write window (bytes written in place), before anything uses them;
    // PokazOkno shows the bytes from FPosition to the end again, after
    // anything moved them, and keeps a write window only at the end.
    void ZajmijPozycje()
    {
        if (FOknoOdczytu)
            FPosition = FOknoOdczytu - FMemory;
        else if (FOknoZapisu)
            FPosition = FSize = FOknoZapisu - FMemory;
    }
    void PokazOkno();
    // The size with what was written in place, for const callers.
    int64_t RozmiarDanych() const { return FOknoZapisu ? FOknoZapisu - FMemory : FSize; }

    char *FMemory = nullptr;
    int64_t FSize = 0;
    int64_t FPosition = 0;
};

// A growable memory stream owning its buffer.
class TMemoryStream : public TCustomMemoryStream
{
public:
    TMemoryStream() = default;
    // A stream holding a copy of p_Bajty, positioned at 0.
    explicit TMemoryStream(const QByteArray &p_Bajty);

    int64_t Write(const void *p_Bufor, int64_t p_Ile) override;
    // At the end only (writing inside the data goes through Write); the room
    // grows as Write grows it.
    bool PokazMiejsceZapisu(int64_t p_Ile) override;
    void SetSize(int64_t p_Rozmiar) override;
    void Clear();
    int64_t Capacity() const { return FBufor.size(); }
    void SetCapacity(int64_t p_Pojemnosc);
    // Replaces the contents by the whole of p_Zrodlo (from its beginning).
    void LoadFromStream(TStream &p_Zrodlo);
    // Raises EFOpenError when the file cannot be opened.
    void LoadFromFile(const QString &p_NazwaPliku);

    const char *ClassName() const override { return "TMemoryStream"; }

protected:
    void SetPointer(void *p_Pamiec, int64_t p_Rozmiar) override;
    // Hands the contents over without copying; the stream is empty afterwards.
    QByteArray OddajBufor();

private:
    bool PokazujeObcaPamiec() const { return FMemory && FMemory != FBufor.data(); }
    // Capacity for data up to p_Koniec: at least doubled, so that appending is linear.
    void Powieksz(int64_t p_Koniec);

    QByteArray FBufor; // owned storage; FMemory points into it unless foreign memory is shown
};

// File modes of TFileStream (Delphi's values; share modes are accepted and
// mean nothing on Linux).
constexpr uint16_t fmCreate = 0xFF00;
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyNone = 0x0040;

// A regular file as a stream. fmCreate creates or empties the file. Every
// mode refuses anything that is not a regular file (a FIFO would block, a
// device never end); a mode that writes also refuses a symbolic link as the
// last part of the name, while reading follows it.
// Failures raise EFCreateError 'Cannot create file "%s". %s' or EFOpenError
// 'Cannot open file "%s". %s' with the system's reason.
class TFileStream : public TStream
{
public:
    TFileStream(const QString &p_NazwaPliku, uint16_t p_Tryb);
    ~TFileStream() override;

    int64_t Read(void *p_Bufor, int64_t p_Ile) override;
    int64_t Write(const void *p_Bufor, int64_t p_Ile) override;
    int64_t Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od) override;
    int64_t Size() override;
    void SetSize(int64_t p_Rozmiar) override;

    const QString &FileName() const { return FNazwaPliku; }
    const char *ClassName() const override { return "TFileStream"; }

private:
    QString FNazwaPliku;
    int FUchwyt = -1;
};
