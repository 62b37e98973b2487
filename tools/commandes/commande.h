#pragma once

#include "core/bd/connection.h"

#include <QCommandLineParser>
#include <memory>

// One command of brevanta-db. The base reads its arguments and options, answers --help, opens the
// base named first when the command asks for it, and ends every command the same way: the report on
// standard output and 0, or the French reason on standard error and 1.
class Commande {
public:
    // The arguments in order, the optional ones last and written "[DESTINATION]"; resume: its line of
    // the general usage; aide: what --help adds to the syntax and the summary, before the options
    // that have a description. An option takes a value unless it has no value name (a switch); each is
    // given once at most.
    Commande(const QString& nom, const QStringList& arguments, const QString& resume, const QString& aide,
             const QList<QCommandLineOption>& options = {});
    virtual ~Commande() = default;
    const QString& nom() const { return m_nom; }
    const QString& resume() const { return m_resume; }
    // "backup FICHIER [DESTINATION]": the name, the arguments, then the options.
    QString syntaxe() const;
    // Runs the command on the arguments that follow its name; returns the exit status.
    int lancer(const QStringList& arguments);

    // "-h" or "--help" alone.
    static bool estAide(const QStringList& arguments);

protected:
    bool donnee(const QString& option) const { return m_parseur.isSet(option); }
    QString valeur(const QString& option) const { return m_parseur.value(option); }
    // The existing base named by the first argument, opened at the first call.
    Connection& base(Acces acces = Acces::Lecture);

    // The work; returns the report. Raises ErreurOutil or ErreurBd when it is refused.
    virtual QString executer(const QStringList& arguments) = 0;

private:
    QString refus(const QStringList& arguments);
    QString aide() const;

    QString m_nom;
    QStringList m_arguments;
    QString m_resume;
    QString m_aide;
    QList<QCommandLineOption> m_options;
    QCommandLineParser m_parseur;
    std::unique_ptr<Connection> m_base;
};

// The commands, one file each.
std::unique_ptr<Commande> commandeInit(), commandeDemo(), commandeCheck(), commandeBackup(),
    commandeRestore(), commandeExport(), commandeImport(), commandeCalendar(), commandeContacts(),
    commandeBench(), commandeCopy();
