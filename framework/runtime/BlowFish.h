#pragma once

#include "Strumienie.h"

#include <QByteArray>

#include <atomic>
#include <cstdint>

// Blowfish (16 rounds, the standard pi tables) in ECB over whole memory
// streams, with a padding of our own: b = 8 - ((n + 1) mod 8) bytes 0x01 and
// then one byte b, so n bytes become n + b + 1 (0 stays 0).
class TSzyfrator
{
public:
    // Raises Exception "Błędny klucz szyfrowania." for an empty key or when no
    // usable key schedule is found (see FSilnyKlucz).
    explicit TSzyfrator(const QByteArray &p_Klucz);
    TSzyfrator(const TSzyfrator &) = delete;
    TSzyfrator &operator=(const TSzyfrator &) = delete;

    // Pads and encrypts the whole of p_Wejscie (from its beginning) into p_Wyjscie.
    void SzyfrujStrumien(TStream &p_Wejscie, TStream &p_Wyjscie) const;
    // Pads and encrypts in place; the stream is left at position 0.
    void SzyfrujStrumien(TMemoryStream &p_Wejscie) const;
    // Decrypts and unpads. Data that this key did not produce raises Exception
    // "OdszyfrujStrumien: nie udało się odszyfrować danych." with a strong key;
    // with a weak one the data is passed on unchanged.
    void OdszyfrujStrumien(TStream &p_Wejscie, TStream &p_Wyjscie) const;
    void OdszyfrujStrumien(TMemoryStream &p_Wejscie) const;

    // One 8-byte block: two little-endian 32-bit halves, left first.
    void SzyfrujBlok(uint8_t *p_Blok) const;
    void OdszyfrujBlok(uint8_t *p_Blok) const;

    // The key gave a schedule without repeated S-box entries at the first try.
    bool SilnyKlucz() const { return FSilnyKlucz; }

    // Callers using this object now; the cache never frees a busy cipher.
    std::atomic<int32_t> FTrwaSzyfrowanie{0};

private:
    void Szyfruj(uint32_t &p_L, uint32_t &p_R) const;
    void Odszyfruj(uint32_t &p_L, uint32_t &p_R) const;
    void UlozKlucz(const QByteArray &p_Klucz);
    bool SBoksyBezPowtorzen() const;
    // Decrypts in place and returns the data size; -1 (bytes restored) when
    // the padding says another key made them.
    int64_t OdszyfrujBajty(uint8_t *p_Dane, int64_t p_Rozmiar) const;

    struct TTablice
    {
        uint32_t P[18];
        uint32_t S[4][256];
    } FBoxes;
    bool FSilnyKlucz = false;
};

// One cipher per password, shared and thread-safe. An empty password gives the
// cipher of the built-in default key; at most 255 bytes of a password count.
// The returned cipher's FTrwaSzyfrowanie has been raised: lower it when done.
TSzyfrator *DajSzyfrator(const QByteArray &p_Haslo);

// Encrypt / decrypt a memory stream in place with the password's cipher.
void SzyfrujDane(TMemoryStream &p_Dane, const QByteArray &p_Haslo);
void OdszyfrujDane(TMemoryStream &p_Dane, const QByteArray &p_Haslo);

// When more than 64 passwords are cached, frees the idle ciphers except the
// one looked up last.
void OczyscSzyfratory();

// Passwords whose cipher is cached now (the default cipher not counted).
int IleSzyfratorowWPamieci();

// Shutdown: waits (in 100 ms steps) until every cipher is idle and frees them all.
void ZwolnijSzyfratory();
