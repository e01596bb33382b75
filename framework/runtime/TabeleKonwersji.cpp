#include "TabeleKonwersji.h"

#include <mutex>

namespace {

std::mutex &BlokadaTabel()
{
    static std::mutex blokada;
    return blokada;
}

// ą ć ę ł ń ó ś ź ż Ą Ć Ę Ł Ń Ó Ś Ź Ż in both encodings.
constexpr char LiteryWin1250[] = "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF";
constexpr char LiteryISO88592[] = "\xB1\xE6\xEA\xB3\xF1\xF3\xB6\xBC\xBF\xA1\xC6\xCA\xA3\xD1\xD3\xA6\xAC\xAF";
constexpr int LiczbaLiter = 18;

const TTabKonw &TabelaWin1250NaISO88592()
{
    static const TTabKonw tabela = [] {
        TTabKonw t;
        ZbudujTabeleKonw(t, QByteArray(LiteryWin1250, LiczbaLiter), QByteArray(LiteryISO88592, LiczbaLiter));
        return t;
    }();
    return tabela;
}

const TTabKonw &TabelaISO88592NaWin1250()
{
    static const TTabKonw tabela = [] {
        TTabKonw t;
        ZbudujTabeleKonw(t, QByteArray(LiteryISO88592, LiczbaLiter), QByteArray(LiteryWin1250, LiczbaLiter));
        return t;
    }();
    return tabela;
}

} // namespace

void ZbudujTabeleKonw(TTabKonw &p_Tabela, const QByteArray &p_Z, const QByteArray &p_Na)
{
    std::lock_guard<std::mutex> blokada(BlokadaTabel());
    if (p_Tabela.isEmpty()) {
        p_Tabela.resize(256);
        for (int i = 0; i < 256; ++i)
            p_Tabela[i] = char(i);
    }
    const qsizetype ile = qMin(p_Z.size(), p_Na.size());
    for (qsizetype j = 0; j < ile; ++j)
        p_Tabela[uint8_t(p_Z[j])] = p_Na[j];
}

QByteArray KonwertujTabela(const QByteArray &p_Bajty, const TTabKonw &p_Tabela)
{
    if (p_Tabela.size() != 256)
        return p_Bajty;
    QByteArray wynik(p_Bajty.size(), Qt::Uninitialized);
    const char *z = p_Bajty.constData();
    const char *t = p_Tabela.constData();
    char *w = wynik.data();
    for (qsizetype i = 0; i < p_Bajty.size(); ++i)
        w[i] = t[uint8_t(z[i])];
    return wynik;
}

QByteArray Win1250NaISO88592(const QByteArray &p_Bajty)
{
    return KonwertujTabela(p_Bajty, TabelaWin1250NaISO88592());
}

QByteArray ISO88592NaWin1250(const QByteArray &p_Bajty)
{
    return KonwertujTabela(p_Bajty, TabelaISO88592NaWin1250());
}
