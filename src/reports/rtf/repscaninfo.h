#pragma once

#include "scanfunction.h"

#include <QByteArray>

#include <array>
#include <vector>

namespace vintrel {

class RepDataSet;

// One SCAN block of the template, as the scan events receive it.
struct TRepScanInfo {
    enum Section { ScanSection, EntrySection, FooterSection, EndSection };

    struct FunctionList {
        std::vector<ScanFunction> functions;
        bool resolved = false;    // field sources looked up (once per run)
        bool initialised = false; // cleared at every ENDSCAN of the block
    };

    int firstCommand = -1; // the SCAN keyword
    int number = 0;        // 1 for the first SCAN of the template
    int level = 0;         // 1 = outermost
    int entryCommand = -1; // SCANENTRY, if present
    int footerCommand = -1;
    int endCommand = -1;
    bool page = false;
    bool noeof = false;
    int datasetIndex = -1;
    RepDataSet *dataset = nullptr;
    bool exhausted = false;
    int braceBalance = 0;  // groups the repeated part opens (negative: closes)
    QByteArray skeleton;   // the braces written for a skipped block
    bool measured = false; // balance and skeleton computed
    std::array<FunctionList, 4> sections;
};

} // namespace vintrel
