#include "core/bd/curseur.h"

#include "core/bd/erreurbd.h"

Lignes& Curseur::lignes() const {
    if (!m_lignes)
        throw ErreurBd::programme(3704, QStringLiteral("Le jeu d'enregistrements est fermé."));
    return *m_lignes;
}
