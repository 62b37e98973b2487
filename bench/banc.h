#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

class Rejeu;

// One row of the table: an interaction, the rows it lists, its median time and the engine's alone.
struct Resultat {
    QString interaction;
    int lignes = 0;
    double medianeMs = 0;
    // None for an interaction held to the flat budget (a save, a header sort).
    std::optional<double> moteurMs;
};

// Times one interaction of the real window: each repetition prepares it untimed, then runs it
// through the real handlers up to the repaint. The first run warms up and is not counted.
class Banc {
public:
    enum class Sql {
        Aucun,         // held to the flat budget: no floor
        Envoye,        // the SELECTs the interaction sent
        Reconstruction // those, with the two list statements the rebuild stands for, sent or not
    };
    struct Interaction {
        QString nom;
        std::function<void()> preparer;
        std::function<void()> agir;
        std::function<int()> lignes;
        Sql sql = Sql::Envoye;
    };

    Banc(Rejeu& rejeu, int repetitions) : m_rejeu(rejeu), m_repetitions(repetitions) {}
    Resultat mesurer(const Interaction& interaction);

private:
    Rejeu& m_rejeu;
    int m_repetitions;
};

// Lets the window finish what the interaction started: posted events, layout and painting.
void laisserAfficher();
