#pragma once

#include <QWidget>

// The main window: every record is edited here.
class FrmClient : public QWidget {
    Q_OBJECT
public:
    explicit FrmClient(QWidget* parent = nullptr);
};
