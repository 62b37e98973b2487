#include "widgets/message.h"

#include <QAbstractButton>
#include <QQueue>
#include <utility>

namespace {
QQueue<QMessageBox::StandardButton> g_reponses;
QStringList g_textes;
bool g_auto = false;
std::function<QMessageBox::StandardButton(QMessageBox&)> g_examen;

// A value quoted whole (a stored text of megabytes) would lay out a box taller or wider than any
// screen: a long line keeps its beginning and its end, and so does a text of many lines.
constexpr int CaracteresParLigne = 500;
constexpr int Lignes = 12;
constexpr int Caracteres = 1000;

// The first n characters, or one less rather than half a pair.
QString debut(const QString& t, qsizetype n) {
    return t.left(n > 0 && t.at(n - 1).isHighSurrogate() ? n - 1 : n);
}
QString fin(const QString& t, qsizetype n) {
    const qsizetype d = t.size() - n;
    return t.mid(d > 0 && t.at(d).isLowSurrogate() ? d + 1 : d);
}
QString couper(const QString& t, qsizetype limite) {
    if (t.size() <= limite)
        return t;
    const qsizetype tete = limite * 4 / 5;
    return debut(t, tete) + QChar(0x2026) + fin(t, limite - tete - 1);
}

QString lisible(const QString& texte) {
    QStringList lignes = texte.split(QLatin1Char('\n'));
    if (lignes.size() > Lignes)
        lignes = lignes.mid(0, Lignes / 2) + QStringList(QString(QChar(0x2026))) +
                 lignes.mid(lignes.size() - (Lignes / 2 - 1));
    for (QString& ligne : lignes)
        ligne = couper(ligne, CaracteresParLigne);
    return couper(lignes.join(QLatin1Char('\n')), Caracteres);
}
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

QMessageBox::StandardButton Message::afficher(const QString& valeur, QMessageBox::StandardButtons boutons,
                                              QMessageBox::StandardButton parDefaut, QWidget* parent) {
    const QString texte = lisible(valeur);
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
