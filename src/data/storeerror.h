#pragma once

#include <QString>

#include <stdexcept>

namespace vintrel {

// A refusal or failure of the table store. The message is meant for the operator.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace vintrel
