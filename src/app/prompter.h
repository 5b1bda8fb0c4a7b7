#pragma once

#include <QString>

namespace vintrel {

// The one way a command talks to the operator: message boxes in the program, printed lines
// in the command-line tool, recorded texts in the tests.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void info(const QString &text) = 0;
    virtual void error(const QString &text) = 0;
    virtual bool confirm(const QString &text) = 0; // true: "Да"
};

} // namespace vintrel
