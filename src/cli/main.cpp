#include "clitool.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vintrel-cli"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return vintrel::runCli(app.arguments().mid(1), out, err);
}
