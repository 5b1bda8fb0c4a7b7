#pragma once

#include "repscaninfo.h"
#include "rtfcommand.h"

#include <QHash>

#include <vector>

namespace vintrel {

class RtfSource;

// The compile pass: turns the template's body into a command list, finding markers, copied
// groups, scan blocks and table rows. The template is read once, front to back; nothing in
// it is followed recursively.
class RtfCompiler {
public:
    struct Settings {
        bool dotAsColon = true;
        int datasetCount = 0;
        QHash<QString, QChar> aliases; // upper-case dataset name -> alias letter
    };

    RtfCompiler(const RtfSource &source, Settings settings);

    // Throws EIllegalScanUse, EIllegalFunctionUse, EBadRtfFormat or EConvertError.
    void compile(qsizetype from);

    std::vector<RtfCommand> &commands() { return m_commands; }
    std::vector<TRepScanInfo> &scans() { return m_scans; }

    // Reference classification shared with scan functions.
    struct Reference {
        bool isField = false;
        bool dot = false; // a dot reference (else colon)
        QString alias, aliasWritten, name;
    };
    static Reference classify(const QString &text, const Settings &settings);
    static bool isScanKeyword(const QString &text);

private:
    void compileRange(qsizetype from, qsizetype to, bool inRow);
    qsizetype compileRow(qsizetype pos, qsizetype to);
    void addText(qsizetype from, qsizetype to);
    // Finds the closing delimiter of a marker opened at `start`; -1 when it is abandoned.
    qsizetype markerClose(qsizetype start, qsizetype to) const;
    qsizetype addMarker(qsizetype sourceBegin, qsizetype sourceEnd, qsizetype after, qsizetype to,
                        bool inRow);
    qsizetype addKeyword(RtfCommand command, qsizetype after, qsizetype to, bool inRow);
    qsizetype keptStretch(qsizetype after, qsizetype to, QByteArray &kept) const;
    ScanFunction parseFunction(const QString &piece) const;

    const RtfSource &m_source;
    Settings m_settings;
    std::vector<RtfCommand> m_commands;
    std::vector<TRepScanInfo> m_scans;
    std::vector<int> m_open; // open blocks, innermost last
};

} // namespace vintrel
