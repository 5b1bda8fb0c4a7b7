#pragma once

#include "app/prompter.h"

#include <QTextStream>

namespace vintrel {

// Messages as printed lines: "info: …" on stdout, "error: …" on stderr,
// "confirm: … -> yes|no" on stdout, answering every confirmation from --yes.
class CliPrompter : public Prompter {
public:
    CliPrompter(QTextStream &out, QTextStream &err, bool yes) : m_out(out), m_err(err), m_yes(yes)
    {
    }

    void info(const QString &text) override;
    void error(const QString &text) override;
    bool confirm(const QString &text) override;

    // Prints a question with an answer fixed by the command line (not counted as a stop).
    void answered(const QString &text, bool yes);

    bool errorShown() const { return m_errorShown; }
    bool declined() const { return m_declined; }

    // Each line break of a message becomes the two characters \n.
    static QString oneLine(const QString &text);

private:
    QTextStream &m_out;
    QTextStream &m_err;
    bool m_yes;
    bool m_errorShown = false;
    bool m_declined = false;
};

} // namespace vintrel
