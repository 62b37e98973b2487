#include "generation/basevolumineuse.h"

#include "bases/creation.h"
#include "bases/insertiongroupee.h"
#include "core/bd/dialectesql.h"
#include "core/bd/schema.h"
#include "core/textes/regional.h"
#include "generation/democlients.h"
#include "generation/nomsfrancais.h"

#include <QSet>
#include <QVector>
#include <algorithm>
#include <cmath>

namespace {

// A small seeded generator (splitmix64): the same seed gives the same rows on every machine.
class Hasard {
public:
    explicit Hasard(quint64 graine) : m_etat(graine) {}
    quint64 suivant() {
        quint64 z = (m_etat += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    // 0 to n - 1.
    int entre(int n) { return n <= 0 ? 0 : int(suivant() % quint64(n)); }
    // True once in n.
    bool uneFoisSur(int n) { return entre(n) == 0; }
    double reel() { return double(suivant() >> 11) / double(1ULL << 53); }

private:
    quint64 m_etat;
};

// Empty, not NULL.
const QString Vide = QStringLiteral("");

QString mot(const char* texte) {
    return QString::fromUtf8(texte);
}

QString chiffres(Hasard& h, int n) {
    QString t;
    for (int i = 0; i < n; ++i)
        t += QChar(u'0' + h.entre(10));
    return t;
}

// "04 78 42 15 30"
QString telephone(Hasard& h, const char* indicatif) {
    const QString n = QString::fromLatin1(indicatif) + chiffres(h, 8);
    return n.mid(0, 2) + ' ' + n.mid(2, 2) + ' ' + n.mid(4, 2) + ' ' + n.mid(6, 2) + ' ' + n.mid(8, 2);
}

// "Le Gall" -> "legall", "Hélène" -> "helene"
QString ascii(const QString& texte) {
    QString t;
    for (QChar c : texte.normalized(QString::NormalizationForm_D).toLower())
        if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-')
            t += c;
    return t;
}

struct ClientGenere {
    QString nom;
    // Its contacts' stored names, the main contact first.
    QStringList contacts;
};

class Generateur {
public:
    Generateur(Connection& base, const QDate& aujourdhui) : m_base(base), m_aujourdhui(aujourdhui) {}

    void clients(int nombre);
    void contacts(int nombre);
    void suivis(const QString& table, int nombre, const ListeMots& textes);

private:
    QString choisir(const ListeMots& liste);
    QString nomClient(const Ville& ville, int i);

    Connection& m_base;
    const QDate m_aujourdhui;
    Hasard m_hasard{20030217};
    QVector<ClientGenere> m_clients;
    QVector<Ville> m_villes;
    QSet<QString> m_nomsPris;
};

QString Generateur::choisir(const ListeMots& liste) {
    return QString::fromUtf8(liste[m_hasard.entre(liste.taille)]);
}

// Unique, as the client list requires; one in 25 trades under a sign written between quotes.
QString Generateur::nomClient(const Ville& ville, int i) {
    const QString metier = choisir(NomsFrancais::metiers);
    QString nom =
        m_hasard.uneFoisSur(25)
            ? metier + QStringLiteral(" $B") + choisir(NomsFrancais::enseignes) + QStringLiteral("$B")
            : metier + ' ' + choisir(NomsFrancais::noms) + choisir(NomsFrancais::formes);
    if (m_nomsPris.contains(nom))
        nom += QStringLiteral(" - ") + mot(ville.nom);
    if (m_nomsPris.contains(nom))
        nom += QStringLiteral(" (%1)").arg(i);
    m_nomsPris.insert(nom);
    return nom;
}

void Generateur::clients(int nombre) {
    InsertionGroupee insertion(m_base, QStringLiteral("Client"), Schema::colonnes(QStringLiteral("Client")));
    Hasard& h = m_hasard;
    for (int i = 0; i < nombre; ++i) {
        const Ville& ville = NomsFrancais::ville(h.entre(NomsFrancais::nombreVilles()));
        const QString nom = nomClient(ville, i);
        const QString adresse = QString::number(1 + h.entre(120)) + ' ' + choisir(NomsFrancais::voies);
        const QString site = QStringLiteral("www.%1.fr").arg(ascii(nom.section(' ', 0, 1)));
        // Every text is written, empty or not, as the windows write them.
        insertion.ajouter({nom, adresse, h.uneFoisSur(5) ? QStringLiteral("ZA des Landes") : Vide,
                           mot(ville.cp), telephone(h, ville.indicatif),
                           h.uneFoisSur(3) ? Vide : telephone(h, ville.indicatif), site, mot(ville.nom),
                           choisir(NomsFrancais::remarques)});
        m_clients.append({nom, {}});
        m_villes.append(ville);
    }
    insertion.terminer();
}

void Generateur::contacts(int nombre) {
    const int n = int(m_clients.size());
    if (n == 0)
        return;
    Hasard& h = m_hasard;
    // Each client one contact first, then the others spread at random.
    QVector<int> parClient(n, 0);
    for (int k = 0; k < nombre; ++k)
        ++parClient[k < n ? k : h.entre(n)];
    const QVector<RoleDemo> roles = rolesDemo();
    InsertionGroupee insertion(m_base, QStringLiteral("Interlocuteur"),
                               Schema::colonnes(QStringLiteral("Interlocuteur")));
    const ListeMots noms = NomsFrancais::noms;
    for (int i = 0; i < n; ++i) {
        ClientGenere& client = m_clients[i];
        const QString domaine = ascii(client.nom.section(' ', 0, 1));
        for (int j = 0; j < parClient[i]; ++j) {
            // A name not yet taken in this company.
            const int premier = h.entre(noms.taille);
            QString nom;
            for (int essai = 0; nom.isEmpty() || client.contacts.contains(nom); ++essai)
                nom = mot(noms[premier + essai]) +
                      (essai >= noms.taille ? QStringLiteral(" %1").arg(essai / noms.taille + 1) : QString());
            const QString prenom = choisir(NomsFrancais::prenoms);
            const RoleDemo& r = j == 0 ? roles[h.entre(2)] : roles[2 + h.entre(int(roles.size()) - 2)];
            insertion.ajouter(
                {nom, client.nom, prenom, mot(r.fonction), mot(r.service), mot(r.decision),
                 telephone(h, m_villes[i].indicatif), Vide, telephone(h, h.uneFoisSur(3) ? "07" : "06"),
                 ascii(prenom) + '.' + ascii(nom) + '@' + domaine + QStringLiteral(".fr"),
                 choisir(NomsFrancais::remarques), j == 0 ? 1 : 0, r.technique, r.financier, h.entre(5) - 1});
            client.contacts.append(nom);
        }
    }
    insertion.terminer();
}

// One planned row, drawn before the rows are written in the order they were entered.
struct Suivi {
    int client;
    int contact;
    int jourPrevu; // days from today
    int minutes;   // time of day, 0 for none
    int saisie;    // days from today
    int texte;
    int detail;
    bool fait;
};

void Generateur::suivis(const QString& table, int nombre, const ListeMots& textes) {
    const int n = int(m_clients.size());
    if (n == 0 || nombre <= 0)
        return;
    Hasard& h = m_hasard;
    // Five years back, two years ahead.
    const int passe = 1826, avenir = 730;
    QVector<Suivi> suivis;
    suivis.reserve(nombre);
    for (int k = 0; k < nombre; ++k) {
        Suivi s;
        // A few large accounts carry much of the work.
        s.client = std::min(n - 1, int(n * std::pow(h.reel(), 1.3)));
        const int contacts = int(m_clients[s.client].contacts.size());
        s.contact = contacts == 0 ? -1 : h.uneFoisSur(2) ? 0 : h.entre(contacts);
        s.jourPrevu = h.entre(passe + avenir + 1) - passe;
        s.minutes = h.uneFoisSur(3) ? 8 * 60 + 15 * h.entre(44) : 0;
        // Work ahead is to do, some of the past is overdue: a third to do in all.
        s.fait = s.jourPrevu > 0 ? h.uneFoisSur(20) : !h.uneFoisSur(12);
        // Entered up to six weeks ahead, never after today.
        s.saisie = std::min(s.jourPrevu, 0) - h.entre(43);
        s.texte = h.entre(textes.taille);
        s.detail = h.entre(100000);
        suivis.append(s);
    }
    // Ids follow the order of entry, as a team's database grows.
    std::stable_sort(suivis.begin(), suivis.end(),
                     [](const Suivi& a, const Suivi& b) { return a.saisie < b.saisie; });
    InsertionGroupee insertion(m_base, table, Schema::colonnes(table).mid(1));
    const ListeMots produits = NomsFrancais::produits;
    for (const Suivi& s : suivis) {
        const ClientGenere& client = m_clients[s.client];
        const QString modele = mot(textes[s.texte]);
        const QString detail = modele.contains(QStringLiteral("n° %1")) ? QString::number(1000 + s.detail)
                                                                        : mot(produits[s.detail]);
        const QDateTime prevue =
            Regional::dateHeure(m_aujourdhui.addDays(s.jourPrevu), QTime(0, 0).addSecs(60 * s.minutes));
        insertion.ajouter({client.nom, s.contact < 0 ? Vide : client.contacts[s.contact], modele.arg(detail),
                           texteDateStockee(prevue), s.fait ? -1 : 0,
                           texteDateStockee(Regional::dateHeure(m_aujourdhui.addDays(s.saisie)))});
    }
    insertion.terminer();
}

} // namespace

void remplirVolumineuse(Connection& base, const Volumes& volumes, const QDate& aujourdhui) {
    // The search index would take twice as long as the rest.
    preparerRemplissageEnMasse(base);
    remplirReferencesDemo(base);
    Generateur g(base, aujourdhui);
    g.clients(volumes.clients);
    g.contacts(volumes.contacts);
    g.suivis(QStringLiteral("Actions"), volumes.actions, NomsFrancais::textesActions);
    g.suivis(QStringLiteral("RDV"), volumes.rdv, NomsFrancais::textesRdv);
}
