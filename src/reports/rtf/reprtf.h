#pragma once

#include "repimageformat.h"
#include "repreportvariable.h"
#include "repscaninfo.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace vintrel {

class RepDataSet;

// The report template engine: reads an RTF template, replaces the markers typed into its
// text by report variables and dataset fields, repeats scan blocks and table rows, and
// writes the result to OutFile. Runs without a display.
class TRepRTF {
public:
    enum Option : unsigned {
        eoGraphicsWmfCompatible = 1,
        eoGraphicsBinary = 2,
        eoClearMissedFields = 4,
        eoDotAsColon = 8,
    };

    TRepRTF() = default;

    // Events.
    std::function<void(TRepRTF &)> OnFinished;
    std::function<void(int formatIndex, TRepImageFormat &format)> OnImageFormat;
    std::function<void(TRepScanInfo &)> OnScanBefore;
    std::function<void(TRepScanInfo &)> OnScanRecord;
    std::function<void(TRepScanInfo &)> OnScanEof;

    // Properties.
    int Charset = 1;
    int Lang = 0;
    QString Infile;
    QString OutFile = QStringLiteral("outfile.doc");
    QStringList VarList; // name=value, one a line
    QString TrueValue = QStringLiteral("True");
    QString FalseValue = QStringLiteral("False");
    bool DisableControls = true;
    unsigned Options = eoGraphicsBinary | eoDotAsColon;

    bool hasOption(Option option) const { return (Options & option) != 0; }
    bool ExecuteSuccessful() const { return m_executeSuccessful; }
    QString LastErrMsg() const { return m_lastErrMsg; }

    // Opens a finished document; returns a shell result (above 32: success). The default
    // opens with the associated application unless VINTREL_NO_OPEN is set.
    std::function<int(const QString &path, int showCommand)> documentOpener;

    // Report variables.
    void ClearVariables() { VarList.clear(); }
    void AddVariable(const QString &name, const QString &value);
    void AddNumericVariable(const QString &name, double value);
    void DeleteVariable(const QString &name);
    int IndexOfVariable(const QString &name) const; // 1-based, 0 when absent
    QString VariableValue(int index) const;
    TRepReportVariable VariableByName(const QString &name) const { return {*this, name}; }
    // Sets a variable, adding it when it does not exist.
    void setVariable(const QString &name, const QString &value);

    // Fills the template into OutFile over the datasets (alias A for the first).
    void Execute(const std::vector<RepDataSet *> &datasets);
    // Execute, then open OutFile with its associated application.
    void ExecuteAndOpen(const std::vector<RepDataSet *> &datasets, int showCommand);

    // Name of a VarList line ("" when it has none) and its value.
    static QString lineName(const QString &line);
    static QString lineValue(const QString &line);

private:
    QByteArray readTemplate() const;

    bool m_executeSuccessful = false;
    QString m_lastErrMsg = QStringLiteral("No errors.");
};

} // namespace vintrel
