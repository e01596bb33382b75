#include "WidokDokumentu.h"

#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

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
}

TWidokDokumentu::~TWidokDokumentu()
{
    // The page must go before its profile.
    delete page();
}
