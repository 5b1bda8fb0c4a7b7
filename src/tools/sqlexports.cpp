#include "sqlexports.h"

#include "htmltablewriter.h"
#include "pageencoding.h"

#include "data/dataset.h"
#include "data/datasource.h"
#include "reports/rtf/cp1251.h"

#include <QIODevice>

namespace vintrel {

using namespace Qt::StringLiterals;

namespace {

QString shown(const DataSet &set, int row, int field)
{
    const QString text = DataSource::displayText(set.cell(row, field));
    return text.isEmpty() ? u"-"_s : text;
}

} // namespace

void writeTextExport(QIODevice &out, const DataSet &set)
{
    QByteArray bytes;
    const auto line = [&bytes](const QString &text) {
        bytes += PageEncoding::plain(text);
        bytes += "\r\n";
    };
    for (int f = 0; f < set.fieldCount(); ++f)
        line(set.fieldTitle(f));
    for (int r = 0; r < set.recordCount(); ++r)
        for (int f = 0; f < set.fieldCount(); ++f)
            line(shown(set, r, f));
    out.write(bytes);
}

void writeHtmlExport(QIODevice &out, const DataSet &set)
{
    QByteArray bytes;
    const auto line = [&bytes](const QString &text) {
        bytes += PageEncoding::html(text);
        bytes += "\r\n";
    };
    line(u"<HTML>"_s);
    line(u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"_s);
    line(u"<HEAD>"_s);
    line(u"<TITLE> </TITLE>"_s);
    line(u"</HEAD>"_s);
    line(u"<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"0\">"_s);
    line(u"<TR>"_s);
    for (int f = 0; f < set.fieldCount(); ++f)
        line(u"<th>"_s + PageEncoding::escaped(set.fieldTitle(f)) + u"</th>"_s);
    line(u"</TR>"_s);
    for (int r = 0; r < set.recordCount(); ++r) {
        line(u"<tr>"_s);
        for (int f = 0; f < set.fieldCount(); ++f)
            line(u"<td>"_s + PageEncoding::escaped(shown(set, r, f)) + u"</td>"_s);
        line(u"</tr>"_s);
    }
    line(u"</tr>"_s);
    line(u"</TABLE>"_s);
    line(u"</BODY>"_s);
    line(u"</HTML>"_s);
    out.write(bytes);
}

QByteArray encodeQueryText(const QString &text)
{
    QString lines = text;
    lines.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    QStringList list = lines.split(u'\n');
    QString joined;
    for (const QString &l : list)
        joined += l + u"\r\n"_s;
    bool fits = true;
    for (const QChar ch : joined)
        fits = fits && Cp1251::fromUnicode(ch.unicode()) >= 0;
    if (fits) return PageEncoding::plain(joined);
    return QByteArray("\xEF\xBB\xBF") + joined.toUtf8();
}

QString decodeQueryText(const QByteArray &bytes)
{
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.mid(3));
    } else {
        for (const char c : bytes)
            text += Cp1251::toUnicode(static_cast<unsigned char>(c));
    }
    text.replace(u"\r\n"_s, u"\n"_s);
    if (text.endsWith(u'\n')) text.chop(1); // the last line's end
    return text;
}

} // namespace vintrel
