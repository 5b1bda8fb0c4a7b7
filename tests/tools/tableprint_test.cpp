#include "clirun.h"
#include "datatestutil.h"
#include "twoaspectsfixture.h"

#include "data/refusal.h"
#include "reports/rtf/cp1251.h"
#include "tools/browsedtables.h"
#include "tools/htmltablewriter.h"
#include "tools/pageencoding.h"
#include "tools/tableprint.h"
#include "tools/unfilteredtable.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

using namespace vintrel;
using namespace vintrel::test;
using namespace Qt::StringLiterals;

namespace {

const QString kHead = u"<HTML>\r\n"
                      u"<meta http-equiv=\"Content-Type\" content=\"text/html; "
                      u"charset=windows-1251\">\r\n"
                      u"<HEAD>\r\n"
                      u"<TITLE> %1</TITLE>\r\n"
                      u"</HEAD>\r\n"
                      u"<H1 align=center>%1</H1>\r\n"
                      u"<table align=center width=\"90%\" border=\"1\" cellspacing=\"0\" "
                      u"cellpadding=\"1\">\r\n"
                      u"<TR>\r\n"_s;
const QString kTail = u"</tr>\r\n</TABLE>\r\n</BODY>\r\n</HTML>\r\n"_s;

QByteArray page(const DataSet &set, const QString &title)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeHtmlTable(buffer, set, title);
    return buffer.data();
}

QByteArray cp1251(const QString &text)
{
    return PageEncoding::html(text);
}

QString readPage(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return u"<missing>"_s;
    QString text;
    for (const char c : f.readAll())
        text += Cp1251::toUnicode(static_cast<unsigned char>(c));
    return text;
}

} // namespace

// Every byte of the page of a table with dates, empty values and booleans.
TEST_F(TwoAspectsFixture, PageOfTheToursHasTheFixedLinesAndEveryRow)
{
    const UnfilteredTable everyRow(*dm->tbl_VT);
    ASSERT_EQ(dm->tbl_VT->recordCount(), 5);
    const QString expected =
        kHead.arg(u"Туры"_s) +
        u"<th align=center>№ вида</th>\r\n<th align=center>№ тура</th>\r\n"
        u"<th align=center>Название тура</th>\r\n<th align=center>Дата проведения тура</th>\r\n"
        u"<th align=center>Кол-во участников</th>\r\n<th align=center>Статус</th>\r\n</TR>\r\n"
        u"<tr>\r\n<td >0</td>\r\n<td >1</td>\r\n<td >1 предварительный тур</td>\r\n"
        u"<td >15.03.2024</td>\r\n<td >12</td>\r\n<td >False</td>\r\n</tr>\r\n"
        u"<tr>\r\n<td >0</td>\r\n<td >7</td>\r\n<td >Тур прямого выбывания</td>\r\n"
        u"<td >_</td>\r\n<td >8</td>\r\n<td >False</td>\r\n</tr>\r\n"
        u"<tr>\r\n<td >1</td>\r\n<td >1</td>\r\n<td >1 предварительный тур</td>\r\n"
        u"<td >16.03.2024</td>\r\n<td >10</td>\r\n<td >True</td>\r\n</tr>\r\n"
        u"<tr>\r\n<td >1</td>\r\n<td >2</td>\r\n<td >2 предварительный тур</td>\r\n"
        u"<td >_</td>\r\n<td >8</td>\r\n<td >False</td>\r\n</tr>\r\n"
        u"<tr>\r\n<td >1</td>\r\n<td >7</td>\r\n<td >Тур прямого выбывания</td>\r\n"
        u"<td >_</td>\r\n<td >4</td>\r\n<td >False</td>\r\n</tr>\r\n"_s +
        kTail;
    const int before = dm->tbl_VT->currentRow();
    EXPECT_EQ(page(*dm->tbl_VT, u"Туры"_s), cp1251(expected));
    EXPECT_EQ(dm->tbl_VT->currentRow(), before); // printing does not walk the cursor
}

TEST_F(TwoAspectsFixture, PageOfAnEmptyTableHasTheHeaderRowAndTheExtraRowEnd)
{
    Query q(dm->store());
    q.add(u"SELECT ORG_SHORT, CITY FROM T_ORG"_s);
    q.open();
    ASSERT_TRUE(q.isEmpty());
    EXPECT_EQ(
        page(q, u"Справочник организаций"_s),
        cp1251(kHead.arg(u"Справочник организаций"_s) +
               u"<th align=center>ORG_SHORT</th>\r\n<th align=center>CITY</th>\r\n</TR>\r\n"_s +
               kTail));
}

// Values cannot break the page: markup characters are escaped, and a character without a
// Windows-1251 code is kept as a numeric reference.
TEST_F(TwoAspectsFixture, ValuesAreEscapedAndNothingIsLost)
{
    Query q(dm->store());
    q.add(u"SELECT 'Клинок & Ко' AS A, '<script>x</script>' AS B, 'Ω€😀' AS C, '' AS D, "
          u"NULL AS E"_s);
    q.open();
    const QByteArray bytes = page(q, u"T"_s);
    const QByteArray row = "<tr>\r\n<td >" + cp1251(u"Клинок"_s) + " &amp; " + cp1251(u"Ко"_s) +
                           "</td>\r\n<td >&lt;script&gt;x&lt;/script&gt;</td>\r\n"
                           "<td >&#937;\x88&#128512;</td>\r\n<td >_</td>\r\n<td >_</td>\r\n"
                           "</tr>\r\n";
    EXPECT_TRUE(bytes.contains(row)) << bytes.toStdString();
    EXPECT_FALSE(bytes.contains("<script"));
}

TEST(PageEncoding, HtmlAndPlainTextDifferOnlyInMissingCharacters)
{
    EXPECT_EQ(PageEncoding::html(u"Ёж ё №"_s), QByteArray("\xA8\xE6 \xB8 \xB9"));
    EXPECT_EQ(PageEncoding::plain(u"Ёж ё №"_s), QByteArray("\xA8\xE6 \xB8 \xB9"));
    EXPECT_EQ(PageEncoding::html(u"a\u4E2Db"_s), QByteArray("a&#20013;b"));
    EXPECT_EQ(PageEncoding::plain(u"a\u4E2Db😀"_s), QByteArray("a?b?"));
    EXPECT_EQ(PageEncoding::escaped(u"a<b>&c"_s), u"a&lt;b&gt;&amp;c"_s);
}

// "Печать" for a table opened from the menu prints every row, whatever the main window's
// context filters, and leaves that context as it was.
TEST_F(TwoAspectsFixture, PrintingATablePrintsAllAspectsAndKeepsTheContext)
{
    ASSERT_EQ(dm->tbl_PART->recordCount(), 4); // aspect 0 only
    const QString path = tablePagePath(ws.workspace());
    QFile::remove(path);
    printTable(*dm, u"T_PART"_s, path);
    const QString text = readPage(path);
    EXPECT_TRUE(text.startsWith(u"<HTML>\r\n"_s));
    EXPECT_TRUE(text.contains(u"<H1 align=center>Справочник участников соревнований</H1>"_s));
    for (const QString &surname : {u"Иванов"_s, u"Кузнецов"_s, u"Абрамова"_s, u"Дмитриева"_s})
        EXPECT_TRUE(text.contains(u"<td >"_s + surname + u"</td>"_s)) << surname.toStdString();
    EXPECT_EQ(text.count(u"<tr>\r\n"_s), 9);
    EXPECT_EQ(dm->tbl_PART->recordCount(), 4);
    EXPECT_TRUE(dm->tbl_PART->isFiltered());

    // VARIANT drives the tour change: the current tour stays the one chosen.
    context->selectAspect(1);
    ASSERT_TRUE(context->selectTourKind(2));
    printTable(*dm, u"VARIANT"_s, path);
    EXPECT_EQ(context->currentTourKind(), 2);
    EXPECT_EQ(dm->tbl_VT->recordCount(), 1);
    EXPECT_EQ(dm->tbl_VT->intValue(u"NUM_TOUR"_s), 2);
    EXPECT_EQ(readPage(path).count(u"<tr>\r\n"_s), fileCount(ws.databaseFile(), u"VARIANT"_s));
}

TEST_F(TwoAspectsFixture, BrowsingWithoutFilterPutsTheCurrentRowBack)
{
    context->selectAspect(1);
    ASSERT_TRUE(context->selectTourKind(2));
    {
        const UnfilteredTable everyRow(*dm->tbl_VARIANT);
        EXPECT_GT(dm->tbl_VARIANT->recordCount(), 3);
        dm->tbl_VARIANT->last(); // the operator walks the whole table
    }
    EXPECT_EQ(dm->tbl_VARIANT->recordCount(), 3);
    EXPECT_EQ(context->currentTourKind(), 2);
    EXPECT_EQ(dm->tbl_VT->intValue(u"NUM_TOUR"_s), 2);
}

TEST_F(TwoAspectsFixture, AFailedWriteLeavesNoFileAndSaysWhy)
{
    const QString blocker = ws.root() + u"/HTML/file"_s;
    {
        QFile f(blocker);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QString path = blocker + u"/part.htm"_s; // a folder that cannot be made
    try {
        printTable(*dm, u"T_PERSON"_s, path);
        FAIL() << "no refusal";
    } catch (const Refusal &e) {
        EXPECT_TRUE(e.message().startsWith(u"Не удалось записать файл"_s))
            << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_THROW(printTable(*dm, u"T_NONE"_s, ws.root() + u"/x.htm"_s), RuleError);
}

// The on-screen participant list follows the main window's sort choice and is printed with
// the query's column names as headings.
TEST_F(TwoAspectsFixture, ParticipantListFollowsTheSortChoice)
{
    context->selectAspect(1);
    const QList<std::pair<QString, QStringList>> cases{
        {u"Список участников по фамилии"_s,
         {u"Абрамова"_s, u"Борисова"_s, u"Васильева"_s, u"Григорьева"_s, u"Дмитриева"_s}},
        {u"Список участников по орг-ции"_s, {}},
        {u"Список участников по клас-ции"_s,
         {u"Борисова"_s, u"Григорьева"_s, u"Абрамова"_s, u"Дмитриева"_s, u"Васильева"_s}},
        {u"Список участников по месту"_s,
         {u"Васильева"_s, u"Борисова"_s, u"Дмитриева"_s, u"Абрамова"_s, u"Григорьева"_s}},
        {u"Список участников по старт-му"_s,
         {u"Григорьева"_s, u"Абрамова"_s, u"Васильева"_s, u"Дмитриева"_s, u"Борисова"_s}},
    };
    for (int sort = 0; sort < cases.size(); ++sort) {
        context->setSortOrder(sort);
        EXPECT_EQ(openParticipantList(*dm, *context), cases[sort].first);
        EXPECT_EQ(dm->qr_Temp->recordCount(), 5);
        if (!cases[sort].second.isEmpty()) {
            EXPECT_EQ(columnTexts(*dm->qr_Temp, u"Фамилия"_s), cases[sort].second)
                << cases[sort].first.toStdString();
        }
    }
    EXPECT_EQ(dm->qr_Temp->fieldNames(),
              (QStringList{u"Место"_s, u"Фамилия"_s, u"Имя"_s, u"Организация"_s, u"Боев"_s,
                           u"Побед"_s, u"НУ"_s, u"ПУ"_s, u"Кл_ция"_s, u"Стартовый"_s}));
    const QByteArray bytes = page(*dm->qr_Temp, u"Список участников по старт-му"_s);
    EXPECT_TRUE(bytes.contains(cp1251(u"<th align=center>Место</th>\r\n"
                                      u"<th align=center>Фамилия</th>\r\n"_s)));
    EXPECT_TRUE(bytes.contains(cp1251(u"<th align=center>Стартовый</th>\r\n</TR>\r\n"_s)));
}

TEST(BrowsedTables, MenuListsFifteenTablesInFourGroups)
{
    int tables = 0, separators = 0;
    for (const BrowsedTable &t : browsedTables()) {
        if (t.isSeparator()) {
            ++separators;
            continue;
        }
        ++tables;
        EXPECT_TRUE(t.text.startsWith(t.table + u" - "_s)) << t.text.toStdString();
        EXPECT_NE(schemaTable(t.table), nullptr) << t.table.toStdString();
    }
    EXPECT_EQ(tables, 15);
    EXPECT_EQ(separators, 3);
    EXPECT_EQ(browserTitle(u"T_VT"_s),
              u"Информация о турах в сответствии с вариантом проведения"_s);
}

TEST(PrintTableVerb, WritesThePageWhereAskedAndRefusesUnknownTables)
{
    TempWorkspace ws(true);
    const QString root = ws.root();
    const CliRun run = cli({u"--root"_s, root, u"print-table"_s, u"T_PERSON"_s});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QString path = root + u"/HTML/part.htm"_s;
    EXPECT_EQ(run.lines(), QStringList{path});
    const QString text = readPage(path);
    EXPECT_TRUE(text.contains(u"<TITLE> Справочник людей в базе данных</TITLE>"_s));
    EXPECT_EQ(text.count(u"<tr>\r\n"_s), fileCount(ws.databaseFile(), u"T_PERSON"_s));
    EXPECT_EQ(text.count(u"</tr>\r\n"_s), fileCount(ws.databaseFile(), u"T_PERSON"_s) + 1);

    const QString other = root + u"/other.htm"_s;
    EXPECT_EQ(cli({u"--root"_s, root, u"print-table"_s, u"tbl_ORG"_s, u"--out"_s, other}).status,
              0);
    EXPECT_TRUE(readPage(other).contains(u"<H1 align=center>Справочник организаций</H1>"_s));
    EXPECT_EQ(cli({u"--root"_s, root, u"print-table"_s, u"T_NONE"_s}).status, 2);
    EXPECT_EQ(cli({u"--root"_s, root, u"print-table"_s}).status, 2);
    EXPECT_EQ(cli({u"--root"_s, root, u"print-table"_s, u"T_ORG"_s, u"--out"_s}).status, 2);
}
