#pragma once

#include <QString>

// A single-line value holds one line: every run of control characters (tabs, line breaks
// pasted from elsewhere) becomes one blank.
QString surUneLigne(const QString& texte);
