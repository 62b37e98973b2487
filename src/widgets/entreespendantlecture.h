#pragma once

#include <QObject>

// The user's input while a list or a search is read on the windows' thread: the windows go on
// painting, and a click or a key stops the read, then reaches its control once the read is over.
// No handler runs inside the read: the engine's connection is busy with it.
class EntreesPendantLecture : public QObject {
public:
    // The wait of the reads the user may replace.
    static void laisserEntrer();

protected:
    bool eventFilter(QObject* objet, QEvent* e) override;
};
