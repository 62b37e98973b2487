#pragma once

#include <QString>
#include <QTemporaryDir>

class Connection;

// A fresh Brevanta database in a temporary folder, with the seven tables and nothing else.
class BaseTest {
public:
    BaseTest();
    ~BaseTest();
    QString dossier() const { return m_dossier.path(); }
    QString fichier() const;
    // Runs SQLite's own SQL on the file, outside the program's layer.
    void sqlite(const QString& sql) const;
    // Makes the folder the working directory, so that Main() finds Brevanta.mdb there.
    void entrer() const;

private:
    QTemporaryDir m_dossier;
};

// Opens a Connection of the program on the file.
Connection* ouvrir(const BaseTest& base);
