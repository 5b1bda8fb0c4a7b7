#pragma once

#include <QString>

namespace vintrel {

// Opens a document with the application associated with its type, as the shell does:
// returns a result above 32 on success, or the shell's failure code (31: no application is
// associated with the file's type). Nothing is opened when VINTREL_NO_OPEN is set.
class DocumentOpener {
public:
    static int open(const QString &path, int showCommand);
    // The text for a failed result code.
    static QString reason(int code);
};

} // namespace vintrel
