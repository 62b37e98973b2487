#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

class Connection;

// A timed to-do action or appointment whose notice is due.
struct Rappel {
    // 0 an action, 1 an appointment, as the main window's lists.
    int type = 0;
    int id = 0;
    QDateTime prevue;
    QString client;
    QString interlocuteur;
    QString commentaire;

    // The item and its time: moved to another time, it is a new notice.
    QString cle() const;
    // « Rendez-vous à 10:30 »
    QString titre() const;
    // The client, the contact and the first line of the comment, as a person reads them.
    QString texte() const;
};

namespace Rappels {
// Minutes of notice before an appointment: Brevanta.ini of the working folder, [Rappels] Avance,
// 15 when absent or unreadable; 0 turns the notices off.
int avance();
// Minutes a postponed notice waits.
constexpr int Report = 10;
// Minutes after its time that an item not yet noticed still is (the program started late).
constexpr int Retard = 30;

// The timed to-do items whose notice time has come: appointments `avance` minutes before their
// time, actions at their time; through the index of the to-do dates.
std::vector<Rappel> dus(Connection& connexion, const QDateTime& maintenant, int avance);
// The item as stored now, when it is still to do at the same time.
std::optional<Rappel> relire(Connection& connexion, const Rappel& rappel);
} // namespace Rappels

// The notices given today on one database, kept for the user across a restart.
class MemoireRappels {
public:
    MemoireRappels(QString fichier, const QString& base);
    bool donne(const QString& cle, const QDate& jour) const;
    void noter(const QString& cle, const QDate& jour);

private:
    QString m_fichier;
    QString m_groupe;
};
