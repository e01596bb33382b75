#pragma once
// Umbrella header of the object model; the units it gathers are added as they grow.

#include "LkJSONParser.h"
#include "LkParser.h"
#include "LkXMLParser.h"
#include "Obiekt.h"
#include "ObiektBazowy.h"
#include "OdczytywaczXML.h"
#include "OpisKlasy.h"
#include "PolaCalkowite.h"
#include "PolaDatyICzasu.h"
#include "PolaTekstowe.h"
#include "PolaZmiennoprzecinkowe.h"
#include "Pole.h"
#include "PoleBoolean.h"
#include "TypyXML.h"
#include "Variant.h"
#include "WyjatkiModelu.h"
