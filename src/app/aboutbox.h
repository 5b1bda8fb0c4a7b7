#pragma once

#include <QDialog>

namespace vintrel {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);
};

} // namespace vintrel
