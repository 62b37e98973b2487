#include "core/erreurbd.h"

#include <QSqlError>

ErreurBd::ErreurBd(int numero, const QString& texte)
    : std::runtime_error(texte.toStdString()), m_numero(numero), m_texte(texte) {}

ErreurBd ErreurBd::depuis(const QSqlError& e) {
    bool ok = false;
    const int numero = e.nativeErrorCode().toInt(&ok);
    const QString texte = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return ErreurBd(ok ? numero : 0, texte);
}

QString ErreurBd::explication() const {
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
    const QString detail = QStringLiteral("Erreur %1 : %2").arg(m_numero).arg(m_texte);
    const QString phrase = explication();
    return phrase.isEmpty() ? detail : phrase + QStringLiteral("\n\n") + detail;
}
