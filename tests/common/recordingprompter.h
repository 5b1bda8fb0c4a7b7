#pragma once

#include "app/prompter.h"

#include <QStringList>

namespace vintrel::test {

// Records every message and answers confirmations from a script (Yes when it runs out
// unless told otherwise).
class RecordingPrompter : public Prompter {
public:
    void info(const QString &text) override { infos << text; }
    void error(const QString &text) override { errors << text; }
    bool confirm(const QString &text) override
    {
        confirms << text;
        if (answers.isEmpty()) return defaultAnswer;
        return answers.takeFirst();
    }

    QStringList infos, errors, confirms;
    QList<bool> answers;
    bool defaultAnswer = true;
};

} // namespace vintrel::test
