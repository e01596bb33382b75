#include "ObslugaOkienNiemodalnych.h"

#include "CentrumWiadomosci.h"
#include "LkFormBazowe.h"
#include "Wyjatki.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <map>

namespace {

struct TStan
{
    std::vector<QPointer<QWidget>> Okna;
    std::map<QString, QPointer<QWidget>> OknaWgKlasy;
    std::map<QString, QPointer<QWidget>> Ramki;
    std::vector<TOknoPluginu> Pluginy;
    QPointer<QMenu> Menu;
    QActionGroup *Grupa = nullptr;
    std::shared_ptr<ICentrumWiadomosci> Centrum;
    std::vector<std::function<void(const TOknoPluginu &)>> ObslugiWyrejestrowania;
};

TStan &stan()
{
    static TStan s;
    return s;
}

// Menu items carry their window: a form's address or a plug-in window's handle.
constexpr const char *wlasnoscOkna = "OknoMenu";

QAction *pozycja(qintptr p_Okno)
{
    if (!stan().Menu)
        return nullptr;
    for (QAction *akcja : stan().Menu->actions())
        if (akcja->property(wlasnoscOkna).isValid() && akcja->property(wlasnoscOkna).value<qintptr>() == p_Okno)
            return akcja;
    return nullptr;
}

qintptr klucz(const QWidget *p_Okno)
{
    return reinterpret_cast<qintptr>(p_Okno);
}

void dodajPozycje(qintptr p_Okno, const QString &p_Tytul, std::function<void()> p_Aktywuj)
{
    QMenu *menu = stan().Menu;
    if (!menu)
        return;
    if (menu->actions().isEmpty()) {
        QAction *wszystkie = menu->addAction(QStringLiteral("Zamknij wszystkie otwarte okna"));
        QObject::connect(wszystkie, &QAction::triggered, menu, [menu] {
            TObslugaOkienNiemodalnych::ZamknijOkna();
            menu->setEnabled(false);
        });
        menu->addSeparator();
        menu->menuAction()->setVisible(true);
        stan().Grupa = new QActionGroup(menu);
    }
    menu->setEnabled(true);
    QAction *akcja = menu->addAction(p_Tytul.isEmpty() ? QStringLiteral("?") : p_Tytul);
    akcja->setCheckable(true);
    akcja->setActionGroup(stan().Grupa);
    akcja->setChecked(true);
    akcja->setProperty(wlasnoscOkna, QVariant::fromValue(p_Okno));
    QObject::connect(akcja, &QAction::triggered, menu, std::move(p_Aktywuj));
}

void usunPozycje(qintptr p_Okno)
{
    if (QAction *akcja = pozycja(p_Okno)) {
        stan().Menu->removeAction(akcja);
        delete akcja;
        // The close-all item and its separator alone.
        if (stan().Menu->actions().size() <= 2)
            stan().Menu->setEnabled(false);
    }
}

QString klasaOkna(const QWidget *p_Okno)
{
    return QString::fromLatin1(p_Okno->metaObject()->className());
}

QWidget *oknoPluginu(qintptr p_Handle)
{
    return QWidget::find(static_cast<WId>(p_Handle));
}

} // namespace

void TObslugaOkienNiemodalnych::RejestrujOkno(QWidget *p_Okno, const QString &)
{
    stan().Okna.emplace_back(p_Okno);
    dodajPozycje(klucz(p_Okno), p_Okno->windowTitle(), [p = QPointer<QWidget>(p_Okno)] { AktywujOkno(p); });
}

void TObslugaOkienNiemodalnych::RejestrujOknoWgKlasy(QWidget *p_Okno, const QString &)
{
    auto &mapa = stan().OknaWgKlasy;
    const QString klasa = klasaOkna(p_Okno);
    if (mapa.count(klasa) && mapa.at(klasa))
        throw LkException(QStringLiteral("Duplikat klucza: ") + klasa);
    mapa[klasa] = p_Okno;
    dodajPozycje(klucz(p_Okno), p_Okno->windowTitle(), [p = QPointer<QWidget>(p_Okno)] { AktywujOkno(p); });
}

void TObslugaOkienNiemodalnych::RejestrujRamke(const QString &p_KlasaRamki, QWidget *p_Okno, const QString &)
{
    auto &mapa = stan().Ramki;
    if (mapa.count(p_KlasaRamki) && mapa.at(p_KlasaRamki))
        throw LkException(QStringLiteral("Duplikat klucza: ") + p_KlasaRamki);
    mapa[p_KlasaRamki] = p_Okno;
    dodajPozycje(klucz(p_Okno), p_Okno->windowTitle(), [p = QPointer<QWidget>(p_Okno)] { AktywujOkno(p); });
}

void TObslugaOkienNiemodalnych::RejestrujOknoPluginu(const TOknoPluginu &p_Okno)
{
    stan().Pluginy.push_back(p_Okno);
    dodajPozycje(p_Okno.Handle, p_Okno.TytulOkna,
                 [h = p_Okno.Handle] { TLkFormBazowe::ActivateForm(oknoPluginu(h)); });
}

void TObslugaOkienNiemodalnych::WyrejestrujOkno(QWidget *p_Okno)
{
    auto &okna = stan().Okna;
    std::erase_if(okna, [p_Okno](const QPointer<QWidget> &p_W) { return !p_W || p_W == p_Okno; });
    usunPozycje(klucz(p_Okno));
}

void TObslugaOkienNiemodalnych::WyrejestrujOknoWgKlasy(QWidget *p_Okno)
{
    stan().OknaWgKlasy.erase(klasaOkna(p_Okno));
    usunPozycje(klucz(p_Okno));
}

void TObslugaOkienNiemodalnych::WyrejestrujRamke(const QString &p_KlasaRamki)
{
    auto &mapa = stan().Ramki;
    const auto ramka = mapa.find(p_KlasaRamki);
    if (ramka == mapa.end())
        return;
    usunPozycje(klucz(ramka->second));
    mapa.erase(ramka);
}

void TObslugaOkienNiemodalnych::WyrejestrujOknoPluginu(qintptr p_Handle)
{
    auto &pluginy = stan().Pluginy;
    const auto okno = std::find_if(pluginy.begin(), pluginy.end(),
                                   [p_Handle](const TOknoPluginu &p_O) { return p_O.Handle == p_Handle; });
    if (okno == pluginy.end())
        return;
    usunPozycje(p_Handle);
    const TOknoPluginu odchodzace = *okno;
    for (const auto &obsluga : stan().ObslugiWyrejestrowania)
        obsluga(odchodzace);
    pluginy.erase(std::find_if(pluginy.begin(), pluginy.end(),
                               [p_Handle](const TOknoPluginu &p_O) { return p_O.Handle == p_Handle; }));
    if (pluginy.empty())
        stan().Centrum.reset();
}

bool TObslugaOkienNiemodalnych::ZarejestrowanoOkno(const QWidget *p_Okno)
{
    const auto &okna = stan().Okna;
    return std::any_of(okna.begin(), okna.end(), [p_Okno](const QPointer<QWidget> &p_W) { return p_W == p_Okno; });
}

bool TObslugaOkienNiemodalnych::ZarejestrowanoOknoWgKlasy(const QString &p_KlasaOkna, QWidget *&p_Okno)
{
    const auto okno = stan().OknaWgKlasy.find(p_KlasaOkna);
    p_Okno = okno != stan().OknaWgKlasy.end() ? okno->second.data() : nullptr;
    return p_Okno;
}

bool TObslugaOkienNiemodalnych::ZarejestrowanoRamke(const QString &p_KlasaRamki, QWidget *&p_Okno)
{
    const auto okno = stan().Ramki.find(p_KlasaRamki);
    p_Okno = okno != stan().Ramki.end() ? okno->second.data() : nullptr;
    return p_Okno;
}

bool TObslugaOkienNiemodalnych::ZarejestrowanoOknoPluginuWgKlasy(const QString &p_KlasaOkna, QString &p_IdentOkna)
{
    for (const TOknoPluginu &okno : stan().Pluginy)
        if (okno.KlasaOkna == p_KlasaOkna) {
            p_IdentOkna = okno.IdentOkna;
            return true;
        }
    p_IdentOkna.clear();
    return false;
}

std::vector<TOknoPluginu> TObslugaOkienNiemodalnych::OknaPluginow()
{
    return stan().Pluginy;
}

void TObslugaOkienNiemodalnych::AktywujOkno(QWidget *p_Okno)
{
    TLkFormBazowe::ActivateForm(p_Okno);
}

void TObslugaOkienNiemodalnych::AktywneOkno(const QWidget *p_Okno)
{
    if (QAction *akcja = pozycja(klucz(p_Okno)))
        akcja->setChecked(true);
}

void TObslugaOkienNiemodalnych::AktywneOknoPluginu(qintptr p_Handle)
{
    if (QAction *akcja = pozycja(p_Handle))
        akcja->setChecked(true);
}

void TObslugaOkienNiemodalnych::ZamknijOkna()
{
    // Copies: closing changes the registers.
    std::vector<QPointer<QWidget>> kolejka;
    for (const auto &[klasa, okno] : stan().Ramki)
        kolejka.push_back(okno);
    for (const auto &[klasa, okno] : stan().OknaWgKlasy)
        kolejka.push_back(okno);
    // Each plain form is asked once: one that refuses stays open (and listed).
    for (const QPointer<QWidget> &okno : stan().Okna)
        kolejka.push_back(okno);
    for (const QPointer<QWidget> &okno : kolejka)
        if (okno)
            okno->close();
    auto &pluginy = stan().Pluginy;
    for (auto i = static_cast<std::ptrdiff_t>(pluginy.size()) - 1; i >= 0; --i) {
        i = std::min(i, static_cast<std::ptrdiff_t>(pluginy.size()) - 1);
        if (i < 0)
            break;
        TLkFormBazowe::CloseForm(oknoPluginu(pluginy[i].Handle));
    }
}

void TObslugaOkienNiemodalnych::OdblokujOknaNiemodalne()
{
    for (const auto &[klasa, okno] : stan().Ramki)
        TLkFormBazowe::EnableForm(okno);
    for (const QPointer<QWidget> &okno : stan().Okna)
        TLkFormBazowe::EnableForm(okno);
    for (const auto &[klasa, okno] : stan().OknaWgKlasy)
        TLkFormBazowe::EnableForm(okno);
    for (const TOknoPluginu &okno : stan().Pluginy)
        TLkFormBazowe::EnableForm(oknoPluginu(okno.Handle));
}

void TObslugaOkienNiemodalnych::ObsluzOnIdle()
{
    if (stan().Pluginy.empty())
        return;
    if (!stan().Centrum)
        stan().Centrum = DajCentrumWiadomosci();
    if (!stan().Centrum)
        return;
    for (const TOknoPluginu &okno : stan().Pluginy)
        stan().Centrum->WyslijWiadomosc(okno.Plugin + QStringLiteral(".OnIdle"), QByteArray(), nullptr);
}

void TObslugaOkienNiemodalnych::UstawMenuOkien(QMenu *p_Menu)
{
    stan().Menu = p_Menu;
}

QMenu *TObslugaOkienNiemodalnych::MenuOkien()
{
    return stan().Menu;
}

void TObslugaOkienNiemodalnych::DodajObslugeWyrejestrowania(std::function<void(const TOknoPluginu &)> p_Obsluga)
{
    stan().ObslugiWyrejestrowania.push_back(std::move(p_Obsluga));
}

void TObslugaOkienNiemodalnych::Zakoncz()
{
    stan() = TStan();
}
