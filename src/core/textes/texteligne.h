#pragma once

#include <QString>

// A single-line value holds one line: every run of control characters (tabs, line breaks
// pasted from elsewhere) becomes one blank.
QString surUneLigne(const QString& texte);
// A value quoted in a message: on one line, cut to `longueur` characters with "…" after.
QString extrait(const QString& valeur, int longueur);
