#include "core/donnees/rappels.h"

#include "core/bd/choixbase.h"
#include "core/bd/connection.h"
#include "core/bd/formatsql.h"
#include "core/bd/recordset.h"
#include "core/donnees/action.h"
#include "core/textes/regional.h"

#include <QCryptographicHash>
#include <QSettings>

namespace {
// A time of day: a date alone (midnight) is a day's task, not a time to be reminded of.
bool avecHeure(const QDateTime& d) {
    return d.time() != QTime(0, 0);
}

std::vector<Rappel> lire(Connection& connexion, int type, const QString& condition) {
    Recordset rs;
    rs.open(QStringLiteral("select Id, DatePrevue, Client, Interlocuteur, Commentaire from ") +
                TableDuType(type, QString()) + QStringLiteral(" where Fait=0 and ") + condition +
                QStringLiteral(" order by DatePrevue"),
            &connexion);
    std::vector<Rappel> rappels;
    for (; !rs.eof(); rs.moveNext()) {
        Rappel r;
        r.type = type;
        r.id = rs.entier(0);
        r.prevue = rs.date(1);
        r.client = DecodeSql(rs.texte(2));
        r.interlocuteur = DecodeSql(rs.texte(3));
        r.commentaire = DecodeSql(rs.texte(4));
        if (avecHeure(r.prevue))
            rappels.push_back(std::move(r));
    }
    return rappels;
}
} // namespace

QString Rappel::cle() const {
    return TableDuType(type, QString()) + QLatin1Char(' ') + QString::number(id) + QLatin1Char(' ') +
           prevue.toString(Qt::ISODate);
}

QString Rappel::titre() const {
    return (type == 0 ? QStringLiteral("Action à ") : QStringLiteral("Rendez-vous à ")) +
           prevue.toString(QStringLiteral("HH:mm"));
}

QString Rappel::texte() const {
    QString t = client;
    if (!interlocuteur.isEmpty())
        t += QStringLiteral(" — ") + interlocuteur;
    const QString premiere = commentaire.section(QLatin1Char('\n'), 0, 0).trimmed();
    if (!premiere.isEmpty())
        t += QLatin1Char('\n') + premiere.left(200);
    return t;
}

namespace Rappels {
int avance() {
    bool ok = false;
    const int minutes = reglageDuDossier(QStringLiteral("Rappels/Avance"), 15).toInt(&ok);
    return ok && minutes >= 0 ? minutes : 15;
}

std::vector<Rappel> dus(Connection& connexion, const QDateTime& maintenant, int avance) {
    const QDateTime depuis = maintenant.addSecs(-60 * Retard);
    std::vector<Rappel> rappels;
    for (int type : {1, 0}) {
        const QDateTime jusqua = type == 1 ? maintenant.addSecs(60 * avance) : maintenant;
        for (Rappel& r : lire(connexion, type,
                              QStringLiteral("DatePrevue>") + DateSql(depuis) +
                                  QStringLiteral(" and DatePrevue<=") + DateSql(jusqua)))
            rappels.push_back(std::move(r));
    }
    return rappels;
}

std::optional<Rappel> relire(Connection& connexion, const Rappel& rappel) {
    std::vector<Rappel> lus = lire(connexion, rappel.type,
                                   QStringLiteral("Id=") + QString::number(rappel.id) +
                                       QStringLiteral(" and DatePrevue=") + DateSql(rappel.prevue));
    if (lus.empty())
        return std::nullopt;
    return lus.front();
}
} // namespace Rappels

MemoireRappels::MemoireRappels(QString fichier, const QString& base) : m_fichier(std::move(fichier)) {
    // One group per database, whatever characters its name holds.
    m_groupe = QString::fromLatin1(
        QCryptographicHash::hash(base.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

bool MemoireRappels::donne(const QString& cle, const QDate& jour) const {
    const QSettings s(m_fichier, QSettings::IniFormat);
    return s.value(m_groupe + QStringLiteral("/jour")).toDate() == jour &&
           s.value(m_groupe + QStringLiteral("/donnes")).toStringList().contains(cle);
}

void MemoireRappels::noter(const QString& cle, const QDate& jour) {
    QSettings s(m_fichier, QSettings::IniFormat);
    QStringList donnes;
    // Yesterday's notices are forgotten with the day.
    if (s.value(m_groupe + QStringLiteral("/jour")).toDate() == jour)
        donnes = s.value(m_groupe + QStringLiteral("/donnes")).toStringList();
    donnes << cle;
    s.setValue(m_groupe + QStringLiteral("/jour"), jour);
    s.setValue(m_groupe + QStringLiteral("/donnes"), donnes);
}
