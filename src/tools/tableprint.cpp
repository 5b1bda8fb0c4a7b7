#include "tableprint.h"

#include "browsedtables.h"
#include "htmltablewriter.h"
#include "savedfile.h"
#include "unfilteredtable.h"

#include "app/currentcontext.h"
#include "data/dm.h"
#include "data/refusal.h"
#include "data/workspace.h"

namespace vintrel {

using namespace Qt::StringLiterals;

QString tablePagePath(const Workspace &workspace)
{
    return workspace.path(u"HTML/part.htm"_s);
}

void printDataSet(DataSet &set, const QString &title, const QString &path)
{
    if (auto *table = qobject_cast<Table *>(&set)) table->post();
    saveFile(path, [&](QIODevice &out) { writeHtmlTable(out, set, title); });
}

void printTable(TDM &dm, const QString &tableName, const QString &path)
{
    Table *table = dm.table(tableName);
    if (!table) throw RuleError(u"В базе данных нет таблицы %1."_s.arg(tableName));
    const UnfilteredTable everyRow(*table);
    printDataSet(*table, browserTitle(table->def().name), path);
}

QString openParticipantList(TDM &dm, const CurrentContext &context)
{
    static const QStringList orders{u"ORDER BY SURNAME"_s, u"ORDER BY ORG"_s,
                                    u"ORDER BY CLASSIFICATION"_s, u"ORDER BY PLACE"_s,
                                    u"ORDER BY START"_s};
    const int sort = std::clamp(context.sortOrder(), 0, int(orders.size()) - 1);
    Query &q = *dm.qr_Temp;
    q.clear();
    q.add(u"SELECT PLACE AS Место, SURNAME AS Фамилия, NAME AS Имя, ORG AS Организация, "
          u"FIGHT AS Боев, VICTORY AS Побед,"_s);
    q.add(u"PRICK AS НУ, PRICK_PASS AS ПУ, CLASSIFICATION AS Кл_ция, START AS Стартовый"_s);
    q.add(u"FROM T_PART"_s);
    q.add(u"WHERE NUM_ASPECT=%1"_s.arg(context.currentAspect()));
    q.add(orders[sort]);
    q.open();
    return u"Список участников по "_s + CurrentContext::sortItems()[sort];
}

} // namespace vintrel
