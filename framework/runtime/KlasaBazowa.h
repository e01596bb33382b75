#pragma once

// The common root of the framework's polymorphic classes, so that an open
// array of constants can carry an object and the receiver can ask its class.
class TObject
{
public:
    // No destructor raises: failures on the way out are reported, not thrown.
    virtual ~TObject() = default;
};
