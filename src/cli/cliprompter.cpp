#include "cliprompter.h"

#include <QRegularExpression>

namespace vintrel {

using namespace Qt::StringLiterals;

QString CliPrompter::oneLine(const QString &text)
{
    static const QRegularExpression breaks(u"\\r\\n|\\n\\r|\\n|\\r"_s);
    QString s = text;
    return s.replace(breaks, u"\\n"_s);
}

void CliPrompter::info(const QString &text)
{
    m_out << u"info: "_s << oneLine(text) << Qt::endl;
}

void CliPrompter::error(const QString &text)
{
    m_errorShown = true;
    m_err << u"error: "_s << oneLine(text) << Qt::endl;
}

void CliPrompter::answered(const QString &text, bool yes)
{
    m_out << u"confirm: "_s << oneLine(text) << (yes ? u" -> yes"_s : u" -> no"_s) << Qt::endl;
}

bool CliPrompter::confirm(const QString &text)
{
    m_out << u"confirm: "_s << oneLine(text) << (m_yes ? u" -> yes"_s : u" -> no"_s) << Qt::endl;
    if (!m_yes) m_declined = true;
    return m_yes;
}

} // namespace vintrel
