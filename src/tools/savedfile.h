#pragma once

#include <QString>

#include <functional>

class QIODevice;

namespace vintrel {

// Writes a document through `write` into a temporary file beside `path` and renames it when
// complete, so a failure leaves neither half a file nor a lost earlier one. The folder is
// made when missing. Throws RuleError with the reason when the file cannot be written.
void saveFile(const QString &path, const std::function<void(QIODevice &)> &write);

} // namespace vintrel
