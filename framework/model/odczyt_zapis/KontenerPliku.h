#pragma once

#include "TypyXML.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

class TObiektBazowy;
class TStream;

// The save-type word of the file container: the format in the bits of
// TypZapisuFormat, options above it. Bits 0x1F0 are also the writer's options.
constexpr int16_t tzpBinarny = 0;
constexpr int16_t tzpTekstowy = 1;
constexpr int16_t tzpXML = 2;
constexpr int16_t tzpTekstowyRES = 3;
constexpr int16_t tzpJSON = 4;
constexpr int16_t TypZapisuFormat = static_cast<int16_t>(0xFE0F);
constexpr int16_t tzpXMLWierszowy = 0x10;
constexpr int16_t tzpZChwilowymi = 0x20;
constexpr int16_t tzpSzyfrowany = 0x40;
constexpr int16_t tzpSkompresowany = 0x80;
constexpr int16_t tzpWin1250 = 0x100;
constexpr int16_t TypZapisuOpcje = 0x1F0;

// The container's layout: [UTF-8 byte-order mark, binary format without
// 0x100][the identifier's bytes, when one is given and the format is not
// XML] then the data (XML with the stylesheet p_SzablonXSL in its prolog), zlib-
// compressed at the maximum level (0x80) and then Blowfish-encrypted with the
// password or the built-in key (0x40). A format this build cannot write or
// read raises LkException "Brak implementacji %s"; formats above 4 write nothing
// and give false. Failures pass on with their message unchanged: the
// entry points (TObiektBazowy::ZapiszWPliku, WczytajZPliku) add the file's name.
bool ZapiszKontener(TObiektBazowy &p_Obiekt, TStream &p_Plik, const QByteArray &p_Identyfikator,
                    int16_t p_TypZapisu, const QByteArray &p_Haslo, const QString &p_SzablonXSL = {});
// A wrong identifier raises "Niewłaściwy typ pliku: \"%s\" zamiast \"%s\""; a
// wrong password or damaged data raise before any object is kept, and data
// left after a binary document in an encrypted or compressed container is damage too.
// XML is read in the encoding p_TypKodowania; the result of XML, JSON and
// native text is their reader's (true when nothing was skipped).
bool WczytajKontener(TObiektBazowy &p_Obiekt, TStream &p_Plik, const QByteArray &p_Identyfikator,
                     int16_t p_TypZapisu, const QByteArray &p_Haslo, TTypKodowaniaXML p_TypKodowania = tkxDomyslny);
