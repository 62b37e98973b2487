#include "generation/demo.h"

#include "bases/sqlnatif.h"
#include "core/bd/dialectesql.h"
#include "core/textes/regional.h"
#include "generation/democlients.h"

#include <QDateTime>
#include <iterator>

namespace {

const char* const textesActions[] = {"Relancer pour le devis du mois dernier",
                                     "Envoyer la plaquette $BOffre Pro$B",
                                     "Rappeler pour confirmer la commande",
                                     "Préparer la proposition tarifaire",
                                     "Envoyer le contrat de maintenance",
                                     "Relancer la facture impayée",
                                     "Proposer une démonstration du logiciel",
                                     "Faire le point sur la dernière livraison",
                                     "Transmettre les conditions générales de vente",
                                     "Mettre à jour les coordonnées de facturation",
                                     "Envoyer les échantillons demandés",
                                     "Appeler pour le renouvellement du contrat"};

const char* const textesRdv[] = {
    "Présentation de la nouvelle gamme", "Rendez-vous de suivi trimestriel", "Négociation du contrat annuel",
    "Visite du site de production",      "Démonstration sur site",           "Déjeuner de travail",
    "Bilan de fin de chantier",          "Signature du bon de commande"};

constexpr int Fait = -1;
constexpr int AFaire = 0;

// One planned row: week relative to the current one, weekday from Monday (0) to Friday (4).
struct Prevision {
    int semaine;
    int jour;
    QTime heure;
    int fait;
};

class Planificateur {
public:
    Planificateur(Connection& base, const QDate& aujourdhui)
        : m_base(base), m_aujourdhui(aujourdhui), m_lundi(aujourdhui.addDays(1 - aujourdhui.dayOfWeek())) {}

    void ecrire(const QString& table, const ContactDemo& contact, const QString& texte, const Prevision& p) {
        const QDateTime prevue = Regional::dateHeure(m_lundi.addDays(7 * p.semaine + p.jour), p.heure);
        // Entered a few days ahead, and never after today.
        QDate saisie = prevue.date().addDays(-2 - m_compteur % 4);
        if (saisie > m_aujourdhui)
            saisie = m_aujourdhui.addDays(-(m_compteur % 3));
        ++m_compteur;
        Natif::executer(
            m_base,
            QStringLiteral("INSERT INTO %1 (Client, Interlocuteur, Commentaire, DatePrevue, Fait, "
                           "DateSaisie) VALUES (?, ?, ?, ?, ?, ?)")
                .arg(table),
            {contact.client, contact.nom, texte, texteDateStockee(prevue), p.fait,
             texteDateStockee(Regional::dateHeure(saisie))});
    }

private:
    Connection& m_base;
    const QDate m_aujourdhui;
    const QDate m_lundi;
    int m_compteur = 0;
};

// Each client gets a past action, one this week and one later; a past appointment, and for some
// clients one this week and one in the next weeks. Done and to-do rows are mixed in the past and
// in the current week.
void planifierClient(Planificateur& planning, const QVector<ContactDemo>& contacts, int i) {
    const int n = contacts.size();
    const QTime minuit(0, 0);
    auto action = [&](int numero) {
        return QString::fromUtf8(textesActions[(3 * i + numero) % std::size(textesActions)]);
    };
    auto rdv = [&](int numero) {
        return QString::fromUtf8(textesRdv[(2 * i + numero) % std::size(textesRdv)]);
    };
    const QString actions = QStringLiteral("Actions");
    const QString rdvs = QStringLiteral("RDV");

    planning.ecrire(actions, contacts[0], action(0), {-1 - i % 3, i % 5, minuit, i % 2 == 0 ? Fait : AFaire});
    planning.ecrire(actions, contacts[1 % n], action(1), {0, i % 5, minuit, i % 4 == 3 ? Fait : AFaire});
    planning.ecrire(actions, contacts[2 % n], action(2), {1 + i % 3, (i + 2) % 5, minuit, AFaire});

    const QTime heure(9 + 2 * (i % 4), 30 * (i % 2));
    planning.ecrire(rdvs, contacts[0], rdv(0), {-1 - i % 2, (i + 1) % 5, heure, i % 3 == 2 ? AFaire : Fait});
    if (i % 2 == 0)
        planning.ecrire(rdvs, contacts[1 % n], rdv(1),
                        {0, (i / 2) % 5, QTime(10 + 3 * (i % 3), 0), i == 6 ? Fait : AFaire});
    if (i % 3 == 0)
        planning.ecrire(rdvs, contacts[0], rdv(2), {1 + i % 2, (i + 3) % 5, QTime(14, 0), AFaire});
}

} // namespace

void remplirDemo(Connection& base, const QDate& aujourdhui) {
    const QVector<QVector<ContactDemo>> contacts = remplirClientsDemo(base);
    Planificateur planning(base, aujourdhui);
    for (int i = 0; i < contacts.size(); ++i)
        planifierClient(planning, contacts[i], i);
}
