#include "clirun.h"
#include "datatestutil.h"
#include "twoaspectsfixture.h"

#include "app/command.h"
#include "data/refusal.h"
#include "tools/competitionarchive.h"
#include "tools/competitioncommands.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QUuid>

#include <zip.h>

#include <gtest/gtest.h>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

const QStringList kAllTables{u"T_COMP"_s,    u"T_PERSON"_s,  u"T_ORG"_s,   u"T_ASPECT"_s,
                             u"T_PART"_s,    u"T_TRAIN"_s,   u"T_JUDGE"_s, u"REZ_TOUR"_s,
                             u"REZ_OLIMP"_s, u"NAME_TOUR"_s, u"TOUR_PR"_s, u"TOUR_OLIMP"_s,
                             u"T_VT"_s,      u"VARIANT"_s,   u"T_OBSL"_s,  u"num"_s};

// Every row of a table as text, read from the file through a connection of its own.
QStringList dump(const QString &databaseFile, const QString &table)
{
    const QString connection = QUuid::createUuid().toString();
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
        db.setDatabaseName(databaseFile);
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(u"SELECT * FROM %1 ORDER BY rowid"_s.arg(table));
            while (q.next()) {
                QStringList values;
                for (int i = 0; i < q.record().count(); ++i)
                    values << q.value(i).toString();
                rows << values.join(u'|');
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return rows;
}

struct Entry {
    QString name;
    int method = -1;
};

QList<Entry> entriesOf(const QString &zipPath)
{
    QList<Entry> entries;
    int error = 0;
    zip_t *z = zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!z) return entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(z, zip_uint64_t(i), 0, &st);
        entries.append({QString::fromUtf8(st.name), int(st.comp_method)});
    }
    zip_discard(z);
    return entries;
}

// An archive with the given entries and contents, as a stranger's archive might be.
void writeZip(const QString &zipPath, const QList<std::pair<QString, QByteArray>> &files)
{
    int error = 0;
    zip_t *z = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(z, nullptr);
    for (const auto &[name, data] : files) {
        void *copy = malloc(size_t(data.size()));
        memcpy(copy, data.constData(), size_t(data.size()));
        zip_source_t *s = zip_source_buffer(z, copy, zip_uint64_t(data.size()), 1);
        ASSERT_GE(zip_file_add(z, name.toUtf8().constData(), s, 0), 0);
    }
    ASSERT_EQ(zip_close(z), 0);
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class ArchiveTest : public TwoAspectsFixture {
protected:
    void SetUp() override
    {
        TwoAspectsFixture::SetUp();
        dm->store().exec(u"INSERT INTO T_PERSON (SURNAME, NAME) VALUES ('Орлов', 'Олег')"_s);
        dm->store().exec(u"INSERT INTO T_ORG (ORG_SHORT) VALUES ('Клинок')"_s);
        dm->store().exec(u"INSERT INTO T_JUDGE (ORG) VALUES ('Клинок')"_s);
        dm->store().exec(u"INSERT INTO REZ_TOUR (NUM_ASPECT, NUM_TOUR) VALUES (1, 1)"_s);
        dm->store().exec(u"UPDATE T_COMP SET JUDGE_NUM = 1, SECR_NUM = 1"_s);
        for (Table *t : dm->tables()) // the tables show what was written behind them
            t->refresh();
    }
    QString bd() const { return ws.root() + u"/bd"_s; }
    int count(const QString &table) const { return fileCount(ws.databaseFile(), table); }
    QString zip(const QString &name) const { return ws.root() + u"/bd_old/"_s + name; }
};

} // namespace

TEST_F(ArchiveTest, SavingPacksEveryFileOfTheFolderDeflated)
{
    QFile extra(bd() + u"/заметки.txt"_s);
    ASSERT_TRUE(extra.open(QIODevice::WriteOnly));
    extra.write("notes");
    extra.close();
    const QString path = zip(u"кубок.zip"_s);
    EXPECT_TRUE(runCommand(prompter, [&] { return saveCompetition(*dm, prompter, path); }));
    EXPECT_EQ(prompter.infos,
              QStringList{u"Соревнование успешно сохранено! Упаковано: 2  файлов."_s});
    const QList<Entry> entries = entriesOf(path);
    ASSERT_EQ(entries.size(), 2);
    QStringList names;
    for (const Entry &e : entries) {
        names << e.name;
        EXPECT_EQ(e.method, ZIP_CM_DEFLATE) << e.name.toStdString();
    }
    names.sort();
    EXPECT_EQ(names, (QStringList{u"Nusk.sqlite"_s, u"заметки.txt"_s}));
    EXPECT_FALSE(QFile::exists(path + u".part"_s));
}

// Unpacked into another workspace, the archive gives back every table row for row.
TEST_F(ArchiveTest, UnpackingBringsBackTheCompetitionRowForRow)
{
    const QString path = zip(u"a.zip"_s);
    ASSERT_EQ(CompetitionArchive::pack(bd(), ws.databaseFile(), path), 1);
    TempWorkspace other;
    ASSERT_EQ(CompetitionArchive::unpack(path, other.root() + u"/bd"_s, u"Nusk.sqlite"_s), 1);
    for (const QString &table : kAllTables)
        EXPECT_EQ(dump(other.databaseFile(), table), dump(ws.databaseFile(), table))
            << table.toStdString();
    EXPECT_EQ(dump(other.databaseFile(), u"T_PART"_s).size(), 9);
}

// The copy holds what was committed: a command still running is not half in the archive.
TEST_F(ArchiveTest, ACommandInProgressIsNotInTheArchive)
{
    const QString path = zip(u"b.zip"_s);
    {
        Transaction tx(dm->store());
        dm->store().exec(u"DELETE FROM T_PART"_s);
        CompetitionArchive::pack(bd(), ws.databaseFile(), path);
    }
    TempWorkspace other;
    CompetitionArchive::unpack(path, other.root() + u"/bd"_s, u"Nusk.sqlite"_s);
    EXPECT_EQ(dump(other.databaseFile(), u"T_PART"_s).size(), 9);
}

TEST_F(ArchiveTest, AnUnwritableTargetLeavesNoFileAndNoSuccess)
{
    QFile blocker(ws.root() + u"/bd_old/file"_s);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = ws.root() + u"/bd_old/file/a.zip"_s;
    EXPECT_FALSE(runCommand(prompter, [&] { return saveCompetition(*dm, prompter, path); }));
    EXPECT_TRUE(prompter.infos.isEmpty());
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_FALSE(QFile::exists(path));
}

// A folder that cannot be written to: libzip's message, no partial archive left.
TEST_F(ArchiveTest, AFolderWithoutWriteAccessLeavesNoPartialArchive)
{
    const QString locked = ws.root() + u"/locked"_s;
    ASSERT_TRUE(QDir().mkpath(locked));
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFile f(locked + u"/probe"_s); f.open(QIODevice::WriteOnly)) {
        f.remove();
        GTEST_SKIP() << "running as a user who writes anywhere";
    }
    EXPECT_FALSE(
        runCommand(prompter, [&] { return saveCompetition(*dm, prompter, locked + u"/a.zip"_s); }));
    EXPECT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(QDir(locked).entryList(QDir::Files | QDir::Hidden).isEmpty());
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(ArchiveTest, AnExistingArchiveIsReplaced)
{
    const QString path = zip(u"c.zip"_s);
    writeZip(path, {{u"old.txt"_s, "old"}, {u"older.txt"_s, "older"}});
    ASSERT_EQ(CompetitionArchive::pack(bd(), ws.databaseFile(), path), 1);
    const QList<Entry> entries = entriesOf(path);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name, u"Nusk.sqlite"_s);
}

TEST_F(ArchiveTest, NewCompetitionEmptiesTheCompetitionAndKeepsTheRegisters)
{
    const QStringList kept{u"T_PERSON"_s, u"T_ORG"_s,     u"T_JUDGE"_s, u"T_OBSL"_s,
                           u"T_TRAIN"_s,  u"NAME_TOUR"_s, u"VARIANT"_s};
    QHash<QString, QStringList> before;
    for (const QString &t : kept)
        before[t] = dump(ws.databaseFile(), t);
    prompter.answers = {true};
    EXPECT_TRUE(runCommand(prompter, [&] { return startNewCompetition(*dm, *context, prompter); }));
    ASSERT_EQ(prompter.confirms.size(), 1);
    EXPECT_TRUE(prompter.confirms[0].startsWith(u"Чтобы не потерять результаты"_s));
    for (const QString &t : {u"T_PART"_s, u"TOUR_PR"_s, u"TOUR_OLIMP"_s, u"REZ_TOUR"_s,
                             u"REZ_OLIMP"_s, u"T_VT"_s, u"T_ASPECT"_s})
        EXPECT_EQ(count(t), 0) << t.toStdString();
    for (const QString &t : kept)
        EXPECT_EQ(dump(ws.databaseFile(), t), before[t]) << t.toStdString();
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    EXPECT_TRUE(fileValue(ws.databaseFile(), u"SELECT NAME FROM T_COMP"_s).isNull());
    EXPECT_TRUE(fileValue(ws.databaseFile(), u"SELECT PLACE FROM T_COMP"_s).isNull());
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT DATA1 FROM T_COMP"_s).toString(), today);
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT DATA2 FROM T_COMP"_s).toString(), today);
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT JUDGE_NUM FROM T_COMP"_s).toInt(), 1);
    EXPECT_EQ(fileValue(ws.databaseFile(), u"SELECT SECR_NUM FROM T_COMP"_s).toInt(), 1);
    EXPECT_TRUE(context->aspectNames().isEmpty());
    EXPECT_FALSE(context->hasAspect());
    EXPECT_EQ(dm->tbl_PART->recordCount(), 0);
    EXPECT_EQ(dm->tbl_ASPECT->recordCount(), 0);
    EXPECT_EQ(dm->tbl_VT->recordCount(), 0);
}

TEST_F(ArchiveTest, NewCompetitionDeclinedOrFailingHalfwayChangesNothing)
{
    const QStringList comp = dump(ws.databaseFile(), u"T_COMP"_s);
    prompter.answers = {false};
    EXPECT_FALSE(
        runCommand(prompter, [&] { return startNewCompetition(*dm, *context, prompter); }));
    EXPECT_EQ(count(u"T_PART"_s), 9);
    EXPECT_EQ(dump(ws.databaseFile(), u"T_COMP"_s), comp);

    // The tour rows refuse to go: the participants emptied before them come back.
    dm->store().exec(u"CREATE TRIGGER keep_tours BEFORE DELETE ON T_VT BEGIN "
                     u"SELECT RAISE(ABORT, 'туры заняты'); END"_s);
    prompter.answers = {true};
    EXPECT_FALSE(
        runCommand(prompter, [&] { return startNewCompetition(*dm, *context, prompter); }));
    EXPECT_EQ(prompter.errors.size(), 1);
    EXPECT_EQ(count(u"T_PART"_s), 9);
    EXPECT_EQ(count(u"TOUR_PR"_s), 6);
    EXPECT_EQ(count(u"T_ASPECT"_s), 2);
    EXPECT_EQ(dump(ws.databaseFile(), u"T_COMP"_s), comp);
    EXPECT_EQ(context->aspectNames().size(), 2);
    EXPECT_EQ(dm->tbl_PART->recordCount(), 4);
}

TEST(CompetitionNotices, TextsAsTheOperatorReadsThem)
{
    RecordingPrompter prompter;
    showPublicationNotice(prompter);
    showArchiveNotice(prompter);
    EXPECT_EQ(prompter.infos,
              (QStringList{u"Эта функция находится в стадии разработки."_s,
                           u"В следующей форме, необходимо дать имя файлу архива, в котором "
                           u"будет сохранено текущее соревнование."_s}));
    showRestoreNotice(prompter);
    ASSERT_EQ(prompter.errors.size(), 1);
    const QStringList lines = prompter.errors[0].split(u"\n\r"_s);
    ASSERT_EQ(lines.size(), 7); // each of the six lines ends with its break
    EXPECT_EQ(lines[0],
              u"Для того чтобы восстановить соревнование необходимо проделать следующее :"_s);
    EXPECT_EQ(lines[2],
              u"2) В каталоге ..\\bd_old найти нужный архив с необходимым соревнованием,"_s);
    EXPECT_EQ(
        lines[5],
        u"Таблицы: T_COMP, T_PART, TOUR_PR, TOUR_OLIMP, REZ_TOUR, REZ_OLIMP, T_VT, T_ASPECT."_s);
    EXPECT_TRUE(lines[6].isEmpty());
}

// The command line: save, start anew, restore; the current database is kept first.
TEST(ArchiveVerbs, RestoreRoundTripKeepsTheCurrentDatabase)
{
    TempWorkspace ws(true);
    const QString root = ws.root();
    const QStringList people = dump(ws.databaseFile(), u"T_PERSON"_s);
    const QStringList parts = dump(ws.databaseFile(), u"T_PART"_s);
    ASSERT_FALSE(parts.isEmpty());
    const QString saved = root + u"/bd_old/демо.zip"_s;
    const CliRun archive = cli({u"--root"_s, root, u"archive"_s, saved});
    EXPECT_EQ(archive.status, 0) << archive.err.toStdString();
    EXPECT_EQ(archive.lines().size(), 2);
    EXPECT_EQ(archive.lines().value(1),
              u"info: Соревнование успешно сохранено! Упаковано: 1  файлов."_s);

    EXPECT_EQ(cli({u"--root"_s, root, u"new-competition"_s}).status, 3);
    EXPECT_EQ(dump(ws.databaseFile(), u"T_PART"_s), parts);
    EXPECT_EQ(cli({u"--root"_s, root, u"--yes"_s, u"new-competition"_s}).status, 0);
    EXPECT_TRUE(dump(ws.databaseFile(), u"T_PART"_s).isEmpty());
    const QStringList afterNew = dump(ws.databaseFile(), u"T_COMP"_s);

    const CliRun restore = cli({u"--root"_s, root, u"restore"_s, saved});
    EXPECT_EQ(restore.status, 0) << restore.err.toStdString();
    EXPECT_EQ(dump(ws.databaseFile(), u"T_PART"_s), parts);
    EXPECT_EQ(dump(ws.databaseFile(), u"T_PERSON"_s), people);
    const QStringList kept =
        QDir(root + u"/bd_old"_s).entryList({u"перед-восстановлением-*.zip"_s}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    TempWorkspace other;
    CompetitionArchive::unpack(root + u"/bd_old/"_s + kept[0], other.root() + u"/bd"_s,
                               u"Nusk.sqlite"_s);
    EXPECT_EQ(dump(other.databaseFile(), u"T_COMP"_s), afterNew);
    EXPECT_EQ(cli({u"--root"_s, root, u"restore"_s}).status, 2);
}

TEST(ArchiveVerbs, RestoreRefusesWhileOpenAndForeignArchivesChangingNothing)
{
    TempWorkspace ws(true);
    const QString root = ws.root();
    const QString saved = root + u"/saved.zip"_s;
    ASSERT_EQ(cli({u"--root"_s, root, u"archive"_s, saved}).status, 0);
    const QByteArray database = fileBytes(ws.databaseFile());

    const auto refused = [&](const QString &zipPath, const QString &what) {
        const CliRun run = cli({u"--root"_s, root, u"restore"_s, zipPath});
        EXPECT_EQ(run.status, 1) << what.toStdString();
        EXPECT_TRUE(run.err.startsWith(u"error: "_s)) << what.toStdString();
        EXPECT_EQ(fileBytes(ws.databaseFile()), database) << what.toStdString();
        EXPECT_TRUE(QDir(root + u"/bd_old"_s).entryList(QDir::Files).isEmpty())
            << what.toStdString();
        EXPECT_EQ(QDir(root + u"/bd"_s).entryList(QDir::Files), QStringList{u"Nusk.sqlite"_s});
    };
    {
        const auto session = ws.openSession(); // the program has the workspace open
        refused(saved, u"open"_s);
    }
    const QString climbing = root + u"/climbing.zip"_s;
    writeZip(climbing, {{u"Nusk.sqlite"_s, fileBytes(ws.databaseFile())}, {u"../evil"_s, "x"}});
    refused(climbing, u"folder part"_s);
    const QString noDatabase = root + u"/nodb.zip"_s;
    writeZip(noDatabase, {{u"T_PART.db"_s, "x"}});
    refused(noDatabase, u"no database"_s);
    const QString garbage = root + u"/garbage.zip"_s;
    writeZip(garbage, {{u"Nusk.sqlite"_s, QByteArray(4096, 'x')}});
    refused(garbage, u"not a database"_s);
    QFile notZip(root + u"/not.zip"_s);
    ASSERT_TRUE(notZip.open(QIODevice::WriteOnly));
    notZip.write("not a zip at all");
    notZip.close();
    refused(notZip.fileName(), u"not a zip"_s);
    refused(root + u"/missing.zip"_s, u"missing"_s);
    EXPECT_FALSE(QFile::exists(root + u"/evil"_s));
}
