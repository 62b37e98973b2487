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

// The open records of Actions or RDV from that stored date on (all when it is empty), the contact's
// first name beside them.
QVector<ElementAgenda> lire(Connection& base, const QString& table, const QString& depuis) {
    const bool tache = table == QLatin1String("Actions");
    const QString condition =
        QStringLiteral("Fait = 0") + (depuis.isEmpty() ? QString() : QStringLiteral(" AND DatePrevue >= ?"));
    const QVariantList valeurs = depuis.isEmpty() ? QVariantList{} : QVariantList{depuis};
    Progression progression(
        QStringLiteral("Lecture de %1").arg(table),
        Natif::valeur(base, QStringLiteral("SELECT count(*) FROM %1 WHERE %2").arg(table, condition), valeurs)
            .toLongLong());
    Curseur q = Natif::lire(
        base,
        QStringLiteral("SELECT Id, Client, Interlocuteur, Commentaire, DatePrevue, (SELECT Prenom FROM "
                       "Interlocuteur i WHERE i.Client = t.Client AND i.Nom = t.Interlocuteur LIMIT 1) "
                       "FROM %1 t WHERE %2 ORDER BY DatePrevue, Id")
            .arg(table, condition),
        valeurs);
    QVector<ElementAgenda> elements;
    while (q.suivant()) {
        progression.avancer(elements.size());
        const QDateTime date = Regional::lireDateStockee(q.valeur(4).toString());
        if (!date.isValid())
            continue;
        const QString contact = QStringList{q.valeur(5).toString(), DecodeSql(q.valeur(2).toString())}
                                    .join(QLatin1Char(' '))
                                    .trimmed();
        QString resume = DecodeSql(q.valeur(1).toString());
        if (!contact.isEmpty())
            resume += QStringLiteral(" – ") + contact;
        elements.append(
            {tache,
             QStringLiteral("%1-%2@brevanta")
                 .arg(tache ? QStringLiteral("action") : QStringLiteral("rdv"), q.valeur(0).toString()),
             date, resume, DecodeSql(q.valeur(3).toString())});
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
        ecrireFichier(a[1], ecrireAgenda(rdv + actions, Horloge::maintenant()));
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
        "écrit les actions et rendez-vous à faire dans un agenda iCalendar",
        "Les rendez-vous deviennent des événements (une heure, ou la journée entière sans heure), les "
        "actions des tâches à leur date ; client et interlocuteur en titre, commentaire en description, "
        "heures locales sans fuseau, comme en base.\n"
        "Chaque élément garde le même identifiant d'un export à l'autre : importer un agenda plus récent met "
        "à jour au lieu de doubler. Le fichier est remplacé s'il existe.",
        QList<QCommandLineOption>{{"depuis", "seulement à partir de ce jour", "JJ/MM/AAAA"}});
}
