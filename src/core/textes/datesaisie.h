#pragma once

#include <QDateTime>
#include <QString>

namespace Regional {
// A date as people type it: "8/12/26", "08/12/2026", "08.12.2026", "08-12-2026", each with an
// optional time "10:30", "9:05", "10:30:00", "10h30" or "10h". A two-digit year is 20yy. An
// invalid date when the text is none of these.
QDateTime lireDateSaisie(const QString& texte);
} // namespace Regional
