#include "ui/MessageLoop.h"

namespace tessark {
namespace {

void Dispatch(IMessageFilter& filter, MSG& message)
{
    if (filter.PreTranslate(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace

int RunMessageLoop(IMessageFilter& filter)
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        Dispatch(filter, message);
    return static_cast<int>(message.wParam);
}

bool PumpPendingMessages(IMessageFilter& filter)
{
    MSG message;
    bool running = true;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            running = false;
        else
            Dispatch(filter, message);
    }
    return running;
}

} // namespace tessark
