#pragma once

#include "DaneDokumentu.h"
#include "TypyDokumentXML.h"
#include "TypyDokumentow.h"

#include <QString>
#include <QUrl>

#include <functional>

class TStream;
class TSzablonyWsadu;

// The road of one document: recognise the message by its root, unpack the
// matching stylesheet, transform, write the page. The window and the render
// tool both drive it; neither has a second copy. Every refusal is a message
// through the message service; other failures are exceptions. A road serves
// one document at a time, from any one thread.
class TDrogaDokumentu
{
public:
    // The window's road: reserves the two temporary files (they exist from here on).
    TDrogaDokumentu();
    // The render tool's road: the page goes where the caller says, through no
    // temporary file.
    struct TBezPlikowTymczasowych
    {
    };
    explicit TDrogaDokumentu(TBezPlikowTymczasowych);
    // Deletes both temporary files; failures are ignored.
    ~TDrogaDokumentu();

    TDrogaDokumentu(const TDrogaDokumentu &) = delete;
    TDrogaDokumentu &operator=(const TDrogaDokumentu &) = delete;

    const QString &NazwaPlikuSzabl() const { return FNazwaPlikuSzabl; }
    const QString &NazwaPlikuHTML() const { return FNazwaPlikuHTML; }

    // A batch's roads share their compiled stylesheets (WyrenderujDo only).
    void UzyjSzablonow(TSzablonyWsadu *p_Szablony) { FSzablony = p_Szablony; }

    // Called with the page's address once a document has been written, on
    // the thread that runs the road.
    std::function<void(const QUrl &)> PokazStrone;

    // The window's road into the temporary files. True when the page was
    // written and handed to PokazStrone.
    bool WczytajPlik(const QString &p_NazwaPliku);
    // The same road with the page written into p_Cel. The documents of the
    // transformation stay with the road until it is destroyed, so that a
    // program about to end need not free them.
    bool WyrenderujDo(const QString &p_NazwaPliku, TStream &p_Cel);
    // What the last road read of its message, on the thread that ran it.
    const TDaneDokumentu &Dane() const { return FDane; }

    // The qualified name of the root as written (and its namespace URI) when
    // it is not a bare object's own type; empty otherwise. Reader errors pass on.
    static QString DajTypDokumentu(const QString &p_NazwaPliku, QString *p_Przestrzen = nullptr);
    // The accepted message the file holds, or null.
    static const TTypDokumentu *TypDokumentu(const QString &p_NazwaPliku);
    // The stylesheet resource unpacked to text, one character per byte.
    static bool RozpakujPlikZRes(const QString &p_Nazwa, QString &p_Tresc);
    bool OtworzPlikZSzablonem(const QString &p_NazwaPlikuXML, const QString &p_TrescSzablonu);

private:
    // The file's message type after the existence and type checks; null
    // (the user told) when refused.
    static const TTypDokumentu *RozpoznajPlik(const QString &p_NazwaPliku);
    // The checks that come before a transformation; false (the user told) when one fails.
    bool MoznaPrzeksztalcic(const QString &p_NazwaPlikuXML, bool p_JestSzablon, bool p_PotrzebnePlikiTymczasowe) const;
    // p_Szablon: the stylesheet's bytes, or a TArkuszSkompilowany.
    template <typename TSzablon>
    bool Przeksztalc(const QString &p_NazwaPlikuXML, const TSzablon &p_Szablon, TStream &p_Cel);

    QString FNazwaPlikuSzabl;
    QString FNazwaPlikuHTML;
    TDokumentyTransformacji FDokumenty;
    TDaneDokumentu FDane;
    TSzablonyWsadu *FSzablony = nullptr;
};
