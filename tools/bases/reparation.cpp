#include "bases/reparation.h"

#include "bases/basesqlite.h"
#include "console.h"
#include "core/sqlite/structurefichier.h"
#include "erreuroutil.h"

#include <QTextStream>
#include <unistd.h>

QString enleverDeclencheursEtrangers(const QString& fichier, bool sansQuestion) {
    BaseSqlite base(fichier);
    QList<StructureFichier::Objet> objets;
    for (const QString& nom :
         base.colonne(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger'")))
        objets.append({QStringLiteral("trigger"), nom});
    const QStringList noms = StructureFichier::declencheursEtrangers(objets);
    if (noms.isEmpty())
        return QStringLiteral("Aucun déclencheur étranger à Brevanta.");
    const QString liste = noms.join(QStringLiteral(", "));
    if (!sansQuestion) {
        // Without a person at a terminal, nobody can answer: only --oui confirms.
        if (!::isatty(STDIN_FILENO))
            throw ErreurOutil(
                QStringLiteral("Déclencheurs étrangers à Brevanta : %1. Rien n'a été supprimé : "
                               "confirmez avec --oui.")
                    .arg(liste));
        ecrireErreur(
            QStringLiteral("Supprimer les déclencheurs étrangers à Brevanta : %1 ? (oui/non)").arg(liste));
        QTextStream entree(stdin);
        if (entree.readLine().trimmed().toLower() != QLatin1String("oui"))
            throw ErreurOutil(QStringLiteral("Rien n'a été supprimé."));
    }
    base.executer(QStringLiteral("BEGIN IMMEDIATE"));
    for (QString nom : noms)
        base.executer(
            QStringLiteral("DROP TRIGGER \"%1\"").arg(nom.replace(QLatin1Char('"'), QLatin1String("\"\""))));
    base.executer(QStringLiteral("COMMIT"));
    return QStringLiteral("Déclencheurs supprimés : %1").arg(liste);
}
