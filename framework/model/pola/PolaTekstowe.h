#pragma once

#include "Pole.h"

// Text held as UTF-16.
class TPoleString : public TKlasa<TPoleString, TPole>
{
public:
    explicit TPoleString(TObiektBazowy * = nullptr) {}

    QString Wartosc;

    QString GetJakoString() const override { return Wartosc; }
    void SetJakoString(const QString &p_Wartosc) override { Wartosc = p_Wartosc; }
    Variant GetJakoVariant() const override { return Variant::ZString(Wartosc); }
    void SetJakoVariant(const Variant &p_Wartosc) override { Wartosc = p_Wartosc.JakoString(); }
    Variant DajPustyVariant() const override { return Variant::ZString({}); }
    void ZerujDane() override { Wartosc.clear(); }
    bool MaDefWartosc() const override { return Wartosc.isEmpty(); }
    // The mask is a Format string whose %s receives the value.
    QString WartWgMaski(const QString &p_Maska, const TFormatSettings *p_FS = nullptr) const override;
    void KopiujDane(const TPole &p_Pole, TKopierDanych * = nullptr) override { SetJakoString(p_Pole.GetJakoString()); }
    // Without a comparer: ignoring case, locale 0.
    int16_t Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz = nullptr) const override;
    // Binary: UTF-8, or Windows-1250 when the writer's options ask. Text: byte
    // strings are Windows-1250 unless the field was a wide string in the
    // previous layout. Values read go through the reader's string cache.
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;
    void ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const override;
    bool WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz) override;
    bool WczytajXMLowo(TOdczytywaczXML &p_Odczytywacz) override;
    // JSON: a string, or an array of strings whose last one wins; through the string cache.
    bool WczytajJSON(TOdczytywaczJSON &p_Odczytywacz) override;
    // With the string's heap block.
    int64_t ZajmowanaPamiec() const override;
};

// Text held as Windows-1250 bytes; the bytes pass through the byte-string form unchanged.
class TPoleRawByteString : public TKlasa<TPoleRawByteString, TPole>
{
public:
    explicit TPoleRawByteString(TObiektBazowy * = nullptr) {}

    QByteArray Wartosc;

    QString GetJakoString() const override;
    // Characters Windows-1250 lacks become "?".
    void SetJakoString(const QString &p_Wartosc) override;
    QByteArray GetJakoLkAnsiString() const override { return Wartosc; }
    void SetJakoLkAnsiString(const QByteArray &p_Wartosc) override { Wartosc = p_Wartosc; }
    Variant GetJakoVariant() const override { return Variant::ZAnsiString(Wartosc); }
    void SetJakoVariant(const Variant &p_Wartosc) override { Wartosc = p_Wartosc.JakoAnsiString(); }
    Variant DajPustyVariant() const override { return Variant::ZAnsiString({}); }
    void ZerujDane() override { Wartosc.clear(); }
    bool MaDefWartosc() const override { return Wartosc.isEmpty(); }
    void KopiujDane(const TPole &p_Pole, TKopierDanych * = nullptr) override { SetJakoLkAnsiString(p_Pole.GetJakoLkAnsiString()); }
    // Without a comparer: bytes, ignoring the case of ASCII letters.
    int16_t Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz = nullptr) const override;
    // The bytes unchanged; wide-string pieces read as UTF-8 are stored as Windows-1250.
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;
    void ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const override;
    bool WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz) override;
    bool WczytajXMLowo(TOdczytywaczXML &p_Odczytywacz) override;
    // JSON: the decoded string stored as Windows-1250.
    bool WczytajJSON(TOdczytywaczJSON &p_Odczytywacz) override;
    // With the string's heap block.
    int64_t ZajmowanaPamiec() const override;
};

// UTF-16 text whose text form is its UTF-8 bytes read as Windows-1250, so that
// it travels unharmed through byte-string channels and back.
class TPoleWideString : public TKlasa<TPoleWideString, TPole>
{
public:
    explicit TPoleWideString(TObiektBazowy * = nullptr) {}

    QString Wartosc;

    QString GetJakoString() const override;
    void SetJakoString(const QString &p_Wartosc) override;
    Variant GetJakoVariant() const override { return Variant::ZWideString(Wartosc); }
    void SetJakoVariant(const Variant &p_Wartosc) override { Wartosc = p_Wartosc.JakoString(); }
    Variant DajPustyVariant() const override { return Variant::ZWideString({}); }
    void ZerujDane() override { Wartosc.clear(); }
    bool MaDefWartosc() const override { return Wartosc.isEmpty(); }
    void KopiujDane(const TPole &p_Pole, TKopierDanych * = nullptr) override;
    // Without a comparer: ignoring case, locale 4096 (ordinal for wide strings).
    int16_t Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz = nullptr) const override;
    // Locales 0 and 4096 compare wide strings ordinally.
    int16_t PorownajZCecha(const TVarRec &p_Cecha, bool p_BezWielkosci = true, uint32_t p_LocaleID = 0) const override;
    // Binary: always UTF-8, after the writer's NormalizujTekst. Text: byte
    // strings are UTF-8 unless the field was a text field in the previous layout.
    // XML: the raw value as UTF-8 (Windows-1250 when it is not), entities resolved.
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;
    void ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const override;
    bool WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz) override;
    bool WczytajXMLowo(TOdczytywaczXML &p_Odczytywacz) override;
    bool WczytajJSON(TOdczytywaczJSON &p_Odczytywacz) override;
    // With the string's heap block.
    int64_t ZajmowanaPamiec() const override;
};
