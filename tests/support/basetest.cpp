#include "support/basetest.h"

#include "core/connection.h"
#include "core/schema.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <stdexcept>

namespace {
void executer(const QString& fichier, const QStringList& instructions) {
    const QString nom = QStringLiteral("basetest");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nom);
        db.setDatabaseName(fichier);
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
        for (const QString& sql : instructions) {
            QSqlQuery q(db);
            if (!q.exec(sql))
                throw std::runtime_error((sql + QStringLiteral(" : ") + q.lastError().text()).toStdString());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(nom);
}
} // namespace

BaseTest::BaseTest() {
    executer(fichier(), Schema::instructionsCreation());
}

BaseTest::~BaseTest() = default;

QString BaseTest::fichier() const {
    return m_dossier.filePath(QStringLiteral("Brevanta.mdb"));
}

void BaseTest::sqlite(const QString& sql) const {
    executer(fichier(), {sql});
}

void BaseTest::entrer() const {
    QDir::setCurrent(dossier());
}

Connection* ouvrir(const BaseTest& base) {
    auto* c = new Connection;
    c->open(base.fichier());
    return c;
}
