// brevanta-bench DBFILE|ADDRESS [--csv OUT]: times the real program on a large Brevanta.mdb or
// server database (made by brevanta-db bench) and prints, for each interaction, its median time
// beside the engine's own; for those that rebuild the lists, the time to their first screen beside
// the engine's for their first rows, and the time to their last row.
#include "app/principal.h"
#include "app/sauvegardequotidienne.h"
#include "banc.h"
#include "core/bd/connection.h"
#include "core/bd/erreurbd.h"
#include "espion.h"
#include "gui/mainwindow/frmclient.h"
#include "rejeuserveur.h"
#include "rejeusqlite.h"
#include "scenario.h"
#include "widgets/message.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const int Repetitions = 7;

double memoireMaxMo() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_maxrss) / 1024;
}

QString nombre(double v, int decimales) {
    return QString::number(v, 'f', decimales);
}

void afficher(const QVector<Resultat>& table, double memoire, const QString& moteur) {
    const QString entete = moteur + QStringLiteral(" (ms)");
    const auto ligne = [&](const QString& a, const QString& b, const QString& c, const QString& d,
                           const QString& e, const QString& f, const QString& g) {
        std::printf("%s\n", QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                                .arg(a, -40)
                                .arg(b, 9)
                                .arg(f, 15)
                                .arg(g, 16)
                                .arg(c, 13)
                                .arg(d, int(qMax(12, entete.size())))
                                .arg(e, 8)
                                .toUtf8()
                                .constData());
    };
    const auto option = [](const std::optional<double>& v) { return v ? nombre(*v, 1) : QString(); };
    ligne(QStringLiteral("interaction"), QStringLiteral("lignes"), QStringLiteral("médiane (ms)"), entete,
          QStringLiteral("rapport"), QStringLiteral("1er écran (ms)"), QStringLiteral("plancher (ms)"));
    for (const Resultat& r : table)
        ligne(r.interaction, QString::number(r.lignes), nombre(r.medianeMs, 1), option(r.moteurMs),
              r.moteurMs ? nombre(r.medianeMs / *r.moteurMs, 2) : QString(), option(r.premierEcranMs),
              option(r.plancherPremierEcranMs));
    std::printf("%s\n",
                QStringLiteral("mémoire maximale : %1 Mo").arg(nombre(memoire, 0)).toUtf8().constData());
}

void ecrireCsv(const QString& chemin, const QVector<Resultat>& table, double memoire, const QString& moteur) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        throw std::runtime_error("impossible d'écrire " + chemin.toStdString());
    QTextStream csv(&f);
    csv << "interaction,rows,median_ms," << moteur.toLower()
        << "_ms,ratio,premier_ecran_ms,plancher_premier_ecran_ms\n";
    const auto option = [](const std::optional<double>& v) { return v ? nombre(*v, 2) : QString(); };
    for (const Resultat& r : table)
        csv << r.interaction << ',' << r.lignes << ',' << nombre(r.medianeMs, 2) << ',' << option(r.moteurMs)
            << ',' << (r.moteurMs ? nombre(r.medianeMs / *r.moteurMs, 3) : QString()) << ','
            << option(r.premierEcranMs) << ',' << option(r.plancherPremierEcranMs) << '\n';
    csv << "peak_rss_mb,," << nombre(memoire, 1) << ",,,,\n";
}

// The real program opened once on the file, in a child process: a first opening builds the search
// index and takes the day's copy, work that counts neither in the times nor in the memory.
bool premiereOuverture(int argc, char* argv[], const QString& dossier) {
    const pid_t enfant = fork();
    if (enfant == 0) {
        QApplication app(argc, argv);
        QDir::setCurrent(dossier);
        Message::setAutoAnswer(true);
        Main();
        do
            laisserAfficher();
        while (!frmClient->findChildren<SauvegardeQuotidienne*>().isEmpty());
        FinApplication();
        std::_Exit(0);
    }
    int statut = 0;
    return enfant > 0 && waitpid(enfant, &statut, 0) == enfant && WIFEXITED(statut) &&
           WEXITSTATUS(statut) == 0;
}

// A working folder of a user's machine whose Brevanta.ini names the server.
bool dossierServeur(const QTemporaryDir& dossier, const QString& adresse) {
    QSettings ini(dossier.filePath(QStringLiteral("Brevanta.ini")), QSettings::IniFormat);
    ini.setValue(QStringLiteral("Base/Serveur"), adresse);
    ini.sync();
    return dossier.isValid() && ini.status() == QSettings::NoError;
}

// The offscreen platform cannot raise a window: the planning asks it each time it opens.
void messagesQt(QtMsgType type, const QMessageLogContext& contexte, const QString& texte) {
    if (!texte.contains(QLatin1String("does not support raise")))
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, contexte, texte)));
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QString csv;
    if (arguments.size() == 3 && arguments[1] == QLatin1String("--csv")) {
        csv = QFileInfo(arguments[2]).absoluteFilePath();
        arguments = arguments.mid(0, 1);
    }
    const QString adresse = arguments.value(0);
    const bool serveur = Connection::estServeur(adresse);
    const QFileInfo base(adresse);
    if (arguments.size() != 1 ||
        (!serveur && (base.fileName() != QLatin1String("Brevanta.mdb") || !base.isFile()))) {
        std::fprintf(stderr,
                     "Usage : brevanta-bench DOSSIER/Brevanta.mdb|postgresql://utilisateur@hôte:port/base "
                     "[--csv FICHIER]\n"
                     "La base (faite par brevanta-db bench) doit s'appeler Brevanta.mdb : le programme "
                     "ouvre ce nom dans son dossier.\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(messagesQt);
    // A server takes no daily copy, and its search index comes with its tables: no first opening.
    const QTemporaryDir travail;
    if (serveur ? !dossierServeur(travail, adresse) : !premiereOuverture(argc, argv, base.absolutePath())) {
        std::fprintf(stderr, "brevanta-bench : Brevanta n'a pas pu ouvrir %s\n", qPrintable(adresse));
        return 1;
    }
    QApplication app(argc, argv);
    try {
        QDir::setCurrent(serveur ? travail.path() : base.absolutePath());
        Espion::installer();
        std::unique_ptr<Rejeu> rejeu;
        if (serveur) {
            // Refused here with the server's reason, rather than by the program's message box.
            Connection().open(adresse, Acces::Lecture);
            rejeu = std::make_unique<RejeuServeur>(adresse);
        } else {
            auto fichier = std::make_unique<RejeuSqlite>(base.absoluteFilePath());
            Espion::exclure(fichier->connexion());
            rejeu = std::move(fichier);
        }
        Message::setAutoAnswer(true);
        Main();
        Banc banc(*rejeu, Repetitions, defilerListes);
        const QVector<Resultat> table = derouler(banc, serveur ? adresse : base.absoluteFilePath());
        FinApplication();
        const double memoire = memoireMaxMo();
        afficher(table, memoire, rejeu->moteur());
        if (!csv.isEmpty())
            ecrireCsv(csv, table, memoire, rejeu->moteur());
    } catch (const ErreurBd& e) {
        std::fprintf(stderr, "brevanta-bench : %s\n", qPrintable(e.message()));
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "brevanta-bench : %s\n", e.what());
        return 1;
    }
    return 0;
}
