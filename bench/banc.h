#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

class Rejeu;

// One row of the table: an interaction, the rows it lists, its median time and the engine's alone.
// An interaction that rebuilds the lists is timed twice: to its first screen painted, and to the
// last row once both lists are scrolled to their end (its median time).
struct Resultat {
    QString interaction;
    int lignes = 0;
    double medianeMs = 0;
    // None for an interaction held to the flat budget (a save, a header sort).
    std::optional<double> moteurMs;
    std::optional<double> premierEcranMs;
    // The engine's time for the first rows of the lists' statements, with the others sent.
    std::optional<double> plancherPremierEcranMs;
};

// Times one interaction of the real window: each repetition prepares it untimed, then runs it
// through the real handlers up to the repaint. The first run warms up and is not counted.
class Banc {
public:
    enum class Sql {
        Aucun,         // held to the flat budget: no floor
        Envoye,        // the SELECTs the interaction sent
        Reconstruction // those, with the two list statements the rebuild stands for, sent or not; the
                       // lists scrolled to their end after the first screen
    };
    struct Interaction {
        QString nom;
        std::function<void()> preparer;
        std::function<void()> agir;
        std::function<int()> lignes;
        Sql sql = Sql::Envoye;
    };

    // Scrolls both lists of actions to their last row.
    using Defilement = std::function<void()>;
    Banc(Rejeu& rejeu, int repetitions, Defilement defiler)
        : m_rejeu(rejeu), m_repetitions(repetitions), m_defiler(std::move(defiler)) {}
    Resultat mesurer(const Interaction& interaction);

private:
    Rejeu& m_rejeu;
    int m_repetitions;
    Defilement m_defiler;
};

// Lets the window finish what the interaction started: posted events, layout and painting.
void laisserAfficher();
