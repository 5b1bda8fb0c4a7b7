#include "program.h"

#include "aboutbox.h"
#include "app/prompter.h"
#include "tformmain.h"

#include "app/session.h"
#include "data/storeerror.h"
#include "data/workspace.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <functional>
#include <memory>

namespace vintrel {

using namespace Qt::StringLiterals;

QString startupFailureMessage()
{
    return QStringList{
        u"Проверьте настройки BDE и наличие базы данных в указанном месте!"_s,
        u"Сейчас запуститься BDE Administrator, где необходимо проверить существует ли Alias (псевдоним) - <Vintrel> для Databases (базы данных)."_s,
        u"Если существует, то проверить путь к базе данных, иначе создать заново <Object>  -> <New> с параметрами:"_s,
        u"Databases: nusk; Type: STANDART; DEFAULT DRIVER: PARADOX; PATH: где находится ../BD"_s,
        u"Если запуска не произойдет, то необходимо удостовериться, что у Вас установлен BDE, без которого дальнейшая работе невозможна!!!"_s}
        .join(u'\n');
}

namespace {

// At exit a table that cannot be written asks whether to go on with the others.
bool askToGoOn(const QString &detail)
{
    QMessageBox box(QMessageBox::Critical, u"Ошибка открытия"_s,
                    u"Не могу открыть таблицу в эксклюзивном режиме."_s);
    box.setDetailedText(detail);
    box.addButton(u"OK"_s, QMessageBox::AcceptRole);
    box.addButton(u"Отмена"_s, QMessageBox::RejectRole);
    box.exec();
    return box.buttonRole(box.clickedButton()) == QMessageBox::AcceptRole;
}

} // namespace

int runProgram(const QString &root, Prompter &prompter, bool runLoop)
{
    const Workspace workspace(Workspace::resolveRoot(root));
    auto formMain = std::make_unique<TFormMain>();
    auto *aboutBox = new AboutBox(formMain.get());
    std::unique_ptr<Session> session;
    try {
        session = std::make_unique<Session>(workspace);
    } catch (const StoreError &e) {
        // No administration tool exists here: say how to make a workspace instead, before
        // the message box waits for the operator.
        std::fprintf(
            stderr, "%s\n%s\n",
            qPrintable(u"Vintrel: база данных не открыта: %1"_s.arg(e.message())),
            qPrintable(u"Создайте рабочую папку командой: vintrel-cli --root \"%1\" init"_s.arg(
                workspace.root())));
        prompter.error(startupFailureMessage());
        return 1;
    }
    formMain->attach(session->dm(), session->context(), workspace, *aboutBox);
    formMain->show();
    int status = runLoop ? QApplication::exec() : 0;
    try {
        session->close(runLoop ? askToGoOn : std::function<bool(const QString &)>());
    } catch (const StoreError &) {
        status = 1;
    }
    formMain.reset(); // the windows go before the data they show
    return status;
}

} // namespace vintrel
