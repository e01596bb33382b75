#pragma once

#include "PolaZmiennoprzecinkowe.h"

// Date-time held as days since 1899-12-30 (fraction = part of the day).
class TPoleDateTimeBazowe : public TKlasa<TPoleDateTimeBazowe, TPoleZmiennoprzecinkowe>
{
public:
    double Wartosc = 0;

    // p_FS null: the model's settings, and the fixed-layout date forms are allowed.
    virtual void WczytajZTekstu(const QString &p_Tekst, const TFormatSettings *p_FS) = 0;

    double JakoDouble() const override { return Wartosc; }
    void SetJakoString(const QString &p_Wartosc) override { WczytajZTekstu(p_Wartosc, nullptr); }
    Variant GetJakoVariant() const override { return Variant::ZDate(Wartosc); }
    // A text is taken as UstawTekstowo takes it.
    void SetJakoVariant(const Variant &p_Wartosc) override;
    Variant DajPustyVariant() const override { return Variant::ZDate(0); }
    void ZerujDane() override { Wartosc = 0; }
    bool MaDefWartosc() const override { return Wartosc == 0; }
    QString GetJakoString() const override { return TekstWgUstawien(UstawieniaDoTekstu()); }
    // The mask is a date-time format; without one, the text form with p_FS.
    QString WartWgMaski(const QString &p_Maska, const TFormatSettings *p_FS = nullptr) const override;

    // Text: a string in the model's fixed layout (yyyy-MM-dd, hh:mm:ss, or both
    // separated by a blank), read back by UstawZTekstuNatywnego.
    void ZapiszTekstowo(TZapisywaczTekstu &p_Zapisywacz) const override;
    bool WczytajTekstowo(TOdczytywaczTekstu &p_Odczytywacz) override;
    bool WczytajXMLowo(TOdczytywaczXML &p_Odczytywacz) override;
    // JSON: a string in the fixed layout, date and time joined by "T"; read as XML is.
    void ZapiszJSON(TZapisywaczJSON &p_Zapisywacz) const override;
    bool WczytajJSON(TOdczytywaczJSON &p_Odczytywacz) override;
    // 8-byte IEEE double; reading keeps the class's invariant.
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;
    int64_t ZajmowanaPamiec() const override { return sizeof(*this); }

protected:
    void UstawZTekstuTokenow(TLkParser &p_Parser, QByteArrayView p_Tekst) override
    {
        UstawWartosc(p_Parser.StringToFloat(p_Tekst));
    }
    // Keeps the class's invariant (whole days, or the time of day only).
    virtual void UstawWartosc(double p_Wartosc) { Wartosc = p_Wartosc; }
    virtual QString TekstWgUstawien(const TFormatSettings &p_FS) const = 0;
    static const TFormatSettings &UstawieniaDoTekstu();
    // The layout of the native text form.
    virtual QString FormatTekstowy() const = 0;
    // The native text form back; an empty text clears the field.
    virtual void UstawZTekstuNatywnego(const QString &p_Tekst) = 0;
    // The reader's text through WczytajZTekstu; an empty text clears the field.
    bool WczytajTekstCzytelnika(TOdczytywaczTekstu &p_Odczytywacz);
};

// Whole days only.
class TPoleDate : public TKlasa<TPoleDate, TPoleDateTimeBazowe>
{
public:
    explicit TPoleDate(TObiektBazowy * = nullptr) {}

    void WczytajZTekstu(const QString &p_Tekst, const TFormatSettings *p_FS) override;

protected:
    void UstawWartosc(double p_Wartosc) override { Wartosc = std::trunc(p_Wartosc); }
    QString TekstWgUstawien(const TFormatSettings &p_FS) const override;
    QString FormatTekstowy() const override { return QStringLiteral("yyyy-MM-dd"); }
    // The part before the first blank.
    void UstawZTekstuNatywnego(const QString &p_Tekst) override;
};

// The time of day only.
class TPoleTime : public TKlasa<TPoleTime, TPoleDateTimeBazowe>
{
public:
    explicit TPoleTime(TObiektBazowy * = nullptr) {}

    void WczytajZTekstu(const QString &p_Tekst, const TFormatSettings *p_FS) override;

protected:
    void UstawWartosc(double p_Wartosc) override { Wartosc = p_Wartosc - std::trunc(p_Wartosc); }
    QString TekstWgUstawien(const TFormatSettings &p_FS) const override;
    QString FormatTekstowy() const override { return QStringLiteral("hh:mm:ss"); }
    // The part after the first blank, if there is one.
    void UstawZTekstuNatywnego(const QString &p_Tekst) override;
};

class TPoleDateTime : public TKlasa<TPoleDateTime, TPoleDateTimeBazowe>
{
public:
    explicit TPoleDateTime(TObiektBazowy * = nullptr) {}

    void WczytajZTekstu(const QString &p_Tekst, const TFormatSettings *p_FS) override;
    // A text is first tried as a number of days.
    void SetJakoVariant(const Variant &p_Wartosc) override;
    // XML: the date alone at midnight (unless the writer wants the zero time), else date "T" time.
    void ZapiszXMLowo(TZapisywaczXML &p_Zapisywacz) const override;

protected:
    // Date alone at midnight, time alone below one day, both otherwise.
    QString TekstWgUstawien(const TFormatSettings &p_FS) const override;
    QString FormatTekstowy() const override { return QStringLiteral("yyyy-MM-dd hh:mm:ss"); }
    // A date, and a time added when a blank follows it.
    void UstawZTekstuNatywnego(const QString &p_Tekst) override;
};
