#include "ListaObiektow.h"

#include "BlokadaObiektu.h"
#include "JadroKlas.h"
#include "KopierDanych.h"

#include <memory>

TObiekt *TListaObiektow::TworzElemListy(bool p_ZRodzicem) const
{
    const TOpisKlasy &klasa = TypObiektowListy();
    std::unique_ptr<TPole> nowy(klasa.Tworz ? klasa.Tworz(p_ZRodzicem ? const_cast<TListaObiektow *>(this) : nullptr)
                                            : nullptr);
    TObiekt *obiekt = nowy ? nowy->JakoTObiekt() : nullptr;
    if (!obiekt)
        BledneWywolanie("TworzElemListy");
    nowy.release();
    return obiekt;
}

TObiektBazowy *TListaObiektow::DodajObiekt(TObiektBazowy *p_NowyObiekt, int p_Gdzie)
{
    if (p_NowyObiekt)
        return TListaZObiektami::DodajObiekt(p_NowyObiekt, p_Gdzie);
    TBlokadaObiektu blokada(this);
    // Made without a parent: adding gives it this one, without looking for it in the list first.
    std::unique_ptr<TObiekt> nowy(TworzElemListy(false));
    TListaZObiektami::DodajObiekt(nowy.get(), p_Gdzie);
    return nowy.release();
}

TObiekt *TListaObiektow::DodajObiektGdyBrak(const TArrayOfConst &p_JakiePola, const TArrayOfConst &p_JakieWartosci,
                                            int p_Gdzie, TRozmiarLiter p_RozmLiter)
{
    TBlokadaObiektu blokada(this);
    int gdzie = -1;
    if (JestObiekt(p_JakiePola, p_JakieWartosci, gdzie, p_RozmLiter))
        return Elementy(gdzie);
    auto *nowy = static_cast<TObiekt *>(DodajObiekt(nullptr, p_Gdzie));
    nowy->WpiszDane(p_JakiePola, p_JakieWartosci);
    return nowy;
}

bool TListaObiektow::MoznaKopiowacZListy(const TListaBazowa &p_Lista) const
{
    const auto *typowana = dynamic_cast<const TListaObiektow *>(&p_Lista);
    if (!typowana)
        return dynamic_cast<const TListaZObiektami *>(&p_Lista) != nullptr;
    const TOpisKlasy &nasza = TypObiektowListy();
    const TOpisKlasy &ich = typowana->TypObiektowListy();
    return nasza.DziedziczyPo(ich) || ich.DziedziczyPo(nasza);
}

TObiektBazowy *TListaObiektow::NowyElement(const TObiektBazowy &p_Wzor)
{
    // The source's own class when it is an item class here; ours otherwise.
    if (p_Wzor.Klasa().DziedziczyPo(TypObiektowListy()))
        return TListaZObiektami::NowyElement(p_Wzor);
    return TworzElemListy(true);
}

void TListaObiektow::KopiujDane(const TPole &p_Pole, TKopierDanych *p_Kopier)
{
    const auto *zrodlo = dynamic_cast<const TListaBazowa *>(&p_Pole);
    if (zrodlo && !MoznaKopiowacZListy(*zrodlo))
        throw LkException(Format(QStringLiteral("Błąd kopiowania w %s:\rźródło danych jest typu %s"),
                                 {ClassName(), p_Pole.ClassName()}));
    TListaZObiektami::KopiujDane(p_Pole, p_Kopier);
}

namespace {

// Item by item over the common count, through p_Kopiuj.
void KopiujParami(TListaObiektow &p_Cel, const TListaObiektow &p_Zrodlo,
                  const std::function<void(TObiekt &, const TObiekt &)> &p_Kopiuj)
{
    TBlokadaObiektu blokada(&p_Cel);
    const int ile = std::min(p_Cel.IleObiektow(), p_Zrodlo.IleObiektow());
    for (int i = 0; i < ile; ++i) {
        TObiekt *cel = p_Cel.Elementy(i);
        const TObiekt *zrodlo = p_Zrodlo.Elementy(i);
        if (cel && zrodlo)
            p_Kopiuj(*cel, *zrodlo);
    }
}

} // namespace

void TListaObiektow::KopiujDanePol(const TListaObiektow &p_Zrodlo, const TArrayOfConst &p_KtorePola)
{
    KopiujParami(*this, p_Zrodlo, [&](TObiekt &p_Cel, const TObiekt &p_Z) { p_Cel.KopiujDanePol(p_Z, p_KtorePola); });
}

void TListaObiektow::KopiujDaneOprocz(const TListaObiektow &p_Zrodlo, const TArrayOfConst &p_PominPola)
{
    KopiujParami(*this, p_Zrodlo, [&](TObiekt &p_Cel, const TObiekt &p_Z) { p_Cel.KopiujDaneOprocz(p_Z, p_PominPola); });
}

void TListaObiektow::KopiujDaneKlas(const TListaObiektow &p_Zrodlo, const TOpisKlasy &p_Klasa)
{
    TArrayOfConst pola;
    for (int16_t nr = 0; nr <= p_Klasa.MaxNrPola(); ++nr)
        if (p_Klasa.PoleNr(nr))
            pola.emplace_back(int(nr));
    KopiujDanePol(p_Zrodlo, pola);
}

void TListaObiektow::PrzepnijLubKopiuj(TListaObiektow &p_Zrodlo)
{
    TBlokadaObiektu blokada(this);
    while (!p_Zrodlo.ListaPusta()) {
        TObiektBazowy *obiekt = p_Zrodlo.ObiektyListy(0);
        if (obiekt && obiekt->Klasa().DziedziczyPo(TypObiektowListy())) {
            PrzeniesZListy(p_Zrodlo, 0, IleObiektow());
        } else {
            if (obiekt)
                DopiszObiekt(ObiektDoDopisania(obiekt));
            p_Zrodlo.UsunObiekt(0);
        }
    }
}

bool TListaObiektow::MoznaCzytacDaneTypu(const QString &p_NazwaTypu) const
{
    for (const QLatin1String przedrostek : {QLatin1String("TArrayOf"), QLatin1String("ArrayOf")}) {
        if (!p_NazwaTypu.startsWith(przedrostek, Qt::CaseInsensitive))
            continue;
        const QString reszta = p_NazwaTypu.mid(przedrostek.size());
        const TOpisKlasy &klasa = TypObiektowListy();
        if (reszta.compare(klasa.ClassName(), Qt::CaseInsensitive) == 0)
            return true;
        const TOpisKlasy *zarejestrowana = DajJadroKlas().JestKlasaONazwie(reszta);
        return zarejestrowana && (zarejestrowana->DziedziczyPo(klasa) || klasa.DziedziczyPo(*zarejestrowana));
    }
    return TListaZObiektami::MoznaCzytacDaneTypu(p_NazwaTypu);
}

TObiektBazowy *TListaObiektow::WzorElementu(std::vector<std::unique_ptr<TPole>> &p_Wzory) const
{
    p_Wzory.emplace_back(TworzElemListy(false));
    return p_Wzory.back()->JakoObiekt();
}

const TOpisKlasy *TypObiektowListy(const TOpisKlasy &p_Klasa)
{
    if (!p_Klasa.DziedziczyPo(TListaObiektow::Opis) || !p_Klasa.Tworz)
        return nullptr;
    // A class function in spirit: a scratch instance answers for its class.
    const std::unique_ptr<TPole> wzor(p_Klasa.Tworz(nullptr));
    const auto *lista = dynamic_cast<const TListaObiektow *>(wzor.get());
    return lista ? &lista->TypObiektowListy() : nullptr;
}
