#pragma once

#include "core/bd/curseur.h"
#include "core/bd/dialectesql.h"

#include <QString>

// What a program means to do with a database: a reader (an export) is let in where a writer would
// be refused, and changes nothing. SelonDroits writes when the database lets it, else only reads: a
// file made read-only, a server role without the right to write.
enum class Acces { Ecriture, Lecture, SelonDroits };
#include <QVariantList>

// One database engine behind the connection: a Brevanta.mdb file, or a server shared by a team.
// Statements come in the engine's own SQL, their values apart.
class Moteur {
public:
    virtual ~Moteur() = default;
    virtual Cible cible() const = 0;
    // What a person reads to know which database is open.
    virtual QString description() const = 0;
    virtual Curseur lire(const QString& sql, const QVariantList& valeurs) = 0;
    // Runs a write; gives the rows it changed, and the Id of an inserted action or appointment.
    virtual int executer(const QString& sql, const QVariantList& valeurs, qint64& idInsere) = 0;
    virtual void commencer() = 0;
    virtual void valider() = 0;
    virtual void annuler() = 0;
    // Changes whenever another program may have committed something since the last call.
    virtual qint64 versionAutres() = 0;
    // Whether nothing is to be written through it.
    bool lectureSeule() const { return m_lectureSeule; }

protected:
    bool m_lectureSeule = false;
};
