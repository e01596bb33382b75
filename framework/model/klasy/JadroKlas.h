#pragma once

#include "FormatSettings.h"
#include "Formatuj.h"
#include "Interfejs.h"
#include "OpisKlasy.h"
#include "Wyjatki.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_set>
#include <vector>

class TPole;
class TObiektBazowy;

// Edits a field in an editor window; p_Podglad asks for a view only.
// The parameter object may be null.
using TFunEdycji = std::function<bool(TPole &p_Pole, bool p_Podglad, TObiektBazowy *p_ParamEdycji)>;

// The process-wide services of the object model: type names found in files
// mapped to classes, validated field tables, the model's format settings,
// editing functions and a locator of interfaces. Every operation takes the
// core's lock, a plain recursive mutex (the core is no persistent object).
class TJadroKlas
{
public:
    TJadroKlas();
    ~TJadroKlas();
    TJadroKlas(const TJadroKlas &) = delete;
    TJadroKlas &operator=(const TJadroKlas &) = delete;

    // ---- classes by name, ignoring case; the first class of a name stays
    void RejestrujKlase(const TOpisKlasy &p_Klasa);
    void RejestrujKlasy(std::initializer_list<const TOpisKlasy *> p_Klasy);
    void WyrejestrujKlase(const TOpisKlasy &p_Klasa);
    void WyrejestrujKlasy(std::initializer_list<const TOpisKlasy *> p_Klasy);
    // Null when no class of that name is registered.
    const TOpisKlasy *JestKlasaONazwie(const QString &p_Nazwa) const;
    // Replaces the list's contents with the registered names.
    void DajListeZnanychKlas(QStringList &p_Lista) const;

    // ---- field tables
    // The class's description, its field table checked once (and the class
    // registered). A field number taken twice raises LkException
    // "Błąd generowania opisu klasy %s dla pola %s: Błąd dodania właściwości".
    const TOpisKlasy &OpisKlasy(const TOpisKlasy &p_Klasa);
    // The field class of field p_Nr of the class; null when there is none.
    const TOpisKlasy *TypPolaKlasy(const TOpisKlasy &p_Klasa, int16_t p_Nr);

    // ---- editing functions, by class
    // Registers the class too; an empty function removes the entry; with
    // p_TylkoGdyBrak an existing function is kept.
    void RejestrujFunEdycji(const TOpisKlasy &p_KlasaEdycji, const TFunEdycji &p_FunEdycji,
                            bool p_TylkoGdyBrak = false);
    // The function stored for exactly that class.
    bool JestFunEdycji(const TOpisKlasy &p_Klasa, TFunEdycji &p_FunEdycji) const;

    // ---- interfaces
    // Adds it when not yet present, noting the class behind it ("?" when it is no persistent object).
    void RejestrujInterfejs(const std::shared_ptr<IInterfejs> &p_Interfejs);
    // False when it was not registered.
    bool WyrejestrujInterfejs(const std::shared_ptr<IInterfejs> &p_Interfejs);
    // The most recently registered interface of type T answers first.
    template <class T> bool DajInterfejs(std::shared_ptr<T> &p_Wynik) const;
    // Only when p_Wynik is still empty.
    template <class T> void DajInterfejsGdyBrak(std::shared_ptr<T> &p_Wynik) const
    {
        if (!p_Wynik)
            DajInterfejs(p_Wynik);
    }
    // As DajInterfejs, else LkException: the mask (" %s" appended when it has
    // none) with T::IID, or "brak interfejsu %s" without a mask.
    template <class T> std::shared_ptr<T> DajInterfejsLubBlad(const QString &p_MaskaBledu = {}) const;
    // The implementing class names of the registered interfaces, oldest first.
    QStringList NazwyObImplInt() const;
    // Releases every registered interface (outside the lock).
    void ZwolnijInterfejsy();

    // The persistent object behind an interface; null when it is none.
    static TObiektBazowy *DajObiektImplInterfejs(const std::shared_ptr<IInterfejs> &p_Interfejs);

    // ---- referring lists, under the core's lock
    void DodajLinkOd(TObiektBazowy &p_Obiekt, TPole &p_Pole);
    void ZwolnijLinkOd(TObiektBazowy &p_Obiekt, TPole &p_Pole);
    // Cuts the object's subtree loose from every reference into it and out of it.
    void ZwolnijLinki(TObiektBazowy &p_Obiekt);

    // ---- format settings
    // The model's settings for every text form of numbers and dates; fixed at creation.
    const TFormatSettings &FormatSettings() const { return FFormatSettings; }
    // Applies the model's defaults to p_FS, or to the core's own settings when null.
    void UstawDefFormatDatyICzasu(TFormatSettings *p_FS = nullptr);
    // The defaults, then the CSV date and time forms.
    void UstawDefFormatDatyCSV(TFormatSettings &p_FS);
    TFormatSettings DefFormatDatyCSV() const;
    void SetDefFormatDatyCSV(const TFormatSettings &p_FS);
    // The model's settings with "." as the decimal separator.
    void InicjalizujFormatSettingsJSON(TFormatSettings &p_FS) const;

    QString NazwaPolaNaEkran(const QString &p_Nazwa) const;

private:
    struct TBezWielkosciLiter
    {
        bool operator()(const QString &p_A, const QString &p_B) const
        {
            return p_A.compare(p_B, Qt::CaseInsensitive) < 0;
        }
    };
    struct TZarejestrowanyInterfejs
    {
        std::shared_ptr<IInterfejs> Interfejs;
        QString NazwaKlasy;
    };
    std::vector<std::shared_ptr<IInterfejs>> KopiaInterfejsow() const;

    mutable std::recursive_mutex FSekcja;
    std::map<QString, const TOpisKlasy *, TBezWielkosciLiter> FListaKlas;
    std::map<QString, TFunEdycji> FListaFunEdycji;
    std::vector<TZarejestrowanyInterfejs> FInterfejsy;
    std::unordered_set<const TOpisKlasy *> FOpisaneKlasy;
    TFormatSettings FFormatSettings;
    TFormatSettings FDefFormatDatyCSV;
};

template <class T> bool TJadroKlas::DajInterfejs(std::shared_ptr<T> &p_Wynik) const
{
    // The latest registration first; reverse iterators, as clang's ranges reject a temporary's reverse view.
    const std::vector<std::shared_ptr<IInterfejs>> interfejsy = KopiaInterfejsow();
    for (auto it = interfejsy.rbegin(); it != interfejsy.rend(); ++it)
        if (std::shared_ptr<T> wynik = std::dynamic_pointer_cast<T>(*it)) {
            p_Wynik = std::move(wynik);
            return true;
        }
    return false;
}

template <class T> std::shared_ptr<T> TJadroKlas::DajInterfejsLubBlad(const QString &p_MaskaBledu) const
{
    std::shared_ptr<T> wynik;
    if (DajInterfejs(wynik))
        return wynik;
    QString maska = p_MaskaBledu.isEmpty() ? QStringLiteral("brak interfejsu %s") : p_MaskaBledu;
    if (!maska.contains(QLatin1String("%s")))
        maska += QLatin1String(" %s");
    throw LkException(Format(maska, {QString::fromLatin1(T::IID)}));
}

// The one core of the process: a core handed in before first use, else our own
// (created on first use, with the model's classes registered).
TJadroKlas &DajJadroKlas();
// Hands in a host's core; refused (false) once a core is in use.
bool UstawZewnetrzneJadroKlas(TJadroKlas *p_Jadro);
// The model's shutdown: reports interfaces left registered (caption: the
// program's file name), releases them and frees our own core. A failure on
// the way is shown, never thrown.
void ZakonczJadroKlas(const QString &p_NazwaProgramu = {});
