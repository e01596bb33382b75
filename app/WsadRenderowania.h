#pragma once

#include <QString>
#include <QStringList>

// What a batch is asked to do (ostrevia-render --output-dir).
struct TOpcjeWsadu
{
    QString KatalogWyjsciowy; // created when missing
    bool HTML = true;
    bool PDF = false;
    QString Podsumowanie; // the CSV summary; empty for none
    int Watki = 1;        // documents rendered at once
    QStringList Wejscia;  // files and folders
    QString ProgramPDF;   // the PDF maker to start once for all pages
};

// Renders every input into the output folder, the refused ones listed with
// their reasons on standard error, progress there too, the names of the
// written files on standard output in the inputs' order. The pages do not
// depend on the number of threads. 0 when every input was rendered, 1
// otherwise (the rest is written all the same).
int WyrenderujWsad(const TOpcjeWsadu &p_Opcje);
