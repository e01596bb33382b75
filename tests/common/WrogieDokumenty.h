#pragma once

#include <QByteArray>

// Hostile XML shared by the suites of the XML service and of the object model.

// About 130 KB: an internal subset defines a 50 KB entity and the root refers
// to it 20,000 times, one gigabyte once expanded.
inline QByteArray DokumentWzmacniajacyEncje(const QByteArray &p_Korzen = "dok")
{
    return "<?xml version=\"1.0\"?>\n<!DOCTYPE " + p_Korzen + " [<!ENTITY e \"" + QByteArray(50 * 1024, 'x') + "\">]>\n<"
           + p_Korzen + ">" + QByteArray("&e;").repeated(20000) + "</" + p_Korzen + ">";
}

// One start tag with p_Ile attributes of distinct names.
inline QByteArray ElementZAtrybutami(int p_Ile, const QByteArray &p_Nazwa = "dok", const QByteArray &p_Prefiks = "a")
{
    QByteArray tresc = "<" + p_Nazwa;
    for (int i = 0; i < p_Ile; ++i)
        tresc += " " + p_Prefiks + QByteArray::number(i) + "=\"" + QByteArray::number(i) + "\"";
    return tresc + "/>";
}
