#include "commandes/commande.h"

#include "bases/ouverture.h"
#include "console.h"
#include "core/bd/erreurbd.h"
#include "erreuroutil.h"

Commande::Commande(const QString& nom, const QStringList& arguments, const QString& resume,
                   const QString& aide, const QList<QCommandLineOption>& options)
    : m_nom(nom), m_arguments(arguments), m_resume(resume), m_aide(aide), m_options(options) {
    // "-foo.mdb" is one unknown option, not seven.
    m_parseur.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parseur.addOptions(options);
}

QString Commande::syntaxe() const {
    QStringList mots = QStringList{m_nom} + m_arguments;
    for (const QCommandLineOption& o : m_options)
        mots << QStringLiteral("[--%1]").arg(
            QStringList{o.names().constFirst(), o.valueName()}.join(' ').trimmed());
    return mots.join(QLatin1Char(' '));
}

QString Commande::aide() const {
    QStringList lignes{QStringLiteral("Usage : brevanta-db ") + syntaxe(),
                       m_resume.left(1).toUpper() + m_resume.mid(1) + QLatin1Char('.'), m_aide};
    for (const QCommandLineOption& o : m_options)
        if (!o.description().isEmpty())
            lignes << QStringLiteral("--%1  %2")
                          .arg(QStringList{o.names().constFirst(), o.valueName()}.join(' ').trimmed(),
                               o.description());
    return lignes.join(QLatin1Char('\n'));
}

bool Commande::estAide(const QStringList& arguments) {
    return arguments == QStringList{QStringLiteral("-h")} ||
           arguments == QStringList{QStringLiteral("--help")};
}

Connection& Commande::base(Acces acces) {
    if (!m_base)
        m_base = ouvrirBase(m_parseur.positionalArguments().value(0), acces);
    return *m_base;
}

// Why the arguments do not fit the command; empty when they do. An option without a value name is a
// switch; the others take a value, so a parse fails on an unknown option or on a value missing at the end.
QString Commande::refus(const QStringList& arguments) {
    if (!m_parseur.parse(QStringList{m_nom} + arguments)) {
        for (const QString& a : arguments) {
            const QString option = a.section(QLatin1Char('='), 0, 0);
            const QString nom = option.mid(option.startsWith(QLatin1String("--")) ? 2 : 1);
            if (!a.startsWith(QLatin1Char('-')) || !m_parseur.unknownOptionNames().contains(nom))
                continue;
            if (estAide({option}))
                return QStringLiteral("%1 s'emploie seul, après le nom de la commande.").arg(option);
            return QStringLiteral("Option inconnue : %1").arg(option);
        }
        return QStringLiteral("Valeur manquante après %1").arg(arguments.last());
    }
    for (const QString& nom : m_parseur.optionNames())
        if (m_parseur.values(nom).size() > 1)
            return QStringLiteral("Option donnée deux fois : --%1").arg(nom);
    const QStringList donnes = m_parseur.positionalArguments();
    if (donnes.contains(QString()))
        return QStringLiteral("Argument vide.");
    if (donnes.size() < m_arguments.size() - m_arguments.filter(QStringLiteral("[")).size())
        return QStringLiteral("Argument manquant : %1").arg(m_arguments[donnes.size()]);
    if (donnes.size() > m_arguments.size())
        return QStringLiteral("Argument en trop : %1").arg(donnes[m_arguments.size()]);
    return {};
}

int Commande::lancer(const QStringList& arguments) {
    if (estAide(arguments)) {
        ecrireSortie(aide());
        return 0;
    }
    const QString refuse = refus(arguments);
    if (!refuse.isEmpty()) {
        ecrireErreur(refuse);
        ecrireErreur(QStringLiteral("Usage : brevanta-db %1").arg(syntaxe()));
        return 1;
    }
    try {
        ecrireSortie(executer(m_parseur.positionalArguments()));
        return 0;
    } catch (const ErreurOutil& e) {
        ecrireErreur(e.texte());
    } catch (const ErreurBd& e) {
        ecrireErreur(QStringLiteral("Erreur de la base de données : %1").arg(e.texte()));
    }
    return 1;
}
