#include "widgets/message.h"

#include <QAbstractButton>
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

QMessageBox::StandardButton Message::ouiNonAnnuler(const QString& texte, QWidget* parent) {
    return afficher(texte, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                    parent);
}

QMessageBox::StandardButton Message::rechargerAnnuler(const QString& texte, QWidget* parent) {
    return afficher(texte, QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel, parent);
}

QMessageBox::StandardButton Message::afficher(const QString& texte, QMessageBox::StandardButtons boutons,
                                              QMessageBox::StandardButton parDefaut, QWidget* parent) {
    g_textes << texte;
    if (!g_reponses.isEmpty())
        return g_reponses.dequeue();
    if (g_auto && !g_examen)
        return parDefaut;
    QMessageBox boite(QMessageBox::NoIcon, QStringLiteral("Brevanta"), texte, boutons, parent);
    // Enter or a stray space answers what the program asks for by default: "Non" to a delete.
    boite.setDefaultButton(parDefaut);
    if (boutons.testFlag(QMessageBox::Cancel))
        boite.setEscapeButton(QMessageBox::Cancel);
    if (boutons == (QMessageBox::Yes | QMessageBox::Cancel))
        boite.button(QMessageBox::Yes)->setText(QStringLiteral("Recharger"));
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
