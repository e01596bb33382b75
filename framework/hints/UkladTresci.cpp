#include "UkladTresci.h"

#include "Kolory.h"

#include <QPainter>
#include <QPoint>
#include <QRect>

#include <algorithm>
#include <limits>

namespace {

const QChar CR(13);

QString bezKoncowychBialych(const QString &p_Tekst)
{
    qsizetype n = p_Tekst.size();
    while (n > 0 && p_Tekst.at(n - 1).unicode() <= 32)
        --n;
    return p_Tekst.left(n);
}

constexpr int najmniejszyRozmiar = 1;
constexpr int najwiekszyRozmiar = 144;
constexpr int flagiTekstu = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;

} // namespace

void TUkladTresci::UstawCzcionkeOkna(const QFont &p_Czcionka, TKolor p_Kolor)
{
    FCzcionkaOkna = p_Czcionka;
    FKolorOkna = p_Kolor;
}

QFont TUkladTresci::CzcionkaStylu(const QString &p_Kroj, int16_t p_Rozm, uint8_t p_Styl, uint8_t p_StylEx) const
{
    const TDaneStylu &domyslny = FListaStylow[0];
    QFont czcionka(FCzcionkaOkna);
    czcionka.setFamily(p_Kroj.isEmpty() ? domyslny.Kroj : p_Kroj);
    int rozmiar = p_Rozm == 0 ? domyslny.Rozm : p_Rozm;
    rozmiar = std::clamp(std::abs(rozmiar), najmniejszyRozmiar, najwiekszyRozmiar);
    czcionka.setPointSize(rozmiar);
    czcionka.setBold(p_Styl & fsBold);
    czcionka.setItalic(p_Styl & fsItalic);
    czcionka.setUnderline(p_Styl & fsUnderline);
    czcionka.setStrikeOut(p_Styl & fsStrikeOut);
    czcionka.setLetterSpacing(QFont::AbsoluteSpacing, (p_StylEx & fsOutline) ? 1 : 0);
    return czcionka;
}

void TUkladTresci::UstawStyl(TKolor p_Kolor, uint8_t p_Styl, uint8_t p_StylEx, const QString &p_Kroj,
                             int16_t p_Rozm, bool p_Mierz)
{
    Q_UNUSED(p_Kolor); // the colour matters only when drawing
    FCzcionka = CzcionkaStylu(p_Kroj, p_Rozm, p_Styl, p_StylEx);
    FObwodka = p_StylEx & fsOutline;
    // Widths are measured without the letter spacing: SzerTekstu adds one
    // pixel per character for outlined text itself.
    QFont miara(FCzcionka);
    miara.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    FMiary.emplace(miara);
    if (p_Mierz) {
        int wysokosc = FMiary->height();
        if (p_StylEx & fsOutline) {
            ++wysokosc;
            if (p_StylEx & fsShadow)
                ++wysokosc;
        }
        FWysLinii = static_cast<int16_t>(std::min(wysokosc, int(std::numeric_limits<int16_t>::max())));
        FAscLinii = static_cast<int16_t>(FMiary->ascent());
    }
}

int16_t TUkladTresci::UstalStyl(const QString &p_Tresc)
{
    const QString tresc = p_Tresc.trimmed();
    int16_t nr = 0;
    if (!tresc.isEmpty())
        nr = FListaStylow.Dodaj(CzytajTagStylu(tresc));
    const TDaneStylu &styl = FListaStylow[nr];
    UstawStyl(styl.Kolor, styl.Styl, styl.StylEx, styl.Kroj, styl.Rozm, true);
    return nr;
}

int TUkladTresci::SzerTekstu(const QString &p_Tekst, int p_Dlugosc) const
{
    const int dlugosc = p_Dlugosc < 0 ? int(p_Tekst.size()) : p_Dlugosc;
    return FMiary->horizontalAdvance(p_Tekst, dlugosc) + (FObwodka ? dlugosc : 0);
}

void TUkladTresci::UlozTresc(const QString &p_Tekst, int p_MaxSzer, bool &p_Sformatowany, QSize &p_Rozmiar)
{
    FOrygTresc = p_Tekst;
    FMaxSzerOkna = p_MaxSzer;
    FTresc = bezKoncowychBialych(p_Tekst);
    ZwolnijListy();

    FListaStylow.Wyczysc();
    const QString domyslny = QStringLiteral("%1,Name=%2,Size=%3")
                                 .arg(KolorJakoTekst(FKolorOkna), FCzcionkaOkna.family())
                                 .arg(FCzcionkaOkna.pointSize());
    FStyl = UstalStyl(domyslny);

    FSformatowany = FTresc.contains(QLatin1Char('{')) || FTresc.contains(QLatin1Char('['));
    if (!FSformatowany) {
        QString wielowierszowy = FTresc;
        wielowierszowy.replace(CR, QLatin1Char('\n'));
        const QRect obszar = FMiary->boundingRect(QRect(0, 0, std::max(p_MaxSzer, 1), 1 << 24),
                                                  Qt::TextWordWrap, wielowierszowy);
        FSformatowany = obszar.width() > p_MaxSzer;
    }

    FSegment.clear();
    FXSegmentu = FX = FY = 0;
    FWLinku = false;
    FLicznikLinkow = 0;
    FWysokoscLinii = FWysLinii;
    FAscLiniiBiez = FAscLinii;
    QString slowo;

    // Ends a link: its target (possibly empty) at the link's number.
    auto zakonczLink = [this](const QString &p_Cel) {
        while (FTresciLinkow.size() < FLicznikLinkow)
            FTresciLinkow.append(QString());
        FTresciLinkow[FLicznikLinkow - 1] = p_Cel;
        FWLinku = false;
    };

    const QString &t = FTresc;
    const qsizetype n = t.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar z = t.at(i);
        const bool ostatni = i == n - 1;
        if (z == CR) {
            DodajSlowo(std::exchange(slowo, QString()));
            DodajSlowo(QString(CR));
        } else if (z.unicode() < 32) {
            continue;
        } else if (z == QLatin1Char(' ')) {
            DodajSlowo(std::exchange(slowo, QString()));
            qsizetype k = i;
            while (k + 1 < n && t.at(k + 1) == QLatin1Char(' '))
                ++k;
            DodajSlowo(QString(k - i + 1, QLatin1Char(' ')));
            i = k;
        } else if (z == QLatin1Char(',')) {
            slowo += z;
            DodajSlowo(std::exchange(slowo, QString()));
        } else if ((z == QLatin1Char('[') || z == QLatin1Char('{')) && !ostatni && t.at(i + 1) == z) {
            slowo += z;
            ++i;
        } else if (z == QLatin1Char('[') && !ostatni) {
            DodajSlowo(std::exchange(slowo, QString()));
            ZamknijElement();
            qsizetype koniec = t.indexOf(QLatin1Char(']'), i + 1);
            if (koniec < 0)
                koniec = n;
            FStyl = UstalStyl(t.mid(i + 1, koniec - i - 1));
            i = koniec;
        } else if (z == QLatin1Char('{') && !ostatni) {
            DodajSlowo(std::exchange(slowo, QString()));
            ZamknijElement();
            FWLinku = true;
            ++FLicznikLinkow;
        } else if (z == QLatin1Char('|') && FWLinku) {
            DodajSlowo(std::exchange(slowo, QString()));
            ZamknijElement();
            qsizetype koniec = t.indexOf(QLatin1Char('}'), i + 1);
            if (koniec < 0)
                koniec = n;
            zakonczLink(t.mid(i + 1, koniec - i - 1));
            i = koniec;
        } else if (z == QLatin1Char('}') && FWLinku) {
            DodajSlowo(std::exchange(slowo, QString()));
            ZamknijElement();
            zakonczLink(QString());
        } else {
            slowo += z;
        }
    }
    DodajSlowo(std::exchange(slowo, QString()));
    ZamknijElement();
    // The last line's pieces share a baseline like every other line's.
    for (auto e = FDispLista.rbegin(); e != FDispLista.rend() && e->YPocz == FY; ++e)
        if (e->AscTekstu != FAscLiniiBiez) {
            const int d = FAscLiniiBiez - e->AscTekstu;
            e->YPocz += d;
            e->YKon += d;
        }

    p_Sformatowany = FSformatowany;
    // The lowest bottom, not the last piece's: a small piece after a large one
    // ends above the large one's descent, which would be cut off.
    int szerokosc = 0;
    int wysokosc = 0;
    for (const TElemDispListy &e : FDispLista) {
        szerokosc = std::max(szerokosc, e.XKon);
        wysokosc = std::max(wysokosc, e.YKon);
    }
    p_Rozmiar = QSize(szerokosc, wysokosc);
}

int TUkladTresci::SzerDoGranicy(QStringView p_Slowo, int p_Granica) const
{
    // Widths grow with the prefix: once a prefix is past the limit, so is the
    // word, and a long word is not measured whole on every line it fills.
    constexpr qsizetype poczatek = 256;
    for (qsizetype k = poczatek; k < p_Slowo.size(); k *= 2) {
        const int szer = SzerTekstu(p_Slowo.left(k).toString());
        if (szer > p_Granica)
            return szer;
    }
    return SzerTekstu(p_Slowo.toString());
}

void TUkladTresci::DodajSlowo(const QString &p_Slowo)
{
    if (p_Slowo.isEmpty())
        return;
    if (p_Slowo.size() == 1 && p_Slowo.at(0) == CR) {
        NowaLinia();
        return;
    }
    // Words are runs of spaces or have none: the first character tells which.
    const bool spacje = p_Slowo.at(0) == QLatin1Char(' ');
    QStringView slowo(p_Slowo);
    // A loop rather than recursion, over a view rather than copies: a word of
    // many lines costs neither stack nor time per remaining character.
    for (;;) {
        if (slowo.isEmpty())
            return;
        const int a = SzerDoGranicy(slowo, std::max(FMaxSzerOkna, 0));
        if (FX + a <= FMaxSzerOkna) {
            if (FSegment.isEmpty() && spacje) {
                // Leading spaces move the piece, they are not drawn.
                FXSegmentu += a;
                FX = FXSegmentu;
            } else {
                FSegment += slowo;
                FX += a;
            }
            return;
        }
        if (spacje) {
            NowaLinia();
            return;
        }
        if (a <= FMaxSzerOkna) {
            NowaLinia();
            continue;
        }
        if (!FSegment.isEmpty())
            NowaLinia();
        const qsizetype glowa = PodzielSlowo(slowo, FMaxSzerOkna);
        if (glowa == 0) {
            // Not even one character fits: the word stands alone and overflows.
            FSegment = bezKoncowychBialych(slowo.toString());
            NowaLinia();
            return;
        }
        FSegment = bezKoncowychBialych(slowo.left(glowa).toString());
        NowaLinia();
        slowo = slowo.mid(glowa);
    }
}

qsizetype TUkladTresci::PodzielSlowo(QStringView p_Slowo, int p_Limit) const
{
    // Galloping first bounds the binary search by the line's length instead
    // of the word's.
    const int dlugosc = int(std::min<qsizetype>(p_Slowo.size(), std::numeric_limits<int>::max()));
    auto szer = [&](int p_Ile) { return SzerTekstu(p_Slowo.left(p_Ile).toString()); };
    int lo = 0;
    int hi = 1;
    while (hi < dlugosc && szer(hi) <= p_Limit) {
        lo = hi;
        hi = hi > dlugosc / 2 ? dlugosc : hi * 2;
    }
    hi = std::min(hi, dlugosc);
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (szer(mid) > p_Limit)
            hi = mid;
        else
            lo = mid + 1;
    }
    if (hi > 0 && szer(hi) > p_Limit)
        --hi;
    // A surrogate pair stays whole.
    if (hi > 0 && hi < dlugosc && p_Slowo.at(hi - 1).isHighSurrogate())
        --hi;
    return hi;
}

void TUkladTresci::ZamknijElement()
{
    if (FSegment.isEmpty())
        return;
    if (FSformatowany)
        FSegment = bezKoncowychBialych(FSegment);
    TElemDispListy e;
    e.Tekst = FSegment;
    e.XPocz = FXSegmentu;
    e.YPocz = FY;
    e.YKon = FY + FWysLinii;
    e.XKon = e.XPocz + SzerTekstu(FSegment);
    // Numbers past the 16-bit range would wrap: such pieces stay plain text.
    e.NrLinku = FWLinku && FLicznikLinkow <= std::numeric_limits<int16_t>::max()
                    ? static_cast<int16_t>(FLicznikLinkow)
                    : 0;
    e.NrStylu = FStyl;
    e.AscTekstu = FAscLinii;
    if (e.NrLinku > 0)
        FListaLinkow.push_back(int(FDispLista.size()));
    FDispLista.push_back(std::move(e));
    FSegment.clear();
    FXSegmentu = FX;
    if (FWysLinii > FWysokoscLinii) {
        FWysokoscLinii = FWysLinii;
        FAscLiniiBiez = FAscLinii;
    }
}

void TUkladTresci::NowaLinia()
{
    ZamknijElement();
    const int y0 = FY;
    FY = y0 + FWysokoscLinii;
    for (auto e = FDispLista.rbegin(); e != FDispLista.rend() && e->YPocz == y0; ++e)
        if (e->AscTekstu != FAscLiniiBiez) {
            const int d = FAscLiniiBiez - e->AscTekstu;
            e->YPocz += d;
            e->YKon += d;
        }
    FXSegmentu = 0;
    FX = 0;
    FWysokoscLinii = FWysLinii;
    FAscLiniiBiez = FAscLinii;
}

int TUkladTresci::ZnajdzLink(const QPoint &p_Punkt) const
{
    for (int i : FListaLinkow) {
        const TElemDispListy &e = FDispLista[size_t(i)];
        if (e.NrLinku > 0 && p_Punkt.x() >= e.XPocz && p_Punkt.x() < e.XKon && p_Punkt.y() >= e.YPocz
            && p_Punkt.y() < e.YKon)
            return i;
    }
    return -1;
}

QString TUkladTresci::TrescBezFormatowania() const
{
    if (FDispLista.empty())
        return FTresc;
    QString wynik;
    const TElemDispListy *poprzedni = nullptr;
    for (const TElemDispListy &e : FDispLista) {
        if (poprzedni && e.XPocz < poprzedni->XKon)
            wynik += CR;
        wynik += e.Tekst;
        poprzedni = &e;
    }
    return wynik;
}

void TUkladTresci::Przesun(int p_Dx, int p_Dy)
{
    for (TElemDispListy &e : FDispLista) {
        e.XPocz += p_Dx;
        e.XKon += p_Dx;
        e.YPocz += p_Dy;
        e.YKon += p_Dy;
    }
}

void TUkladTresci::ZwolnijListy()
{
    FDispLista.clear();
    FListaLinkow.clear();
    FTresciLinkow.clear();
}

void TUkladTresci::RysujElement(QPainter &p_Painter, const TElemDispListy &p_Element, TKolor p_KolorOkna,
                                int32_t p_Rodzaj, bool p_Aktywny) const
{
    try {
        const TDaneStylu &s = FListaStylow[p_Element.NrStylu];
        const TKolor kolorStylu = s.Kolor == clNone ? FListaStylow[0].Kolor : s.Kolor;
        const QRect prostokat(QPoint(p_Element.XPocz, p_Element.YPocz), QPoint(p_Element.XKon - 1, p_Element.YKon - 1));
        auto rysuj = [&](const QRect &p_Gdzie) { p_Painter.drawText(p_Gdzie, flagiTekstu, p_Element.Tekst); };
        auto obwodka = [&](const QRect &p_Gdzie) {
            rysuj(p_Gdzie.translated(-1, -1));
            rysuj(p_Gdzie.translated(1, -1));
            rysuj(p_Gdzie.translated(1, 1));
            rysuj(p_Gdzie.translated(-1, 1));
        };
        p_Painter.setFont(CzcionkaStylu(s.Kroj, s.Rozm, s.Styl, s.StylEx));
        if (s.StylEx & fsShadow) {
            p_Painter.setPen(KolorQt(PrzesunJasnosc(p_KolorOkna, -48)));
            if (s.StylEx & fsOutline)
                obwodka(prostokat.translated(2, 2));
            else
                rysuj(prostokat.translated(2, 2));
        }
        if (s.StylEx & fsOutline) {
            p_Painter.setPen(KolorQt(clBlack));
            obwodka(prostokat);
        }
        TKolor kolor = kolorStylu;
        if (p_Element.NrLinku > 0) {
            const bool blad = (p_Rodzaj & fpRodzaj) == fpBlad;
            kolor = blad ? (p_Aktywny ? 0x00FFFF : 0xFFFFFF) : (p_Aktywny ? 0xFF0000 : 0x008000);
            p_Painter.fillRect(prostokat, KolorQt(p_KolorOkna));
            p_Painter.setFont(CzcionkaStylu(s.Kroj, s.Rozm, s.Styl | fsUnderline, s.StylEx));
        }
        p_Painter.setPen(KolorQt(kolor));
        rysuj(prostokat);
    } catch (...) {
        // A piece that cannot be drawn must not take the window's painting with it.
    }
}
