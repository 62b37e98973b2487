#include "app/sauvegardequotidienne.h"

#include "core/bd/erreurbd.h"
#include "core/bd/horloge.h"
#include "core/sauvegarde/basesaine.h"
#include "core/sauvegarde/copiebase.h"
#include "core/sauvegarde/sauvegardes.h"
#include "widgets/message.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <memory>

namespace {
// A step copies this many pages (a few hundred kilobytes): too short for the window to notice.
constexpr int PagesParEtape = 64;
// While another program holds the file: a new try every 200 ms, for half a minute.
constexpr int AttenteOccupee = 200;
constexpr int AttentesMax = 150;

// A file that only has the name of one does not count. Checked whole when it was made, a copy is not
// read through again at every start: a big base's copy would be read from the disk each time.
bool copieDuJour(const QString& dossier, const QDate& aujourdhui) {
    for (const QString& nom : QDir(dossier).entryList(QDir::Files))
        if (Sauvegardes::jourCopie(nom) == aujourdhui && copieEntiere(QDir(dossier).filePath(nom)))
            return true;
    return false;
}

// What the checks found: today's copy already made, else whether the base may be copied.
struct Verdict {
    bool faite = false;
    bool saine = false;
};

Verdict examiner(const QString& fichier, const QDate& aujourdhui) {
    Verdict v;
    v.faite = copieDuJour(Sauvegardes::dossier(fichier), aujourdhui);
    v.saine = v.faite || baseSaine(fichier);
    return v;
}
} // namespace

SauvegardeQuotidienne* SauvegardeQuotidienne::selon(const QString& fichier, QObject* parent, bool faite,
                                                    bool saine) {
    if (faite)
        return nullptr;
    auto* sauvegarde = new SauvegardeQuotidienne(fichier, parent);
    sauvegarde->demarrer(saine);
    return sauvegarde;
}

void SauvegardeQuotidienne::programmer(const QString& fichier, QObject* parent) {
    const QString chemin = QFileInfo(fichier).absoluteFilePath();
    const QDate aujourdhui = Horloge::aujourdhui();
    // The checks read whole files (a second for a big base): off the window's thread. Should the
    // window close first, the answer finds nobody and the copy is not started.
    auto verdict = std::make_shared<Verdict>();
    QThread* fil =
        QThread::create([chemin, aujourdhui, verdict] { *verdict = examiner(chemin, aujourdhui); });
    QObject::connect(fil, &QThread::finished, parent,
                     [chemin, parent, verdict] { selon(chemin, parent, verdict->faite, verdict->saine); });
    QObject::connect(fil, &QThread::finished, fil, &QObject::deleteLater);
    fil->start(QThread::LowPriority);
}

SauvegardeQuotidienne* SauvegardeQuotidienne::lancer(const QString& fichier, QObject* parent) {
    const Verdict v = examiner(fichier, Horloge::aujourdhui());
    return selon(fichier, parent, v.faite, v.saine);
}

SauvegardeQuotidienne::SauvegardeQuotidienne(const QString& fichier, QObject* parent)
    : QObject(parent), m_fichier(fichier), m_dossier(Sauvegardes::dossier(fichier)) {
    connect(&m_minuterie, &QTimer::timeout, this, &SauvegardeQuotidienne::etape);
}

SauvegardeQuotidienne::~SauvegardeQuotidienne() = default;

void SauvegardeQuotidienne::demarrer(bool saine) {
    // A copy of a damaged base would push the good ones out of the rotation.
    if (!saine) {
        m_minuterie.stop();
        deleteLater();
        Message::ok(
            QStringLiteral("La base semble endommagée : aucune copie du jour n'a été faite, les copies "
                           "précédentes sont conservées."));
        return;
    }
    if (!QDir().mkpath(m_dossier))
        return echouer(QStringLiteral("impossible de créer le dossier %1.").arg(m_dossier));
    try {
        const QString copie = QDir(m_dossier).filePath(Sauvegardes::nomCopie(Horloge::maintenant()));
        m_copie = std::make_unique<CopieBase>(m_fichier, copie, CopieBase::Destination::Nouvelle);
    } catch (const ErreurBd& e) {
        return echouer(e.texte());
    }
    m_minuterie.start(0);
}

void SauvegardeQuotidienne::etape() {
    try {
        switch (m_copie->avancer(PagesParEtape)) {
        case CopieBase::Etat::Terminee:
            return terminer();
        case CopieBase::Etat::Occupee:
            if (++m_attentes > AttentesMax)
                return echouer(QStringLiteral("la base est restée occupée par un autre programme."));
            m_minuterie.start(AttenteOccupee);
            return;
        case CopieBase::Etat::EnCours:
            m_minuterie.start(0);
            return;
        }
    } catch (const ErreurBd& e) {
        echouer(e.texte());
    }
}

void SauvegardeQuotidienne::terminer() {
    m_minuterie.stop();
    try {
        m_copie->valider();
    } catch (const ErreurBd& e) {
        return echouer(e.texte());
    }
    const QDir dossier(m_dossier);
    for (const QString& nom : Sauvegardes::aSupprimer(dossier.entryList(QDir::Files)))
        QFile::remove(dossier.filePath(nom));
    CopieBase::enleverAbandonnees(m_dossier, QStringLiteral("Brevanta-*.mdb.partiel"));
    deleteLater();
}

void SauvegardeQuotidienne::echouer(const QString& raison) {
    m_minuterie.stop();
    m_copie.reset();
    deleteLater();
    Message::ok(QStringLiteral("La sauvegarde quotidienne de %1 n'a pas pu être faite : %2")
                    .arg(QFileInfo(m_fichier).fileName(), raison));
}
