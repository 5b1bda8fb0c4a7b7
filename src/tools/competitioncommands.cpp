#include "competitioncommands.h"

#include "competitionarchive.h"
#include "workspacelock.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "app/prompter.h"
#include "data/dm.h"
#include "data/refusal.h"
#include "data/workspace.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

// The tables of one competition, in the order they are emptied.
const QStringList kCompetitionTables{u"T_PART"_s,    u"TOUR_PR"_s, u"TOUR_OLIMP"_s, u"REZ_TOUR"_s,
                                     u"REZ_OLIMP"_s, u"T_VT"_s,    u"T_ASPECT"_s};

} // namespace

bool showPublicationNotice(Prompter &prompter)
{
    prompter.info(u"Эта функция находится в стадии разработки."_s);
    return true;
}

bool showArchiveNotice(Prompter &prompter)
{
    prompter.info(u"В следующей форме, необходимо дать имя файлу архива, в котором будет "
                  u"сохранено текущее соревнование."_s);
    return true;
}

bool saveCompetition(TDM &dm, Prompter &prompter, const QString &zipPath)
{
    const QString database = dm.store().filePath();
    const int count =
        CompetitionArchive::pack(QFileInfo(database).absolutePath(), database, zipPath);
    prompter.info(u"Соревнование успешно сохранено! Упаковано: %1  файлов."_s.arg(count));
    return true;
}

QString restoreNoticeText()
{
    const QStringList lines{
        u"Для того чтобы восстановить соревнование необходимо проделать следующее :"_s,
        u"1) Закрыть программу обслуживания соревнований,"_s,
        u"2) В каталоге ..\\bd_old найти нужный архив с необходимым соревнованием,"_s,
        u"3) Разархивировать его в каталог ..\\bd, заменив старые файлы базы данных."_s,
        u"При этом учтите, что если Вы хотите оставить текущее соревнование, то его необходимо "
        u"заранее сохранить, иначе данные будут потеряны."_s,
        u"Таблицы: T_COMP, T_PART, TOUR_PR, TOUR_OLIMP, REZ_TOUR, REZ_OLIMP, T_VT, T_ASPECT."_s};
    QString text;
    for (const QString &line : lines)
        text += line + u"\n\r"_s;
    return text;
}

bool showRestoreNotice(Prompter &prompter)
{
    prompter.error(restoreNoticeText());
    return true;
}

bool startNewCompetition(TDM &dm, CurrentContext &context, Prompter &prompter)
{
    if (!prompter.confirm(u"Чтобы не потерять результаты текущего соревнования Вам необходимо "
                          u"сохранить текущее соревнование, иначе все будет потеряно. Только "
                          u"после этого Вы можете начать следующее. Согласны ли Вы начать "
                          u"новое соревнование?"_s))
        return false;
    atomically(dm.store(), [&] {
        Table &comp = *dm.tbl_COMP;
        if (comp.isEmpty())
            comp.append();
        else
            comp.edit();
        for (const QString &field : {u"NAME"_s, u"NAME1"_s, u"NAME2"_s, u"NAME3"_s, u"PLACE"_s})
            comp.setValue(field, QVariant());
        comp.setValue(u"DATA1"_s, QDate::currentDate());
        comp.setValue(u"DATA2"_s, QDate::currentDate());
        comp.post();
        for (const QString &table : kCompetitionTables)
            dm.store().exec(u"DELETE FROM "_s + table);
        for (const QString &table : kCompetitionTables)
            dm.table(table)->refresh();
    });
    // An empty aspect list: the main window hides the tour list with it.
    context.loadAspects();
    return true;
}

bool restoreCompetition(const Workspace &workspace, const QString &zipPath, Prompter &prompter)
{
    if (!QFileInfo(zipPath).isFile()) throw RuleError(u"Архив %1 не найден."_s.arg(zipPath));
    WorkspaceLock lock(workspace); // held to the end: no program starts on it meanwhile
    if (!lock.tryLock())
        throw RuleError(u"С рабочей папкой %1 сейчас работает программа. Закройте ее, прежде "
                        u"чем восстанавливать соревнование."_s.arg(workspace.root()));
    const QString database = workspace.databaseFile();
    const QString folder = QFileInfo(database).absolutePath();
    if (!QDir().mkpath(folder)) throw RuleError(u"Не удалось создать каталог %1."_s.arg(folder));

    // The current database is kept only once the archive has passed every check.
    QString kept;
    const int count =
        CompetitionArchive::unpack(zipPath, folder, QFileInfo(database).fileName(), [&] {
            if (!QFileInfo(database).isFile()) return;
            kept = workspace.path(u"bd_old/перед-восстановлением-%1.zip"_s.arg(
                QDateTime::currentDateTime().toString(u"yyyy-MM-dd-HHmmss"_s)));
            CompetitionArchive::pack(folder, database, kept);
        });
    QString text =
        u"Соревнование восстановлено из архива %1 (файлов: %2)."_s.arg(zipPath).arg(count);
    if (!kept.isEmpty()) text += u" Прежняя база данных сохранена в архиве %1."_s.arg(kept);
    prompter.info(text);
    return true;
}

} // namespace vintrel
