// The framework on one form: run it and try the keys. Arrows and Enter move
// along the fields, Ctrl+D or Insert in the date opens the calendar, "Opcje"
// is a drop-down button, "Podgląd" opens a modeless window with the object's
// fields as the form writes them. The switch -kalendarz opens the calendar
// at once (for pictures of it).
#include "FormaZgloszenia.h"
#include "LkAplikacja.h"
#include "LkFunGUI.h"
#include "Parametry.h"

#include <QTimer>

int main(int argc, char **argv)
{
    TLkAplikacja aplikacja(argc, argv);
    aplikacja.UstawTytul(QStringLiteral("Przykład formularza"));
    InicjujLkFunGUI(false);
    int wynik = 0;
    {
        TZgloszenieWywozu zgloszenie;
        zgloszenie.UstawTekstowo(TZgloszenieWywozu::Nadawca, QStringLiteral("Fabryka Okuć S.A."));
        TFormaZgloszenia forma(zgloszenie);
        forma.UstawJakoFormeGlowna();
        forma.show();
        if (JestParametr(QStringLiteral("kalendarz")))
            QTimer::singleShot(300, &forma, &TFormaZgloszenia::butDataClick);
        wynik = aplikacja.exec();
    }
    ZakonczLkFunGUI();
    return wynik;
}
