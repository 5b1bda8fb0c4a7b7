// The layers stay apart: only the windows (ui/ folders) and the shared widgets (widgets/) may
// include a header of Qt Widgets; the store, the commands and the command-line tool never do.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Every header name Qt Widgets installs ("QWidget", "qmessagebox.h", …).
QSet<QString> widgetHeaders()
{
    QSet<QString> names;
    const QDir dir(QStringLiteral(VINTREL_QT_WIDGETS_INCLUDE_DIR));
    for (const QString &name : dir.entryList(QDir::Files))
        names.insert(name);
    return names;
}

// The widget headers a source file includes, one "line: header" each.
QStringList widgetIncludes(const QString &path, const QSet<QString> &headers)
{
    static const QRegularExpression include(u"^\\s*#\\s*include\\s*<(?:QtWidgets/)?([^>]+)>"_s);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {u"unreadable"_s};
    QStringList found;
    int line = 0;
    while (!file.atEnd()) {
        ++line;
        const QString text = QString::fromUtf8(file.readLine());
        const QRegularExpressionMatch m = include.match(text);
        if (m.hasMatch() && (headers.contains(m.captured(1)) || text.contains(u"QtWidgets"_s)))
            found << u"%1: %2"_s.arg(line).arg(m.captured(1));
    }
    return found;
}

bool mayUseWidgets(const QString &relativePath)
{
    const QStringList parts = relativePath.split(u'/');
    return parts.contains(u"ui"_s) || parts.contains(u"widgets"_s) || parts.last() == u"main.cpp"_s;
}

} // namespace

TEST(Layering, OnlyWindowsAndWidgetsIncludeQtWidgets)
{
    const QSet<QString> headers = widgetHeaders();
    ASSERT_TRUE(headers.contains(u"QWidget"_s)) << "Qt Widgets headers not found";

    const QDir sources(QStringLiteral(VINTREL_SOURCES_DIR));
    QStringList offenders;
    int scanned = 0, windows = 0;
    QDirIterator it(sources.path(), {u"*.h"_s, u"*.cpp"_s}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = sources.relativeFilePath(path);
        const QStringList includes = widgetIncludes(path, headers);
        if (mayUseWidgets(relative)) {
            windows += includes.isEmpty() ? 0 : 1;
            continue;
        }
        ++scanned;
        for (const QString &include : includes)
            offenders << relative + u':' + include;
    }
    EXPECT_GT(scanned, 20);
    // The check sees widget headers where they belong, so it would see them elsewhere too.
    EXPECT_GT(windows, 5);
    EXPECT_TRUE(offenders.isEmpty()) << offenders.join(u'\n').toStdString();
}
