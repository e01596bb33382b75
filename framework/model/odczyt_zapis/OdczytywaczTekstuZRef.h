#pragma once

#include "OdczytywaczTekstu.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <cstdint>
#include <vector>

// Text reader whose references are identifiers bound by the objects' "ID"
// attributes. A reference to an identifier not bound yet waits in the
// pending list with its text and is resolved after the whole tree is read.
class TOdczytywaczTekstuZRef : public TOdczytywaczTekstu
{
public:
    using TOdczytywaczTekstu::TOdczytywaczTekstu;

    // Remembers the field as OstPole as well.
    void OdczytywanoPole(TPole &p_Pole) override;
    // The current token's text is an identifier: a bound one is set at once,
    // any other waits. True for a non-empty identifier.
    bool WczytajRef(TPoleWskObiektu &p_Pole) override;
    // Pending identifiers to their objects; unknown ones give nil (a pointer
    // list drops such entries).
    void KorygujReferencje() override;
    // One entry of a pointer list read as an identifier: at p_Gdzie (-1: a new
    // one at the end; a gap before it is filled with waiting entries), set at
    // once when the identifier is bound, otherwise waiting for it.
    void RejestrujListeRef(TListaWskObiektow &p_Lista, const QByteArray &p_ID, int p_Gdzie = -1);

    // Binds an identifier; a second object with it raises LkException "zdublowany ID=\"%s\"".
    void PrzypiszObiektDoID(TObiektBazowy &p_Obiekt, QByteArrayView p_ID);
    // Makes the identifier known (unbound when new).
    void DodajIDRef(const QByteArray &p_ID);
    // The object bound to the identifier; null when none.
    TObiektBazowy *DajObiektWgRef(QByteArrayView p_Ref) const;

    // The message with the element's name added to its "podczas odczytu pola"
    // path (a.b.c, outermost first), or with that context appended.
    static QString KorygujTrescWyjatku(const QString &p_Tresc, const QString &p_NazwaPola);

    // The last field reported by OdczytywanoPole.
    TPole *OstPole = nullptr;

private:
    // The number of an identifier written as a plain number ("1", "517"; not
    // "01"), as the writers give them out from 1 up; -1 for any other.
    static int64_t NrID(QByteArrayView p_ID);

    // Case-sensitive; hashed (Qt's seeded hash), since every object with an ID lands here.
    QHash<QByteArray, TObiektBazowy *> OdczIDRef;
    // Numbered identifiers bound, by number (no hashing, no key to allocate);
    // a number far past the others goes to OdczIDRef instead.
    std::vector<TObiektBazowy *> FNumerowaneID;
    size_t FIleNumerowanych = 0;
};
