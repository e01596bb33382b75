#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

// The monospaced font that travels with the tests, so that the figures do
// not depend on the fonts of the machine: every character is one cell wide.
inline QString RodzinaTestowa()
{
    static const QString rodzina = [] {
        const int id = QFontDatabase::addApplicationFont(QStringLiteral(OSTREVIA_TEST_DATA "/czcionki/DejaVuSansMono.ttf"));
        const QStringList rodziny = QFontDatabase::applicationFontFamilies(id);
        return rodziny.isEmpty() ? QString() : rodziny.first();
    }();
    return rodzina;
}

inline QFont CzcionkaTestowa(int p_Punkty = 10)
{
    QFont czcionka(RodzinaTestowa());
    czcionka.setPointSize(p_Punkty);
    // Whole-pixel advances: a cell is the same width wherever it stands.
    czcionka.setHintingPreference(QFont::PreferFullHinting);
    return czcionka;
}
