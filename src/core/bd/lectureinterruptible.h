#pragma once

#include <exception>
#include <functional>

class QObject;

// A read that a newer request of the user replaces (a list rebuilt, a search): while one runs, the
// engine calls patienter() now and then, which runs the installed wait (the windows let input in);
// a newer request stops the read, which then fails with LectureInterrompue, never shown. Reads on
// the one thread of the windows only; nested scopes belong to the outermost one.
class LectureInterruptible {
public:
    LectureInterruptible();
    // The last one out posts what was asked to run after the read.
    ~LectureInterruptible();
    LectureInterruptible(const LectureInterruptible&) = delete;
    LectureInterruptible& operator=(const LectureInterruptible&) = delete;

    // Runs a read the user may replace; once stopped, whatever it gave or raised ends in
    // LectureInterrompue (some engine calls end a stopped read as if it were complete).
    template <typename Lecture> static void executer(Lecture&& lecture);

    static bool enCours();
    // Asks the running read to stop at its engine's next check.
    static void interrompre();
    // Runs from the event loop once no read runs any more, unless contexte is gone by then: the work
    // a request could not do inside another's read.
    static void apres(QObject* contexte, std::function<void()> travail);
    // Called by the engines while a read runs; true when it must stop.
    static bool patienter();
    using Attente = std::function<void()>;
    // What runs while a read waits, once the read has run this long and as often; gives back the
    // one installed before.
    static Attente installer(Attente attente, int intervalleMs = 20);

private:
    static bool arretee();
};

// A read stopped by LectureInterruptible::interrompre().
class LectureInterrompue : public std::exception {
public:
    const char* what() const noexcept override;
};

template <typename Lecture> void LectureInterruptible::executer(Lecture&& lecture) {
    LectureInterruptible portee;
    try {
        lecture();
    } catch (const LectureInterrompue&) {
        throw;
    } catch (...) {
        if (arretee())
            throw LectureInterrompue();
        throw;
    }
    if (arretee())
        throw LectureInterrompue();
}
