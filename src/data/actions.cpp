#include "data/actions.h"

#include "core/formatsql.h"
#include "core/horloge.h"
#include "core/recordset.h"
#include "core/routines.h"
#include "data/position.h"

#include <algorithm>

namespace {

QString dateSql(const QDate& d) {
    return d.toString(QStringLiteral("yyyy/MM/dd"));
}

} // namespace

Actions::Actions() = default;
Actions::~Actions() = default;
Actions::Actions(Actions&&) noexcept = default;
Actions& Actions::operator=(Actions&&) noexcept = default;

void Actions::SetTypeDonnees(int TypeDonnees) {
    m_typeDonnees = TypeDonnees;
    m_table = TableDuType(TypeDonnees, m_table);
}

QString Actions::requete(const Action& criteres, int periode, qint16 fait, qint16 aFaire, int portee) const {
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
    } else if (periode == 1) {
        const QDate aujourdhui = Horloge::aujourdhui();
        const QDate lundi = aujourdhui.addDays(1 - aujourdhui.dayOfWeek());
        // The upper bound has no time: Sunday at midnight.
        filtre += QStringLiteral(" DatePrevue>=#") + dateSql(lundi) + QStringLiteral("# and DatePrevue<=#") +
                  dateSql(lundi.addDays(6)) + QStringLiteral("# and");
    } else if (periode == 2) {
        filtre += QStringLiteral(" month(DatePrevue)=month(now()) and");
    }

    QString where;
    if (!filtre.isEmpty())
        where = QStringLiteral(" where ") + filtre.left(filtre.size() - 3);
    return QStringLiteral("select * from ") + m_table + where + QStringLiteral(" order by DatePrevue desc");
}

void Actions::CreationCollection(Connection& connexion, const Action& Criteres, int Periode, qint16 Fait,
                                 qint16 AFaire, int Interlocuteur) {
    const QString instruction = requete(Criteres, Periode, Fait, AFaire, Interlocuteur);
    InitRecordset(m_rs, &connexion);
    m_rs->open(instruction, &connexion);
    while (!m_rs->eof()) {
        auto action = std::make_unique<Action>();
        action->SetTypeDonnees(m_typeDonnees);
        action->LectureFields(*m_rs);
        AddObj(std::move(action));
        m_rs->moveNext();
    }
    m_rs->close();
}

void Actions::AddObj(std::unique_ptr<Action> Objet) {
    m_actions.push_back(std::move(Objet));
    m_cles.emplace_back();
}

Action* Actions::Add(const QDateTime& DateSaisie, qint16 Fait, const QDateTime& DatePrevue,
                     const QString& Client, const QString& Commentaire, const QString& Interlocuteur, int Id,
                     const QString& sKey) {
    if (!sKey.isEmpty() && std::find(m_cles.begin(), m_cles.end(), sKey) != m_cles.end())
        throw std::invalid_argument("Cette clé est déjà associée à un élément de cette collection.");
    auto action = std::make_unique<Action>();
    action->DateSaisie = DateSaisie;
    action->Fait = Fait;
    action->DatePrevue = DatePrevue;
    action->Client = Client;
    action->Commentaire = Commentaire;
    action->Interlocuteur = Interlocuteur;
    action->Id = Id;
    m_actions.push_back(std::move(action));
    m_cles.push_back(sKey);
    return m_actions.back().get();
}

Action* Actions::Item(const QVariant& vntIndexKey, bool SearchByID) {
    bool numerique = false;
    if (SearchByID) {
        const double id = vntIndexKey.toDouble(&numerique);
        if (!numerique)
            return nullptr;
        for (const auto& action : m_actions)
            if (action->Id == id)
                return action.get();
        return nullptr;
    }
    const int position = vntIndexKey.toInt(&numerique);
    verifierPosition(numerique ? position : -1, Count());
    return m_actions[position].get();
}

void Actions::Remove(int vntIndexKey) {
    verifierPosition(vntIndexKey, Count());
    m_actions.erase(m_actions.begin() + vntIndexKey);
    m_cles.erase(m_cles.begin() + vntIndexKey);
}
