#pragma once

#include "StalePodpowiedzi.h"
#include "StylePodpowiedzi.h"

#include <QFont>
#include <QFontMetrics>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

class QPainter;
class QPoint;

// One piece of a laid-out hint text, drawn in one call. Coordinates are the
// text's own until the window moves them to its client area.
struct TElemDispListy
{
    QString Tekst;
    int32_t XPocz = 0;
    int32_t YPocz = 0;
    int32_t XKon = 0;
    int32_t YKon = 0;
    int16_t AscTekstu = 0;
    int16_t NrLinku = 0; // 0: plain text; k: a piece of the k-th link
    int16_t NrStylu = 0;
};

// The markup of hint texts laid out into a display list of positioned pieces,
// drawn with QPainter, hit-tested for links and flattened to plain text.
//   CR breaks the line; other codes below 32 vanish; "[...]" switches the
//   style ("[]" back to the default); "{caption|target}" is a link; "[[" and
//   "{{" are literal brackets. A space run and a trailing comma end words,
//   which wrap at the width limit; a word wider than a line is split.
// Main thread only: it measures with the screen's fonts.
class TUkladTresci
{
public:
    // The window's font and text colour, from which style 0 of every layout is built.
    void UstawCzcionkeOkna(const QFont &p_Czcionka, TKolor p_Kolor);

    // Lays p_Tekst out within p_MaxSzer pixels. p_Sformatowany: the text needs
    // the display list (markup, or a word wider than a line); p_Rozmiar: the
    // extent of the pieces.
    void UlozTresc(const QString &p_Tekst, int p_MaxSzer, bool &p_Sformatowany, QSize &p_Rozmiar);

    // A tag's content as a style number; applies the style and measures it.
    int16_t UstalStyl(const QString &p_Tresc);
    void UstawStyl(TKolor p_Kolor, uint8_t p_Styl, uint8_t p_StylEx, const QString &p_Kroj, int16_t p_Rozm,
                   bool p_Mierz);

    // Index in DispLista of the first link piece containing the point
    // (right and bottom edges excluded), or -1.
    int ZnajdzLink(const QPoint &p_Punkt) const;

    // The pieces' text with a CR wherever a new line begins; Tresc when
    // there is no display list.
    QString TrescBezFormatowania() const;

    // Draws one piece. p_KolorOkna is the background (links fill with it,
    // shadows are a darker shade of it); p_Rodzaj picks the link colours.
    void RysujElement(QPainter &p_Painter, const TElemDispListy &p_Element, TKolor p_KolorOkna,
                      int32_t p_Rodzaj, bool p_Aktywny) const;

    // Moves every piece (the window's margins and icon).
    void Przesun(int p_Dx, int p_Dy);
    // Drops the lists; painting then falls back to plain text.
    void ZwolnijListy();

    const std::vector<TElemDispListy> &DispLista() const { return FDispLista; }
    const std::vector<int> &ListaLinkow() const { return FListaLinkow; }
    const TListaStylow &ListaStylow() const { return FListaStylow; }
    const QStringList &TresciLinkow() const { return FTresciLinkow; }
    const QString &Tresc() const { return FTresc; }
    const QString &OrygTresc() const { return FOrygTresc; }
    int MaxSzerOkna() const { return FMaxSzerOkna; }
    int16_t WysLinii() const { return FWysLinii; }
    int16_t AscLinii() const { return FAscLinii; }

    // The font a style is drawn in (unset values from style 0); the size is
    // held to 1..144 points, so no text can ask for giant glyphs.
    QFont CzcionkaStylu(const QString &p_Kroj, int16_t p_Rozm, uint8_t p_Styl, uint8_t p_StylEx) const;

private:
    int SzerTekstu(const QString &p_Tekst, int p_Dlugosc = -1) const;
    int SzerDoGranicy(QStringView p_Slowo, int p_Granica) const;
    void DodajSlowo(const QString &p_Slowo);
    // The length of the longest prefix no wider than the limit.
    qsizetype PodzielSlowo(QStringView p_Slowo, int p_Limit) const;
    void ZamknijElement();
    void NowaLinia();

    QFont FCzcionkaOkna{QStringLiteral("Arial"), 8};
    TKolor FKolorOkna = clWindowText;

    std::vector<TElemDispListy> FDispLista;
    std::vector<int> FListaLinkow;
    TListaStylow FListaStylow;
    QStringList FTresciLinkow;
    QString FOrygTresc;
    QString FTresc;
    int FMaxSzerOkna = 0;
    int16_t FWysLinii = 0;
    int16_t FAscLinii = 0;

    // The canvas: the style last applied.
    QFont FCzcionka;
    std::optional<QFontMetrics> FMiary;
    bool FObwodka = false;

    // Layout state.
    bool FSformatowany = false;
    QString FSegment;
    int FXSegmentu = 0;
    int FX = 0;
    int FY = 0;
    bool FWLinku = false;
    int FLicznikLinkow = 0;
    int16_t FStyl = 0;
    int FWysokoscLinii = 0;
    int FAscLiniiBiez = 0;
};
