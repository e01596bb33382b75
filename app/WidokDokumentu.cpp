#include "WidokDokumentu.h"

#include "ZadanieDruku.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

#include <algorithm>
#include <array>

namespace {

class TTylkoPlikiLokalne : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &p_Zadanie) override
    {
        if (!p_Zadanie.requestUrl().isLocalFile())
            p_Zadanie.block(true);
    }
};

// The zoom levels browsers step through.
constexpr std::array<double, 17> stopnieZoomu = {0.25, 0.33, 0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1,
                                                 1.25, 1.5,  1.75, 2.0, 2.5,  3.0, 4.0, 5.0};

} // namespace

TWidokDokumentu::TWidokDokumentu(QWidget *p_Rodzic) : QWebEngineView(p_Rodzic)
{
    auto *profil = new QWebEngineProfile(this); // no storage name: off the record
    profil->setUrlRequestInterceptor(new TTylkoPlikiLokalne(profil));
    profil->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);

    auto *strona = new QWebEnginePage(profil, this);
    QWebEngineSettings *ustawienia = strona->settings();
    ustawienia->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    ustawienia->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    ustawienia->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    ustawienia->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    ustawienia->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    ustawienia->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    setPage(strona);

    connect(strona, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &p_Stan) {
        const auto stan = p_Stan.status();
        if (!FLaduje || p_Stan.url() != FAdres
            || (stan != QWebEngineLoadingInfo::LoadSucceededStatus && stan != QWebEngineLoadingInfo::LoadFailedStatus))
            return;
        FLaduje = false;
        FZaladowana = stan == QWebEngineLoadingInfo::LoadSucceededStatus;
        emit Zaladowano(FZaladowana);
    });
}

TWidokDokumentu::~TWidokDokumentu()
{
    // The page must go before its profile.
    delete page();
}

void TWidokDokumentu::PokazStrone(const QUrl &p_Adres)
{
    FAdres = p_Adres;
    FLaduje = true;
    FZaladowana = false;
    setUrl(p_Adres);
}

void TWidokDokumentu::Powieksz()
{
    const auto wiekszy = std::upper_bound(stopnieZoomu.begin(), stopnieZoomu.end(), zoomFactor() + 0.001);
    if (wiekszy != stopnieZoomu.end())
        setZoomFactor(*wiekszy);
}

void TWidokDokumentu::Pomniejsz()
{
    const auto mniejszy = std::lower_bound(stopnieZoomu.begin(), stopnieZoomu.end(), zoomFactor() - 0.001);
    if (mniejszy != stopnieZoomu.begin())
        setZoomFactor(*std::prev(mniejszy));
}

void TWidokDokumentu::RozmiarDomyslny()
{
    setZoomFactor(1.0);
}

QObject *TWidokDokumentu::Drukuj(const TOpisStrony &p_Strona, const TUstawieniaDruku &p_Ustawienia,
                                 const QString &p_Tytul, const QStringList &p_Chronione,
                                 std::function<void(const QString &)> p_Koniec)
{
    auto *zadanie = new TZadanieDruku(*this, p_Strona, p_Ustawienia, p_Tytul, p_Chronione);
    connect(zadanie, &TZadanieDruku::Zakonczone, zadanie, std::move(p_Koniec));
    zadanie->Uruchom();
    return zadanie;
}

QMenu *TWidokDokumentu::UtworzMenu()
{
    auto *menu = new QMenu(this);
    QAction *kopiuj = menu->addAction(QStringLiteral("Kopiuj"), this,
                                      [this] { page()->triggerAction(QWebEnginePage::Copy); });
    kopiuj->setShortcut(QKeySequence::Copy);
    kopiuj->setEnabled(page()->hasSelection());
    QAction *wszystko = menu->addAction(QStringLiteral("Zaznacz wszystko"), this,
                                        [this] { page()->triggerAction(QWebEnginePage::SelectAll); });
    wszystko->setShortcut(QKeySequence::SelectAll);
    if (!actions().isEmpty()) {
        menu->addSeparator();
        menu->addActions(actions());
    }
    return menu;
}

void TWidokDokumentu::contextMenuEvent(QContextMenuEvent *p_Zdarzenie)
{
    QMenu *menu = UtworzMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(p_Zdarzenie->globalPos());
}
