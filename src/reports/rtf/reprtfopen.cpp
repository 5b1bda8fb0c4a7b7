// ExecuteAndOpen lives apart from Execute so that the engine alone (as the fuzz target
// builds it) needs no shell.
#include "reprtf.h"

#include "documentopener.h"
#include "repdataset.h"
#include "rtferrors.h"

namespace vintrel {

using namespace Qt::StringLiterals;

void TRepRTF::ExecuteAndOpen(const std::vector<RepDataSet *> &datasets, int showCommand)
{
    m_executeSuccessful = true;
    m_lastErrMsg = u"No errors."_s;
    std::vector<bool> wereDisabled;
    if (DisableControls) {
        for (RepDataSet *data : datasets) {
            wereDisabled.push_back(data && data->controlsDisabled());
            if (data) data->setControlsDisabled(true);
        }
    }
    const auto restore = [&] {
        if (!DisableControls) return;
        for (size_t i = 0; i < datasets.size(); ++i)
            if (datasets[i]) datasets[i]->setControlsDisabled(wereDisabled[i]);
    };
    try {
        Execute(datasets);
        const int result = documentOpener ? documentOpener(OutFile, showCommand)
                                          : DocumentOpener::open(OutFile, showCommand);
        if (result <= 32)
            throw EIOError(u"Failed to open report results. Error message:"_s +
                           DocumentOpener::reason(result));
        if (OnFinished) OnFinished(*this);
    } catch (const RepError &e) {
        restore();
        m_executeSuccessful = false;
        m_lastErrMsg = e.message();
        throw;
    } catch (const std::exception &e) {
        restore();
        m_executeSuccessful = false;
        m_lastErrMsg = QString::fromUtf8(e.what());
        throw;
    }
    restore();
}

} // namespace vintrel
