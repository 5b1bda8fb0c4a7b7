#include "htmltablewriter.h"

#include "pageencoding.h"

#include "data/dataset.h"
#include "data/datasource.h"

#include <QIODevice>

namespace vintrel {

using namespace Qt::StringLiterals;

QString printedText(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool) return value.toBool() ? u"True"_s : u"False"_s;
    return DataSource::displayText(value);
}

void writeHtmlTable(QIODevice &out, const DataSet &set, const QString &title)
{
    QByteArray page;
    const auto line = [&page](const QString &text) {
        page += PageEncoding::html(text);
        page += "\r\n";
    };
    const QString t = PageEncoding::escaped(title);
    line(u"<HTML>"_s);
    line(u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"_s);
    line(u"<HEAD>"_s);
    line(u"<TITLE> "_s + t + u"</TITLE>"_s);
    line(u"</HEAD>"_s);
    line(u"<H1 align=center>"_s + t + u"</H1>"_s);
    line(u"<table align=center width=\"90%\" border=\"1\" cellspacing=\"0\" cellpadding=\"1\">"_s);
    line(u"<TR>"_s);
    for (int f = 0; f < set.fieldCount(); ++f)
        line(u"<th align=center>"_s + PageEncoding::escaped(set.fieldTitle(f)) + u"</th>"_s);
    line(u"</TR>"_s);
    for (int r = 0; r < set.recordCount(); ++r) {
        line(u"<tr>"_s);
        for (int f = 0; f < set.fieldCount(); ++f) {
            const QString text = printedText(set.cell(r, f));
            line(u"<td >"_s + (text.isEmpty() ? u"_"_s : PageEncoding::escaped(text)) + u"</td>"_s);
        }
        line(u"</tr>"_s);
    }
    line(u"</tr>"_s);
    line(u"</TABLE>"_s);
    line(u"</BODY>"_s);
    line(u"</HTML>"_s);
    out.write(page);
}

} // namespace vintrel
