#include "app/core/jobs/session_job.h"

namespace app {

void RunToEnd(SessionJob& job)
{
    while (!job.RunSlice(SessionJob::Clock::time_point::max())) { }
    job.Finish();
}

} // namespace app
