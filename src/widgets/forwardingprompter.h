#pragma once

#include "app/prompter.h"

namespace vintrel {

// A window's binders and navigator keep a reference to their prompter; this one passes every
// message on to a target that the main window may replace later (a test's recorder, say).
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
