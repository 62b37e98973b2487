#include "core/donnees/actions.h"

#include "core/bd/erreurbd.h"
#include "core/bd/formatsql.h"
#include "core/bd/horloge.h"
#include "core/bd/recordset.h"
#include "core/bd/routines.h"
#include "core/donnees/avertissement.h"
#include "core/donnees/position.h"
#include "core/textes/regional.h"

#include <QScopeGuard>
#include <algorithm>
#include <numeric>

namespace {

// Newest first; equal dates by Id, newest first, as Remplacer places them: said, not left to the
// engine's plan.
const QString OrdreDesListes = QStringLiteral("DatePrevue desc, Id desc");

} // namespace

Actions::Actions() = default;
Actions::~Actions() = default;
Actions::Actions(Actions&&) noexcept = default;
Actions& Actions::operator=(Actions&&) noexcept = default;

void Actions::SetTypeDonnees(int TypeDonnees) {
    m_typeDonnees = TypeDonnees;
    m_table = TableDuType(TypeDonnees, m_table);
}

QString Actions::filtre(const Action& criteres, int periode, qint16 fait, qint16 aFaire, int portee) const {
    QString filtre;
    if (aFaire == 1 && fait == 0)
        filtre += QStringLiteral(" Fait=0 and");
    else if (aFaire == 0 && fait == 1)
        filtre += QStringLiteral(" Fait =-1 and");

    if (portee == 0 || portee == 1)
        filtre += QStringLiteral(" Client=") + TexteSql(criteres.Client) + QStringLiteral(" and");
    if (portee == 0)
        filtre +=
            QStringLiteral(" Interlocuteur=") + TexteSql(criteres.Interlocuteur) + QStringLiteral(" and");

    if (periode == 0) {
        filtre += QStringLiteral(" DatePrevue<=now() and");
    } else if (periode == 1 || periode == 2) {
        // From the first day's midnight up to, not including, the next period's: the week of the
        // planning, Sunday included; the month of this year only.
        const QDate aujourdhui = Horloge::aujourdhui();
        const QDate debut = periode == 1 ? aujourdhui.addDays(1 - aujourdhui.dayOfWeek())
                                         : QDate(aujourdhui.year(), aujourdhui.month(), 1);
        const QDate fin = periode == 1 ? debut.addDays(7) : debut.addMonths(1);
        filtre += QStringLiteral(" DatePrevue>=") + DateSql(debut) + QStringLiteral(" and DatePrevue<") +
                  DateSql(fin) + QStringLiteral(" and");
    }
    return filtre;
}

QString Actions::requete(const QString& filtre, const QString& ordre, int limite) const {
    QString where;
    if (!filtre.isEmpty())
        where = QStringLiteral(" where ") + filtre.left(filtre.size() - 3);
    QString s = QStringLiteral("select * from ") + m_table + where + QStringLiteral(" order by ") + ordre;
    if (limite >= 0)
        s += QStringLiteral(" limit ") + QString::number(limite);
    return s;
}

QString Actions::ordre() const {
    QStringList termes;
    for (const Terme& t : m_termes)
        termes << (t.descendant ? t.colonne + QStringLiteral(" desc") : t.colonne);
    return termes.join(QStringLiteral(", "));
}

void Actions::CreationCollection(Connection& connexion, const Action& Criteres, int Periode, qint16 Fait,
                                 qint16 AFaire, int Interlocuteur, int premieres) {
    m_filtre = filtre(Criteres, Periode, Fait, AFaire, Interlocuteur);
    commencer();
    LireSuite(connexion, premieres);
}

QString Actions::Instruction(const Action& Criteres, int Periode, qint16 Fait, qint16 AFaire,
                             int Interlocuteur) const {
    return requete(filtre(Criteres, Periode, Fait, AFaire, Interlocuteur), OrdreDesListes);
}

void Actions::commencer() {
    m_reprise = Reprise{};
    m_reprise.complet = false;
    m_reprise.debut = true;
}

int Actions::LireSuite(Connection& connexion, int n) {
    // A call stopped halfway, in any of its statements, leaves the rows and where the reading stands
    // as they were: the next one starts after the last row kept.
    const std::size_t lignesAvant = m_lignes.size(), ordreAvant = m_ordre.size();
    const TextesUtf8::Repere textesAvant = m_textes.repere();
    auto oublierLaLecture = qScopeGuard([&, repriseAvant = m_reprise] {
        m_lignes.resize(lignesAvant);
        m_ordre.resize(ordreAvant);
        if (m_records.size() > lignesAvant)
            m_records.resize(lignesAvant);
        m_textes.revenirA(textesAvant);
        m_reprise = repriseAvant;
    });
    int lues = 0;
    while (!m_reprise.complet && (n < 0 || lues < n)) {
        const int voulues = n < 0 ? -1 : n - lues;
        const bool debut = m_reprise.debut;
        // The continuation's bound comes first: given two bounds on the date, SQLite seeks the index
        // at the first, and the filter's own (a period's end, "now") would have each read walk again
        // over every row read before.
        const int k = lire(connexion, requete(suite() + m_filtre, ordre(), voulues));
        m_reprise.debut = false;
        lues += k;
        if (voulues >= 0 && k == voulues) {
            m_reprise.niveau = -1;
            break;
        }
        // The rows tied with the last one on its first columns are over: on to those after it on
        // fewer columns, and after a new last row to those tied with it on every column.
        const int niveau = m_reprise.derniere && !debut ? niveauLu() : 0;
        if (niveau > 0) {
            m_reprise.niveau = niveau - 1;
            continue;
        }
        m_reprise.niveau = -1;
        // This part is over. The dated rows and those without a date are read on apart, each
        // through the date index; NULL dates come last, newest first, and first going up.
        const bool premierePartie = m_reprise.partieNuls != m_termes.front().descendant;
        if (!debut && premiereNullable() && premierePartie) {
            m_reprise.partieNuls = !m_reprise.partieNuls;
            m_reprise.derniere.reset();
        } else {
            m_reprise.complet = true;
        }
    }
    oublierLaLecture.dismiss();
    return lues;
}

QString Actions::suite() const {
    if (m_reprise.debut)
        return QString();
    QString c;
    if (premiereNullable())
        c += m_reprise.partieNuls ? QStringLiteral(" DatePrevue is null and")
                                  : QStringLiteral(" DatePrevue is not null and");
    if (!m_reprise.derniere)
        return c;
    return c + QLatin1Char(' ') + suivantes()[niveauLu()] + QStringLiteral(" and");
}

int Actions::niveauLu() const {
    return m_reprise.niveau < 0 ? int(suivantes().size()) - 1 : m_reprise.niveau;
}

QStringList Actions::suivantes() const {
    const QStringList& v = *m_reprise.derniere;
    const int premier = premiereNullable() && m_reprise.partieNuls ? 1 : 0;
    QStringList apres;
    QString egaux;
    for (int i = premier; i < int(m_termes.size()); ++i) {
        const Terme& t = m_termes[i];
        QString suivant;
        if (v[i].isNull())
            suivant = t.descendant ? QString() : t.colonne + QStringLiteral(" is not null");
        else if (t.descendant && t.colonne == QLatin1String("DatePrevue") && i > 0)
            suivant = QLatin1Char('(') + t.colonne + QLatin1Char('<') + v[i] + QStringLiteral(" or ") +
                      t.colonne + QStringLiteral(" is null)");
        else
            suivant = t.colonne + (t.descendant ? QLatin1Char('<') : QLatin1Char('>')) + v[i];
        if (!suivant.isEmpty())
            apres << egaux + suivant;
        egaux +=
            (v[i].isNull() ? t.colonne + QStringLiteral(" is null") : t.colonne + QLatin1Char('=') + v[i]) +
            QStringLiteral(" and ");
    }
    return apres;
}

void Actions::Trier(Connection& connexion, Tri colonne, bool croissant, int premieres) {
    Actions triee;
    triee.m_typeDonnees = m_typeDonnees;
    triee.m_table = m_table;
    triee.m_filtre = m_filtre;
    const Terme prevue{QStringLiteral("DatePrevue"), true};
    const Terme id{QStringLiteral("Id"), true};
    switch (colonne) {
    case Tri::Prevue:
        triee.m_termes = {{prevue.colonne, !croissant}, id};
        break;
    case Tri::Id:
        triee.m_termes = {{id.colonne, !croissant}};
        break;
    case Tri::Fait:
        triee.m_termes = {{QStringLiteral("Fait"), !croissant}, prevue, id};
        break;
    }
    triee.m_ordreNaturel = colonne == Tri::Prevue && !croissant;
    triee.commencer();
    triee.LireSuite(connexion, premieres);
    *this = std::move(triee);
}

bool Actions::avantDerniere(qint64 prevue, int id) const {
    if (m_reprise.complet)
        return true;
    return m_reprise.luUne && (prevue > m_reprise.dernierePrevue ||
                               (prevue == m_reprise.dernierePrevue && id > m_reprise.dernierId));
}

int Actions::lire(Connection& connexion, const QString& instruction) {
    InitRecordset(m_rs, &connexion);
    m_rs->open(instruction, &connexion);
    const PositionsAction p(*m_rs);
    QByteArray secours[3];
    int lues = 0;
    QString illisible, brute;
    int illisibles = 0;
    const auto instant = [&](int position, QString* texte) -> qint64 {
        try {
            return m_rs->instant(position);
        } catch (const ErreurBd& e) {
            if (illisibles++ == 0)
                illisible = e.texte();
            if (texte)
                *texte = m_rs->field(position).toText();
            return Regional::InstantInvalide;
        }
    };
    // Each member as LectureFields reads it, the texts kept as they come.
    while (!m_rs->eof()) {
        Ligne l;
        l.id = m_rs->entier(p.id);
        const QByteArrayView interlocuteur = m_rs->utf8(p.interlocuteur, secours[0]);
        const QByteArrayView commentaire = m_rs->utf8(p.commentaire, secours[1]);
        const QByteArrayView client = m_rs->utf8(p.client, secours[2]);
        l.textes = m_textes.ajouter({commentaire, client, interlocuteur});
        l.commentaire = quint32(commentaire.size());
        l.client = quint32(client.size());
        brute.clear();
        l.prevue = instant(p.datePrevue, &brute);
        l.fait = qint16(m_rs->entier(p.fait));
        l.saisie = instant(p.dateSaisie, nullptr);
        if (m_reordonnee)
            m_ordre.push_back(int(m_lignes.size()));
        m_lignes.push_back(l);
        ++lues;
        m_rs->moveNext();
    }
    m_rs->close();
    if (lues > 0)
        noterDerniere(m_lignes.back(), brute);
    if (illisibles > 0)
        avertir(illisible +
                (illisibles > 1 ? QStringLiteral(" (et %1 autres lignes)").arg(illisibles - 1) : QString()) +
                QStringLiteral("\n\nLes autres lignes sont listées ; celle-ci l'est sans sa date, que vous "
                               "pouvez corriger en modifiant la fiche."));
    return lues;
}

void Actions::noterDerniere(const Ligne& l, const QString& brute) {
    QStringList valeurs;
    for (const Terme& t : m_termes) {
        if (t.colonne == QLatin1String("Id"))
            valeurs << QString::number(l.id);
        else if (t.colonne == QLatin1String("Fait"))
            valeurs << QString::number(l.fait);
        else if (!brute.isEmpty())
            valeurs << TexteSql(brute);
        else if (l.prevue == Regional::InstantInvalide)
            valeurs << QString();
        else
            valeurs << DateSql(Regional::dateDeInstant(l.prevue));
    }
    m_reprise.derniere = valeurs;
    m_reprise.partieNuls = premiereNullable() && valeurs.front().isNull();
    m_reprise.dernierePrevue = l.prevue;
    m_reprise.dernierId = l.id;
    m_reprise.luUne = true;
}

std::optional<Action> Actions::Relire(Connection& connexion, const Action& Criteres, int Periode, qint16 Fait,
                                      qint16 AFaire, int Interlocuteur, int Id) const {
    Actions seule;
    seule.SetTypeDonnees(m_typeDonnees);
    seule.lire(connexion, requete(filtre(Criteres, Periode, Fait, AFaire, Interlocuteur) +
                                      QStringLiteral(" Id=") + QString::number(Id) + QStringLiteral(" and"),
                                  OrdreDesListes));
    if (seule.Count() == 0)
        return std::nullopt;
    return seule.enregistrement(0);
}

Action& Actions::enregistrement(int position) const {
    const int r = rangee(position);
    if (Action* a = fait(r))
        return *a;
    m_records.resize(m_lignes.size());
    const Ligne& l = m_lignes[r];
    auto a = std::make_unique<Action>();
    a->SetTypeDonnees(m_typeDonnees);
    a->Id = l.id;
    a->Interlocuteur = texteEn(l, Morceau::Interlocuteur);
    a->Commentaire = DecodeSql(texteEn(l, Morceau::Commentaire));
    a->Client = texteEn(l, Morceau::Client);
    a->DatePrevue = Regional::dateDeInstant(l.prevue);
    a->Fait = l.fait;
    a->DateSaisie = Regional::dateDeInstant(l.saisie);
    m_records[r] = std::move(a);
    return *m_records[r];
}

QString Actions::texteEn(const Ligne& l, Morceau m) const {
    const QByteArrayView textes = m_textes.octets(l.textes);
    switch (m) {
    case Morceau::Commentaire:
        return QString::fromUtf8(textes.first(l.commentaire));
    case Morceau::Client:
        return QString::fromUtf8(textes.sliced(l.commentaire, l.client));
    case Morceau::Interlocuteur:
        break;
    }
    return QString::fromUtf8(textes.sliced(l.commentaire + l.client));
}

int Actions::IdEn(int position) const {
    const int r = rangee(position);
    const Action* a = fait(r);
    return a ? a->Id : m_lignes[r].id;
}

qint16 Actions::FaitEn(int position) const {
    const int r = rangee(position);
    const Action* a = fait(r);
    return a ? a->Fait : m_lignes[r].fait;
}

qint64 Actions::PrevueEn(int position) const {
    const int r = rangee(position);
    const Action* a = fait(r);
    return a ? Regional::instantDe(a->DatePrevue) : m_lignes[r].prevue;
}

QString Actions::CommentaireEn(int position) const {
    const int r = rangee(position);
    const Action* a = fait(r);
    return a ? a->Commentaire : DecodeSql(texteEn(m_lignes[r], Morceau::Commentaire));
}

QString Actions::ClientEn(int position) const {
    const int r = rangee(position);
    const Action* a = fait(r);
    return a ? a->Client : texteEn(m_lignes[r], Morceau::Client);
}

QString Actions::InterlocuteurEn(int position) const {
    const int r = rangee(position);
    const Action* a = fait(r);
    return a ? a->Interlocuteur : texteEn(m_lignes[r], Morceau::Interlocuteur);
}

int Actions::PositionDe(int Id) const {
    for (int i = 0; i < Count(); ++i)
        if (IdEn(i) == Id)
            return i;
    return -1;
}

void Actions::reordonner() {
    if (m_reordonnee)
        return;
    m_ordre.resize(m_lignes.size());
    std::iota(m_ordre.begin(), m_ordre.end(), 0);
    m_reordonnee = true;
}

Action& Actions::inserer(int position, Action action) {
    reordonner();
    const int r = int(m_lignes.size());
    m_lignes.push_back({Regional::instantDe(action.DatePrevue),
                        Regional::instantDe(action.DateSaisie),
                        action.Id,
                        action.Fait,
                        {},
                        {},
                        {}});
    m_records.resize(m_lignes.size());
    m_records[r] = std::make_unique<Action>(std::move(action));
    m_ordre.insert(m_ordre.begin() + position, r);
    return *m_records[r];
}

void Actions::Remplacer(int Id, std::optional<Action> nouvelle) {
    const int ancienne = PositionDe(Id);
    if (ancienne >= 0)
        Remove(ancienne);
    const qint64 prevue = nouvelle ? Regional::instantDe(nouvelle->DatePrevue) : 0;
    // Placed after the last row read, it comes with the rows still to read.
    if (!nouvelle || !avantDerniere(prevue, nouvelle->Id))
        return;
    int place = 0;
    while (place < Count() &&
           (PrevueEn(place) > prevue || (PrevueEn(place) == prevue && IdEn(place) > nouvelle->Id)))
        ++place;
    inserer(place, std::move(*nouvelle));
}

void Actions::AddObj(std::unique_ptr<Action> Objet) {
    inserer(Count(), std::move(*Objet));
}

Action* Actions::Add(const QDateTime& DateSaisie, qint16 Fait, const QDateTime& DatePrevue,
                     const QString& Client, const QString& Commentaire, const QString& Interlocuteur, int Id,
                     const QString& sKey) {
    if (!sKey.isEmpty() && std::find(m_cles.cbegin(), m_cles.cend(), sKey) != m_cles.cend())
        throw std::invalid_argument("Cette clé est déjà associée à un élément de cette collection.");
    Action action;
    action.DateSaisie = DateSaisie;
    action.Fait = Fait;
    action.DatePrevue = DatePrevue;
    action.Client = Client;
    action.Commentaire = Commentaire;
    action.Interlocuteur = Interlocuteur;
    action.Id = Id;
    Action& ajoutee = inserer(Count(), std::move(action));
    if (!sKey.isEmpty())
        m_cles.insert(&ajoutee, sKey);
    return &ajoutee;
}

Action* Actions::Item(const QVariant& vntIndexKey, bool SearchByID) {
    bool numerique = false;
    if (SearchByID) {
        const double id = vntIndexKey.toDouble(&numerique);
        if (!numerique)
            return nullptr;
        for (int i = 0; i < Count(); ++i)
            if (IdEn(i) == id)
                return &enregistrement(i);
        return nullptr;
    }
    const int position = vntIndexKey.toInt(&numerique);
    verifierPosition(numerique ? position : -1, Count());
    return &enregistrement(position);
}

void Actions::Remove(int vntIndexKey) {
    verifierPosition(vntIndexKey, Count());
    reordonner();
    m_cles.remove(fait(m_ordre[vntIndexKey]));
    m_ordre.erase(m_ordre.begin() + vntIndexKey);
}
