#pragma once

#include <QtGlobal>

// The one edit mode of a window. The values are those the program has always used: a window of
// a single area (the reference editors) uses the client area's pair.
enum class ModeEdition : qint32 {
    CreationClient = 0,
    ModificationClient = 1,
    Consultation = 2,
    CreationInterlocuteur = 4,
    ModificationInterlocuteur = 5,
    CreationAction = 6,
    ModificationAction = 7,
    CreationRdv = 8,
    ModificationRdv = 9,
};

// The modifying mode of the area whose creating mode this is.
inline ModeEdition modification(ModeEdition creation) {
    return ModeEdition(qint32(creation) + 1);
}
