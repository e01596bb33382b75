#pragma once

#include "LkForm.h"

#include <QDate>

class QCalendarWidget;
class TLkBitBtn;
class TLkButton;
class TLkLabel;
class TLkNaglowek;
class TLkPopupMenu;

// The modal date picker: a month grid under a banner with the month (a menu
// of months on click) and the year, arrows for months and years, "today",
// OK and cancel. An earliest and a latest date (invalid: no bound) refuse
// a date outside them with a message and keep the window open.
class TOknoKalendarza : public TLkForm
{
    Q_OBJECT

public:
    explicit TOknoKalendarza(QWidget *p_Owner = nullptr);

    // Shows p_Data; bounds; an empty title makes the caption follow the chosen date.
    void Przygotuj(const QString &p_Tytul, const QDate &p_Data, const QDate &p_MinData, const QDate &p_MaxData);
    QDate Data() const;
    void UstawDate(const QDate &p_Data);
    // The month from the menu of months; a day the month lacks becomes its last.
    void UstawMiesiac(int p_Miesiac);

    TLkNaglowek *Naglowek;
    TLkLabel *labMiesiac;
    TLkLabel *labRok;
    TLkBitBtn *sbtPoprzRok;
    TLkBitBtn *sbtPoprzedni;
    TLkBitBtn *sbtNastepny;
    TLkBitBtn *sbtNastRok;
    QCalendarWidget *calKalendarz;
    TLkButton *butUstawDzisiaj;
    TLkButton *butOk;
    TLkButton *butAnuluj;
    TLkPopupMenu *pmMiesiace;

public slots:
    // Accepts the shown date unless it lies outside the bounds.
    void calKalendarzDblClick();

protected:
    void FormKeyDown(int &p_Klawisz, Qt::KeyboardModifiers p_Shift) override;
    bool eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie) override;

private:
    void calKalendarzChange();

    QDate FMinData;
    QDate FMaxData;
    bool FBezTytulu = true;
};

// The names of the months, "styczeń" to "grudzień".
QString NazwaMiesiaca(int p_Miesiac);

// The date in the user's short date format, and back; an invalid date when the text does not convert.
QString DataKrotko(const QDate &p_Data);
QDate DataZTekstu(const QString &p_Tekst);

// Picks a date in the calendar window. True and p_Data set when confirmed;
// otherwise p_Data stays as it was.
bool WybierzDate(QDate &p_Data, const QString &p_Tytul, const QDate &p_MinData, const QDate &p_MaxData);
// The same on a date's text: a blank or unreadable text opens at today, "-"
// stands for the locale's separator; the chosen date comes back in the short
// date format.
bool WybierzDateDoTekstu(QString &p_Tekst, const QString &p_Tytul, const QDate &p_MinData, const QDate &p_MaxData);
