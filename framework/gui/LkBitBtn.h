#pragma once

#include "LkButton.h"

// The framework's bitmap button: a TLkButton that shows an image, often
// without a caption. Qt paints buttons double-buffered already.
class TLkBitBtn : public TLkButton
{
    Q_OBJECT

public:
    using TLkButton::TLkButton;
};
