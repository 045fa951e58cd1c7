#pragma once

#include <QString>

// Reading the texts of the UTM and TM edits. Never fails and never reads past
// the text: what cannot be read gives 0 (or an empty band).

// A UTM easting text "zone band easting", e.g. "50 R 345678".
struct UtmEastingText
{
    int zone = 0;
    QString bandWord;   // empty when absent
    char band = '\0';   // first byte of the band word in UTF-8, '\0' when absent
    int easting = 0;
};

// Reads the text the way the "%d %s %d" scan shape does: an optional sign and
// decimal digits (leading white space skipped), then the next run of
// non-blank characters as the band word (white space before it optional, so
// "50R 345678" reads too), then an integer at the start of the next word. Reading
// stops at the first part that is not there; the parts not read stay 0. A
// number too large for an int reads as 0. Band words of any length are fine.
UtmEastingText parseUtmEastingText(const QString &text);

// A whole text as a base-10 integer; surrounding white space is allowed.
// Anything else (empty, not a number, trailing letters, beyond the int range)
// reads as 0.
int readBase10Integer(const QString &text);
