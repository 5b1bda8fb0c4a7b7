// The protocols: which template they fill, into which file, with which variables and rows().
// Test templates print every variable as "name=value;" so the output shows exactly what the
// protocol handed to the engine.

#include "recordingprompter.h"
#include "tempworkspace.h"

#include "app/command.h"
#include "app/currentcontext.h"
#include "data/dm.h"
#include "data/store.h"
#include "reports/protocols.h"
#include "reports/rtf/cp1251.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>

using namespace vintrel;
using namespace Qt::StringLiterals;

namespace {

const QString kTemplateFolder = u"Он должен находиться в папке ..\\Template\\"_s;

// The text of an RTF output as a reader sees it: control words and braces dropped, \'XX
// escapes decoded, escaped backslashes and braces kept as characters.
QString outputText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    QString text;
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '{' || c == '}' || c == '\r' || c == '\n') continue;
        if (c != '\\' || i + 1 >= bytes.size()) {
            text += QChar(char16_t(static_cast<unsigned char>(c)));
            continue;
        }
        const char next = bytes[i + 1];
        if (next == '\\' || next == '{' || next == '}') {
            text += QChar(char16_t(next));
            ++i;
        } else if (next == '\'' && i + 3 < bytes.size()) {
            text += Cp1251::toUnicode(
                static_cast<unsigned char>(bytes.mid(i + 2, 2).toInt(nullptr, 16)));
            i += 3;
        } else if (isLetter(next)) {
            ++i;
            while (i + 1 < bytes.size() && isLetter(bytes[i + 1]))
                ++i;
            while (i + 1 < bytes.size() &&
                   (bytes[i + 1] == '-' || (bytes[i + 1] >= '0' && bytes[i + 1] <= '9')))
                ++i;
            if (i + 1 < bytes.size() && bytes[i + 1] == ' ') ++i;
        } else {
            ++i; // a control symbol
        }
    }
    return text;
}

// name=value pairs the test templates print.
std::map<QString, QString> printedVariables(const QString &text)
{
    std::map<QString, QString> values;
    static const QRegularExpression pair(u"\\[([A-Za-z0-9_]+)=([^;]*);\\]"_s);
    for (auto it = pair.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        values[m.captured(1)] = m.captured(2);
    }
    return values;
}

class ProtocolsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_store = std::make_unique<Store>(ws().databaseFile());
        // The fixture's rows need not survive a power cut: no wait for the disk on each.
        m_store->exec(u"PRAGMA synchronous=OFF"_s);
        const auto exec = [this](const QString &sql, const QVariantList &v = {}) {
            m_store->exec(sql, v);
        };
        exec(u"UPDATE T_COMP SET NAME = 'Cup', JUDGE_NUM = 2, SECR_NUM = 3"_s);
        exec(u"INSERT INTO T_ORG (NUM, ORG_SHORT, CITY) VALUES (1, 'Alpha', 'Tver'), "
             u"(2, 'Beta', 'Omsk')"_s);
        exec(u"INSERT INTO T_PERSON (NUM, SURNAME, NAME, NUM_ORG) VALUES "
             u"(2, 'Judge', 'J', 1), (3, 'Secretary', 'S', 2)"_s);
        // 128 people P1 … P128 (numbers 101 …), alternately of Alpha and Beta.
        for (int i = 1; i <= 128; ++i)
            exec(u"INSERT INTO T_PERSON (NUM, SURNAME, NAME, NUM_ORG) VALUES (?, ?, 'X', ?)"_s,
                 {100 + i, u"P%1"_s.arg(i), 1 + i % 2});
        exec(u"INSERT INTO T_ASPECT (NUM, NAME, VARIANT) VALUES (0, 'Юниоры', 2), "
             u"(1, 'Sabre/Foil: cadets', 10)"_s);
        for (const auto &[aspect, tour, name] :
             {std::tuple{0, 1, u"Pools"_s}, {0, 7, u"DE"_s}, {1, 1, u"Pools"_s}, {1, 8, u"DER"_s}})
            exec(u"INSERT INTO T_VT (NUM_ASPECT, NUM_TOUR, NAME_TOUR, KOL, STATE) VALUES "
                 u"(?, ?, ?, 0, 0)"_s,
                 {aspect, tour, name});
    }

    void sql(const QString &statement, const QVariantList &values = {})
    {
        m_store->exec(statement, values);
    }
    void setKol(int aspect, int tour, int kol)
    {
        sql(u"UPDATE T_VT SET KOL = ? WHERE NUM_ASPECT = ? AND NUM_TOUR = ?"_s,
            {kol, aspect, tour});
    }
    // Participants P1 … Pn of an aspect, start number i, place i.
    void participants(int aspect, int n)
    {
        for (int i = 1; i <= n; ++i)
            sql(u"INSERT INTO T_PART (NUM_ASPECT, SURNAME, NAME, ORG, NUM_PERS, NUM_ORG, START, "
                u"PLACE, FIGHT) VALUES (?, ?, 'X', ?, ?, ?, ?, ?, 5)"_s,
                {aspect, u"P%1"_s.arg(i), i % 2 ? u"Beta"_s : u"Alpha"_s, 100 + i, 1 + i % 2, i,
                 i});
    }
    void circles(int aspect, int tour, int count)
    {
        for (int c = 1; c <= count; ++c)
            sql(u"INSERT INTO TOUR_OLIMP (NUM_ASPECT, NUM_TOUR, NUM_CIRCLE) VALUES (?, ?, ?)"_s,
                {aspect, tour, c});
    }
    // One row of an elimination circle: the entrant with start number `start` (person P<start>).
    void entrant(int aspect, int tour, int circle, int pair, int start, const QVariant &prick = {})
    {
        sql(u"INSERT INTO REZ_OLIMP (NUM_ASPECT, NUM_TOUR, NUM_CIRCLE, NUM_PAIR, NUM_START, PART, "
            u"PRICK) VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
            {aspect, tour, circle, pair, start, 100 + start, prick});
    }

    // A template that prints each variable as [name=value;].
    void variablesTemplate(const QString &kind, const QStringList &names)
    {
        QByteArray body = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Arial;}}\n";
        for (const QString &name : names)
            body += "\\pard [" + name.toLatin1() + "=\\\\" + name.toLatin1() + "\\\\;]\\par\n";
        body += "}\n";
        writeTemplate(kind, body);
    }
    void writeTemplate(const QString &kind, const QByteArray &body)
    {
        QFile file(ws().workspace().path(u"Template/ЛС_ВИД_"_s + kind + u".rtf"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(body);
    }
    static QStringList family(const QString &prefix, int from, int to)
    {
        QStringList names;
        for (int k = from; k <= to; ++k)
            for (const QString &p : {u"fn"_s, u"o"_s, u"p"_s})
                names << p + prefix + QString::number(k);
        return names;
    }

    // Opens the competition on aspect `aspect` and tour `tour` and prints the protocol.
    QString print(Protocol protocol, int aspect, int tour, int group = 0)
    {
        session = ws().openSession();
        session->context().selectAspect(aspect);
        EXPECT_TRUE(session->context().selectTourKind(tour));
        QString written;
        ok = runCommand(prompter, [&] {
            written = printProtocol(session->dm(), session->context(), prompter,
                                    {protocol, false, group});
            return true;
        });
        return written;
    }
    std::map<QString, QString> printed(Protocol protocol, int aspect, int tour, int group = 0)
    {
        return printedVariables(outputText(print(protocol, aspect, tour, group)));
    }

    test::TempWorkspace &ws() { return *m_ws; }
    // A new competition for the next case of a data-driven test.
    void restart()
    {
        session.reset();
        m_store.reset();
        m_ws = std::make_unique<test::TempWorkspace>();
        SetUp();
    }

    std::unique_ptr<test::TempWorkspace> m_ws = std::make_unique<test::TempWorkspace>();
    std::unique_ptr<Store> m_store;
    test::RecordingPrompter prompter;
    std::unique_ptr<Session> session;
    bool ok = false;
};

} // namespace

// Every protocol fills its template of ROOT/Template into ROOT/Report under its own name.
TEST_F(ProtocolsTest, EveryProtocolWritesItsFileFromTheShippedTemplate)
{
    participants(0, 12);
    participants(1, 40);
    setKol(0, 1, 12);
    setKol(0, 7, 12);
    setKol(1, 8, 40);
    sql(u"INSERT INTO TOUR_PR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, KOL) VALUES (0, 1, 1, 6), "
        u"(0, 1, 2, 6)"_s);
    for (int i = 1; i <= 12; ++i)
        sql(u"INSERT INTO REZ_TOUR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, NUM_START, PART, F1) "
            u"VALUES (0, 1, ?, ?, ?, 'V5')"_s,
            {(i - 1) / 6 + 1, (i - 1) % 6 + 1, 100 + i});
    circles(0, 7, 4);
    circles(1, 8, 8);
    const QString report = ws().workspace().path(u"Report/"_s);
    const struct {
        Protocol protocol;
        int aspect, tour, group;
        QString file;
    } cases[] = {
        {Protocol::ListBySurname, 0, 1, 0, u"ЛС_Юниоры_СПИСОКУЧАСТНИКОВ_ФАМ.rtf"_s},
        {Protocol::ListByOrganization, 0, 1, 0, u"ЛС_Юниоры_СПИСОКУЧАСТНИКОВ_ОРГ.rtf"_s},
        {Protocol::Rating, 0, 1, 0, u"ЛС_Юниоры_ПРЕДВАРИТЕЛЬНЫЙРЕЙТИНГУЧАСТНИКОВ.rtf"_s},
        {Protocol::TourResults, 0, 1, 0, u"ЛС_Юниоры_РЕЗУЛЬТАТЫPools.rtf"_s},
        {Protocol::FinalResults, 0, 1, 0, u"ЛС_Юниоры_ОКОНЧАТЕЛЬНЫЕРЕЗУЛЬТАТЫ.rtf"_s},
        {Protocol::PoolSheet, 0, 1, 2, u"ЛС_Юниоры_ПРЕДВАРИТЕЛЬНЫЙТУР_2.rtf"_s},
        {Protocol::PoolTour, 0, 1, 0, u"ЛС_Юниоры_ПРЕДВАРИТЕЛЬНЫЕТУРЫ_Pools.rtf"_s},
        {Protocol::EliminationTable, 0, 7, 0, u"ЛС_Юниоры_ОЛИМП16.rtf"_s},
        {Protocol::Final, 0, 7, 0, u"ЛС_Юниоры_ОЛИМПФИНАЛ.rtf"_s},
        // "/" and ":" cannot stand in a file name.
        {Protocol::RepechageTo16, 1, 8, 0, u"ЛС_Sabre_Foil_ cadets_ОЛИМПУТЕШ64.rtf"_s},
        {Protocol::Repechage16, 1, 8, 0, u"ЛС_Sabre_Foil_ cadets_ОЛИМПУТЕШ16_1.rtf"_s},
    };
    for (const auto &c : cases) {
        prompter.errors.clear();
        const QString written = print(c.protocol, c.aspect, c.tour, c.group);
        EXPECT_TRUE(ok) << c.file.toStdString() << ": " << prompter.errors.join(u' ').toStdString();
        EXPECT_EQ(written, report + c.file);
        QFile file(written);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.file.toStdString();
        EXPECT_TRUE(file.readAll().startsWith("{\\rtf1")) << c.file.toStdString();
        const QString text = outputText(written);
        // Every marker of the shipped template was filled: none is left as typed.
        EXPECT_FALSE(text.contains(u'\\')) << c.file.toStdString() << text.toStdString();
        EXPECT_TRUE(text.contains(c.aspect == 0 ? u"Юниоры"_s : u"Sabre/Foil: cadets"_s));
    }
}

// The table of 16 for 12 participants: start numbers 13 to 16 print empty, and the entrants
// who had a bye stand in circle 2 in table order.
TEST_F(ProtocolsTest, PlainTableOf12PrintsEmptyStartNumbersAndByesInCircle2)
{
    participants(0, 12);
    setKol(0, 7, 12);
    circles(0, 7, 4);
    // Circle 1 in seeding order: 1 alone; 9-8; 5-12; 4 alone; 3 alone; 11-6; 7-10; 2 alone.
    const int pairs[8][2] = {{1, 0}, {9, 8}, {5, 12}, {4, 0}, {3, 0}, {11, 6}, {7, 10}, {2, 0}};
    for (int j = 0; j < 8; ++j)
        for (int s : pairs[j])
            if (s) entrant(0, 7, 1, j + 1, s, s == 9 ? QVariant(5) : QVariant(3));
    const int second[8] = {1, 9, 5, 4, 3, 11, 7, 2};
    for (int k = 0; k < 8; ++k)
        entrant(0, 7, 2, k / 2 + 1, second[k]);
    variablesTemplate(u"ОЛИМП16"_s, family({}, 1, 16) + family(u"1_"_s, 1, 8) +
                                        QStringList{u"judge"_s, u"s_org"_s});
    const auto v = printed(Protocol::EliminationTable, 0, 7);
    ASSERT_TRUE(ok) << prompter.errors.join(u' ').toStdString();
    EXPECT_EQ(v.at(u"judge"_s), u"Judge J"_s);
    EXPECT_EQ(v.at(u"s_org"_s), u"Beta"_s);
    for (int s = 1; s <= 12; ++s) {
        EXPECT_EQ(v.at(u"fn%1"_s.arg(s)), u"P%1 X"_s.arg(s));
        EXPECT_EQ(v.at(u"o%1"_s.arg(s)), s % 2 ? u"Beta"_s : u"Alpha"_s);
    }
    EXPECT_EQ(v.at(u"p9"_s), u"5"_s);
    EXPECT_EQ(v.at(u"p8"_s), u"3"_s);
    for (int s = 13; s <= 16; ++s)
        for (const QString &p : {u"fn"_s, u"o"_s, u"p"_s})
            EXPECT_EQ(v.at(p + QString::number(s)), QString()) << s;
    for (int k = 1; k <= 8; ++k) {
        EXPECT_EQ(v.at(u"fn1_%1"_s.arg(k)), u"P%1 X"_s.arg(second[k - 1]));
        EXPECT_EQ(v.at(u"p1_%1"_s.arg(k)), QString()); // touches not entered yet
    }
}

// The final protocol reads the last three circles (circle 1 by start number in a table of 8),
// the winner and the third place from the places.
TEST_F(ProtocolsTest, FinalReadsTheDocumentedCircles)
{
    struct Case {
        int aspect, tour, kol, circleCount, firstCircle;
        bool firstByStart;
    };
    for (const Case c :
         {Case{0, 7, 8, 3, 1, true}, Case{0, 7, 128, 7, 5, false}, Case{1, 8, 16, 6, 4, false}}) {
        restart(); // a fresh competition for each table
        participants(c.aspect, 40);
        setKol(c.aspect, c.tour, c.kol);
        circles(c.aspect, c.tour, c.circleCount);
        // Decoy rows in the circle before the ones read: they must not be printed.
        if (c.firstCircle > 1) entrant(c.aspect, c.tour, c.firstCircle - 1, 1, 99);
        // The circle of eight: start numbers 8, 7, … 1 in table order.
        for (int k = 1; k <= 8; ++k)
            entrant(c.aspect, c.tour, c.firstCircle, (k + 1) / 2, 9 - k, k);
        for (int k = 1; k <= 4; ++k) {
            entrant(c.aspect, c.tour, c.firstCircle + 1, (k + 1) / 2, 20 + k);
            entrant(c.aspect, c.tour, c.firstCircle + 2, (k + 1) / 2, 30 + k, 15);
        }
        sql(u"UPDATE T_PART SET PLACE = CASE START WHEN 21 THEN 1 WHEN 22 THEN 2 WHEN 23 THEN 3 "
            u"ELSE 9 END WHERE NUM_ASPECT = ?"_s,
            {c.aspect});
        variablesTemplate(u"ОЛИМПФИНАЛ"_s, family({}, 1, 8) + family(u"1_"_s, 1, 4) +
                                               family(u"2_"_s, 1, 4) +
                                               QStringList{u"fn3_1"_s, u"o3_1"_s, u"fn3_2"_s});
        const auto v = printed(Protocol::Final, c.aspect, c.tour);
        ASSERT_TRUE(ok) << prompter.errors.join(u' ').toStdString();
        for (int k = 1; k <= 8; ++k) {
            // By start number position k holds start number k; in table order the k-th row.
            const int start = c.firstByStart ? k : 9 - k;
            EXPECT_EQ(v.at(u"fn%1"_s.arg(k)), u"P%1 X"_s.arg(start)) << c.circleCount;
            EXPECT_EQ(v.at(u"p%1"_s.arg(k)), QString::number(9 - start)) << c.circleCount;
        }
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(v.at(u"fn1_%1"_s.arg(k)), u"P%1 X"_s.arg(20 + k));
            EXPECT_EQ(v.at(u"fn2_%1"_s.arg(k)), u"P%1 X"_s.arg(30 + k));
            EXPECT_EQ(v.at(u"p2_%1"_s.arg(k)), u"15"_s);
        }
        EXPECT_EQ(v.at(u"fn3_1"_s), u"P21 X"_s);
        EXPECT_EQ(v.at(u"o3_1"_s), u"Beta"_s);
        EXPECT_EQ(v.at(u"fn3_2"_s), u"P23 X"_s);
    }
}

TEST_F(ProtocolsTest, TwoSharedThirdPlacesPrintTheBoutForThirdEmpty)
{
    participants(0, 8);
    setKol(0, 7, 8);
    circles(0, 7, 3);
    for (int k = 1; k <= 4; ++k)
        entrant(0, 7, 3, (k + 1) / 2, k, 10);
    sql(u"UPDATE T_PART SET PLACE = CASE START WHEN 1 THEN 1 WHEN 2 THEN 2 WHEN 3 THEN 3 "
        u"WHEN 4 THEN 3 ELSE 5 END"_s);
    const QStringList names{u"fn2_3"_s, u"o2_3"_s, u"fn2_4"_s, u"o2_4"_s,
                            u"fn3_2"_s, u"o3_2"_s, u"fn2_1"_s, u"fn3_1"_s};
    variablesTemplate(u"ОЛИМПФИНАЛ"_s, names);
    const auto v = printed(Protocol::Final, 0, 7);
    ASSERT_TRUE(ok);
    for (const QString &name : names.mid(0, 6))
        EXPECT_EQ(v.at(name), QString()) << name.toStdString();
    EXPECT_EQ(v.at(u"fn2_1"_s), u"P1 X"_s);
    EXPECT_EQ(v.at(u"fn3_1"_s), u"P1 X"_s);
}

TEST_F(ProtocolsTest, WithoutAThirdPlaceTheThirdPlaceLinePrintsEmpty)
{
    participants(0, 8);
    sql(u"UPDATE T_PART SET PLACE = 4 WHERE PLACE = 3"_s);
    circles(0, 7, 3);
    variablesTemplate(u"ОЛИМПФИНАЛ"_s, {u"fn3_1"_s, u"fn3_2"_s, u"o3_2"_s});
    const auto v = printed(Protocol::Final, 0, 7);
    ASSERT_TRUE(ok);
    EXPECT_EQ(v.at(u"fn3_1"_s), u"P1 X"_s); // place 1 of the list
    EXPECT_EQ(v.at(u"fn3_2"_s), QString());
    EXPECT_EQ(v.at(u"o3_2"_s), QString());
}

// The last sixteen of a table with repechage are circles c-5 to c-2 whatever the table's size;
// a circle with fewer rows repeats its last row in the positions after it.
TEST_F(ProtocolsTest, LastSixteenReadTheirOwnCirclesForEveryTableSize)
{
    for (const auto &[kol, circleCount, first] : {std::tuple{20, 7, 2}, {40, 8, 3}, {100, 9, 4}}) {
        restart();
        participants(1, kol);
        setKol(1, 8, kol);
        circles(1, 8, circleCount);
        entrant(1, 8, first - 1, 1, 77); // the circle before the stage
        for (int k = 1; k <= 16; ++k)
            entrant(1, 8, first, (k + 1) / 2, k);
        for (int k = 1; k <= 3; ++k) // only three rows in the circle of R = 2
            entrant(1, 8, first + 3, (k + 1) / 2, 40 + k);
        variablesTemplate(u"ОЛИМПУТЕШ16_1"_s, family({}, 1, 16) + family(u"3_"_s, 1, 8));
        const auto v = printed(Protocol::Repechage16, 1, 8);
        ASSERT_TRUE(ok) << prompter.errors.join(u' ').toStdString();
        for (int k = 1; k <= 16; ++k)
            EXPECT_EQ(v.at(u"fn%1"_s.arg(k)), u"P%1 X"_s.arg(k)) << kol;
        EXPECT_EQ(v.at(u"fn3_3"_s), u"P43 X"_s);
        for (int k = 4; k <= 8; ++k)
            EXPECT_EQ(v.at(u"fn3_%1"_s.arg(k)), u"P43 X"_s) << kol;
    }
}

TEST_F(ProtocolsTest, PoolSheetNamesItsGroupAndListsItsFencersInStartOrder)
{
    participants(0, 9);
    sql(u"INSERT INTO TOUR_PR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, KOL) VALUES (0, 1, 1, 3), "
        u"(0, 1, 3, 6)"_s);
    // Group 3, positions 6 … 1 written in reverse so the order comes from NUM_START.
    for (int pos = 6; pos >= 1; --pos)
        sql(u"INSERT INTO REZ_TOUR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, NUM_START, PART) "
            u"VALUES (0, 1, 3, ?, ?)"_s,
            {pos, 100 + pos + 3});
    variablesTemplate(u"ПРЕДВАРИТЕЛЬНЫЙТУР_6"_s, family({}, 1, 6));
    const QString written = print(Protocol::PoolSheet, 0, 1, 3);
    ASSERT_TRUE(ok) << prompter.errors.join(u' ').toStdString();
    EXPECT_TRUE(written.endsWith(u"/Report/ЛС_Юниоры_ПРЕДВАРИТЕЛЬНЫЙТУР_3.rtf"_s));
    const auto v = printedVariables(outputText(written));
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(v.at(u"fn%1"_s.arg(i)), u"P%1 X"_s.arg(i + 3));
        EXPECT_EQ(v.at(u"o%1"_s.arg(i)), (i + 3) % 2 ? u"Beta"_s : u"Alpha"_s);
    }
    // A group of 7 has no template here: the message names the one it looked for.
    sql(u"UPDATE TOUR_PR SET KOL = 7 WHERE NUM_GROUP = 3"_s);
    sql(u"INSERT INTO REZ_TOUR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, NUM_START, PART) "
        u"VALUES (0, 1, 3, 7, 101)"_s);
    QFile::remove(ws().workspace().path(u"Template/ЛС_ВИД_ПРЕДВАРИТЕЛЬНЫЙТУР_7.rtf"_s));
    print(Protocol::PoolSheet, 0, 1, 3);
    EXPECT_FALSE(ok);
    EXPECT_EQ(prompter.errors.value(0),
              u"Проверьте существует ли шаблон для отчета ЛС_ВИД_ПРЕДВАРИТЕЛЬНЫЙТУР_7.rtf\n\r"_s +
                  kTemplateFolder);
}

// The tour protocol walks the groups and, inside each, only that group's fencers; a person
// in two aspects is listed once.
TEST_F(ProtocolsTest, PoolTourListsEachGroupsFencersOnce)
{
    participants(0, 6);
    participants(1, 6); // the same people are participants of the other aspect too
    sql(u"INSERT INTO TOUR_PR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, KOL) VALUES (0, 1, 1, 3), "
        u"(0, 1, 2, 3)"_s);
    for (int i = 1; i <= 6; ++i)
        sql(u"INSERT INTO REZ_TOUR (NUM_ASPECT, NUM_TOUR, NUM_GROUP, NUM_START, PART, VICTORY) "
            u"VALUES (0, 1, ?, ?, ?, ?)"_s,
            {(i - 1) / 3 + 1, (i - 1) % 3 + 1, 100 + i, i});
    writeTemplate(u"ПРЕДВАРИТЕЛЬНЫЕТУРЫ"_s,
                  "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Arial;}}\n"
                  "\\pard \\\\SCAN(F)\\\\\\par\n\\pard <G\\\\F.NUM_GROUP\\\\>\\par\n"
                  "\\pard \\\\SCAN(A)\\\\\\par\n"
                  "\\pard (\\\\A.SURNAME\\\\ \\\\A.NUM_GROUP\\\\ \\\\A.VICTORY\\\\)\\par\n"
                  "\\pard \\\\ENDSCAN\\\\\\par\n\\pard \\\\ENDSCAN\\\\\\par\n}\n");
    const QString text = outputText(print(Protocol::PoolTour, 0, 1));
    ASSERT_TRUE(ok) << prompter.errors.join(u' ').toStdString();
    static const QRegularExpression entry(u"<G(\\d)>|\\((P\\d) (\\d) (\\d)\\)"_s);
    QStringList seen;
    QString group;
    for (auto it = entry.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            group = m.captured(1);
            continue;
        }
        EXPECT_EQ(m.captured(3), group) << m.captured(2).toStdString();
        seen << m.captured(2);
    }
    EXPECT_EQ(seen, (QStringList{u"P1"_s, u"P2"_s, u"P3"_s, u"P4"_s, u"P5"_s, u"P6"_s}));
}

TEST_F(ProtocolsTest, RefusalsSayWhatIsWrongAndWriteNothing)
{
    participants(0, 8);
    setKol(0, 7, 8);
    const QString report = ws().workspace().path(u"Report"_s);
    const auto written = [&] { return QDir(report).entryList(QDir::Files).size(); };

    // Tours of the wrong kind.
    print(Protocol::PoolTour, 0, 7);
    print(Protocol::EliminationTable, 0, 1);
    print(Protocol::Repechage16, 0, 7);
    print(Protocol::Final, 0, 1);
    EXPECT_EQ(
        prompter.errors,
        (QStringList{u"Выбран не предварительный тур!"_s, u"Выбран не тур прямого выбывания!"_s,
                     u"Выбран не тур прямого выбывания с утешением!"_s,
                     u"Выбран не тур прямого выбывания или тур прямого выбывания с "
                     u"утешением!"_s}));
    // A table size outside every template's range: nothing at all.
    prompter.errors.clear();
    EXPECT_TRUE(print(Protocol::EliminationTable, 0, 7).isEmpty());
    EXPECT_TRUE(ok);
    EXPECT_TRUE(prompter.errors.isEmpty());

    // A missing template.
    QFile::remove(ws().workspace().path(u"Template/ЛС_ВИД_СПИСОКУЧАСТНИКОВ_ОРГ.rtf"_s));
    print(Protocol::ListByOrganization, 0, 1);
    EXPECT_EQ(prompter.errors.value(0),
              u"Проверьте существует ли шаблон для отчета ЛС_ВИД_СПИСОКУЧАСТНИКОВ_ОРГ.rtf\n\r"_s +
                  kTemplateFolder);

    // Officials: the first line as the engine's, the second says what is missing.
    prompter.errors.clear();
    sql(u"UPDATE T_PERSON SET NUM_ORG = NULL WHERE NUM = 3"_s);
    print(Protocol::ListBySurname, 0, 1);
    sql(u"UPDATE T_COMP SET JUDGE_NUM = NULL"_s);
    print(Protocol::FinalResults, 0, 1);
    EXPECT_EQ(prompter.errors,
              (QStringList{u"Invalid variant type conversion\n\rНе задана организация главного "
                           u"секретаря"_s,
                           u"Invalid variant type conversion\n\rНе задан главный судья"_s}));
    EXPECT_EQ(written(), 0);
}

// Lists: the tour's results take only the places within its size; the final results only
// participants with an organization and a person row.
TEST_F(ProtocolsTest, ResultListsTakeTheDocumentedRows)
{
    participants(0, 6);
    sql(u"UPDATE T_PART SET PLACE = NULL WHERE START = 2"_s);
    sql(u"UPDATE T_PART SET NUM_ORG = NULL WHERE START = 6"_s);
    setKol(0, 1, 4);
    const QByteArray rows = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Arial;}}\n"
                            "\\pard \\\\SCAN(D),noeof\\\\\\par\n\\pard <\\\\D.PLACE\\\\>\\par\n"
                            "\\pard \\\\ENDSCAN\\\\\\par\n}\n";
    writeTemplate(u"РЕЗУЛЬТАТЫПРЕДВАРИТЕЛЬНОГОТУРА"_s, rows);
    writeTemplate(u"ОКОНЧАТЕЛЬНЫЕРЕЗУЛЬТАТЫ"_s, rows);
    const auto places = [](const QString &text) {
        QStringList out;
        static const QRegularExpression place(u"<(\\d*)>"_s);
        for (auto it = place.globalMatch(text); it.hasNext();)
            out << it.next().captured(1);
        return out;
    };
    EXPECT_EQ(places(outputText(print(Protocol::TourResults, 0, 1))),
              (QStringList{u"1"_s, u"3"_s, u"4"_s}));
    EXPECT_EQ(places(outputText(print(Protocol::FinalResults, 0, 1))),
              (QStringList{u""_s, u"1"_s, u"3"_s, u"4"_s, u"5"_s}));
    setKol(0, 1, 0);
    EXPECT_EQ(places(outputText(print(Protocol::TourResults, 0, 1))), QStringList());
}

TEST(ProtocolFileNames, CharactersNoFileNameHoldsBecomeUnderscores)
{
    EXPECT_EQ(fileNamePart(u"Шпага/рапира: \"юниоры\" <1|2> * ?\\"_s),
              u"Шпага_рапира_ _юниоры_ _1_2_ _ __"_s);
    EXPECT_EQ(fileNamePart(u"Сабля, мужчины (до 18)"_s), u"Сабля, мужчины (до 18)"_s);
}
