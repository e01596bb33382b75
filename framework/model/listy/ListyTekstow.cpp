#include "ListyTekstow.h"

#include "BlokadaObiektu.h"
#include "PorownanieTekstow.h"
#include "PorownywaczDanych.h"

#include <QRegularExpression>

QString TPoleStrList::GetJakoString() const
{
    QString tekst;
    for (const QString &linia : Wartosci)
        tekst += linia + QStringLiteral("\r\n");
    return tekst;
}

void TPoleStrList::SetJakoString(const QString &p_Tekst)
{
    TBlokadaObiektu blokada(this);
    static const QRegularExpression koniecLinii(QStringLiteral("\r\n|\r|\n"));
    Wartosci = p_Tekst.split(koniecLinii);
    // A text ending with a line break has no empty line after it.
    if (!Wartosci.isEmpty() && Wartosci.last().isEmpty())
        Wartosci.removeLast();
}

void TPoleStrList::DolaczWartosc(const TObiekt &p_Obiekt, int16_t p_NrPola, bool p_DuplikatyOk, bool p_Posortowana)
{
    if (!p_Obiekt.MaWartosc(p_NrPola))
        return;
    const QString tekst = p_Obiekt.Tekstowo(p_NrPola);
    TBlokadaObiektu blokada(this);
    if (!p_DuplikatyOk && Wartosci.contains(tekst))
        return;
    qsizetype gdzie = Wartosci.size();
    if (p_Posortowana)
        gdzie = std::lower_bound(Wartosci.begin(), Wartosci.end(), tekst) - Wartosci.begin();
    Wartosci.insert(gdzie, tekst);
}

Variant TPoleStrList::VariantowoElemNr(int p_Nr) const
{
    return p_Nr >= 0 && p_Nr < IleWartosci() ? Variant::ZString(Wartosci[p_Nr]) : Variant();
}

int16_t TPoleStrList::Porownaj(const TPole &p_Pole, TPorownywaczDanych *p_Porownywacz) const
{
    const auto *inna = dynamic_cast<const TPoleStrList *>(&p_Pole);
    if (!inna)
        BledneWywolanie("Porownaj");
    const bool bezWielkosci = p_Porownywacz && p_Porownywacz->RozmLiter == rlRozmLiterNiewazny;
    const uint32_t locale = p_Porownywacz ? p_Porownywacz->LocaleID : LocaleDomyslny;
    const qsizetype ile = std::min(Wartosci.size(), inna->Wartosci.size());
    for (qsizetype i = 0; i < ile; ++i)
        if (const int wynik = PorownajTeksty(Wartosci[i], inna->Wartosci[i], bezWielkosci, locale))
            return wynik < 0 ? -1 : 1;
    return Wartosci.size() < inna->Wartosci.size() ? -1 : (Wartosci.size() > inna->Wartosci.size() ? 1 : 0);
}

void TPoleStrList::KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier)
{
    const auto *inna = dynamic_cast<const TPoleStrList *>(&p_Pole);
    if (!inna)
        BledneWywolanie("KopiujDane");
    TPole::KopiujDane(p_Pole, p_Kopier);
    TBlokadaObiektu blokada(this);
    Wartosci = inna->Wartosci;
}

int64_t TPoleStrList::ZajmowanaPamiec() const
{
    int64_t pamiec = sizeof(*this);
    for (const QString &linia : Wartosci)
        pamiec += static_cast<int64_t>(sizeof(QString)) + linia.capacity() * 2;
    return pamiec;
}

Variant TPoleWideStrList::VariantowoElemNr(int p_Nr) const
{
    return p_Nr >= 0 && p_Nr < IleWartosci() ? Variant::ZWideString(Wartosci[p_Nr]) : Variant();
}
