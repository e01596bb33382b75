// Qt's own dialogs speak Polish once the translations are loaded, the texts
// Qt's catalogue lacks included.
#include "DrukQt.h"
#include "TlumaczeniaQt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTranslator>

#include <gtest/gtest.h>

TEST(TlumaczeniaQt, ThePrintDialogSpeaksPolish)
{
    ZaladujTlumaczeniaQt(*qApp);
    QPrinter drukarka;
    {
        QPrintDialog dialog(&drukarka);
        auto *przyciski = dialog.findChild<QDialogButtonBox *>();
        ASSERT_NE(przyciski, nullptr);
        // From Qt's catalogue.
        EXPECT_EQ(przyciski->button(QDialogButtonBox::Ok)->text(), QStringLiteral("Wy&drukuj"));
        EXPECT_EQ(przyciski->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Anuluj"));
        // Missing from it, supplied by us.
        EXPECT_EQ(dialog.findChild<QGroupBox *>(QStringLiteral("duplex"))->title(), QStringLiteral("Drukowanie dwustronne"));
        EXPECT_EQ(dialog.findChild<QRadioButton *>(QStringLiteral("noDuplex"))->text(), QStringLiteral("Wyłączone"));
    }
    // Later tests look for Qt's texts as they are written.
    for (QTranslator *tlumacz : qApp->findChildren<QTranslator *>())
        QCoreApplication::removeTranslator(tlumacz);
}
