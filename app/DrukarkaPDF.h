#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

#include <cstdio>
#include <mutex>

// The PDF maker of a batch: one ostrevia-pdf process, and so one browser
// engine, for every page, started by Uruchom and asked page by page from
// any thread (one page at a time). Dies with this object: its input is
// closed and it is waited for.
class TDrukarkaPDF
{
public:
    TDrukarkaPDF() = default;
    ~TDrukarkaPDF();

    TDrukarkaPDF(const TDrukarkaPDF &) = delete;
    TDrukarkaPDF &operator=(const TDrukarkaPDF &) = delete;

    // Starts p_Program. Run it on a thread that lives as long as the batch:
    // the maker ends when the thread that started it does. False with the
    // reason in p_Blad.
    bool Uruchom(const QString &p_Program, QString &p_Blad);

    // Prints p_Strona into p_PlikPDF, never over p_Chronione. Empty when
    // done, otherwise why not, in Polish.
    QString Drukuj(const QString &p_Strona, const QString &p_PlikPDF, const QStringList &p_Chronione);

private:
    void zakoncz() noexcept;

    std::mutex FBlokada;
    pid_t FPid = -1;
    std::FILE *FZlecenia = nullptr;
    std::FILE *FOdpowiedzi = nullptr;
    QString FAwaria; // once the maker is gone, every later page is refused with this
};
