#pragma once

#include <QString>

#include <stdexcept>

namespace vintrel {

// Why a command could not go on, in words meant for the operator. The store, the report engine
// and the rules of the commands each refuse with a kind of it; every front end catches this
// one class in one place and shows message() through its prompter.
class Refusal : public std::runtime_error {
public:
    explicit Refusal(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// A rule of a command refused the operator's input or the state of the competition.
class RuleError : public Refusal {
public:
    using Refusal::Refusal;
};

} // namespace vintrel
