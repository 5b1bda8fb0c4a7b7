#pragma once

#include "valueformatter.h"

#include <QByteArray>
#include <QString>

namespace vintrel {

// One step of a compiled template. Copy commands point into the template; marker commands
// keep their texts.
struct RtfCommand {
    enum class Kind {
        Start,
        End,
        CopyText,
        CopyGroup,
        Variable,
        Field,
        ScanStart,
        ScanEntry,
        ScanFooter,
        ScanEnd,
        RowStart,
        RowEnd,
        RowFieldDot,
        RowFieldColon,
    };

    Kind kind = Kind::CopyText;
    qsizetype begin = 0; // template source covered
    qsizetype end = 0;

    QByteArray typed; // the marker as typed, delimiters included
    QByteArray codes; // its formatting codes
    QByteArray kept;  // a scan keyword's kept stretch
    QString text;     // the marker's cleaned text
    QString name;     // variable name, or field name of a field reference
    QString alias;    // alias letter of a field reference (empty: unknown name)
    QString aliasWritten;
    FormatCall format;
    // The paragraph end a keyword took from the block when text stands before it on its
    // line; written wherever that text is, not with the repeated rows.
    QByteArray lineBreak;

    int scan = -1;    // scan keywords: the block
    int partner = -1; // row start <-> row end

    // Resolved on the first execution in a run.
    bool resolved = false;
    int dataset = -1;
    int field = -1;
    int driving = -1; // row start: the dataset that repeats the row

    bool isFieldMarker() const
    {
        return kind == Kind::Field || kind == Kind::RowFieldDot || kind == Kind::RowFieldColon;
    }
    bool isScanKeyword() const
    {
        return kind == Kind::ScanStart || kind == Kind::ScanEntry || kind == Kind::ScanFooter ||
               kind == Kind::ScanEnd;
    }
};

} // namespace vintrel
