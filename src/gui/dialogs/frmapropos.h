#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class FrmApropos;
}

// The About box: product name, version and what the program is for.
class FrmApropos : public QDialog {
    Q_OBJECT
public:
    explicit FrmApropos(QWidget* parent = nullptr);
    ~FrmApropos() override;

private:
    std::unique_ptr<Ui::FrmApropos> ui;
};
