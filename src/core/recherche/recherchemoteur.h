#pragma once

#include "core/recherche/recherche.h"

#include <memory>

// The search as one engine runs it, over the full-text index that engine keeps.
class RechercheMoteur {
public:
    using Avancement = std::function<void(qint64 fait, qint64 total)>;

    virtual ~RechercheMoteur() = default;
    // The one of the connection's engine.
    static std::unique_ptr<RechercheMoteur> pour(Connection& c);

    virtual bool indexAJour() = 0;
    virtual void construireIndex(const Avancement& avancement) = 0;
    // The words as Recherche::mots gives them, at least one.
    virtual ResultatRecherche chercher(const QStringList& mots, const QDateTime& maintenant) = 0;
};
