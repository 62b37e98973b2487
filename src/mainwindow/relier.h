#pragma once

#include "ui/garde.h"

#include <QAbstractButton>

// Runs an area's handler on a click, guarded: a failure is shown and the window stays usable.
template <typename Zone> void relier(QAbstractButton* bouton, Zone* zone, void (Zone::*handler)()) {
    QObject::connect(bouton, &QAbstractButton::clicked, zone,
                     [zone, handler] { Garde([&] { (zone->*handler)(); }); });
}
