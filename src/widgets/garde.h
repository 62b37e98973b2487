#pragma once

#include "core/bd/erreurbd.h"
#include "core/bd/lectureinterruptible.h"
#include "widgets/message.h"

#include <exception>

// Wraps an event handler: no exception reaches Qt's event loop. A failure is shown and the
// window stays as it was, typed input included.
template <typename F> bool Garde(F&& handler) {
    try {
        handler();
        return true;
    } catch (const LectureInterrompue&) {
        // Replaced by a newer request of the user, which runs next.
    } catch (const ErreurBd& e) {
        Message::ok(e.message());
    } catch (const std::exception& e) {
        Message::ok(QString::fromUtf8(e.what()));
    }
    return false;
}
