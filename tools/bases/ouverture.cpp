#include "bases/ouverture.h"

#include "core/bd/choixbase.h"
#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"

#include <QFileInfo>

ErreurOutil erreurBase(const QString& base, const ErreurBd& e) {
    if (e.etat() == QLatin1String("08001"))
        return ErreurOutil(
            QStringLiteral("Connexion impossible à %1 : %2").arg(adresseMontrable(base), e.texte()));
    return ErreurOutil(QStringLiteral("%1 : %2").arg(adresseMontrable(base), e.texte()));
}

std::unique_ptr<Connection> ouvrirBase(const QString& base, Acces acces) {
    if (!Connection::estServeur(base) && !QFileInfo(base).isFile())
        throw ErreurOutil(QStringLiteral("Le fichier %1 n'existe pas.").arg(base));
    auto c = std::make_unique<Connection>();
    try {
        c->open(base, acces);
    } catch (const ErreurBd& e) {
        throw erreurBase(base, e);
    }
    return c;
}

void exigerFichier(const QString& base) {
    if (Connection::estServeur(base))
        throw ErreurOutil(
            QStringLiteral("%1 est une base sur un serveur PostgreSQL : elle se sauvegarde et se "
                           "restaure avec les outils du serveur (pg_dump, pg_restore), "
                           "pas avec brevanta-db, qui ne copie que des fichiers.")
                .arg(adresseMontrable(base)));
}
