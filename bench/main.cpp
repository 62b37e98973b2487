// brevanta-bench DBFILE [--csv OUT]: times the real program on a large Brevanta.mdb (made by
// brevanta-db bench) and prints, for each interaction, its median time beside SQLite's own.
#include "banc.h"
#include "espion.h"
#include "mainwindow/frmclient.h"
#include "rejeu.h"
#include "scenario.h"
#include "ui/message.h"
#include "ui/principal.h"
#include "ui/sauvegardequotidienne.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>
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

void afficher(const QVector<Resultat>& table, double memoire) {
    const auto ligne = [](const QString& a, const QString& b, const QString& c, const QString& d,
                          const QString& e) {
        std::printf("%s\n", QStringLiteral("%1 %2 %3 %4 %5")
                                .arg(a, -40)
                                .arg(b, 9)
                                .arg(c, 13)
                                .arg(d, 12)
                                .arg(e, 8)
                                .toUtf8()
                                .constData());
    };
    ligne(QStringLiteral("interaction"), QStringLiteral("lignes"), QStringLiteral("médiane (ms)"),
          QStringLiteral("SQLite (ms)"), QStringLiteral("rapport"));
    for (const Resultat& r : table)
        ligne(r.interaction, QString::number(r.lignes), nombre(r.medianeMs, 1),
              r.sqliteMs ? nombre(*r.sqliteMs, 1) : QString(),
              r.sqliteMs ? nombre(r.medianeMs / *r.sqliteMs, 2) : QString());
    std::printf("%s\n",
                QStringLiteral("mémoire maximale : %1 Mo").arg(nombre(memoire, 0)).toUtf8().constData());
}

void ecrireCsv(const QString& chemin, const QVector<Resultat>& table, double memoire) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        throw std::runtime_error("impossible d'écrire " + chemin.toStdString());
    QTextStream csv(&f);
    csv << "interaction,rows,median_ms,sqlite_ms,ratio\n";
    for (const Resultat& r : table)
        csv << r.interaction << ',' << r.lignes << ',' << nombre(r.medianeMs, 2) << ','
            << (r.sqliteMs ? nombre(*r.sqliteMs, 2) : QString()) << ','
            << (r.sqliteMs ? nombre(r.medianeMs / *r.sqliteMs, 3) : QString()) << '\n';
    csv << "peak_rss_mb,," << nombre(memoire, 1) << ",,\n";
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
    const QFileInfo base(arguments.value(0));
    if (arguments.size() != 1 || base.fileName() != QLatin1String("Brevanta.mdb") || !base.isFile()) {
        std::fprintf(stderr,
                     "Usage : brevanta-bench DOSSIER/Brevanta.mdb [--csv FICHIER]\n"
                     "La base (faite par brevanta-db bench) doit s'appeler Brevanta.mdb : le programme "
                     "ouvre ce nom dans son dossier.\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(messagesQt);
    if (!premiereOuverture(argc, argv, base.absolutePath())) {
        std::fprintf(stderr, "brevanta-bench : Brevanta n'a pas pu ouvrir %s\n", qPrintable(base.filePath()));
        return 1;
    }
    QApplication app(argc, argv);
    try {
        QDir::setCurrent(base.absolutePath());
        Espion::installer();
        Rejeu rejeu(base.absoluteFilePath());
        Espion::exclure(rejeu.connexion());
        Message::setAutoAnswer(true);
        Main();
        Banc banc(rejeu, Repetitions);
        const QVector<Resultat> table = derouler(banc, base.absoluteFilePath());
        FinApplication();
        const double memoire = memoireMaxMo();
        afficher(table, memoire);
        if (!csv.isEmpty())
            ecrireCsv(csv, table, memoire);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "brevanta-bench : %s\n", e.what());
        return 1;
    }
    return 0;
}
