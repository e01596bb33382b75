#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// A file type a dialog offers: the description shown, its masks (";"
// between them) and the identifier plug-ins know it by.
struct TFormatZapisu
{
    QString OpisFormatu;
    QString MaskaPliku;
    QString IDFormatu;

    // The mask is one of the format's masks (case aside), or a prefix mask of
    // it ("raport*" takes "raport.txt"; capital letters never match that way).
    bool ZawieraMaske(const QString &p_Maska) const;
};

// The formats a dialog offers, in the order of its filter.
class TListaFormatowZapisu
{
public:
    int Count() const { return static_cast<int>(FFormaty.size()); }
    const TFormatZapisu &GetFormatyZapisu(int p_Nr) const { return FFormaty.at(p_Nr); }
    void DodajFormat(TFormatZapisu p_Format, int p_Gdzie = -1);
    void Clear() { FFormaty.clear(); }
    auto begin() const { return FFormaty.begin(); }
    auto end() const { return FFormaty.end(); }

    // Description/mask pairs of a dialog filter ("a|*.x|b|*.y"); a last description without a mask adds nothing.
    void DodajTypyPlikow(const QString &p_Filtr);
    // Back to a dialog filter.
    QString OpisTekstowy() const;
    // The last "*.*" format before the end moves to the end.
    void Uporzadkuj();
    // The 1-based index of the format with that identifier, else of the last
    // one taking the extension's mask; false (index unchanged) when none.
    bool WyznaczFilterIndex(int &p_Indeks, const QString &p_Rozszerzenie, const QString &p_IDFormatu) const;

private:
    std::vector<TFormatZapisu> FFormaty;
};

// The check a dialog's filter passes before the dialog opens: empty, or an odd
// number of "|" with something above a space after the last one.
bool SprawdzFiltr(const QString &p_Filtr);
// The filter's pairs as Qt's name filters ("Opis (*.a *.b)").
QStringList FiltrJakoNazwyQt(const QString &p_Filtr);
