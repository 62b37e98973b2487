#pragma once

#include <QHash>
#include <QStringList>
#include <functional>

// What a command receives: its arguments in order and the values of the options given.
struct Appel {
    QStringList arguments;
    QHash<QString, QString> options;
};

// One command of brevanta-db. Its work raises ErreurOutil on a refused input, or returns the
// exit status.
struct Commande {
    QString syntaxe; // "backup FICHIER [DESTINATION]": the verb comes first
    QString resume;  // one line of the general usage
    QString aide;    // what --help adds to the syntax and the summary
    int minimum = 1; // how many arguments, options left aside
    int maximum = 1;
    QStringList options; // options that take a value, "--depuis"
    std::function<int(const Appel&)> executer;

    QString nom() const { return syntaxe.section(QLatin1Char(' '), 0, 0); }
};

// The commands, one file each.
Commande commandeInit();
Commande commandeDemo();
Commande commandeCheck();
Commande commandeBackup();
Commande commandeRestore();
Commande commandeExport();
Commande commandeImport();
Commande commandeCalendar();
Commande commandeContacts();
Commande commandeBench();
Commande commandeCopy();
