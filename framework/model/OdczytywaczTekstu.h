#pragma once

#include "LkParser.h"

#include <memory>

class TStream;

// Base of the readers of the text formats: it owns the tokenizer over the
// caller's stream and counts what the input held that the objects could not take.
class TOdczytywaczTekstu
{
public:
    explicit TOdczytywaczTekstu(TStream *p_Strumien) : Strumien(p_Strumien) {}
    virtual ~TOdczytywaczTekstu() = default;

    TOdczytywaczTekstu(const TOdczytywaczTekstu &) = delete;
    TOdczytywaczTekstu &operator=(const TOdczytywaczTekstu &) = delete;

    TLkParser &Parser() const { return *FParser; }

    TStream *Strumien;
    // Attributes and elements skipped because no field took them.
    int PominietoDane = 0;
    // Set to stop reading the current list.
    bool PrzerwijOdczyt = false;

protected:
    // Each format's reader installs its tokenizer in its own constructor:
    // the first token is read at once.
    std::unique_ptr<TLkParser> FParser;
};
