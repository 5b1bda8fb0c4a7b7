#pragma once

#include <QString>

#include <functional>

namespace vintrel {

// ZIP archives of a competition's database folder.
class CompetitionArchive {
public:
    // Packs every file directly in `folder` into `zipPath`, each under its bare name, deflated
    // at level 9. The database file `databaseFile` is packed as a consistent copy taken with
    // SQLite's backup, never as a half-written page; its journal is left out. The archive is
    // written beside its target and renamed when complete, replacing an earlier one. Returns
    // the number of files packed; throws RuleError with the library's message on failure.
    static int pack(const QString &folder, const QString &databaseFile, const QString &zipPath);

    // Unpacks an archive made by pack() into `folder` (which must exist): every entry must be
    // a bare file name and `databaseName` must be among them, a database this program can
    // open. Nothing in `folder` changes unless every check passed; then `beforeReplace` runs
    // (it may keep the current files) and the files are put in place. Returns their number.
    static int unpack(const QString &zipPath, const QString &folder, const QString &databaseName,
                      const std::function<void()> &beforeReplace = {});
};

} // namespace vintrel
