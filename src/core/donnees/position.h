#pragma once

#include <stdexcept>

// A 0-based position in a collection of n elements; outside it, the caller's error.
inline void verifierPosition(int position, int n) {
    if (position < 0 || position >= n)
        throw std::out_of_range("L'indice n'appartient pas à la sélection.");
}
