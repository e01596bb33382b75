#include "Bezczynnosc.h"

#include "LkForm.h"

#include <QApplication>
#include <QPointer>

#include <vector>

void ObsluzBezczynnosc()
{
    // An update may open a nested loop (a message box): no idle moment inside it.
    static bool trwa = false;
    if (trwa)
        return;
    struct TZnacznik
    {
        TZnacznik() { trwa = true; }
        ~TZnacznik() { trwa = false; }
    } znacznik;
    // An update may close or open forms: walk a guarded copy of the list.
    // A form without an update has nothing to do, its diagnostic check included.
    std::vector<QPointer<TLkForm>> formy;
    for (QWidget *okno : QApplication::topLevelWidgets())
        if (auto *forma = dynamic_cast<TLkForm *>(okno); forma && forma->isVisible() && forma->OnUpdateActions)
            formy.emplace_back(forma);
    for (const QPointer<TLkForm> &forma : formy)
        if (forma && forma->isVisible())
            forma->UpdateActions();
}
