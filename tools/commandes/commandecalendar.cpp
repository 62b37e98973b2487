#include "bases/sqlnatif.h"
#include "commandes/commande.h"
#include "core/bd/connection.h"
#include "core/bd/formatsql.h"
#include "core/bd/horloge.h"
#include "core/textes/regional.h"
#include "erreuroutil.h"
#include "formats/agenda.h"
#include "formats/fichierecrit.h"
#include "progression.h"

namespace {

// The records of Actions or RDV, done or not, from that stored date on (all when it is empty), the
// contact's first name beside them. The summary is the comment's first line, the description names
// the client and the contact above the whole comment.
QVector<ElementAgenda> lire(Connection& base, const QString& table, const QString& depuis) {
    const bool tache = table == QLatin1String("Actions");
    const QString filtre = depuis.isEmpty() ? QString() : QStringLiteral(" WHERE DatePrevue >= ?");
    const QVariantList valeurs = depuis.isEmpty() ? QVariantList{} : QVariantList{depuis};
    Progression progression(
        QStringLiteral("Lecture de %1").arg(table),
        Natif::valeur(base, QStringLiteral("SELECT count(*) FROM %1%2").arg(table, filtre), valeurs)
            .toLongLong());
    Curseur q = Natif::lire(
        base,
        QStringLiteral("SELECT Id, Client, Interlocuteur, Commentaire, DatePrevue, Fait, (SELECT Prenom FROM "
                       "Interlocuteur i WHERE i.Client = t.Client AND i.Nom = t.Interlocuteur LIMIT 1) "
                       "FROM %1 t%2 ORDER BY DatePrevue, Id")
            .arg(table, filtre),
        valeurs);
    QVector<ElementAgenda> elements;
    while (q.suivant()) {
        progression.avancer(elements.size());
        const QDateTime date = Regional::lireDateStockee(q.valeur(4).toString());
        if (!date.isValid())
            continue;
        const QString client = DecodeSql(q.valeur(1).toString());
        const QString contact = QStringList{q.valeur(6).toString(), DecodeSql(q.valeur(2).toString())}
                                    .join(QLatin1Char(' '))
                                    .trimmed();
        const QString commentaire = DecodeSql(q.valeur(3).toString()).trimmed();
        QString quiEtQuoi = client + (contact.isEmpty() ? QString() : QStringLiteral(" – ") + contact);
        const QString resume =
            commentaire.isEmpty() ? quiEtQuoi : commentaire.section(QLatin1Char('\n'), 0, 0).trimmed();
        if (!commentaire.isEmpty())
            quiEtQuoi += QStringLiteral("\n\n") + commentaire;
        elements.append(
            {tache,
             QStringLiteral("%1-%2@brevanta")
                 .arg(tache ? QStringLiteral("action") : QStringLiteral("rdv"), q.valeur(0).toString()),
             date, resume, quiEtQuoi, q.valeur(5).toInt() != 0});
    }
    return elements;
}

class Calendar : public Commande {
    using Commande::Commande;
    QString executer(const QStringList& a) override {
        QString depuis;
        if (donnee(QStringLiteral("depuis"))) {
            const QDateTime jour = Regional::lireDate(valeur(QStringLiteral("depuis")));
            if (!jour.isValid() || jour.time() != QTime(0, 0))
                throw ErreurOutil(QStringLiteral("Date incorrecte : %1 (attendu JJ/MM/AAAA).")
                                      .arg(valeur(QStringLiteral("depuis"))));
            depuis = jour.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        }
        const QVector<ElementAgenda> rdv = lire(base(), QStringLiteral("RDV"), depuis);
        const QVector<ElementAgenda> actions = lire(base(), QStringLiteral("Actions"), depuis);
        int duree = 60;
        if (donnee(QStringLiteral("duree"))) {
            bool nombre = false;
            duree = valeur(QStringLiteral("duree")).toInt(&nombre);
            if (!nombre || duree < 1 || duree > 24 * 60)
                throw ErreurOutil(
                    QStringLiteral("Durée incorrecte : %1 (attendu un nombre de minutes, de 1 à 1440).")
                        .arg(valeur(QStringLiteral("duree"))));
        }
        ecrireFichier(a[1], ecrireAgenda(rdv + actions, Horloge::maintenant(), duree), a[0]);
        return QStringLiteral("Agenda écrit : %1 (%2 rendez-vous, %3 actions)")
            .arg(a[1])
            .arg(rdv.size())
            .arg(actions.size());
    }
};

} // namespace

std::unique_ptr<Commande> commandeCalendar() {
    return std::make_unique<Calendar>(
        "calendar", QStringList{"BASE", "AGENDA.ics"},
        "écrit les actions et rendez-vous dans un agenda iCalendar",
        "Les rendez-vous deviennent des événements (une heure, ou la journée entière sans heure), les "
        "actions des tâches à leur date ; la première ligne du commentaire en titre (client et "
        "interlocuteur s'il est vide), client, interlocuteur et commentaire entier en description, "
        "heures locales sans fuseau, comme en base. Un rendez-vous fait reste, annulé (CANCELLED), une "
        "action faite reste, terminée (COMPLETED), pour qu'un agenda qui les a déjà les mette à jour.\n"
        "Chaque élément garde le même identifiant d'un export à l'autre : importer un agenda plus récent met "
        "à jour au lieu de doubler. Le fichier est remplacé s'il existe.",
        QList<QCommandLineOption>{
            {"depuis", "seulement à partir de ce jour", "JJ/MM/AAAA"},
            {"duree", "durée d'un rendez-vous à heure fixe (60 par défaut)", "MINUTES"}});
}
