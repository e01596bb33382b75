#pragma once

#include "WezelXML.h"

// Messages put their children in the document namespace in more than one way:
// unqualified, inheriting a default namespace from the root, or each with a
// prefix bound to it. The page stylesheets read unqualified children only, so
// before a transformation every element below the root that is in the root's
// own namespace is made unqualified. The root keeps its namespace (the
// stylesheet still tells the document by it); attributes and namespace
// declarations stay as they are. Meant for a tree about to be transformed:
// serialised afterwards, the stripped elements would read differently.
void ZdejmijPrzestrzenDokumentu(const TDokXML &p_Dokument);
