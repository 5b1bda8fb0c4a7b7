#include "widgets/guiprompter.h"
#include "program.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vintrel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vintrel"));

    // Qt's own dialogs and buttons speak Russian.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QCommandLineParser parser;
    const QCommandLineOption rootOption(QStringLiteral("root"),
                                        QStringLiteral("Рабочая папка соревнования."),
                                        QStringLiteral("DIR"));
    parser.addOption(rootOption);
    parser.addHelpOption();
    parser.process(app);

    vintrel::GuiPrompter prompter;
    return vintrel::runProgram(parser.value(rootOption), prompter);
}
