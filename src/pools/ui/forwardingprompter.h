#pragma once

#include "app/prompter.h"

namespace vintrel {

// The prompter a pool window hands to its binders and navigator: it passes every message on
// to the window's current prompter, so replacing that one reaches them all.
class ForwardingPrompter : public Prompter {
public:
    explicit ForwardingPrompter(Prompter &to) : m_to(&to) {}
    void setTarget(Prompter &to) { m_to = &to; }
    void info(const QString &text) override { m_to->info(text); }
    void error(const QString &text) override { m_to->error(text); }
    bool confirm(const QString &text) override { return m_to->confirm(text); }

private:
    Prompter *m_to;
};

} // namespace vintrel
