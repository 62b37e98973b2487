#pragma once

#include <QString>

class QWidget;

// What the other windows ask of the main window. They are handed it when opened, so that none
// of them depends on the main window's class.
class Navigation {
public:
    virtual ~Navigation() = default;
    // Shows the client and the contact stored under these names; false, nothing changed, while a
    // record is edited or when either is not listed.
    virtual bool allerA(const QString& clientStocke, const QString& contactStocke) = 0;
    // Shows the action (type 0) or appointment (type 1) of this Id; false while a record is
    // edited or when it is gone.
    virtual bool allerAuSuivi(int type, int id) = 0;
    // Whether a record is being created or modified.
    virtual bool enSaisie() const = 0;
    // The main window, to place beside and to bring forward.
    virtual QWidget* fenetre() = 0;
};
