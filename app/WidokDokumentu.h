#pragma once

#include <QWebEngineView>

class QWebEngineProfile;

// The browser pane for rendered pages: a private, off-the-record profile, no
// scripts, and nothing but local files may be loaded (the page is built from
// a hostile document; it must not reach the network).
class TWidokDokumentu : public QWebEngineView
{
    Q_OBJECT
public:
    explicit TWidokDokumentu(QWidget *p_Rodzic = nullptr);
    ~TWidokDokumentu() override;
};
