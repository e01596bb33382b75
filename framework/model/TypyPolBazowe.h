#pragma once
// Umbrella header of the object model; the units it gathers are added as they grow.
