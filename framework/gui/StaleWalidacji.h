#pragma once

#include <cstdint>

// Whether a field must or must not be filled; edit boxes and check boxes colour themselves by it.
enum TOpcjaWymagalnosci : uint8_t { wBrak = 0, wWymagane = 1, wZabronione = 2 };
