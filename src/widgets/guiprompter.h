#pragma once

#include "app/prompter.h"

class QWidget;

namespace vintrel {

// Message boxes: error and information with "OK", confirmation with "Да" and "Нет".
class GuiPrompter : public Prompter {
public:
    explicit GuiPrompter(QWidget *parent = nullptr) : m_parent(parent) {}
    void info(const QString &text) override;
    void error(const QString &text) override;
    bool confirm(const QString &text) override;

private:
    QWidget *m_parent;
};

} // namespace vintrel
