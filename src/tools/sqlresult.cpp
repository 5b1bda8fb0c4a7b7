#include "sqlresult.h"

#include <QSet>

namespace vintrel {

using namespace Qt::StringLiterals;

void SqlResult::setRows(SqlRows result)
{
    // Fields are found by name: a repeated name gets a suffix, its title stays the name.
    QStringList names;
    QSet<QString> taken;
    for (const QString &name : result.names) {
        QString unique = name.isEmpty() ? u"?"_s : name;
        for (int n = 1; taken.contains(unique.toLower()); ++n)
            unique = name + u"_"_s + QString::number(n);
        taken.insert(unique.toLower());
        names << unique;
    }
    setFields(names, result.names);
    m_hasResult = true;
    DataSet::setRows(std::move(result.rows), 0);
}

void SqlResult::clear()
{
    m_hasResult = false;
    setFields({}, {});
    DataSet::setRows({}, -1);
}

} // namespace vintrel
