// The end of the session (log-off, shutdown, restart): the unsaved script
// text is asked about as on closing, and rescued when the session ends anyway.
#include "app/MainForm.h"
#include "script/LastResort.h"

namespace tessark {

bool TMainForm::QueryEndSession(LPARAM reason)
{
    textLetGoAtSessionEnd_ = false;
    // A critical end waits for no answer: the text is rescued at once.
    if (reason & ENDSESSION_CRITICAL) {
        lastresort::RescueNow();
        return true;
    }
    bool canEnd = true;
    FormCloseQuery(canEnd);
    // Still unsaved after a yes: the user answered Non and let the text go.
    textLetGoAtSessionEnd_ = canEnd && script_->IsModified();
    return canEnd;
}

void TMainForm::EndSession(bool ending, LPARAM)
{
    const bool letGo = textLetGoAtSessionEnd_;
    textLetGoAtSessionEnd_ = false;
    // Refused by this window or another program, or stopped: the session goes on.
    if (!ending)
        return;
    // The system may end the process as soon as this returns.
    if (!letGo)
        lastresort::RescueNow();
}

} // namespace tessark
