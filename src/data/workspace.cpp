#include "workspace.h"

#include "store.h"
#include "storeerror.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

const QStringList kFolders{u"bd"_s,   u"Template"_s, u"Report"_s, u"HTML"_s,
                           u"HELP"_s, u"bd_old"_s,   u"sql"_s};

void copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    if (!QFileInfo(from).isDir()) return;
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + u'/' + QDir(from).relativeFilePath(source);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::remove(target);
        if (!QFile::copy(source, target))
            throw StoreError(u"Не удалось скопировать файл %1 в %2."_s.arg(source, target));
    }
}

} // namespace

Workspace::Workspace(const QString &root) : m_root(QDir(root).absolutePath()) {}

QString Workspace::resolveRoot(const QString &option)
{
    if (!option.isEmpty()) return option;
    const QString env = qEnvironmentVariable("VINTREL_ROOT");
    if (!env.isEmpty()) return env;
    return QDir::homePath() + u"/Vintrel"_s;
}

QString Workspace::path(const QString &relative) const
{
    return m_root + u'/' + relative;
}

bool Workspace::hasDatabase() const
{
    return QFileInfo::exists(databaseFile());
}

QString Workspace::shippedDataDir()
{
    const QString env = qEnvironmentVariable("VINTREL_DATA_DIR");
    if (!env.isEmpty()) return env;
    return QStringLiteral(VINTREL_SOURCE_DIR);
}

void Workspace::create(bool demo) const
{
    if (hasDatabase())
        throw StoreError(
            u"В каталоге %1 уже есть база данных: новая рабочая папка не создана."_s.arg(
                path(u"bd"_s)));
    for (const QString &folder : kFolders)
        if (!QDir().mkpath(path(folder)))
            throw StoreError(u"Не удалось создать каталог %1."_s.arg(path(folder)));
    copyTree(shippedDataDir() + u"/Template"_s, path(u"Template"_s));
    copyTree(shippedDataDir() + u"/HELP"_s, path(u"HELP"_s));

    // The database is written under a temporary name and renamed when complete, so a failed
    // init never leaves a half-filled database behind.
    const QString temporary = databaseFile() + u".new"_s;
    QFile::remove(temporary);
    try {
        Store::create(temporary);
        {
            Store store(temporary);
            fillReferenceRows(store);
            if (demo) fillDemoCompetition(store);
        }
        if (!QFile::rename(temporary, databaseFile()))
            throw StoreError(u"Не удалось записать базу данных %1."_s.arg(databaseFile()));
    } catch (...) {
        QFile::remove(temporary);
        throw;
    }
}

void fillReferenceRows(Store &store)
{
    Transaction tx(store);
    const QStringList tourNames{u"1 предварительный тур"_s, u"2 предварительный тур"_s,
                                u"3 предварительный тур"_s, u"4 предварительный тур"_s,
                                u"5 предварительный тур"_s, u"6 предварительный тур"_s,
                                u"Тур прямого выбывания"_s, u"Тур прямого выбывания с утешением"_s};
    for (int i = 0; i < tourNames.size(); ++i)
        store.exec(u"INSERT INTO NAME_TOUR (NUM, NAME) VALUES (?, ?)"_s, {i + 1, tourNames[i]});

    // Tours of each variant; variant 12 (team competition) is run as a pool tour followed by
    // direct elimination.
    const std::vector<std::vector<int>> variants{
        {1, 2, 7},          {1, 7},    {7},    {1, 2}, {1, 2, 3}, {1, 2, 3, 4}, {1, 2, 3, 4, 5},
        {1, 2, 3, 4, 5, 6}, {1, 2, 8}, {1, 8}, {8},    {1, 7}};
    for (size_t v = 0; v < variants.size(); ++v)
        for (int tour : variants[v])
            store.exec(u"INSERT INTO VARIANT (NUM, NUM_TOUR) VALUES (?, ?)"_s, {int(v) + 1, tour});

    const QString today = QDate::currentDate().toString(Qt::ISODate);
    store.exec(u"INSERT INTO T_COMP (DATA1, DATA2) VALUES (?, ?)"_s, {today, today});
    tx.commit();
}

} // namespace vintrel
