#pragma once

#include <QString>

// A spreadsheet evaluates a cell that begins with =, @, + or -, and one that a tab or a carriage
// return leads may be read so too: such a text leaves with a leading apostrophe, which a
// spreadsheet shows as text. A sign before a phone-like text (digits, spaces, . ( ) / -) stays as it
// is, so that +33 6 12 34 56 78 and -1 are written unchanged.
QString protegerFormule(const QString& texte);
// The text protegerFormule() was given.
QString retirerProtection(const QString& champ);
