#pragma once

#include "UstawieniaDruku.h"
#include "WydrukPDF.h"

#include <QObject>
#include <QStringList>

#include <thread>

class TWidokDokumentu;

// One printout of the page shown in the pane, by the one road there is: the
// engine prints the page to PDF with the dialog's paper, orientation and
// pages, and the PDF goes to the CUPS queue chosen, or to the file chosen.
// Zakonczone comes exactly once, from the event loop.
class TZadanieDruku : public QObject
{
    Q_OBJECT
public:
    // p_Chronione: files the printout must never replace (the document shown).
    TZadanieDruku(TWidokDokumentu &p_Widok, const TOpisStrony &p_Strona, TUstawieniaDruku p_Ustawienia,
                  QString p_Tytul, QStringList p_Chronione, QObject *p_Rodzic = nullptr);
    // Waits for the PDF still being handed over.
    ~TZadanieDruku() override;

    void Uruchom();

signals:
    // Empty when the job has been handed over; else why not, in Polish.
    void Zakonczone(const QString &p_Blad);

private:
    void pdfGotowy(const QByteArray &p_Pdf, const QString &p_Blad);

    TWydrukPDF FWydruk;
    TOpisStrony FStrona;
    TUstawieniaDruku FUstawienia;
    QString FTytul;
    QStringList FChronione;
    std::thread FWysylanie;
};
