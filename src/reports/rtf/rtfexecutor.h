#pragma once

#include "repscaninfo.h"
#include "rtfcommand.h"

#include <QVariant>

#include <vector>

namespace vintrel {

class RepDataSet;
class RtfSource;
class RtfWriter;
class TRepRTF;

// The execution pass: walks the command list, writes the output, and jumps back to repeat
// scan blocks and table rows.
class RtfExecutor {
public:
    RtfExecutor(TRepRTF &report, const RtfSource &source, RtfWriter &out,
                std::vector<RtfCommand> &commands, std::vector<TRepScanInfo> &scans,
                const std::vector<RepDataSet *> &datasets, int templateColours);

    void run();

    // The dataset and field a reference names (alias letter, field name or "(N)").
    static bool findField(const std::vector<RepDataSet *> &datasets, const QString &alias,
                          const QString &name, int &dataset, int &field);

private:
    int scanStart(int pc);
    int scanEntry(int pc);
    int endPoint(int pc);
    int rowStart(int pc);
    int rowEnd(int pc);

    void writeVariable(const RtfCommand &c);
    void writeField(RtfCommand &c);
    void writeMissing(const RtfCommand &c);
    void writeFormatted(const RtfCommand &c, const QString &value);
    void writeLink(const RtfCommand &c, const QString &value);
    void writePictureFile(const RtfCommand &c, const QString &path);
    void writePictureBytes(const RtfCommand &c, const QByteArray &bytes);
    QString datePattern(const RtfCommand &c) const;
    void resolve(RtfCommand &c) const;
    bool resolveField(const QString &alias, const QString &name, int &dataset, int &field) const;

    void measure(TRepScanInfo &scan);
    void contribution(int index, int &balance, QByteArray *braces) const;
    void initialise(TRepScanInfo &scan, int section);
    void evaluate(TRepScanInfo &scan, int section);
    void initialiseAndEvaluate(TRepScanInfo &scan, int section);
    double functionInput(const ScanFunction &f, bool &counts, QString &text) const;
    void finishBlock(TRepScanInfo &scan);

    TRepRTF &m_report;
    const RtfSource &m_source;
    RtfWriter &m_out;
    std::vector<RtfCommand> &m_commands;
    std::vector<TRepScanInfo> &m_scans;
    const std::vector<RepDataSet *> &m_datasets;
    int m_templateColours;
    int m_pictures = 0;
};

} // namespace vintrel
