#include "widgets/entreespendantlecture.h"

#include "core/bd/lectureinterruptible.h"

#include <QCoreApplication>
#include <QEvent>
#include <memory>

void EntreesPendantLecture::laisserEntrer() {
    EntreesPendantLecture filtre;
    QCoreApplication::instance()->installEventFilter(&filtre);
    QCoreApplication::processEvents();
}

bool EntreesPendantLecture::eventFilter(QObject* objet, QEvent* e) {
    switch (e->type()) {
    case QEvent::Timer:
        // A timer fires again once the read is over; its handler might read too.
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::Close:
        LectureInterruptible::interrompre();
        [[fallthrough]];
    // A window brought forward looks for colleagues' saves: after the read, on the free connection.
    case QEvent::ActivationChange:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::ContextMenu: {
        const std::shared_ptr<QEvent> copie(e->clone());
        LectureInterruptible::apres(objet,
                                    [objet, copie] { QCoreApplication::sendEvent(objet, copie.get()); });
        return true;
    }
    default:
        return false;
    }
}
