#pragma once

#include "KopierDanych.h"
#include "ObiektBazowy.h"
#include "UkladPol.h"
#include "PorownywaczDanych.h"

#include <QByteArray>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <utility>
#include <initializer_list>
#include <atomic>
#include <cstddef>
#include <new>
#include <typeinfo>
#include <mutex>
#include <thread>
#include <vector>

#include "Formatuj.h"

// The general persistent object: its fields are numbered and declared per
// class (TKlasa and the class's PolaKlasy; a bare TObiekt has none). A field
// object is created on first access; a bit per field tells whether it has a
// value. All fields of an object share one block (see TUkladPol): an object
// made with new carries it in its own allocation, any other gets it from the
// heap when its first field is needed.
class TObiekt : public TKlasa<TObiekt, TObiektBazowy>
{
public:
    // Values are assigned after construction (WpiszDane): while a constructor
    // runs the object does not know its final class and fields yet.
    explicit TObiekt(TObiektBazowy *p_Rodzic = nullptr);
    ~TObiekt() override;

    // Instances of declared classes (TKlasa) are allocated with room for their block of fields.
    static void *PrzydzielPamiec(std::size_t p_Rozmiar, const TOpisKlasy &p_Klasa);
    static void ZwolnijPamiec(void *p_Miejsce) noexcept;

    TObiekt *JakoTObiekt() override { return this; }
    const TObiekt *JakoTObiekt() const override { return this; }

    // Frees every field and clears every has-value bit; the failures of
    // sub-objects' dismantling are raised together as one LkException.
    void ZerujDane() override;

    // ---- per-class metadata by field number; -1 stands for the object itself
    virtual const TOpisKlasy *TypPolaNr(int16_t p_Nr) const;
    // Classes that keep this TypPolaNr are known to answer from their table (TKlasa looks).
    using TTypyPolZTabeli = TObiekt;
    // The field's class in the class's previous layout (old data); null by default.
    virtual const TOpisKlasy *PoprzTypPolaNr(int16_t) const { return nullptr; }
    // -1: the class name without its first letter ("Obiekt").
    virtual QString NazwaPolaNr(int16_t p_Nr) const;
    virtual QString PoprzNazwaPolaNr(int16_t) const { return {}; }
    // -1: the number of fields less one; otherwise 0 (no limit).
    virtual int16_t RozmPolaNr(int16_t p_Nr) const;
    virtual QString AliasXMLPolaNr(int16_t p_Nr) const { return NazwaPolaNr(p_Nr); }
    virtual QString AliasJSONPolaNr(int16_t p_Nr) const { return NazwaPolaNr(p_Nr); }
    virtual QString PrzestrzenNazwXML() const { return {}; }
    virtual QByteArray PrefPrzestrzNazwXML() const { return {}; }
    // Whether the class's element and attribute names are written qualified.
    virtual TDomyslnaFormaXML ElemFormDefaultXML() const { return fdxDefault; }
    virtual TDomyslnaFormaXML AttrFormDefaultXML() const { return fdxDefault; }
    virtual QString MaskaWyswietlPolaNr(int16_t) const { return {}; }
    virtual QString MaskaZapisuPolaNr(int16_t) const { return {}; }
    // Ignoring case; -1 when none.
    virtual int16_t NrPolaONazwie(const QString &p_Nazwa) const;
    virtual int16_t NrPolaOPoprzNazwie(const QString &) const { return -1; }
    virtual int16_t NrPolaOAliasieXML(const QString &) const { return -1; }
    virtual int16_t NrPolaOAliasieJSON(const QString &) const { return -1; }
    // Transient fields answer false: writers skip them unless asked for all.
    virtual bool PoleZapisywane(int16_t) const { return true; }
    virtual bool JestWymagane(int16_t) const { return false; }
    virtual bool JestAtrybutem(int16_t) const { return false; }
    // The name users see: the field name made readable.
    virtual QString NazwaEdycjiPolaNr(int16_t p_Nr) const;

    // ---- fields and their values
    // The field object, created on first access; "%s: Błędny nr pola = %d w %s" for an unknown number.
    TPole &Pola(int16_t p_Nr);
    // The same, typed: "%s: Błędny typ pola %s" when the field is not of class T (or a descendant).
    template <typename T> T &Pole(int16_t p_Nr)
    {
        static_assert(JestZadeklarowana<T>(), "a field class declares itself with TKlasa");
        return static_cast<T &>(PoleKlasy(p_Nr, T::Opis, false));
    }
    // A value written straight into a field of class T (its Wartosc): the
    // field is created when needed and has a value afterwards; the change
    // hook runs, as after a text write.
    template <typename T, typename W> void UstawPole(int16_t p_Nr, W &&p_Wartosc)
    {
        static_assert(JestZadeklarowana<T>(), "a field class declares itself with TKlasa");
        static_cast<T &>(PoleKlasy(p_Nr, T::Opis, true)).Wartosc = std::forward<W>(p_Wartosc);
        PoZmianiePola(p_Nr);
    }
    // The field object when it exists, null otherwise.
    TPole *PoleJesliJest(int16_t p_Nr) const;
    // The highest number a field of this object may have now (also one plugged in past the table).
    int16_t OstatniNrPola() const;
    // Every field that exists and has a value (a sub-object: holds data), in
    // number order, as p_Fun(nr, pole): the class's table is read once, not
    // looked up field by field (writers visit every field of every object).
    template <typename F> void DlaPolZWartoscia(F &&p_Fun) const
    {
        const std::byte *blok = Blok();
        const TDodatki *dodatki = DodatkiJesliSa();
        if (dodatki && !dodatki->Zastepcy.empty()) {
            const int16_t ostatni = OstatniNrPola();
            for (int16_t nr = 0; nr <= ostatni; ++nr)
                if (TPole *pole = PoleJesliJest(nr); pole && MaWartosc(nr))
                    p_Fun(nr, *pole);
            return;
        }
        if (!blok)
            return;
        const TUkladPol &uklad = Uklad();
        for (int16_t nr = 0; nr < uklad.Ile(); ++nr) {
            TPole *pole = PoleWlasne(uklad, nr);
            if (!pole)
                continue;
            // Objects never sit in the block itself (see TUkladPol).
            const TObiektBazowy *podobiekt = uklad[nr].WBloku ? nullptr : pole->JakoObiekt();
            if (podobiekt ? podobiekt->MaWartosc(-1) : ((std::to_integer<unsigned>(blok[nr / 8]) >> (nr % 8)) & 1u))
                p_Fun(nr, *pole);
        }
    }
    // The number of the field named so, -1 when none.
    int16_t PoleWgNazwy(const QString &p_Nazwa) const { return NrPolaONazwie(p_Nazwa); }
    // Whether field p_Nr holds an object (a sub-object, a list).
    bool PoleJestObiektem(int16_t p_Nr) const;

    // -1: any bit, or any sub-object with data; a sub-object field: its data;
    // otherwise the field's bit.
    bool MaWartosc(int16_t p_Nr) const override;
    // False resets the field (-1: the whole object); true sets the bit, creating the field when needed.
    void UstawMaWartosc(int16_t p_Nr, bool p_Ma);
    void StraconoCelPola(const TPole &p_Pole) override;
    void ZerujWskazniki() override;

    // The field's text forms; empty when it has no value. Writing an empty
    // text clears the field, any other text stores it and sets the bit.
    QString Tekstowo(int16_t p_Nr) const;
    void UstawTekstowo(int16_t p_Nr, const QString &p_Tekst);
    QByteArray TekstowoAnsi(int16_t p_Nr) const;
    void UstawTekstowoAnsi(int16_t p_Nr, const QByteArray &p_Tekst);
    Variant Variantowo(int16_t p_Nr) const;
    // An empty variant clears the field; any other goes to SetJakoVariant.
    void SetVariantowo(int16_t p_Nr, const Variant &p_Wartosc);

    // Assigns values pairwise to fields given by number or name.
    void WpiszDane(const TArrayOfConst &p_KtorePola, const TArrayOfConst &p_JakieWartosci);
    // One loose value into field p_Nr: scalars through SetVariantowo, a null
    // pointer clears the field, an object is pointed to or copied.
    virtual void WpiszDaneDoPola(int16_t p_Nr, const TVarRec &p_Wartosc);

    // ---- comparison (pairs met again count as equal, so cycles end)
    int16_t Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz = nullptr) const override;
    int16_t PorownajZObiektem(const TObiekt &p_Obiekt, TRodzajPorownPol p_RodzPorownPol = rpWszystkie,
                              TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny, uint32_t p_LocaleID = 0,
                              TTrybPorownRef p_TrybPorownRef = tprObiekty) const;

    // ---- copying: the copier re-points references inside the copied subtree
    void KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier = nullptr) override;
    void KopiujDane(const TObiekt &p_Zrodlo, TTrybKopiowaniaPol p_TrybKopiowania,
                    TTrybObslugiPodob p_TrybPodobiektow = topPodobiektyJakoCalosc);
    // A new instance of this class with a deep copy of the data (and, when asked, the same parent).
    TObiekt *KlonujObiekt(bool p_ZRodzicem = false) const;

    int64_t ZajmowanaPamiec() const override;

    bool MoznaCzytacDaneTypu(const QString &p_NazwaTypu) const override;
    void WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu) override;
    // JSON: the members, through the JSON writer and reader (ObiektJSON.cpp).
    void WykonajZapisJSON(TZapisywaczJSON &p_Zapisywacz, bool p_ZapisanoTyp) const override;
    void WykonajOdczytJSON(TOdczytywaczJSON &p_Odczytywacz, bool p_OdczytanoTyp) override;

    // ---- binary and native text formats (ObiektBinarny.cpp, ObiektTekstowy.cpp)
    // The object's layout in the binary format; reading clears the object first.
    void ZapiszWStrumieniu(TStream &p_Strumien, TZapisywaczDanych &p_Zapisywacz) const override;
    void WczytajZeStrumienia(TStream &p_Strumien, TOdczytywaczDanych &p_Odczytywacz) override;
    // The native text form of the object; setting it reads that form (an empty text clears).
    QString GetJakoString() const override;
    void SetJakoString(const QString &p_Tekst) override;
    QByteArray GetJakoLkAnsiString() const override;
    void SetJakoLkAnsiString(const QByteArray &p_Tekst) override;
    QString JakoStringZChwilowymi() const;
    QByteArray JakoLkAnsiStringZChwilowymi() const;
    // The text form with the given field objects plugged into the given fields
    // for the while; everything is put back also when writing fails.
    QString JakoStringPoWpieciu(const TArrayOfConst &p_KtorePola, const std::vector<TPole *> &p_Pola,
                                bool p_ZChwilowymi = false);
    QByteArray JakoLkAnsiStringPoWpieciu(const TArrayOfConst &p_KtorePola, const std::vector<TPole *> &p_Pola,
                                         bool p_ZChwilowymi = false);
    // ---- end of binary and native text formats
    // ---- XML format: naming, order, skipping and the element itself
    // The field an XML name stands for: its alias, its name, or (after any
    // prefix, "-" read as "_") its name or previous name; -1 when none.
    virtual int16_t PoleWgNazwyXML(const QString &p_Nazwa, bool &p_PoprzNazwa) const;
    // Fields the XML writer leaves out when asked to skip them.
    virtual bool PominPoleWXML(int16_t, const TZapisywaczXML &) const { return false; }
    // Field numbers in the order XML writes them; empty: by number.
    virtual std::vector<int16_t> DajKolejnoscPolXML() const { return {}; }
    void WykonajZapisXML(TZapisywaczXML &p_Zapisywacz, const QByteArray &p_NazwaObiektu) override;
    // One simple field from the current string token (its bit set), and one
    // child element of field p_Nr whose name is the current token.
    void WczytajPoleXML(TOdczytywaczXML &p_Odczytywacz, int16_t p_Nr, bool p_PoprzNazwa);
    void WczytajPodelementXML(TOdczytywaczXML &p_Odczytywacz, int16_t p_Nr, bool p_PoprzNazwa, const QString &p_Nazwa);
    // A field written as text by its save mask; a "#" mask must not be outgrown:
    // "błąd zapisu wg maski: \"%s\" <> \"%s\" w %s".
    void ZapiszWgMaskiXML(TZapisywaczXML &p_Zapisywacz, int16_t p_Nr, const QString &p_Maska);

    // ---- paths, loose values, subsets, descriptions, plug-in, text tidying
    // Paths ("Adres.Miasto", "^Nazwa", "Self"; see ObiektIPole).
    bool SciezkaIstnieje(const QString &p_Sciezka) const;
    bool SciezkiIstnieja(const QStringList &p_Sciezki) const;
    // The field a path names (-1: the object itself); null when it is not there and not created.
    TPole *PoleONazwie(const QString &p_NazwaPola, bool p_Tworz = false);
    // The same, created; "%s.%s: Brak pola o nazwie %s" when the path names no field,
    // "%s: Błędny typ pola %s" when it is not of class p_Klasa (or a descendant).
    TPole &DajPoleONazwie(const QString &p_NazwaPola, const TOpisKlasy *p_Klasa = nullptr);
    // The value at a path (text when preferred); empty when nothing is there.
    // Without p_SprawdzSciezke a wrong path gives empty too instead of raising.
    Variant DajTrescWgSciezki(const QString &p_Sciezka, bool p_PreferujTekst = false,
                              bool p_SprawdzSciezke = true) const;
    QString TekstowoWgSciezki(const QString &p_Sciezka) const;
    // Creates the fields on the way; a pointer without target on the way raises.
    void UstawTekstowoWgSciezki(const QString &p_Sciezka, const QString &p_Tekst);
    Variant VariantowoWgSciezki(const QString &p_Sciezka) const;
    void SetVariantowoWgSciezki(const QString &p_Sciezka, const Variant &p_Wartosc);
    // A stored path as users see it: editing names, " -> " between steps,
    // indices 1-based in parentheses; names not in the model stay as they are.
    QString SciezkaNaEkran(const QString &p_Sciezka) const;

    // Loose values: fields by number or path text, values pairwise.
    virtual bool MaCechy(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci,
                         TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny, uint32_t p_LocaleID = 0) const;
    virtual int16_t PorownajCechy(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci,
                                  TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny, uint32_t p_LocaleID = 0) const;
    enum TKtorychPolDotyczy { kpdWszystkich, kpdKtoregokolwiek, kpdDokladnieJednego };
    bool PolaMajaWartosc(const TArrayOfConst &p_KtorePola, TKtorychPolDotyczy p_Ktorych = kpdWszystkich) const;
    // No field but the given ones has a value.
    bool PolaPusteOprocz(const TArrayOfConst &p_PominPola) const;
    // Some field holds something other than its default (sub-objects searched too).
    bool SaJakiesDane() const;

    // Subsets of fields, given by number or name; an unknown one raises.
    virtual void ZerujDanePol(const TArrayOfConst &p_KtorePola);
    virtual void ZerujDaneOprocz(const TArrayOfConst &p_PominPola);
    // Clears the has-value bits of fields that hold their default, here and in sub-objects.
    void ZerujDanePolZDefWart();
    void KopiujDanePol(const TObiekt &p_Zrodlo, const TArrayOfConst &p_KtorePola);
    void KopiujDaneOprocz(const TObiekt &p_Zrodlo, const TArrayOfConst &p_PominPola);
    // Copies the fields the two classes share by name; others stay as they are.
    void PrzepiszDane(const TObiekt &p_Zrodlo);
    int16_t PorownajWgPol(const TObiekt &p_Obiekt, const TArrayOfConst &p_KtorePola,
                          TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny, uint32_t p_LocaleID = 0) const;
    int16_t PorownajOproczPol(const TObiekt &p_Obiekt, const TArrayOfConst &p_PominPola,
                              TRozmiarLiter p_RozmLiter = rlRozmLiterNiewazny, uint32_t p_LocaleID = 0) const;
    // Writes the value, or resets the field when the value is an empty text, False or nil.
    void WpiszLubZeruj(const TVarRec &p_Pole, const TVarRec &p_Wartosc);
    void WpiszTrueLubZeruj(const TVarRec &p_Pole, bool p_Wartosc);

    // "Editing name: text" of every field with a value that holds no object, joined by "; ".
    QString OpisTekstowy() const override;
    // The given fields in the given order; an object field by its own description.
    QString OpisTekstowyPol(const TArrayOfConst &p_KtorePola) const;
    QString OpisTekstowyOprocz(const TArrayOfConst &p_PominPola) const;

    // Plugs a foreign field object into field p_Nr (an object gets this one as
    // parent, its old parent in p_PoprzRodzic). The previous field is freed
    // with p_ZwolnijCel, otherwise handed back.
    TPole *WepnijPole(int16_t p_Nr, TPole *p_Pole, TObiektBazowy *&p_PoprzRodzic, bool p_ZwolnijCel);
    // Takes field p_Nr out (handed back, not freed), gives it back its parent
    // and puts p_PoprzPole in its place.
    TPole *WypnijPole(int16_t p_Nr, TObiektBazowy *p_PoprzRodzic, TPole *p_PoprzPole = nullptr);
    // Runs p_Proc with the given field objects plugged into the given fields;
    // the fields, parents and has-value bits are restored also when it fails.
    void WykonajPoWpieciu(const TArrayOfConst &p_KtorePola, const std::vector<TPole *> &p_Pola,
                          const std::function<void()> &p_Proc);
    // Runs p_Proc with the given fields taken out for the while.
    void WykonajPoWypieciu(const TArrayOfConst &p_KtorePola, const std::function<void()> &p_Proc);

    // Text fields with a value (string, byte string and wide string fields).
    // p_Fun's empty result resets the field.
    void PoprawPolaTekstowe(const std::function<QString(const QString &)> &p_Fun, bool p_WPodobiektach = true);
    void TrymujPolaTekstowe(bool p_WPodobiektach = true);
    // Characters below a blank go.
    void UsunZnakiSterujZPol(bool p_WPodobiektach = true);
    // Field, text before and after: what PrzytnijPolaWgRozm changed.
    using TOnPrzycieto = std::function<void(TObiekt &, int16_t, const QString &, const QString &)>;
    // Cuts text fields to RozmPolaNr (when it is above 0), first trimming blanks,
    // dropping characters Windows-1250 lacks and keeping the first line, as asked.
    void PrzytnijPolaWgRozm(bool p_Trymuj = false, bool p_UsunObce = false, bool p_PierwszaLinia = false,
                            const TOnPrzycieto &p_OnPrzycieto = {}, bool p_WPodobiektach = true);
    // Rounds the given float fields; "%s: Błędny typ pola %s" for other kinds.
    void ZaokraglPola(const TArrayOfConst &p_KtorePola, uint8_t p_IleMiejscPoPrzecinku);

protected:
    void ZwolnijDane() override { ZerujDane(); }
    bool CzyKorzenXMLTegoTypu(const QString &p_Nazwa) const override;
    QString KrokSciezki(const TObiektBazowy &p_Dziecko, bool p_NaEkran, bool p_BezIndeksow) const override;
    QString KrokPola(int16_t p_Nr, bool p_NaEkran) const override;
    // Runs after every write through Tekstowo and its kin; nothing here.
    virtual void PoZmianiePola(int16_t) {}
    // Copies what a class keeps beside its numbered fields; nothing here.
    virtual void KopiujDaneSpozaPol(const TObiekt &, TTrybKopiowaniaPol) {}
    // Runs after a field object is created; nothing here.
    virtual void PoUtworzeniuPola(int16_t) {}
    // The field number a loose value names: an integer, or a field name.
    int16_t NrPolaZ(const TVarRec &p_Pole, const char *p_Kontekst) const;

    // ---- helpers of the operations above
    TObiektBazowy *ZejdzSciezka(QStringView &p_Sciezka, int16_t &p_IDPola, TTrybSciezki p_Tryb,
                                std::vector<std::unique_ptr<TPole>> &p_Wzory) override;
    void DodajDzieci(std::vector<TObiektBazowy *> &p_Dzieci, bool p_ReferencjeTez) const override;
    // The number of a field given by number or name; an unknown one raises
    // ("%s.%s: Brak pola o nazwie %s" names p_Metoda).
    int16_t NrPolaWymagany(const TVarRec &p_Pole, const char *p_Metoda) const;
    std::vector<int16_t> NryPol(const TArrayOfConst &p_Pola, const char *p_Metoda) const;
    // Every field number of the class that is not in p_PominPola, in order.
    std::vector<int16_t> NryPolOprocz(const TArrayOfConst &p_PominPola, const char *p_Metoda) const;
    void KopiujPolaNr(const TObiekt &p_Zrodlo, const std::vector<int16_t> &p_Nry);
    int16_t PorownajPolaNr(const TObiekt &p_Obiekt, const std::vector<int16_t> &p_Nry, TRozmiarLiter p_RozmLiter,
                           uint32_t p_LocaleID) const;
    // Gives every text field with a value (here and, when asked, in sub-objects)
    // the text p_Fun makes of it; an empty result resets the field.
    void PoprawTeksty(const std::function<QString(TObiekt &, int16_t, const QString &)> &p_Fun,
                      bool p_WPodobiektach);
    // One field of KopiujDane under its mode.
    void KopiujPoleNr(const TObiekt &p_Zrodlo, int16_t p_Nr, TKopierDanych &p_Kopier,
                      TTrybKopiowaniaPol p_TrybKopiowania, TTrybObslugiPodob p_TrybPodobiektow);
    // One field of Porownaj: both with a value compare, one alone counts unless it holds its default.
    int16_t PorownajPoleNr(const TObiekt &p_Inny, int16_t p_Nr, TPorownywaczDanych &p_Porownywacz) const;

private:
    [[noreturn]] void BlednyTypPola(int16_t p_Nr) const;
    // Copies field by field under the mode; the recursive step of KopiujDane.
    void KopiujPola(const TObiekt &p_Zrodlo, TKopierDanych &p_Kopier, TTrybKopiowaniaPol p_TrybKopiowania,
                    TTrybObslugiPodob p_TrybPodobiektow);
    void UsunPola();
    // ---- the block of fields (ObiektPola.cpp)
    // The class's layout; the first use of an undeclared class raises here (see TPole::Klasa).
    const TUkladPol &Uklad() const
    {
        const TUkladPol &uklad = TUkladPol::Dla(DajOpisKlasy());
        if (!uklad.JestInstancja(typeid(*this))) [[unlikely]]
            Klasa();
        return uklad;
    }
    std::byte *Blok() const { return reinterpret_cast<std::byte *>(FBlok & ~uintptr_t(1)); }
    std::byte *ZapewnijBlok(const TUkladPol &p_Uklad)
    {
        std::byte *blok = Blok();
        return blok ? blok : UtworzBlok(p_Uklad);
    }
    std::byte *UtworzBlok(const TUkladPol &p_Uklad);
    // The object's own place for field p_Nr (in the block); null when its table has none.
    static const TUkladPol::TMiejsce *MiejsceWlasne(const TUkladPol &p_Uklad, int16_t p_Nr)
    {
        const TUkladPol::TMiejsce *miejsce = p_Uklad.Miejsce(p_Nr);
        return miejsce && miejsce->Pole ? miejsce : nullptr;
    }
    // The object's own field p_Nr in its place, when it is there.
    TPole *PoleWlasne(const TUkladPol &p_Uklad, int16_t p_Nr) const
    {
        std::byte *blok = Blok();
        const TUkladPol::TMiejsce *miejsce = blok ? MiejsceWlasne(p_Uklad, p_Nr) : nullptr;
        if (!miejsce)
            return nullptr;
        std::byte *adres = blok + miejsce->Przesuniecie;
        if (!miejsce->WBloku)
            return *reinterpret_cast<TPole **>(adres);
        const auto zbudowane = std::to_integer<unsigned>(blok[p_Uklad.BajtyBitow() + unsigned(p_Nr) / 8]);
        return (zbudowane >> (p_Nr % 8)) & 1u ? std::launder(reinterpret_cast<TPole *>(adres)) : nullptr;
    }
    // Field p_Nr, checked to be of class p_Klasa; p_ZWartoscia also sets its bit.
    TPole &PoleKlasy(int16_t p_Nr, const TOpisKlasy &p_Klasa, bool p_ZWartoscia);
    TPole *UtworzPole(const TUkladPol &p_Uklad, int16_t p_Nr, const TOpisKlasy &p_Klasa);
    // Field p_Nr, which does not exist yet, created as Pola does.
    TPole &NowePole(const TUkladPol &p_Uklad, int16_t p_Nr);
    // The same as the public ones, with the class's layout at hand.
    TPole *PoleJesliJest(const TUkladPol &p_Uklad, int16_t p_Nr) const;
    bool Bit(const TUkladPol &p_Uklad, int16_t p_Nr) const;
    void UstawBit(const TUkladPol &p_Uklad, int16_t p_Nr, bool p_Ma);
    TDodatki::TZastepca *Zastepca(int16_t p_Nr) const;
    // Puts p_Pole where field p_Nr is seen (null: none), the object's own field
    // staying in its place unseen; gives back what was seen there before.
    TPole *Przeslon(int16_t p_Nr, TPole *p_Pole, bool p_Wlasny, bool p_Tymczasowo = false);
    // Takes the field seen at p_Nr away from the object; its own in-block field
    // is moved to the heap first, so the caller may free what it gets (or, for
    // p_DoZwolnienia, destroyed in its place at once, giving null).
    TPole *Odlacz(int16_t p_Nr, bool p_DoZwolnienia = false);
    // The field when it exists and has a value; null otherwise.
    const TPole *PoleZWartoscia(int16_t p_Nr) const;
    // An empty value clears the field; any other goes in through p_Ustaw and
    // sets the bit. The change hook runs either way.
    template <typename TUstaw> void UstawLubZeruj(int16_t p_Nr, bool p_Puste, TUstaw p_Ustaw);
    void UstawBit(int16_t p_Nr, bool p_Ma) { UstawBit(Uklad(), p_Nr, p_Ma); }
    bool Bit(int16_t p_Nr) const { return Bit(Uklad(), p_Nr); }

    // The block of fields; its lowest bit marks a block inside the object's
    // own allocation, which is never freed on its own.
    uintptr_t FBlok = 0;
};

// A persistent object with a lock of its own, re-entrant for its thread.
class TObiektTS : public TKlasa<TObiektTS, TObiekt>
{
public:
    using TKlasa::TKlasa;
    void ZablokujObiekt() override;
    void OdblokujObiekt() override;

private:
    std::recursive_mutex FSekcjaObiektu;
    // Who holds the lock and how many times, so that a release by a thread
    // that does not hold it raises instead of corrupting the mutex.
    std::atomic<std::thread::id> FWlasciciel{};
    int FGlebokosc = 0;
};

// A persistent object guarded by its parent's lock.
class TObiektITS : public TKlasa<TObiektITS, TObiekt>
{
public:
    using TKlasa::TKlasa;
    void ZablokujObiekt() override;
    void OdblokujObiekt() override;
};
