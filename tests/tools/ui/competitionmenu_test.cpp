#include "datatestutil.h"
#include "mainwindowfixture.h"
#include "twoaspects.h"

#include "widgets/datagrid.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

class CompetitionMenuTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        startMainWindow([](Store &store) { addTwoAspects(store); });
    }
    void trigger(const QString &action)
    {
        auto *a = form->findChild<QAction *>(action);
        ASSERT_NE(a, nullptr) << action.toStdString();
        ASSERT_TRUE(a->isEnabled()) << action.toStdString();
        a->trigger();
    }
    QString label(const QString &name) const { return form->findChild<QLabel *>(name)->text(); }
};

} // namespace

TEST_F(CompetitionMenuTest, NewCompetitionEmptiesTheMainWindow)
{
    prompter.answers = {false};
    trigger(u"actNewCompetition"_s);
    EXPECT_EQ(label(u"lbl_NAME"_s), u"Первенство города по фехтованию"_s);
    EXPECT_EQ(form->findChildren<QRadioButton *>(QRegularExpression(u"^VID_"_s)).size(), 2);

    prompter.answers = {true};
    trigger(u"actNewCompetition"_s);
    EXPECT_TRUE(prompter.errors.isEmpty()) << prompter.errors.join(u'|').toStdString();
    const QString today = QDate::currentDate().toString(u"dd.MM.yyyy"_s);
    EXPECT_EQ(label(u"lbl_NAME"_s), QString());
    EXPECT_EQ(label(u"lbl_PLACE"_s), QString());
    EXPECT_EQ(label(u"lbl_DATA"_s), today + u" - "_s + today);
    EXPECT_EQ(label(u"lbl_ASPECT"_s), QString());
    EXPECT_TRUE(form->findChildren<QRadioButton *>(QRegularExpression(u"^VID_"_s)).isEmpty());
    EXPECT_EQ(form->findChild<DataGrid *>(u"DBGrid1"_s)->model()->rowCount(), 0);
    EXPECT_FALSE(form->findChild<DataGrid *>(u"DBGrid2"_s)->isVisible());
}

TEST_F(CompetitionMenuTest, SaveAsksForTheArchiveInTheArchivesFolder)
{
    const QString path = ws.root() + u"/bd_old/сохранено.zip"_s;
    QString startFolder;
    QTimer::singleShot(0, form.get(), [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        startFolder = dialog->directory().absolutePath();
        EXPECT_EQ(dialog->defaultSuffix(), u"zip"_s);
        EXPECT_EQ(dialog->nameFilters(), QStringList{u"ZIP-фалы (*.zip)"_s});
        dialog->selectFile(u"сохранено"_s);       // the default extension is added
        static_cast<QDialog *>(dialog)->accept(); // as "Сохранить" does
    });
    trigger(u"actArchive"_s);
    EXPECT_EQ(startFolder, QDir(ws.root() + u"/bd_old"_s).absolutePath());
    EXPECT_EQ(prompter.infos,
              (QStringList{u"В следующей форме, необходимо дать имя файлу архива, в котором "
                           u"будет сохранено текущее соревнование."_s,
                           u"Соревнование успешно сохранено! Упаковано: 1  файлов."_s}));
    EXPECT_TRUE(QFile::exists(path));

    // Cancelling the dialog writes nothing and says nothing more.
    prompter.infos.clear();
    QTimer::singleShot(0, form.get(), [] { QApplication::activeModalWidget()->close(); });
    trigger(u"actArchive"_s);
    EXPECT_EQ(prompter.infos.size(), 1);
    EXPECT_EQ(QDir(ws.root() + u"/bd_old"_s).entryList(QDir::Files).size(), 1);
}

TEST_F(CompetitionMenuTest, NoticesOfPublicationAndRestore)
{
    trigger(u"actPublish"_s);
    EXPECT_EQ(prompter.infos, QStringList{u"Эта функция находится в стадии разработки."_s});
    trigger(u"actRestore"_s);
    ASSERT_EQ(prompter.errors.size(), 1);
    EXPECT_TRUE(prompter.errors[0].startsWith(
        u"Для того чтобы восстановить соревнование необходимо проделать следующее :\n\r"_s));
}
