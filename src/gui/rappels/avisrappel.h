#pragma once

#include "core/donnees/rappels.h"

#include <functional>

// How a notice reaches the person: the desktop's, or a test's record of it.
class AvisRappel {
public:
    // What the person may answer: show the item, or be told again later.
    struct Reponses {
        std::function<void()> voir;
        std::function<void()> reporter;
    };
    virtual ~AvisRappel() = default;
    virtual void montrer(const Rappel& rappel, const Reponses& reponses) = 0;
};
