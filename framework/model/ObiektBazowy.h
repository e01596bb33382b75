#pragma once

#include "Pole.h"
#include "TypyXML.h"

#include <QString>

class TStream;

// Root of all persistent objects: a tree node that is itself a field, so
// objects nest. It owns the entry points that load a whole tree.
class TObiektBazowy : public TPole
{
public:
    static const TOpisKlasy Opis;

    explicit TObiektBazowy(TObiektBazowy *p_Rodzic = nullptr) : FRodzic(p_Rodzic) {}
    const TOpisKlasy &Klasa() const override { return Opis; }

    TObiektBazowy *Rodzic() const { return FRodzic; }

    // Bracket every read or change of the object; nothing here, a lock in thread-safe descendants.
    virtual void ZablokujObiekt() {}
    virtual void OdblokujObiekt() {}

    // Whether a serialised root of that type name is this object's data (ignoring case):
    // the class name, the class name after leading "_", or an ancestor class's name.
    virtual bool MoznaCzytacDaneTypu(const QString &p_NazwaTypu) const;

    // Loads the object from an XML file, or from p_Strumien when given (left open).
    // True when nothing in the input was skipped. Open failures raise EFCreateError
    // "Błąd otwarcia pliku %s:\r%s"; read failures keep their class and get the
    // message "Błąd odczytu pliku %s:\r%s at %d / %d (%s)".
    virtual bool WczytajZPlikuXML(const QString &p_NazwaPliku, TTypZapisuXML p_TypZapisu = tzxDomyslny,
                                  TStream *p_Strumien = nullptr, TTypKodowaniaXML p_TypKodowania = tkxDomyslny,
                                  const TOnBlednyUTF8 &p_OnBlednyUTF8 = {},
                                  const TKlasaOdczytywaczaXML &p_KlasaOdczytywacza = {});
    // Runs after a successful load from a file.
    virtual void PoOdczyciePlikuXML() {}

    // Reads this object's element; the current token is the element's name.
    virtual void WykonajOdczytXML(TOdczytywaczXML &p_Odczytywacz, const QString &p_NazwaObiektu) = 0;

protected:
    friend class TOdczytywaczXML;
    // The root-level load: prolog, root check, the element.
    virtual void WczytajZXML(TOdczytywaczXML &p_Odczytywacz);
    // Whether the root element's qualified name is this object's type.
    virtual bool CzyKorzenXMLTegoTypu(const QString &p_Nazwa) const;

private:
    TObiektBazowy *FRodzic;
};
