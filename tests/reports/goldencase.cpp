#include "goldencase.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <stdexcept>

namespace vintrel::test {

using namespace Qt::StringLiterals;
using FieldKind = RepDataSet::FieldKind;

namespace {

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

FieldKind kindByName(const QString &type)
{
    if (type == u"int"_s) return FieldKind::Integer;
    if (type == u"float"_s) return FieldKind::Float;
    if (type == u"bool"_s) return FieldKind::Boolean;
    if (type == u"date"_s) return FieldKind::Date;
    if (type == u"datetime"_s) return FieldKind::DateTime;
    if (type == u"text"_s) return FieldKind::Text;
    throw std::runtime_error("unknown field type " + type.toStdString());
}

QVariant cellValue(const QString &cell, FieldKind kind)
{
    if (cell.isEmpty()) return {};
    switch (kind) {
    case FieldKind::Integer:
        return cell.toLongLong();
    case FieldKind::Float:
        return cell.toDouble();
    case FieldKind::Boolean:
        return cell == u"1"_s || cell.compare(u"true"_s, Qt::CaseInsensitive) == 0;
    case FieldKind::Date:
        return QDate::fromString(cell, Qt::ISODate);
    case FieldKind::DateTime:
        return QDateTime::fromString(cell, Qt::ISODate);
    default:
        return unescapeValue(cell);
    }
}

std::unique_ptr<MemoryDataSet> loadDataset(const QString &path, const QString &name)
{
    const QStringList lines = readLines(path);
    if (lines.isEmpty()) throw std::runtime_error("empty dataset file " + path.toStdString());
    QStringList names;
    std::vector<FieldKind> kinds;
    for (const QString &header : lines[0].split(u'\t')) {
        const qsizetype colon = header.indexOf(u':');
        names << header.left(colon);
        kinds.push_back(colon < 0 ? FieldKind::Text : kindByName(header.mid(colon + 1)));
    }
    auto data = std::make_unique<MemoryDataSet>(name, names, kinds);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList cells = lines[i].split(u'\t');
        QVariantList values;
        for (qsizetype f = 0; f < names.size(); ++f)
            values << cellValue(cells.value(f), kinds[size_t(f)]);
        data->addRow(values);
    }
    return data;
}

} // namespace

QString unescapeValue(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        const QChar next = text[++i];
        if (next == u'r')
            out += u'\r';
        else if (next == u'n')
            out += u'\n';
        else if (next == u't')
            out += u'\t';
        else
            out += next;
    }
    return out;
}

GoldenCase GoldenCase::load(const QString &dir)
{
    GoldenCase c;
    c.dir = dir;
    c.m_variables = readLines(dir + u"/vars.txt"_s);
    c.m_options = readLines(dir + u"/options.txt"_s);
    const QStringList files = QDir(dir).entryList({u"data*.tsv"_s}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        const qsizetype underscore = file.indexOf(u'_');
        const QString name = underscore < 0 ? QString() : file.mid(underscore + 1).chopped(4);
        c.datasets.push_back(loadDataset(dir + u'/' + file, name));
    }
    return c;
}

void GoldenCase::configure(TRepRTF &report) const
{
    for (const QString &line : m_options) {
        const qsizetype eq = line.indexOf(u'=');
        const QString key = line.left(eq);
        const QString value = line.mid(eq + 1);
        if (key == u"Options"_s) {
            report.Options = 0;
            for (const QString &name : value.split(u',', Qt::SkipEmptyParts)) {
                if (name == u"eoGraphicsWmfCompatible"_s)
                    report.Options |= TRepRTF::eoGraphicsWmfCompatible;
                else if (name == u"eoGraphicsBinary"_s)
                    report.Options |= TRepRTF::eoGraphicsBinary;
                else if (name == u"eoClearMissedFields"_s)
                    report.Options |= TRepRTF::eoClearMissedFields;
                else if (name == u"eoDotAsColon"_s)
                    report.Options |= TRepRTF::eoDotAsColon;
                else
                    throw std::runtime_error("unknown option " + name.toStdString());
            }
        } else if (key == u"Charset"_s) {
            report.Charset = value.toInt();
        } else if (key == u"Lang"_s) {
            report.Lang = value.toInt();
        } else if (key == u"TrueValue"_s) {
            report.TrueValue = value;
        } else if (key == u"FalseValue"_s) {
            report.FalseValue = value;
        } else {
            throw std::runtime_error("unknown setting " + key.toStdString());
        }
    }
    for (const QString &line : m_variables) {
        const qsizetype eq = line.indexOf(u'=');
        QString value = unescapeValue(line.mid(eq + 1));
        value.replace(u"${CASE_DIR}"_s, dir);
        report.AddVariable(line.left(eq), value);
    }
}

std::vector<RepDataSet *> GoldenCase::datasetList() const
{
    std::vector<RepDataSet *> list;
    for (const auto &d : datasets)
        list.push_back(d.get());
    return list;
}

} // namespace vintrel::test
