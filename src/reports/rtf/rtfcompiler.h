#pragma once

#include "repscaninfo.h"
#include "rtfcommand.h"

#include <QHash>
#include <QSet>

#include <functional>
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
        // What a candidate marker may name; both unset: nothing is known to exist.
        std::function<bool(const QString &name)> variableExists;
        std::function<bool(const QString &alias, const QString &field)> fieldExists;
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
    // Reads the candidate marker between two delimiters; false when it is no marker (a
    // stray backslash before it).
    bool readMarker(qsizetype sourceBegin, qsizetype sourceEnd, qsizetype after, bool inRow,
                    RtfCommand &c) const;
    bool namesSomething(const Reference &ref) const;
    qsizetype addKeyword(RtfCommand command, qsizetype after, qsizetype to, bool inRow);
    qsizetype keptStretch(qsizetype after, qsizetype to, RtfCommand &c) const;
    ScanFunction parseFunction(const QString &piece) const;
    // The control at pos (a backslash), \uN fallbacks and \ucN as RTF reads them.
    qsizetype stepControl(qsizetype pos, std::vector<qint64> &skips) const;
    // Follows the groups and \ucN of a stretch the main walk steps over.
    void trackGroups(qsizetype from, qsizetype to);

    const RtfSource &m_source;
    Settings m_settings;
    std::vector<RtfCommand> m_commands;
    std::vector<TRepScanInfo> m_scans;
    std::vector<int> m_open;        // open blocks, innermost last
    QSet<QString> m_targets;        // upper-case target variables of the scan functions so far
    std::vector<qint64> m_skips{1}; // \ucN by open group, innermost last
    // The paragraph the walk is in: where its unexamined text begins, and whether anything
    // before that prints.
    qsizetype m_lineFrom = 0;
    bool m_lineHasText = false;
};

} // namespace vintrel
