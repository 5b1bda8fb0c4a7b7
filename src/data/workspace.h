#pragma once

#include <QString>

namespace vintrel {

class Store;

// The folders of one workspace ROOT: bd/ (the database), Template/, Report/, HTML/, HELP/,
// bd_old/, sql/.
class Workspace {
public:
    explicit Workspace(const QString &root);

    // ROOT from the --root option, else VINTREL_ROOT, else ~/Vintrel.
    static QString resolveRoot(const QString &option);

    QString root() const { return m_root; }
    QString path(const QString &relative) const; // ROOT/relative
    QString databaseFile() const { return path(QStringLiteral("bd/Nusk.sqlite")); }
    bool hasDatabase() const;

    // Creates the workspace: folders, the supplied database with its reference rows and one
    // competition row, copies of the shipped templates and help pages. Refuses (StoreError)
    // when ROOT/bd already holds a database.
    void create(bool demo) const;

    // Where the shipped Template/ and HELP/ folders are found.
    static QString shippedDataDir();

private:
    QString m_root;
};

// The reference rows every database starts with: tour kinds and variants.
void fillReferenceRows(Store &store);
// A sample competition a newcomer can run to the end.
void fillDemoCompetition(Store &store);

} // namespace vintrel
