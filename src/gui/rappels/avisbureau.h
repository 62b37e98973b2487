#pragma once

#include "gui/rappels/avisrappel.h"

#include <QObject>

class QSystemTrayIcon;

// The desktop's notice where the desktop has a tray; otherwise a small window that does not take
// the focus from the record being typed.
class AvisBureau : public QObject, public AvisRappel {
    Q_OBJECT
public:
    explicit AvisBureau(QObject* parent = nullptr);
    void montrer(const Rappel& rappel, const Reponses& reponses) override;

private:
    QSystemTrayIcon* m_icone = nullptr;
    // The answers to the last notice the tray showed.
    Reponses m_derniere;
};
