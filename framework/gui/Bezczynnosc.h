#pragma once

// The application's idle moment, as the framework's forms expect it: every
// shown framework form updates its actions (TLkForm::UpdateActions). The
// framework's application object runs it each time its event loop is about
// to wait.
void ObsluzBezczynnosc();
