#pragma once

#include "core/bd/connection.h"
#include "core/donnees/echeances.h"
#include "core/donnees/rappels.h"

#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

class AvisRappel;
class Navigation;

// While the program runs: the day's summary, read again when the day or the data change, and a
// notice for each timed to-do item when its time comes, once per item and time.
class Rappeleur : public QObject {
    Q_OBJECT
public:
    // The notices given are remembered in `memoire` (the user's, across a restart).
    Rappeleur(Navigation& navigation, std::unique_ptr<AvisRappel> avis, const QString& memoire,
              QObject* parent = nullptr);
    ~Rappeleur() override;
    void setAvis(std::unique_ptr<AvisRappel> avis);

    // One look at the clock and the database; the timer calls it every half minute.
    void verifier();
    // The answers to a notice.
    void voir(const Rappel& rappel);
    void reporter(const Rappel& rappel);

signals:
    void resumeChange(const ResumeJour& resume);

private:
    struct Report {
        Rappel rappel;
        QDateTime quand;
    };
    void verifierResume();
    void verifierRappels();
    void montrer(const Rappel& rappel);

    Navigation& m_navigation;
    std::unique_ptr<AvisRappel> m_avis;
    MemoireRappels m_memoire;
    QTimer m_minuterie;
    // What the summary was read under: the day and the data.
    QDate m_jourResume;
    std::optional<VersionDonnees> m_versionResume;
    std::vector<Report> m_reports;
};
