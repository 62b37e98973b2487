#include "widgets/message.h"

#include <QQueue>
#include <utility>

namespace {
QQueue<QMessageBox::StandardButton> g_reponses;
QStringList g_textes;
bool g_auto = false;
std::function<QMessageBox::StandardButton(QMessageBox&)> g_examen;
} // namespace

QMessageBox::StandardButton Message::ok(const QString& texte, QWidget* parent) {
    return afficher(texte, QMessageBox::Ok, QMessageBox::Ok, parent);
}

QMessageBox::StandardButton Message::ouiNon(const QString& texte, QWidget* parent) {
    return afficher(texte, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, parent);
}

QMessageBox::StandardButton Message::afficher(const QString& texte, QMessageBox::StandardButtons boutons,
                                              QMessageBox::StandardButton parDefaut, QWidget* parent) {
    g_textes << texte;
    if (!g_reponses.isEmpty())
        return g_reponses.dequeue();
    if (g_auto && !g_examen)
        return parDefaut;
    QMessageBox boite(QMessageBox::NoIcon, QStringLiteral("Brevanta"), texte, boutons, parent);
    boite.setDefaultButton(boutons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok);
    if (g_examen)
        return std::exchange(g_examen, nullptr)(boite);
    return static_cast<QMessageBox::StandardButton>(boite.exec());
}

void Message::setNextAnswer(QMessageBox::StandardButton reponse) {
    g_reponses.enqueue(reponse);
}

void Message::setNextBox(std::function<QMessageBox::StandardButton(QMessageBox&)> examen) {
    g_examen = std::move(examen);
}

void Message::setAutoAnswer(bool actif) {
    g_auto = actif;
}

QStringList Message::textesAffiches() {
    return g_textes;
}

QString Message::dernierTexte() {
    return g_textes.isEmpty() ? QString() : g_textes.last();
}

void Message::effacer() {
    g_textes.clear();
    g_reponses.clear();
    g_examen = nullptr;
}
