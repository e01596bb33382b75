#pragma once

#include "FormatSettings.h"
#include "WyjscieBlokowe.h"
#include "ZapisywaczTekstu.h"

#include <QStringView>

#include <typeinfo>
#include <unordered_map>
#include <vector>

class TObiekt;
class TPole;

// Writer of the JSON format. A document is one object: "_type_" names its
// class (unless FPominZapisTypu), every field goes under its JSON alias, and
// objects that references inside the tree point at carry "ID" members with
// numbers given in the order a walk over the written fields meets them.
// Strings are UTF-8 with only the quote, the backslash and the control bytes
// escaped; everything else, the slash and bytes from 127 up included, is copied.
class TZapisywaczJSON final : public TZapisywaczTekstu, public TDopisywanieBlokami
{
public:
    // Numeric arrays break their line before every 32nd element.
    static constexpr int ElementowWLinii = 32;

    TZapisywaczJSON(TStream *p_Strumien, bool p_ZChwilowymi = false, bool p_PominZapisTypu = false);

    // With a filter the filter alone decides (a field it accepts without data
    // is written as null); otherwise a field with data that is saved or asked for.
    bool CzyZapisacPoleObiektu(int16_t p_NrPola, const TObiekt &p_Obiekt) override;
    // Windows-1250 bytes as UTF-8, quoted and escaped.
    void ZapiszTekst(const QByteArray &p_Tekst) override;
    void ZapiszTekst(const QString &p_Tekst) override;
    void ZapiszBoolean(bool p_Wartosc) override;
    // A whole typed document; the field name is not used.
    void ZapiszObiekt(TObiektBazowy &p_Obiekt, const QString &p_NazwaPola) override;
    // The target's ID, or null when the target has none.
    void ZapiszRef(const TPoleWskObiektu &p_Pole) override;

    // NowaLinia's bytes through Dopisz.
    void DopiszNowaLinie();
    // The whole document of p_Obiekt, the object locked meanwhile.
    void ZapiszDokument(TObiektBazowy &p_Obiekt);
    // Numbers the targets of the references among the fields that will be written.
    void PrzygotujIDObiektow(TObiektBazowy &p_Korzen);
    // "{\"_type_\":" and the type name.
    void ZapiszPoczTypu(const TObiektBazowy &p_Obiekt);
    // ",", a line break and "\"value\":": a typed root that is not a TObiekt.
    void ZapiszPropValue();
    void ZapiszKonTypu();
    // The members of a TObiekt; without p_ZapisanoTyp inside its own braces.
    void ZapiszObiektJSON(const TObiekt &p_Obiekt, bool p_ZapisanoTyp);
    // UTF-8 bytes, quoted and escaped.
    void ZapiszTekstJSON(QByteArrayView p_UTF8);
    void ZapiszTekstBezCudzyslowu(const QString &p_Tekst);
    // IDObiektu without a copy: null when p_Obiekt has no ID.
    const QByteArray *IDDoZapisu(const TObiektBazowy *p_Obiekt);
    // The numbers joined by ",", a line break before every 32nd one.
    template <typename T, typename F> void ZapiszTabliceLiczb(const T &p_Elementy, F p_Zapisz);

    // The model's settings with "." as the decimal separator.
    TFormatSettings FFormatSettingsJSON;
    bool FPominZapisTypu;

private:
    // One field's value: by the object's save mask when it has one, else the field's own hook.
    void ZapiszWartoscPola(const TObiekt &p_Obiekt, int16_t p_Nr, const TPole &p_Pole);
    // ",", the line break and the member's name, quoted, with its ":".
    void DopiszCzlon(bool p_Pierwszy, const QByteArray &p_Nazwa);
    // Appends p_UTF8 to FBufor with the escapes.
    void DopiszUcieczki(QByteArrayView p_UTF8);
    // Appends the text to FBufor as UTF-8 with the escapes.
    void DopiszTekst(QStringView p_Tekst);
    QByteArray FBufor;
    struct TNazwaCzlonu
    {
        QByteArray Bajty;
        bool Gotowa = false;
    };
    // The member names of p_Obiekt's class, by field number.
    std::vector<TNazwaCzlonu> &NazwyCzlonowKlasy(const TObiekt &p_Obiekt);
    // The member name of field p_Nr ("\"alias\":", escaped UTF-8), asked of
    // the object once per class and field, as the reader does.
    const QByteArray &NazwaCzlonu(std::vector<TNazwaCzlonu> &p_Nazwy, const TObiekt &p_Obiekt, int16_t p_Nr);
    // The first time for the field: the alias asked and escaped.
    const QByteArray &NowaNazwaCzlonu(std::vector<TNazwaCzlonu> &p_Nazwy, const TObiekt &p_Obiekt, int16_t p_Nr);
    std::unordered_map<const std::type_info *, std::vector<TNazwaCzlonu>> FNazwyCzlonow;
    const std::type_info *FOstatniaKlasa = nullptr;
    std::vector<TNazwaCzlonu> *FOstatnieNazwy = nullptr;
};

template <typename T, typename F> void TZapisywaczJSON::ZapiszTabliceLiczb(const T &p_Elementy, F p_Zapisz)
{
    Dopisz('[');
    int i = 0;
    for (const auto &element : p_Elementy) {
        if (i > 0) {
            Dopisz(',');
            if (i % ElementowWLinii == 0)
                DopiszNowaLinie();
        }
        p_Zapisz(element);
        ++i;
    }
    Dopisz(']');
}
