#include "host/linux/TerminalInterrupt.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<bool> requested{false};

void onSignal(int)
{
    requested.store(true);
}

} // namespace

void watchTerminalInterrupt(bool on)
{
    struct sigaction action { };
    // No SA_RESTART: the event loop's wait ends at once.
    action.sa_handler = on ? onSignal : SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    if (!on)
        requested.store(false);
}

bool interruptRequested()
{
    return requested.exchange(false);
}
