#include "app/io/save_signals.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace app {

namespace {

constexpr int NoFolder = -1;
constexpr int Claimed = -2; // taken by MarkForRemoval, its name not yet written

// A marked file, as the signal handler reads it: the folder's handle is set only once the name
// is written, and cleared before the handle is closed.
struct MarkedFile {
    std::atomic<int> folder { NoFolder };
    char name[MaxMarkedName + 1] {};
};

static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the marks");

// Saves at once: a handful in practice (the command line's one, the windows' jobs).
constexpr int MaxMarked = 16;
MarkedFile marked[MaxMarked];

constexpr int endingSignals[] = { SIGTERM, SIGINT, SIGHUP };

// Only async-signal-safe calls: unlinkat and raise.
extern "C" void RemoveMarkedFiles(int signal)
{
    for (MarkedFile& file : marked) {
        const int folder = file.folder.load(std::memory_order_acquire);
        if (folder >= 0)
            ::unlinkat(folder, file.name, 0);
    }
    // SA_RESETHAND has restored the default action: the signal ends the program as it would
    // have, once this handler returns.
    ::raise(signal);
}

void Prepare()
{
    std::signal(SIGXFSZ, SIG_IGN);
    for (const int signal : endingSignals) {
        struct sigaction current { };
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
            continue;
        struct sigaction removal { };
        removal.sa_handler = RemoveMarkedFiles;
        sigemptyset(&removal.sa_mask);
        // Each ending signal waits for the handler that runs.
        for (const int other : endingSignals)
            sigaddset(&removal.sa_mask, other);
        removal.sa_flags = SA_RESETHAND;
        ::sigaction(signal, &removal, nullptr);
    }
}

} // namespace

void PrepareSignalsForSaving()
{
    static std::once_flag prepared;
    std::call_once(prepared, Prepare);
}

int MarkForRemoval(int folder, const QByteArray& name)
{
    if (name.size() > MaxMarkedName)
        return -1;
    for (int mark = 0; mark < MaxMarked; ++mark) {
        int free = NoFolder;
        if (!marked[mark].folder.compare_exchange_strong(free, Claimed))
            continue;
        std::memcpy(marked[mark].name, name.constData(), static_cast<std::size_t>(name.size()) + 1);
        marked[mark].folder.store(folder, std::memory_order_release);
        return mark;
    }
    return -1;
}

void Unmark(int mark)
{
    if (mark >= 0)
        marked[mark].folder.store(NoFolder, std::memory_order_release);
}

} // namespace app
