#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

class TListaWskObiektow;
class TObiektBazowy;
class TPole;
class TPoleWskObiektu;
class TStringCache;

// Reader base of every format: numbers the objects read and keeps the
// pointer fields read, so that references are resolved once the whole tree is
// there. A pending reference keeps its number or identifier here, never in
// the field: the field stays empty until KorygujReferencje. The fields kept
// here must live until KorygujReferencje or ZerujReferencje has run.
class TOdczytywaczDanych
{
public:
    // A cache handed in is shared, not owned.
    explicit TOdczytywaczDanych(TStringCache *p_StringCache = nullptr) : FStringCache(p_StringCache) {}
    virtual ~TOdczytywaczDanych() = default;
    TOdczytywaczDanych(const TOdczytywaczDanych &) = delete;
    TOdczytywaczDanych &operator=(const TOdczytywaczDanych &) = delete;

    // Every reading hook calls this first: an object gets the next number.
    virtual void OdczytywanoPole(TPole &p_Pole);
    // The same from the binary hook of a field that never holds an object:
    // there is nothing to number, so only a reader watching every field hears of it.
    void OdczytywanoWartosc(TPole &p_Pole)
    {
        if (FPatrzyNaWartosci)
            OdczytywanoPole(p_Pole);
    }
    // Points every pending field at its target: by number here (1 is the first
    // object read; an unknown number gives nil). The pending list is emptied.
    virtual void KorygujReferencje();
    // After a failed read: every pointer field read so far is cleared.
    void ZerujReferencje();

    // A reference read as the number of an object, resolved later.
    void DodajRefNumer(TPoleWskObiektu &p_Pole, int64_t p_Numer);
    // A reference already set: cleared too if the read fails.
    void DodajRefUstawiona(TPoleWskObiektu &p_Pole);
    // ---- pointer lists: every list read is registered; its entries are set
    // at once or wait (null) at their position, and the entries still null
    // after KorygujReferencje are dropped. A failed read clears the lists.
    void RejestrujListe(TListaWskObiektow &p_Lista);
    // Entry p_Gdzie (-1: a new one at the end) waits for the object of that number.
    void DodajRefListyNumer(TListaWskObiektow &p_Lista, int64_t p_Numer, int p_Gdzie = -1);

    void UzyjCache(QString &p_Tekst) const;
    void UzyjCache(QStringList &p_Lista) const;

    // ---- binary and native text documents
    // Runs p_Czytaj on the locked, cleared object, then resolves the references.
    // A failure drops the references read and clears the object before it passes on.
    void WczytajDokument(TObiektBazowy &p_Obiekt, const std::function<void()> &p_Czytaj);
    // Clears an object whose read failed; a failure of the clearing is dropped,
    // the read's own being the one worth reporting.
    static void ZerujPoBledzieOdczytu(TObiektBazowy &p_Obiekt);
    // Objects nested deeper than this in one document raise (see TPoziomOdczytu).
    static constexpr int MaksGlebokoscOdczytu = 200;
    int GlebokoscOdczytu = 0;
    // ---- end of binary and native text documents

    // Every object read, in order; a position is an object's number less one.
    // A deque grows without copying what it holds.
    std::deque<TObiektBazowy *> OdczObiekty;
    // Strings of the binary format are Windows-1250, not UTF-8.
    bool FOdczytANSI = false;

protected:
    struct TRefOdczytana
    {
        TPoleWskObiektu *Pole;
        bool Oczekuje;
        int64_t Numer;
        QByteArray ID;
    };
    // Every pointer field read; the pending ones carry their number or identifier.
    std::vector<TRefOdczytana> OdczRef;
    struct TRefListy
    {
        TListaWskObiektow *Lista;
        int Gdzie;
        int64_t Numer;
        QByteArray ID;
    };
    // Entry p_Gdzie (-1: a new one at the end) of a registered list, waiting; its position.
    int DodajOczekujacy(TListaWskObiektow &p_Lista, int p_Gdzie, int64_t p_Numer, const QByteArray &p_ID);
    // Points the waiting entries at what p_Cel finds, then drops the null entries of every list.
    void KorygujListy(const std::function<TObiektBazowy *(const TRefListy &)> &p_Cel);
    // The object of that number; null for an unknown one.
    TObiektBazowy *ObiektONumerze(int64_t p_Numer) const;
    std::vector<TRefListy> OdczRefListy;
    std::vector<TListaWskObiektow *> OdczListyRef;
    TStringCache *FStringCache;
    // Whether OdczytywanoWartosc passes on: a reader whose OdczytywanoPole is
    // known to number objects only may turn it off.
    bool FPatrzyNaWartosci = true;
};

// One level of nesting while an object is read; past MaksGlebokoscOdczytu it
// raises LkException "Zbyt głębokie zagnieżdżenie obiektów (więcej niż %d poziomów)",
// so that input cannot exhaust the stack.
class TPoziomOdczytu
{
public:
    explicit TPoziomOdczytu(TOdczytywaczDanych &p_Odczytywacz);
    ~TPoziomOdczytu() { --FOdczytywacz.GlebokoscOdczytu; }
    TPoziomOdczytu(const TPoziomOdczytu &) = delete;
    TPoziomOdczytu &operator=(const TPoziomOdczytu &) = delete;

private:
    TOdczytywaczDanych &FOdczytywacz;
};
