#include "core/bd/lectureinterruptible.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QPointer>
#include <utility>
#include <vector>

namespace {

struct Etat {
    int profondeur = 0;
    bool arret = false;
    bool dansAttente = false;
    LectureInterruptible::Attente attente;
    int intervalle = 20;
    // Since the outermost read began, or the wait last ran.
    QElapsedTimer depuis;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> apres;
};

thread_local Etat g_etat;

void poster(QObject* contexte, std::function<void()> travail) {
    if (contexte)
        QMetaObject::invokeMethod(contexte, std::move(travail), Qt::QueuedConnection);
}

} // namespace

LectureInterruptible::LectureInterruptible() {
    if (g_etat.profondeur++ == 0)
        g_etat.depuis.start();
}

LectureInterruptible::~LectureInterruptible() {
    if (--g_etat.profondeur > 0)
        return;
    g_etat.arret = false;
    for (auto& [contexte, travail] : std::exchange(g_etat.apres, {}))
        poster(contexte, std::move(travail));
}

bool LectureInterruptible::enCours() {
    return g_etat.profondeur > 0;
}

bool LectureInterruptible::arretee() {
    return g_etat.arret;
}

void LectureInterruptible::interrompre() {
    if (enCours())
        g_etat.arret = true;
}

void LectureInterruptible::apres(QObject* contexte, std::function<void()> travail) {
    if (enCours())
        g_etat.apres.emplace_back(contexte, std::move(travail));
    else
        poster(contexte, std::move(travail));
}

bool LectureInterruptible::patienter() {
    if (!enCours())
        return false;
    if (!g_etat.arret && g_etat.attente && !g_etat.dansAttente &&
        g_etat.depuis.elapsed() >= g_etat.intervalle) {
        g_etat.dansAttente = true;
        try {
            g_etat.attente();
        } catch (...) {
            // The wait only lets input in; the read goes on whatever it met.
        }
        g_etat.dansAttente = false;
        g_etat.depuis.start();
    }
    return g_etat.arret;
}

LectureInterruptible::Attente LectureInterruptible::installer(Attente attente, int intervalleMs) {
    g_etat.intervalle = intervalleMs;
    return std::exchange(g_etat.attente, std::move(attente));
}

const char* LectureInterrompue::what() const noexcept {
    return "lecture remplacée par une demande plus récente";
}
