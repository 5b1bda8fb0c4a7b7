#pragma once

#include <QtGlobal>

namespace vintrel {

class RtfSource;
class RtfWriter;

// Copies the document header: the font table with every font's character set replaced
// (symbol fonts keep theirs), the colour table with the 16 standard colours appended (so a
// picture border can name one of them), and the document information group.
class RtfHeaderWriter {
public:
    RtfHeaderWriter(const RtfSource &source, RtfWriter &out, int charset);

    // Writes the header; returns the position where the body starts. Throws EBadRtfFormat.
    qsizetype write();
    // Colours of the template's own colour table (written before the standard ones).
    int templateColourCount() const { return m_templateColours; }

private:
    qsizetype writeFontTable(qsizetype pos);
    qsizetype writeColourTable(qsizetype pos);
    qsizetype writeInfo(qsizetype pos);

    const RtfSource &m_source;
    RtfWriter &m_out;
    int m_charset;
    int m_templateColours = 0;
};

} // namespace vintrel
