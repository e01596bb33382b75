#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// The road of one document: recognise the message by its root, unpack the
// matching stylesheet, transform, write the page. The window and the render
// tool both drive it; neither has a second copy. Every refusal is a message
// through the message service; other failures are exceptions.
class TDrogaDokumentu
{
public:
    // Reserves the two temporary files (they exist from here on).
    TDrogaDokumentu();
    // Deletes both temporary files; failures are ignored.
    ~TDrogaDokumentu();

    TDrogaDokumentu(const TDrogaDokumentu &) = delete;
    TDrogaDokumentu &operator=(const TDrogaDokumentu &) = delete;

    const QString &NazwaPlikuSzabl() const { return FNazwaPlikuSzabl; }
    const QString &NazwaPlikuHTML() const { return FNazwaPlikuHTML; }

    // Called with the page's address once a document has been written.
    std::function<void(const QUrl &)> PokazStrone;

    // Returns true when the page was written and handed to PokazStrone.
    bool WczytajPlik(const QString &p_NazwaPliku);

    // The qualified name of the root as written (and its namespace URI) when
    // it is not a bare object's own type; empty otherwise. Reader errors pass on.
    static QString DajTypDokumentu(const QString &p_NazwaPliku, QString *p_Przestrzen = nullptr);
    // Index of the accepted message type (0: IE529, 1: IE599) or -1.
    static int IndeksTypuDokumentu(const QString &p_NazwaPliku);
    // The stylesheet resource unpacked to text, one character per byte.
    static bool RozpakujPlikZRes(const QString &p_Nazwa, QString &p_Tresc);
    bool OtworzPlikZSzablonem(const QString &p_NazwaPlikuXML, const QString &p_TrescSzablonu);

private:
    QString FNazwaPlikuSzabl;
    QString FNazwaPlikuHTML;
};

// The stylesheet resources, in the order of the accepted roots.
extern const char *const ZasobySzablonow[2];
