#pragma once

#include <QElapsedTimer>
#include <QString>

// A progress bar on standard error, drawn only on a terminal and only once the work has lasted
// a second; erased when the work ends.
class Progression {
public:
    Progression(const QString& libelle, qint64 total);
    ~Progression();
    Progression(const Progression&) = delete;
    Progression& operator=(const Progression&) = delete;

    void avancer(qint64 fait);
    void changerTotal(qint64 total) { m_total = total; }

private:
    QString m_libelle;
    qint64 m_total;
    QElapsedTimer m_chrono;
    qint64 m_dernierDessin = -1;
    bool m_terminal;
    bool m_dessinee = false;
};
