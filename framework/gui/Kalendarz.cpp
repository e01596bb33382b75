#include "Kalendarz.h"

#include "Komunikaty.h"
#include "LkBitBtn.h"
#include "LkFunGUI.h"
#include "LkNaglowek.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QKeyEvent>
#include <QLocale>

namespace {

QChar separatorDaty()
{
    for (const QChar znak : QLocale().dateFormat(QLocale::ShortFormat))
        if (!znak.isLetter())
            return znak;
    return QLatin1Char('.');
}

bool maKlawisz(Qt::KeyboardModifiers p_Shift, Qt::KeyboardModifier p_Klawisz)
{
    return p_Shift.testFlag(p_Klawisz);
}

} // namespace

QString NazwaMiesiaca(int p_Miesiac)
{
    static const char *const nazwy[] = {"styczeń", "luty",     "marzec",   "kwiecień", "maj",         "czerwiec",
                                        "lipiec",  "sierpień", "wrzesień", "październik", "listopad", "grudzień"};
    return p_Miesiac >= 1 && p_Miesiac <= 12 ? QString::fromUtf8(nazwy[p_Miesiac - 1]) : QString();
}

QString DataKrotko(const QDate &p_Data)
{
    return QLocale().toString(p_Data, QLocale::ShortFormat);
}

QDate DataZTekstu(const QString &p_Tekst)
{
    return QLocale().toDate(p_Tekst, QLocale::ShortFormat);
}

TOknoKalendarza::TOknoKalendarza(QWidget *p_Owner) : TLkForm(p_Owner)
{
    setObjectName(QStringLiteral("OknoKalendarza"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("Kalendarz"));
    const QFont czcionka = CzcionkaFormy();
    setFont(czcionka);
    setFixedSize(213, 211);

    Naglowek = new TLkNaglowek(this);
    Naglowek->UstawCaption(QStringLiteral(" "));
    Naglowek->OnHitTest = [this](const QPoint &p_Punkt, bool &p_Pomin) {
        p_Pomin = labMiesiac->geometry().contains(p_Punkt);
    };
    Naglowek->OnKodNaglowka = [](QString &p_Kod) { p_Kod.clear(); };

    QFont pogrubiona = czcionka;
    pogrubiona.setBold(true);
    auto etykieta = [&](const char *p_Nazwa, const QRect &p_Polozenie) {
        auto *label = new TLkLabel(this);
        label->setObjectName(QString::fromLatin1(p_Nazwa));
        label->setFont(pogrubiona);
        label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
        label->setGeometry(p_Polozenie);
        label->setAlignment(Qt::AlignCenter);
        return label;
    };
    labMiesiac = etykieta("labMiesiac", QRect(57, 13, 65, 13));
    labMiesiac->setCursor(Qt::PointingHandCursor);
    labMiesiac->installEventFilter(this);
    labRok = etykieta("labRok", QRect(127, 13, 28, 13));

    auto strzalka = [this](const char *p_Nazwa, const QString &p_Tekst, const QRect &p_Polozenie, auto p_Krok) {
        auto *przycisk = new TLkBitBtn(p_Tekst, this);
        przycisk->setObjectName(QString::fromLatin1(p_Nazwa));
        przycisk->setGeometry(p_Polozenie);
        przycisk->setFocusPolicy(Qt::NoFocus);
        connect(przycisk, &QAbstractButton::clicked, this, p_Krok);
        return przycisk;
    };
    sbtPoprzRok = strzalka("sbtPoprzRok", QStringLiteral("«"), QRect(5, 7, 24, 25),
                           [this] { UstawDate(Data().addYears(-1)); });
    sbtPoprzedni = strzalka("sbtPoprzedni", QStringLiteral("‹"), QRect(29, 7, 19, 25),
                            [this] { UstawDate(Data().addMonths(-1)); });
    sbtNastepny = strzalka("sbtNastepny", QStringLiteral("›"), QRect(164, 7, 19, 25),
                           [this] { UstawDate(Data().addMonths(1)); });
    sbtNastRok = strzalka("sbtNastRok", QStringLiteral("»"), QRect(183, 7, 24, 25),
                          [this] { UstawDate(Data().addYears(1)); });

    calKalendarz = new QCalendarWidget(this);
    calKalendarz->setObjectName(QStringLiteral("calKalendarz"));
    calKalendarz->setGeometry(2, 38, 209, 134);
    calKalendarz->setNavigationBarVisible(false);
    calKalendarz->setFirstDayOfWeek(Qt::Monday);
    calKalendarz->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calKalendarz->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    calKalendarz->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    connect(calKalendarz, &QCalendarWidget::selectionChanged, this, &TOknoKalendarza::calKalendarzChange);
    connect(calKalendarz, &QCalendarWidget::activated, this, &TOknoKalendarza::calKalendarzDblClick);
    calKalendarz->installEventFilter(this);

    butUstawDzisiaj = new TLkButton(QStringLiteral("ustaw &dzisiejszą datę"), this);
    butUstawDzisiaj->setObjectName(QStringLiteral("butUstawDzisiaj"));
    butUstawDzisiaj->setGeometry(2, 172, 210, 19);
    connect(butUstawDzisiaj, &QAbstractButton::clicked, this, [this] { UstawDate(QDate::currentDate()); });
    butOk = new TLkButton(QStringLiteral("&Ok"), this);
    butOk->setObjectName(QStringLiteral("butOk"));
    butOk->setGeometry(2, 191, 105, 19);
    connect(butOk, &QAbstractButton::clicked, this, &TOknoKalendarza::calKalendarzDblClick);
    butAnuluj = new TLkButton(QStringLiteral("Anuluj"), this);
    butAnuluj->setObjectName(QStringLiteral("butAnuluj"));
    butAnuluj->setGeometry(107, 191, 105, 19);
    connect(butAnuluj, &QAbstractButton::clicked, this, [this] { UstawModalResult(mrCancel); });

    pmMiesiace = new TLkPopupMenu(this);
    pmMiesiace->setObjectName(QStringLiteral("pmMiesiace"));
    for (int miesiac = 1; miesiac <= 12; ++miesiac)
        pmMiesiace->addAction(NazwaMiesiaca(miesiac), this, [this, miesiac] { UstawMiesiac(miesiac); });

    // The labels lie on the banner.
    Naglowek->lower();
    calKalendarz->setFocus();
    calKalendarzChange();
}

void TOknoKalendarza::Przygotuj(const QString &p_Tytul, const QDate &p_Data, const QDate &p_MinData,
                                const QDate &p_MaxData)
{
    FMinData = p_MinData;
    FMaxData = p_MaxData;
    FBezTytulu = p_Tytul.isEmpty();
    if (!FBezTytulu)
        setWindowTitle(p_Tytul);
    UstawDate(p_Data.isValid() ? p_Data : QDate::currentDate());
    calKalendarzChange();
}

QDate TOknoKalendarza::Data() const
{
    return calKalendarz->selectedDate();
}

void TOknoKalendarza::UstawDate(const QDate &p_Data)
{
    calKalendarz->setSelectedDate(p_Data);
    calKalendarz->setCurrentPage(p_Data.year(), p_Data.month());
}

void TOknoKalendarza::UstawMiesiac(int p_Miesiac)
{
    const QDate dzien = Data();
    const int dni = QDate(dzien.year(), p_Miesiac, 1).daysInMonth();
    UstawDate(QDate(dzien.year(), p_Miesiac, std::min(dzien.day(), dni)));
}

void TOknoKalendarza::calKalendarzChange()
{
    const QDate dzien = Data();
    labMiesiac->setText(NazwaMiesiaca(dzien.month()));
    labRok->setText(QString::number(dzien.year()));
    if (FBezTytulu)
        setWindowTitle(QStringLiteral("Wybrana data: ") + DataKrotko(dzien));
}

void TOknoKalendarza::calKalendarzDblClick()
{
    const QDate dzien = Data();
    QString skarga;
    if (FMinData.isValid() && FMinData > dzien)
        skarga = QStringLiteral("wcześniejsza niż ") + DataKrotko(FMinData);
    if (FMaxData.isValid() && dzien > FMaxData) {
        if (!skarga.isEmpty())
            skarga += QStringLiteral(" oraz ");
        skarga += QStringLiteral("późniejsza niż ") + DataKrotko(FMaxData);
    }
    if (skarga.isEmpty())
        UstawModalResult(mrOk);
    else
        PokazKomunikatOK(QStringLiteral("Uwaga!\rData nie może być ") + skarga, mtInformation);
}

void TOknoKalendarza::FormKeyDown(int &p_Klawisz, Qt::KeyboardModifiers p_Shift)
{
    const bool ctrl = maKlawisz(p_Shift, Qt::ControlModifier);
    const bool shift = maKlawisz(p_Shift, Qt::ShiftModifier);
    if (p_Klawisz == Qt::Key_Escape && (p_Shift & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // "Anuluj" is the window's cancel button.
        p_Klawisz = 0;
        UstawModalResult(mrCancel);
    } else if ((ctrl && p_Klawisz == Qt::Key_V) || (shift && p_Klawisz == Qt::Key_Insert)) {
        p_Klawisz = 0;
        const QDate dzien = DataZTekstu(QGuiApplication::clipboard()->text().trimmed());
        if (dzien.isValid())
            UstawDate(dzien);
    } else if (ctrl && (p_Klawisz == Qt::Key_C || p_Klawisz == Qt::Key_Insert)) {
        p_Klawisz = 0;
        QGuiApplication::clipboard()->setText(DataKrotko(Data()));
    }
}

bool TOknoKalendarza::eventFilter(QObject *p_Obiekt, QEvent *p_Zdarzenie)
{
    if (p_Obiekt == labMiesiac && p_Zdarzenie->type() == QEvent::MouseButtonPress) {
        pmMiesiace->popup(labMiesiac->mapToGlobal(QPoint(0, labMiesiac->height() + 2)));
        return true;
    }
    if (p_Obiekt == calKalendarz && p_Zdarzenie->type() == QEvent::KeyPress) {
        const auto *klawisz = static_cast<QKeyEvent *>(p_Zdarzenie);
        const bool alt = klawisz->modifiers().testFlag(Qt::AltModifier);
        if (klawisz->key() == Qt::Key_Return || klawisz->key() == Qt::Key_Enter) {
            if (klawisz->modifiers() == Qt::NoModifier || klawisz->modifiers() == Qt::KeypadModifier)
                calKalendarzDblClick();
            return true;
        }
        if (klawisz->key() == Qt::Key_Escape) {
            UstawModalResult(mrCancel);
            return true;
        }
        if (alt && (klawisz->key() == Qt::Key_Left || klawisz->key() == Qt::Key_Right)) {
            UstawDate(Data().addMonths(klawisz->key() == Qt::Key_Left ? -1 : 1));
            return true;
        }
    }
    return TLkForm::eventFilter(p_Obiekt, p_Zdarzenie);
}

bool WybierzDate(QDate &p_Data, const QString &p_Tytul, const QDate &p_MinData, const QDate &p_MaxData)
{
    TOknoKalendarza okno(QApplication::activeWindow());
    okno.Przygotuj(p_Tytul, p_Data, p_MinData, p_MaxData);
    if (okno.ShowModal() != mrOk)
        return false;
    p_Data = okno.Data();
    return true;
}

bool WybierzDateDoTekstu(QString &p_Tekst, const QString &p_Tytul, const QDate &p_MinData, const QDate &p_MaxData)
{
    QDate data = QDate::currentDate();
    bool pusty = true;
    for (const QChar znak : p_Tekst)
        pusty = pusty && znak.unicode() <= 32;
    if (!pusty) {
        QString tekst = p_Tekst;
        const QDate odczytana = DataZTekstu(tekst.replace(QLatin1Char('-'), separatorDaty()));
        if (odczytana.isValid())
            data = odczytana;
    }
    if (!WybierzDate(data, p_Tytul, p_MinData, p_MaxData))
        return false;
    p_Tekst = DataKrotko(data);
    return true;
}
