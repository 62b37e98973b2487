#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

class CopieBase;

// Once a day, a copy of the database into the folder "sauvegardes" beside it, taken a few pages
// at a time from the event loop so that the window never waits; then the older copies are thinned
// out, silently. A failure is shown and the program goes on.
class SauvegardeQuotidienne : public QObject {
    Q_OBJECT
public:
    // Starts once the window is up, after its checks have run on a thread of their own.
    static void programmer(const QString& fichier, QObject* parent);
    // Starts at once; nothing (nullptr) when today already has a copy. The object deletes itself
    // when the copy is done or has failed.
    static SauvegardeQuotidienne* lancer(const QString& fichier, QObject* parent);
    ~SauvegardeQuotidienne() override;

private:
    SauvegardeQuotidienne(const QString& fichier, QObject* parent);
    // After the checks: nothing when today's copy is made, else a copy started (or refused when the
    // base is not sound).
    static SauvegardeQuotidienne* selon(const QString& fichier, QObject* parent, bool faite, bool saine);
    // `saine`: the base passed its check.
    void demarrer(bool saine);
    void etape();
    void terminer();
    void echouer(const QString& raison);

    QString m_fichier;
    QString m_dossier;
    std::unique_ptr<CopieBase> m_copie;
    QTimer m_minuterie;
    int m_attentes = 0;
};
