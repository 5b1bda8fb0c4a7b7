// libFuzzer target for the report template engine: the first input byte chooses the
// options, the rest is the template. Every input must end in an output or a RepError;
// anything else (a crash, a sanitizer report, a hang) is a finding.

#include "reports/rtf/memorydataset.h"
#include "reports/rtf/reprtf.h"
#include "reports/rtf/rtferrors.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>

using namespace vintrel;
using namespace Qt::StringLiterals;
using FieldKind = RepDataSet::FieldKind;

namespace {

struct Fixture {
    QTemporaryDir dir;
    QString templatePath = dir.path() + u"/t.rtf"_s;
    QString outputPath = dir.path() + u"/o.rtf"_s;
};

std::unique_ptr<MemoryDataSet> people()
{
    auto d = std::make_unique<MemoryDataSet>(
        u"tbl_PART"_s, QStringList{u"NAME"_s, u"N"_s, u"BORN"_s, u"OK"_s, u"PIC"_s},
        std::vector<FieldKind>{FieldKind::Text, FieldKind::Integer, FieldKind::Date,
                               FieldKind::Boolean, FieldKind::Graphic});
    d->addRow({u"Иванов"_s, 1, QDate(2001, 2, 3), true, QByteArray("\x89PNG")});
    d->addRow({u"{Петров}\\"_s, 2, QDate(), false, QVariant()});
    d->addRow({u"  "_s, QVariant(), QDate(1999, 12, 31), QVariant(), QVariant()});
    return d;
}

std::unique_ptr<MemoryDataSet> numbers()
{
    auto d = std::make_unique<MemoryDataSet>(u"qr_Temp"_s, QStringList{u"V"_s},
                                             std::vector<FieldKind>{FieldKind::Float});
    d->addRow({125.5});
    d->addRow({-0.25});
    return d;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Fixture fixture;
    if (size == 0) return 0;
    {
        QFile f(fixture.templatePath);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1));
    }
    auto a = people();
    auto b = numbers();
    auto c = std::make_unique<MemoryDataSet>(u"empty"_s, QStringList{u"X"_s},
                                             std::vector<FieldKind>{FieldKind::Text});
    TRepRTF report;
    report.Charset = 204;
    report.Lang = 1049;
    report.Options = data[0] & 0x0F;
    report.Infile = fixture.templatePath;
    report.OutFile = fixture.outputPath;
    report.AddVariable(u"judge"_s, u"Судья\r{x}\\"_s);
    report.AddVariable(u"v"_s, u"125.5"_s);
    report.AddVariable(u"d"_s, u"2024-03-05 14:30:00"_s);
    report.AddVariable(u"pat"_s, u"dd.MM.yy"_s);
    report.AddVariable(u"link"_s, u"http://a\"b|текст"_s);
    report.AddVariable(u"pic"_s, u"/nonexistent.png"_s);
    try {
        report.Execute({a.get(), b.get(), c.get()});
    } catch (const RepError &) {
        // A refused template is a normal outcome.
    }
    return 0;
}
