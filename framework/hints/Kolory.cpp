#include "Kolory.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>

namespace {

struct TNazwaKoloru
{
    const char *Nazwa;
    TKolor Wartosc;
};

constexpr TKolor systemowy(uint32_t p_Indeks) { return 0xFF000000u | p_Indeks; }

// The standard table: the basic colours, then the system ones by their index.
constexpr std::array<TNazwaKoloru, 52> tabela{{
    {"clBlack", 0x000000}, {"clMaroon", 0x000080}, {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000}, {"clPurple", 0x800080}, {"clTeal", 0x808000}, {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF}, {"clLime", 0x00FF00}, {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000}, {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clWhite", 0xFFFFFF},
    {"clLtGray", 0xC0C0C0}, {"clDkGray", 0x808080}, {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0}, {"clNone", clNone}, {"clDefault", 0x20000000},
    {"clScrollBar", systemowy(0)}, {"clBackground", systemowy(1)}, {"clActiveCaption", systemowy(2)},
    {"clInactiveCaption", systemowy(3)}, {"clMenu", systemowy(4)}, {"clWindow", systemowy(5)},
    {"clWindowFrame", systemowy(6)}, {"clMenuText", systemowy(7)}, {"clWindowText", systemowy(8)},
    {"clCaptionText", systemowy(9)}, {"clActiveBorder", systemowy(10)}, {"clInactiveBorder", systemowy(11)},
    {"clAppWorkSpace", systemowy(12)}, {"clHighlight", systemowy(13)}, {"clHighlightText", systemowy(14)},
    {"clBtnFace", systemowy(15)}, {"clBtnShadow", systemowy(16)}, {"clGrayText", systemowy(17)},
    {"clBtnText", systemowy(18)}, {"clInactiveCaptionText", systemowy(19)}, {"clBtnHighlight", systemowy(20)},
    {"cl3DDkShadow", systemowy(21)}, {"cl3DLight", systemowy(22)}, {"clInfoText", systemowy(23)},
    {"clInfoBk", systemowy(24)}, {"clHotLight", systemowy(26)}, {"clMenuHighlight", systemowy(29)},
    {"clMenuBar", systemowy(30)},
}};

// What a system colour index means in Qt's palette.
QColor kolorSystemowy(uint32_t p_Indeks)
{
    const QPalette paleta = QGuiApplication::palette();
    switch (p_Indeks) {
    case 1: case 12: return paleta.color(QPalette::Dark);
    case 2: case 13: case 26: case 29: return paleta.color(QPalette::Highlight);
    case 5: return paleta.color(QPalette::Base);
    case 6: case 21: return paleta.color(QPalette::Shadow);
    case 9: case 14: return paleta.color(QPalette::HighlightedText);
    case 7: case 18: return paleta.color(QPalette::ButtonText);
    case 16: return paleta.color(QPalette::Mid);
    case 17: case 19: return paleta.color(QPalette::Disabled, QPalette::WindowText);
    case 20: case 22: return paleta.color(QPalette::Light);
    case 23: return paleta.color(QPalette::ToolTipText);
    case 24: return paleta.color(QPalette::ToolTipBase);
    case 8: return paleta.color(QPalette::WindowText);
    default: return paleta.color(QPalette::Button);
    }
}

} // namespace

bool CzytajKolor(const QString &p_Tekst, TKolor &p_Kolor)
{
    for (const TNazwaKoloru &kolor : tabela)
        if (p_Tekst.compare(QLatin1String(kolor.Nazwa), Qt::CaseInsensitive) == 0) {
            p_Kolor = kolor.Wartosc;
            return true;
        }
    bool ok = false;
    qint64 liczba = 0;
    if (p_Tekst.startsWith(QLatin1Char('$')))
        liczba = p_Tekst.mid(1).toLongLong(&ok, 16);
    else if (p_Tekst.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        liczba = p_Tekst.mid(2).toLongLong(&ok, 16);
    else
        liczba = p_Tekst.toLongLong(&ok, 10);
    // A colour is a 32-bit value: wider numbers are no colour at all.
    if (!ok || liczba < INT32_MIN || liczba > UINT32_MAX)
        return false;
    p_Kolor = static_cast<TKolor>(liczba);
    return true;
}

QString KolorJakoTekst(TKolor p_Kolor)
{
    for (const TNazwaKoloru &kolor : tabela)
        if (kolor.Wartosc == p_Kolor)
            return QLatin1String(kolor.Nazwa);
    return QString::number(static_cast<int32_t>(p_Kolor));
}

QColor KolorQt(TKolor p_Kolor)
{
    if ((p_Kolor & 0xFF000000u) == 0xFF000000u)
        return kolorSystemowy(p_Kolor & 0xFFu);
    return QColor(int(p_Kolor & 0xFF), int((p_Kolor >> 8) & 0xFF), int((p_Kolor >> 16) & 0xFF));
}

TKolor PrzesunJasnosc(TKolor p_Kolor, int p_Delta)
{
    const QColor kolor = KolorQt(p_Kolor);
    auto skladowa = [p_Delta](int p_Wartosc) { return TKolor(std::clamp(p_Wartosc + p_Delta, 0, 255)); };
    return skladowa(kolor.red()) | (skladowa(kolor.green()) << 8) | (skladowa(kolor.blue()) << 16);
}
