#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class TStream;
class TOdczytywaczXML;

// XML dialects of the writer and the reader; tzxDomyslny means the program default, tzxStandard.
enum TTypZapisuXML { tzxDomyslny, tzxStandard, tzxWierszowy, tzxCelina, tzxOSOZ, tzxECS };

// Text encodings of XML files; tkxDomyslny means the program default, tkxUTF8.
enum TTypKodowaniaXML { tkxDomyslny, tkxWin1250, tkxUTF8, tkxISO88592, tkxWin1251, tkxISO88591 };

// Called with bytes that are not valid UTF-8; setting p_Obsluzone makes p_Tekst their text.
using TOnBlednyUTF8 =
    std::function<void(TOdczytywaczXML &p_Odczytywacz, const QByteArray &p_Bajty, bool &p_Obsluzone, QString &p_Tekst)>;

// A reader class as a factory; empty means TOdczytywaczXML.
using TKlasaOdczytywaczaXML = std::function<std::unique_ptr<TOdczytywaczXML>(
    TStream *p_Strumien, TTypZapisuXML p_TypZapisu, TTypKodowaniaXML p_TypKodowania, TOnBlednyUTF8 p_OnBlednyUTF8)>;

// Whether a class's element or attribute names carry their namespace prefix;
// fdxDefault means the program default, fdxUnqualified.
enum TDomyslnaFormaXML { fdxDefault, fdxQualified, fdxUnqualified };
