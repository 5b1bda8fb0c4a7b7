#include "savedfile.h"

#include "data/refusal.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace vintrel {

using namespace Qt::StringLiterals;

void saveFile(const QString &path, const std::function<void(QIODevice &)> &write)
{
    const auto refuse = [&path](const QString &reason) {
        throw RuleError(
            u"Не удалось записать файл %1: %2"_s.arg(QDir::toNativeSeparators(path), reason));
    };
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) refuse(u"не удалось создать каталог %1"_s.arg(folder));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) refuse(file.errorString());
    write(file);
    if (file.error() != QFileDevice::NoError) refuse(file.errorString());
    if (!file.commit()) refuse(file.errorString());
}

} // namespace vintrel
