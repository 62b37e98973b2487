#pragma once

#include <QDate>
#include <QDateTime>

// The program's one source of "now": the SQL layer and the windows read it, tests set it. Its
// value is the local wall clock, built as every other date of the program (Regional::dateHeure).
class Horloge {
public:
    static QDateTime maintenant();
    static QDate aujourdhui() { return maintenant().date(); }
    static void fixer(const QDateTime& instant);
    static void reprendre();
};
