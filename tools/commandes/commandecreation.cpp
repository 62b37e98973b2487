#include "bases/creation.h"
#include "commandes/commande.h"
#include "core/bd/choixbase.h"
#include "core/bd/horloge.h"
#include "generation/demo.h"

namespace {
// init and demo: a new base, empty or filled.
class Creation : public Commande {
public:
    Creation(const QString& nom, const QString& resume, const QString& aide, const Remplissage& remplir)
        : Commande(nom, {"BASE"}, resume, aide + aideJamaisRemplace()), m_remplir(remplir) {}

private:
    QString executer(const QStringList& a) override {
        creerBase(a[0], m_remplir);
        return QStringLiteral("Base créée : %1").arg(adresseMontrable(a[0]));
    }

    Remplissage m_remplir;
};
} // namespace

std::unique_ptr<Commande> commandeInit() {
    return std::make_unique<Creation>(
        "init", "crée une base Brevanta vide",
        "Sur un serveur, les tables sont créées dans la base nommée, qui doit exister.\n", Remplissage());
}

std::unique_ptr<Commande> commandeDemo() {
    return std::make_unique<Creation>("demo", "crée une base Brevanta remplie d'un exemple",
                                      "Actions et rendez-vous sont placés autour de la date du jour.\n",
                                      [](Connection& base) { remplirDemo(base, Horloge::aujourdhui()); });
}
