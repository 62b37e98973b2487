#pragma once

#include "gui/planning/elementsemaine.h"

#include <QList>
#include <QStringList>

// The week as one printed page: its title, the days side by side, each day's items by time.
QString pageSemaine(const QString& titre, const QStringList& jours,
                    const QList<QList<ElementSemaine>>& elements);
