#pragma once

#include <QByteArray>

// Removes from an XML document's bytes the numeric character references to
// characters XML forbids even as references (&#1; &#x1f; ...: 00-08, 0B, 0C,
// 0E-1F). Only bytes starting (after white space and a UTF-8 byte-order mark)
// with "<?xml" are touched. True when something was removed. A malformed
// numeric reference (no digits, a wrong digit, upper-case X, cut off) raises
// Exception "błędna treść XML".
bool NaprawTrescXML(QByteArray &p_Bajty);
