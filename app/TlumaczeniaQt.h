#pragma once

class QCoreApplication;

// Qt's own texts (the print and file dialogs, standard buttons, the edit
// boxes' menus) in Polish, from Qt's translation catalogues. A missing
// catalogue leaves those texts in English; nothing else changes.
void ZaladujTlumaczeniaQt(QCoreApplication &p_Aplikacja);
