#include "app/MessageLoop.h"

namespace tessark {
namespace {

void Dispatch(TMainForm& form, MSG& message)
{
    if (form.PreTranslate(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace

int RunMessageLoop(TMainForm& form)
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        Dispatch(form, message);
    return static_cast<int>(message.wParam);
}

bool PumpPendingMessages(TMainForm& form)
{
    MSG message;
    bool running = true;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            running = false;
        else
            Dispatch(form, message);
    }
    return running;
}

} // namespace tessark
