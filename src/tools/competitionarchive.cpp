#include "competitionarchive.h"

#include "data/refusal.h"
#include "data/store.h"
#include "data/storeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>
#include <zip.h>

#include <filesystem>
#include <memory>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void refuse(const QString &text)
{
    throw RuleError(text);
}

QString zipMessage(zip_error_t *error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

QString zipMessage(zip_t *archive)
{
    return zipMessage(zip_get_error(archive));
}

// A consistent copy of an open database: SQLite's online backup reads it page by page under
// its own read lock, so a copy never holds half of a command's writes.
void backupDatabase(const QString &from, const QString &to)
{
    sqlite3 *source = nullptr, *target = nullptr;
    const auto closeBoth = [&] {
        sqlite3_close(source);
        sqlite3_close(target);
    };
    const QByteArray fromName = QFile::encodeName(from), toName = QFile::encodeName(to);
    if (sqlite3_open_v2(fromName.constData(), &source, SQLITE_OPEN_READONLY, nullptr) !=
            SQLITE_OK ||
        sqlite3_open_v2(toName.constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(source ? source : target));
        closeBoth();
        refuse(u"Не удалось прочитать базу данных %1: %2"_s.arg(from, message));
    }
    sqlite3_busy_timeout(source, 5000);
    sqlite3_backup *backup = sqlite3_backup_init(target, "main", source, "main");
    int rc = SQLITE_ERROR;
    if (backup) {
        rc = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
    }
    const QString message = QString::fromUtf8(sqlite3_errmsg(target));
    closeBoth();
    if (rc != SQLITE_DONE)
        refuse(u"Не удалось скопировать базу данных %1: %2"_s.arg(from, message));
}

// Files SQLite keeps beside a database while it writes: never part of a copy.
bool isDatabaseCompanion(const QString &name, const QString &databaseName)
{
    return name == databaseName + u"-journal"_s || name == databaseName + u"-wal"_s ||
           name == databaseName + u"-shm"_s;
}

bool isBareFileName(const QString &name)
{
    return !name.isEmpty() && name != u"."_s && name != u".."_s && !name.contains(u'/') &&
           !name.contains(u'\\') && !name.contains(QChar(0));
}

void replaceFile(const QString &from, const QString &to)
{
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), error);
    if (error)
        refuse(
            u"Не удалось записать файл %1: %2"_s.arg(to, QString::fromLocal8Bit(error.message())));
}

struct ZipCloser {
    void operator()(zip_t *z) const
    {
        if (z) zip_discard(z);
    }
};

} // namespace

int CompetitionArchive::pack(const QString &folder, const QString &databaseFile,
                             const QString &zipPath)
{
    const QFileInfo target(zipPath);
    if (!QDir().mkpath(target.absolutePath()))
        refuse(u"Не удалось создать каталог %1."_s.arg(target.absolutePath()));
    QTemporaryDir scratch;
    if (!scratch.isValid())
        refuse(u"Не удалось создать временный каталог: %1"_s.arg(scratch.errorString()));
    const QString databaseName = QFileInfo(databaseFile).fileName();
    const QString snapshot = scratch.filePath(databaseName);
    const bool hasDatabase = QFileInfo(databaseFile).isFile();
    if (hasDatabase) backupDatabase(databaseFile, snapshot);

    // Written beside the target, so the last step is a rename on one file system.
    const QString partial = target.absoluteFilePath() + u".part"_s;
    QFile::remove(partial);
    int error = 0;
    std::unique_ptr<zip_t, ZipCloser> archive(
        zip_open(QFile::encodeName(partial).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error));
    if (!archive) {
        zip_error_t e;
        zip_error_init_with_code(&e, error);
        const QString message = zipMessage(&e);
        zip_error_fini(&e);
        refuse(u"Не удалось создать архив %1: %2"_s.arg(zipPath, message));
    }
    int count = 0;
    const QFileInfoList files =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &file : files) {
        const QString name = file.fileName();
        if (isDatabaseCompanion(name, databaseName)) continue;
        const QString source =
            hasDatabase && name == databaseName ? snapshot : file.absoluteFilePath();
        zip_source_t *data =
            zip_source_file(archive.get(), QFile::encodeName(source).constData(), 0, -1);
        if (!data)
            refuse(u"Не удалось упаковать файл %1: %2"_s.arg(name, zipMessage(archive.get())));
        const zip_int64_t index = zip_file_add(archive.get(), name.toUtf8().constData(), data,
                                               ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(data);
            refuse(u"Не удалось упаковать файл %1: %2"_s.arg(name, zipMessage(archive.get())));
        }
        if (zip_set_file_compression(archive.get(), zip_uint64_t(index), ZIP_CM_DEFLATE, 9) < 0)
            refuse(u"Не удалось упаковать файл %1: %2"_s.arg(name, zipMessage(archive.get())));
        ++count;
    }
    // Closing writes the archive; a failure there (a full disk) leaves the partial file only.
    if (zip_close(archive.get()) < 0) {
        const QString message = zipMessage(archive.get());
        QFile::remove(partial);
        refuse(u"Не удалось записать архив %1: %2"_s.arg(zipPath, message));
    }
    archive.release();
    if (count == 0) {
        // libzip writes no file for an empty archive; an empty folder still gets one.
        QFile empty(partial);
        if (!empty.open(QIODevice::WriteOnly) ||
            empty.write(QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0')) != 22)
            refuse(u"Не удалось записать архив %1: %2"_s.arg(zipPath, empty.errorString()));
    }
    try {
        replaceFile(partial, target.absoluteFilePath());
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    return count;
}

int CompetitionArchive::unpack(const QString &zipPath, const QString &folder,
                               const QString &databaseName,
                               const std::function<void()> &beforeReplace)
{
    int error = 0;
    std::unique_ptr<zip_t, ZipCloser> archive(
        zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!archive) {
        zip_error_t e;
        zip_error_init_with_code(&e, error);
        const QString message = zipMessage(&e);
        zip_error_fini(&e);
        refuse(u"Не удалось открыть архив %1: %2"_s.arg(zipPath, message));
    }
    const zip_int64_t entries = zip_get_num_entries(archive.get(), 0);
    QStringList names;
    for (zip_int64_t i = 0; i < entries; ++i) {
        const QString name = QString::fromUtf8(zip_get_name(archive.get(), zip_uint64_t(i), 0));
        if (!isBareFileName(name))
            refuse(u"Архив %1 не является архивом соревнования: в нем есть «%2», а не файл "
                   u"базы данных."_s.arg(zipPath, name));
        names << name;
    }
    if (!names.contains(databaseName))
        refuse(u"Архив %1 не является архивом соревнования: в нем нет файла %2."_s.arg(
            zipPath, databaseName));

    // Everything is unpacked and checked beside the folder before anything in it changes.
    QTemporaryDir scratch(QFileInfo(folder).absolutePath() + u"/.restore-XXXXXX"_s);
    if (!scratch.isValid())
        refuse(u"Не удалось создать временный каталог: %1"_s.arg(scratch.errorString()));
    for (zip_int64_t i = 0; i < entries; ++i) {
        zip_file_t *entry = zip_fopen_index(archive.get(), zip_uint64_t(i), 0);
        if (!entry)
            refuse(u"Не удалось прочитать архив %1: %2"_s.arg(zipPath, zipMessage(archive.get())));
        QFile out(scratch.filePath(names[int(i)]));
        bool ok = out.open(QIODevice::WriteOnly);
        char buffer[65536];
        zip_int64_t n = 0;
        while (ok && (n = zip_fread(entry, buffer, sizeof buffer)) > 0)
            ok = out.write(buffer, n) == n;
        ok = ok && n == 0;
        const QString message = ok ? QString() : zipMessage(zip_file_get_error(entry));
        zip_fclose(entry);
        if (!ok)
            refuse(u"Не удалось распаковать файл %1 из архива %2: %3"_s.arg(
                names[int(i)], zipPath, message.isEmpty() ? out.errorString() : message));
    }
    try {
        Store check(scratch.filePath(databaseName));
        QSqlQuery q = check.exec(u"PRAGMA quick_check"_s);
        if (!q.next() || q.value(0).toString() != u"ok"_s)
            throw StoreError(u"база данных повреждена"_s);
    } catch (const Refusal &e) {
        refuse(u"Архив %1 не является архивом соревнования: %2"_s.arg(zipPath, e.message()));
    }
    if (beforeReplace) beforeReplace();
    QFile::remove(QDir(folder).filePath(databaseName + u"-journal"_s)); // it belongs to the old
    for (const QString &name : names)
        replaceFile(scratch.filePath(name), QDir(folder).filePath(name));
    return int(names.size());
}

} // namespace vintrel
