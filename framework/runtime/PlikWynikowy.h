#pragma once

#include "Strumienie.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// An output file written so that a link at its name is replaced, never
// followed, and the input is never overwritten. The bytes go to a fresh
// temporary file beside the target (created exclusively, not through a
// link), which Zatwierdz renames over the name: readers see the old file or
// the whole new one. New files get 0666 less the umask, a replaced regular
// file keeps its mode. "-" is standard output; a character device or a pipe
// (/dev/null) is written directly. Failures say why, in Polish:
// "Nie można zapisać pliku %s: brak uprawnień".
class TPlikWynikowy
{
public:
    TPlikWynikowy() = default;
    // Discards what was not committed; never raises.
    ~TPlikWynikowy();

    TPlikWynikowy(const TPlikWynikowy &) = delete;
    TPlikWynikowy &operator=(const TPlikWynikowy &) = delete;

    // Gets p_Nazwa ready for writing. Refused when it is the file p_Wejscie
    // (the same path, another path, a hard link or a link to it) or a folder.
    // False with Blad() set.
    bool Otworz(const QString &p_Nazwa, const QString &p_Wejscie = QString());
    // The same with several files it must never be (the message and the page
    // made from it, say).
    bool Otworz(const QString &p_Nazwa, const QStringList &p_Chronione);

    // Appends bytes; false with Blad() set.
    bool Zapisz(QByteArrayView p_Dane);

    // A file a writer of its own may fill instead of Zapisz (the PDF maker):
    // the temporary file beside the target, or for "-" and devices a private
    // temporary file whose bytes Zatwierdz copies out. Empty when not open or
    // when no such file can be made (Blad() says why).
    QString NazwaDoZapisu();

    // Puts what was written in place; false with Blad() set, and then the
    // name keeps what it had.
    bool Zatwierdz();

    // Deletes the temporary file; the name keeps what it had.
    void Odrzuc() noexcept;

    const QString &Blad() const { return FBlad; }

private:
    enum TRodzaj { rBrak, rPlik, rStrumien };

    bool Niepowodzenie(const QString &p_Powod);
    bool NiepowodzenieSystemu(int p_Blad);
    bool PrzepiszDoStrumienia(const QString &p_Plik);

    TRodzaj FRodzaj = rBrak;
    QString FNazwa;
    QString FTymczasowy; // beside the target, or the private copy of a stream
    int FDeskryptor = -1;
    bool FWlasnyDeskryptor = false; // not standard output
    unsigned FTryb = 0;
    QString FBlad;
};

// A whole file written as TPlikWynikowy writes it; false with the reason in
// p_Blad.
bool ZapiszPlikWynikowy(const QString &p_Nazwa, QByteArrayView p_Tresc, const QStringList &p_Chronione,
                        QString &p_Blad);

// An open output file as a write-only stream, for writers that take a
// stream (a page serialised as it is produced). A failed write raises
// EWriteError with the file's reason.
class TStrumienWynikowy : public TStream
{
public:
    explicit TStrumienWynikowy(TPlikWynikowy &p_Plik) : FPlik(p_Plik) {}

    int64_t Read(void *p_Bufor, int64_t p_Ile) override;
    int64_t Write(const void *p_Bufor, int64_t p_Ile) override;
    // Only the position (bytes written so far) may be asked.
    int64_t Seek(int64_t p_Przesuniecie, TSeekOrigin p_Od) override;
    const char *ClassName() const override { return "TStrumienWynikowy"; }

private:
    TPlikWynikowy &FPlik;
    int64_t FZapisano = 0;
};
