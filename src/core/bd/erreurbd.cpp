#include "core/bd/erreurbd.h"

#include <QSqlError>
#include <sqlite3.h>

ErreurBd::ErreurBd(int numero, const QString& texte)
    : std::runtime_error(texte.toStdString()), m_numero(numero), m_texte(texte) {}

ErreurBd::ErreurBd(const QString& etat, const QString& texte)
    : std::runtime_error(texte.toStdString()), m_numero(0), m_texte(texte), m_etat(etat) {}

ErreurBd ErreurBd::depuis(const QSqlError& e) {
    bool ok = false;
    const int numero = e.nativeErrorCode().toInt(&ok);
    const QString texte = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return ErreurBd(ok ? numero : 0, texte);
}

ErreurBd ErreurBd::programme(int numero, const QString& texte) {
    ErreurBd e(numero, texte);
    e.m_programme = true;
    return e;
}

bool ErreurBd::doublon() const {
    if (m_programme)
        return false;
    if (!m_etat.isEmpty())
        return m_etat == QLatin1String("23505");
    return m_numero == SQLITE_CONSTRAINT_UNIQUE ||
           (m_numero == SQLITE_CONSTRAINT && m_texte.startsWith(QLatin1String("UNIQUE constraint failed")));
}

QString ErreurBd::explicationServeur() const {
    const QString classe = m_etat.left(2);
    if (m_etat == QLatin1String("08001"))
        return QStringLiteral(
            "Le serveur de la base de données ne répond pas, ou refuse la connexion (adresse, "
            "utilisateur ou mot de passe). Vérifiez Brevanta.ini et, pour le mot de passe, "
            "~/.pgpass ou PGPASSWORD.");
    // Lost at a commit that the server could not be asked about again: saying "not saved" could
    // have it saved twice.
    if (m_etat == QLatin1String("08007"))
        return QStringLiteral("La connexion au serveur a été perdue pendant l'enregistrement, et le serveur "
                              "n'a pas pu dire s'il a été fait. Vérifiez la fiche avant de la saisir de "
                              "nouveau : votre saisie est conservée.");
    if (classe == QLatin1String("08") || m_etat.startsWith(QLatin1String("57P")))
        return QStringLiteral("La connexion au serveur a été perdue : rien n'a été enregistré, votre saisie "
                              "est conservée. Réessayez : Brevanta se reconnecte.");
    if (classe == QLatin1String("40") || m_etat == QLatin1String("55P03"))
        return QStringLiteral("La base de données est occupée par un autre programme ou un autre poste. "
                              "Réessayez dans un instant : votre saisie est conservée.");
    if (m_etat == QLatin1String("25006") || m_etat == QLatin1String("42501"))
        return QStringLiteral("Le serveur refuse les modifications à cet utilisateur : rien n'a été "
                              "enregistré. Vérifiez ses droits sur la base.");
    if (classe == QLatin1String("53"))
        return QStringLiteral("Le serveur de la base de données manque de place : rien n'a été enregistré. "
                              "Prévenez la personne qui s'en occupe.");
    if (m_etat == QLatin1String("42P01") || m_etat == QLatin1String("42703"))
        return QStringLiteral("La base de données est incomplète : une table ou une colonne manque. "
                              "Vérifiez-la avec « brevanta-db check ».");
    if (classe == QLatin1String("23"))
        return QStringLiteral("La base de données a refusé cette modification.");
    return QString();
}

QString ErreurBd::explication() const {
    if (m_programme)
        return QString();
    if (!m_etat.isEmpty())
        return explicationServeur();
    // SQLite's extended codes keep the primary code in their low byte.
    switch (m_numero > 0 ? m_numero & 0xFF : -1) {
    case 5:
    case 6:
        return QStringLiteral("La base de données est occupée par un autre programme ou un autre poste. "
                              "Réessayez dans un instant : votre saisie est conservée.");
    case 8:
        if (m_numero == 1032)
            return QStringLiteral("Le fichier de la base de données a été déplacé ou supprimé pendant que "
                                  "Brevanta l'utilisait. Remettez-le en place, puis relancez Brevanta.");
        return QStringLiteral(
            "La base de données ne peut pas être modifiée : le fichier ou son dossier est en "
            "lecture seule. Vérifiez les droits d'écriture, puis réessayez.");
    case 13:
        return QStringLiteral("Le disque est plein : rien n'a été enregistré. Libérez de la place, puis "
                              "réessayez.");
    case 11:
    case 26:
        return QStringLiteral(
            "Le fichier de la base de données est endommagé ou n'est pas une base Brevanta. "
            "Vérifiez-le avec « brevanta-db check » ou restaurez une sauvegarde.");
    case 10:
        return QStringLiteral("Le disque n'a pas pu être lu ou écrit. Vérifiez le disque ou le partage, puis "
                              "réessayez.");
    case 14:
        return QStringLiteral(
            "Le fichier de la base de données ne peut pas être ouvert : il est absent ou son "
            "dossier n'est pas accessible.");
    case 19:
        return QStringLiteral("La base de données a refusé cette modification.");
    case 1:
        if (m_texte.startsWith(QLatin1String("no such table")) ||
            m_texte.startsWith(QLatin1String("no such column")))
            return QStringLiteral("La base de données est incomplète : une table ou une colonne manque. "
                                  "Vérifiez le fichier avec « brevanta-db check ».");
        return QString();
    default:
        return QString();
    }
}

QString ErreurBd::message() const {
    const QString detail =
        QStringLiteral("Erreur %1 : %2").arg(m_etat.isEmpty() ? QString::number(m_numero) : m_etat, m_texte);
    const QString phrase = explication();
    return phrase.isEmpty() ? detail : phrase + QStringLiteral("\n\n") + detail;
}
