#include "gui/rappels/rappeleur.h"

#include "core/bd/erreurbd.h"
#include "core/bd/horloge.h"
#include "core/bd/session.h"
#include "gui/navigation.h"
#include "gui/rappels/avisrappel.h"

#include <QApplication>
#include <QWidget>
#include <cstdio>

Rappeleur::Rappeleur(Navigation& navigation, std::unique_ptr<AvisRappel> avis, const QString& memoire,
                     QObject* parent)
    : QObject(parent), m_navigation(navigation), m_avis(std::move(avis)),
      m_memoire(memoire, Connexion->description()) {
    connect(&m_minuterie, &QTimer::timeout, this, &Rappeleur::verifier);
    m_minuterie.start(30 * 1000);
    // After the window is on screen, not before.
    QTimer::singleShot(0, this, &Rappeleur::verifier);
}

Rappeleur::~Rappeleur() = default;

void Rappeleur::setAvis(std::unique_ptr<AvisRappel> avis) {
    m_avis = std::move(avis);
}

void Rappeleur::verifier() {
    // A question on screen may hold a transaction open; the reminders wait for its answer.
    if (!Connexion || !Connexion->isOpen() || QApplication::activeModalWidget())
        return;
    try {
        verifierResume();
        verifierRappels();
    } catch (const ErreurBd& e) {
        // The next look tries again; what the person does says the fault when it lasts.
        std::fprintf(stderr, "Brevanta : rappels non lus : %s\n", qPrintable(e.message()));
    }
}

void Rappeleur::verifierResume() {
    const QDate jour = Horloge::aujourdhui();
    const VersionDonnees version = Connexion->version();
    if (jour == m_jourResume && m_versionResume == version)
        return;
    const ResumeJour resume = ResumeJour::lire(*Connexion, jour);
    m_jourResume = jour;
    m_versionResume = version;
    emit resumeChange(resume);
}

void Rappeleur::verifierRappels() {
    const int avance = Rappels::avance();
    if (avance == 0)
        return;
    const QDateTime maintenant = Horloge::maintenant();
    const QDate jour = maintenant.date();
    for (const Rappel& r : Rappels::dus(*Connexion, maintenant, avance)) {
        if (m_memoire.donne(r.cle(), jour))
            continue;
        m_memoire.noter(r.cle(), jour);
        montrer(r);
    }
    std::vector<Report> attente;
    for (Report& report : m_reports) {
        if (report.quand > maintenant) {
            attente.push_back(std::move(report));
            continue;
        }
        // Done or moved meanwhile: its notice is no longer true.
        if (const std::optional<Rappel> r = Rappels::relire(*Connexion, report.rappel))
            montrer(*r);
    }
    m_reports = std::move(attente);
}

void Rappeleur::montrer(const Rappel& rappel) {
    if (m_avis)
        m_avis->montrer(rappel, {[this, rappel] { voir(rappel); }, [this, rappel] { reporter(rappel); }});
}

void Rappeleur::voir(const Rappel& rappel) {
    QWidget* fenetre = m_navigation.fenetre();
    if (fenetre->isMinimized())
        fenetre->showNormal();
    fenetre->raise();
    fenetre->activateWindow();
    // A record being typed stays on screen.
    m_navigation.allerAuSuivi(rappel.type, rappel.id);
}

void Rappeleur::reporter(const Rappel& rappel) {
    m_reports.push_back({rappel, Horloge::maintenant().addSecs(60 * Rappels::Report)});
}
