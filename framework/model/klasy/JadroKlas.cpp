#include "JadroKlas.h"

#include "UkladPol.h"

#include "Komunikaty.h"
#include "LkParam.h"
#include "NazwaPolaNaEkran.h"
#include "Obiekt.h"
#include "PrzestrzNazwXML.h"

#include <QFileInfo>

#include <atomic>
#include <map>

namespace {

// The date and time forms: the model's own, and those of CSV files alike.
void ustawFormyDatyICzasu(TFormatSettings &p_FS)
{
    p_FS.DateSeparator = QLatin1Char('-');
    p_FS.TimeSeparator = QLatin1Char(':');
    p_FS.ShortDateFormat = QStringLiteral("yyyy-MM-dd");
    p_FS.TimeAMString.clear();
    p_FS.TimePMString.clear();
    p_FS.ShortTimeFormat = QStringLiteral("hh:mm");
    p_FS.LongTimeFormat = QStringLiteral("hh:mm:ss");
}

// The model's defaults.
void ustawDomyslne(TFormatSettings &p_FS)
{
    p_FS.CurrencyFormat = 3;
    p_FS.NegCurrFormat = 8;
    p_FS.CurrencyDecimals = 2;
    p_FS.CurrencyString = QStringLiteral("z\u0142");
    p_FS.ThousandSeparator = QLatin1Char(' ');
    p_FS.DecimalSeparator = QLatin1Char('.');
    ustawFormyDatyICzasu(p_FS);
    p_FS.ListSeparator = QLatin1Char(';');
    p_FS.LongDateFormat = QStringLiteral("d MMMM yyyy");
    p_FS.ShortMonthNames = {QStringLiteral("sty"), QStringLiteral("lut"), QStringLiteral("mar"),
                            QStringLiteral("kwi"), QStringLiteral("maj"), QStringLiteral("cze"),
                            QStringLiteral("lip"), QStringLiteral("sie"), QStringLiteral("wrz"),
                            QStringLiteral("pa\u017a"), QStringLiteral("lis"), QStringLiteral("gru")};
    p_FS.LongMonthNames = {QStringLiteral("stycze\u0144"),    QStringLiteral("luty"),
                           QStringLiteral("marzec"),           QStringLiteral("kwiecie\u0144"),
                           QStringLiteral("maj"),              QStringLiteral("czerwiec"),
                           QStringLiteral("lipiec"),           QStringLiteral("sierpie\u0144"),
                           QStringLiteral("wrzesie\u0144"),    QStringLiteral("pa\u017adziernik"),
                           QStringLiteral("listopad"),         QStringLiteral("grudzie\u0144")};
    p_FS.ShortDayNames = {QStringLiteral("Nie"), QStringLiteral("Pon"), QStringLiteral("Wto"),
                          QStringLiteral("\u015aro"), QStringLiteral("Czw"), QStringLiteral("Pt"),
                          QStringLiteral("Sob")};
    p_FS.LongDayNames = {QStringLiteral("niedziela"), QStringLiteral("poniedzia\u0142ek"),
                         QStringLiteral("wtorek"),    QStringLiteral("\u015broda"),
                         QStringLiteral("czwartek"),  QStringLiteral("pi\u0105tek"),
                         QStringLiteral("sobota")};
    p_FS.TwoDigitYearCenturyWindow = 50;
}

// The core: ours or a host's. Creation and hand-over share one lock.
std::mutex &blokadaJadra()
{
    static std::mutex blokada;
    return blokada;
}
std::atomic<TJadroKlas *> jadro{nullptr};
bool jadroZewnetrzne = false;

} // namespace

TJadroKlas::TJadroKlas()
{
    ustawDomyslne(FFormatSettings);
    UstawDefFormatDatyCSV(FDefFormatDatyCSV);
    RejestrujKlasy({&TObiekt::Opis, &TObiektTS::Opis, &TObiektITS::Opis, &TLkParamBazowy::Opis, &TLkParam::Opis,
                    &TPrzestrzNazwXML::Opis});
}

TJadroKlas::~TJadroKlas() = default;

// ---- classes

void TJadroKlas::RejestrujKlase(const TOpisKlasy &p_Klasa)
{
    std::lock_guard blokada(FSekcja);
    FListaKlas.try_emplace(p_Klasa.ClassName(), &p_Klasa);
}

void TJadroKlas::RejestrujKlasy(std::initializer_list<const TOpisKlasy *> p_Klasy)
{
    std::lock_guard blokada(FSekcja);
    for (const TOpisKlasy *klasa : p_Klasy)
        RejestrujKlase(*klasa);
}

void TJadroKlas::WyrejestrujKlase(const TOpisKlasy &p_Klasa)
{
    std::lock_guard blokada(FSekcja);
    FListaKlas.erase(p_Klasa.ClassName());
}

void TJadroKlas::WyrejestrujKlasy(std::initializer_list<const TOpisKlasy *> p_Klasy)
{
    std::lock_guard blokada(FSekcja);
    for (const TOpisKlasy *klasa : p_Klasy)
        WyrejestrujKlase(*klasa);
}

const TOpisKlasy *TJadroKlas::JestKlasaONazwie(const QString &p_Nazwa) const
{
    std::lock_guard blokada(FSekcja);
    const auto klasa = FListaKlas.find(p_Nazwa);
    return klasa == FListaKlas.end() ? nullptr : klasa->second;
}

void TJadroKlas::DajListeZnanychKlas(QStringList &p_Lista) const
{
    std::lock_guard blokada(FSekcja);
    p_Lista.clear();
    for (const auto &[nazwa, klasa] : FListaKlas)
        p_Lista << klasa->ClassName();
}

// ---- field tables

const TOpisKlasy &TJadroKlas::OpisKlasy(const TOpisKlasy &p_Klasa)
{
    std::lock_guard blokada(FSekcja);
    if (!FOpisaneKlasy.contains(&p_Klasa)) {
        // Resolving the field table checks it.
        TUkladPol::Dla(p_Klasa);
        FOpisaneKlasy.insert(&p_Klasa);
        RejestrujKlase(p_Klasa);
    }
    return p_Klasa;
}

const TOpisKlasy *TJadroKlas::TypPolaKlasy(const TOpisKlasy &p_Klasa, int16_t p_Nr)
{
    const TUkladPol::TMiejsce *miejsce = TUkladPol::Dla(OpisKlasy(p_Klasa)).Miejsce(p_Nr);
    return miejsce && miejsce->Pole ? miejsce->Pole->Klasa : nullptr;
}

// ---- editing functions

void TJadroKlas::RejestrujFunEdycji(const TOpisKlasy &p_KlasaEdycji, const TFunEdycji &p_FunEdycji,
                                    bool p_TylkoGdyBrak)
{
    std::lock_guard blokada(FSekcja);
    RejestrujKlase(p_KlasaEdycji);
    const QString klucz = p_KlasaEdycji.ClassName().toUpper();
    if (!p_FunEdycji)
        FListaFunEdycji.erase(klucz);
    else if (p_TylkoGdyBrak)
        FListaFunEdycji.try_emplace(klucz, p_FunEdycji);
    else
        FListaFunEdycji.insert_or_assign(klucz, p_FunEdycji);
}

bool TJadroKlas::JestFunEdycji(const TOpisKlasy &p_Klasa, TFunEdycji &p_FunEdycji) const
{
    std::lock_guard blokada(FSekcja);
    const auto fun = FListaFunEdycji.find(p_Klasa.ClassName().toUpper());
    if (fun == FListaFunEdycji.end())
        return false;
    p_FunEdycji = fun->second;
    return true;
}

// ---- interfaces

TObiektBazowy *TJadroKlas::DajObiektImplInterfejs(const std::shared_ptr<IInterfejs> &p_Interfejs)
{
    return dynamic_cast<TObiektBazowy *>(p_Interfejs.get());
}

void TJadroKlas::RejestrujInterfejs(const std::shared_ptr<IInterfejs> &p_Interfejs)
{
    if (!p_Interfejs)
        return;
    std::lock_guard blokada(FSekcja);
    for (const TZarejestrowanyInterfejs &zarejestrowany : FInterfejsy)
        if (zarejestrowany.Interfejs == p_Interfejs)
            return;
    const auto *obiekt = dynamic_cast<const TPole *>(p_Interfejs.get());
    FInterfejsy.push_back({p_Interfejs, obiekt ? obiekt->ClassName() : QStringLiteral("?")});
}

bool TJadroKlas::WyrejestrujInterfejs(const std::shared_ptr<IInterfejs> &p_Interfejs)
{
    // Released after the lock: the object's destructor may call back.
    std::shared_ptr<IInterfejs> zwalniany;
    std::lock_guard blokada(FSekcja);
    for (auto it = FInterfejsy.begin(); it != FInterfejsy.end(); ++it)
        if (it->Interfejs == p_Interfejs) {
            zwalniany = std::move(it->Interfejs);
            FInterfejsy.erase(it);
            return true;
        }
    return false;
}

std::vector<std::shared_ptr<IInterfejs>> TJadroKlas::KopiaInterfejsow() const
{
    std::lock_guard blokada(FSekcja);
    std::vector<std::shared_ptr<IInterfejs>> kopia;
    kopia.reserve(FInterfejsy.size());
    for (const TZarejestrowanyInterfejs &zarejestrowany : FInterfejsy)
        kopia.push_back(zarejestrowany.Interfejs);
    return kopia;
}

QStringList TJadroKlas::NazwyObImplInt() const
{
    std::lock_guard blokada(FSekcja);
    QStringList nazwy;
    for (const TZarejestrowanyInterfejs &zarejestrowany : FInterfejsy)
        nazwy << zarejestrowany.NazwaKlasy;
    return nazwy;
}

void TJadroKlas::ZwolnijInterfejsy()
{
    std::vector<TZarejestrowanyInterfejs> zwalniane;
    {
        std::lock_guard blokada(FSekcja);
        zwalniane.swap(FInterfejsy);
    }
    // Newest first, as they were found.
    while (!zwalniane.empty())
        zwalniane.pop_back();
}

// ---- format settings

void TJadroKlas::UstawDefFormatDatyICzasu(TFormatSettings *p_FS)
{
    std::lock_guard blokada(FSekcja);
    ustawDomyslne(p_FS ? *p_FS : FFormatSettings);
}

void TJadroKlas::UstawDefFormatDatyCSV(TFormatSettings &p_FS)
{
    UstawDefFormatDatyICzasu(&p_FS);
    ustawFormyDatyICzasu(p_FS);
}

TFormatSettings TJadroKlas::DefFormatDatyCSV() const
{
    std::lock_guard blokada(FSekcja);
    return FDefFormatDatyCSV;
}

void TJadroKlas::SetDefFormatDatyCSV(const TFormatSettings &p_FS)
{
    std::lock_guard blokada(FSekcja);
    FDefFormatDatyCSV = p_FS;
}

void TJadroKlas::InicjalizujFormatSettingsJSON(TFormatSettings &p_FS) const
{
    std::lock_guard blokada(FSekcja);
    p_FS = FFormatSettings;
    p_FS.DecimalSeparator = QLatin1Char('.');
}

QString TJadroKlas::NazwaPolaNaEkran(const QString &p_Nazwa) const
{
    return ::NazwaPolaNaEkran(p_Nazwa);
}

// ---- the one core

TJadroKlas &DajJadroKlas()
{
    if (TJadroKlas *biezace = jadro.load(std::memory_order_acquire))
        return *biezace;
    std::lock_guard blokada(blokadaJadra());
    if (!jadro.load())
        jadro.store(new TJadroKlas, std::memory_order_release);
    return *jadro.load();
}

bool UstawZewnetrzneJadroKlas(TJadroKlas *p_Jadro)
{
    std::lock_guard blokada(blokadaJadra());
    if (jadro.load())
        return false;
    jadro.store(p_Jadro, std::memory_order_release);
    jadroZewnetrzne = p_Jadro != nullptr;
    return true;
}

void ZakonczJadroKlas(const QString &p_NazwaProgramu)
{
    const QString tytul = QFileInfo(p_NazwaProgramu).fileName();
    TJadroKlas *biezace = nullptr;
    bool zewnetrzne = false;
    {
        std::lock_guard blokada(blokadaJadra());
        biezace = jadro.exchange(nullptr);
        zewnetrzne = std::exchange(jadroZewnetrzne, false);
    }
    // A host's core is the host's to free, with its interfaces.
    if (!biezace || zewnetrzne)
        return;
    std::unique_ptr<TJadroKlas> wlasne(biezace);
    try {
        const QStringList pozostale = wlasne->NazwyObImplInt();
        if (!pozostale.isEmpty())
            PokazKomunikatZTytulem(tytul,
                                   Format(QStringLiteral("UWAGA!\rNiewyrejestrowane interfejsy z j\u0105dra:\r%s"),
                                          {pozostale.join(QLatin1Char('\r'))}),
                                   mtWarning, mbOKOnly, 0);
        wlasne->ZwolnijInterfejsy();
        wlasne.reset();
    } catch (const std::exception &e) {
        PokazKomunikatZTytulem(tytul,
                               Format(QStringLiteral("UWAGA!\rWyj\u0105tek przy zwalnianiu j\u0105dra:\r%s"),
                                      {KomunikatWyjatku(e)}),
                               mtWarning, mbOKOnly, 0);
    }
}

// ---- referring lists

void TJadroKlas::DodajLinkOd(TObiektBazowy &p_Obiekt, TPole &p_Pole)
{
    std::lock_guard blokada(FSekcja);
    p_Obiekt.DodajRef(&p_Pole);
}

void TJadroKlas::ZwolnijLinkOd(TObiektBazowy &p_Obiekt, TPole &p_Pole)
{
    std::lock_guard blokada(FSekcja);
    p_Obiekt.UsunRefOd(&p_Pole);
}

void TJadroKlas::ZwolnijLinki(TObiektBazowy &p_Obiekt)
{
    std::lock_guard blokada(FSekcja);
    p_Obiekt.ZwolnijLinki();
}
