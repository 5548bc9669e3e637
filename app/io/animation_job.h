#pragma once

#include "app/core/jobs/animation_frames.h"
#include "app/core/jobs/session_job.h"
#include "app/core/record/drawn_figure.h"
#include "app/io/checked_file.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace app {

class GifEncoder;

// The file to write an animation to: `path`, with ".gif" added when it has no extension. Any
// other extension than ".gif" (in any case), and a name OutputNameFault refuses, raise
// FileError.
QString AnimationFileFor(const QString& path);

// Writing an animated GIF of one figure, as a task of the drawing session: its frames
// (AnimationFrames, one a step of AnimationStepsFor) are drawn a slice at a time, each encoded into
// the file as soon as it is complete, and the file is put in place after the last one. The frames
// follow one another after settings.delayMs (rounded to hundredths of a second, as GIF counts), the
// last stays LastFrameDelayMs, and the animation loops forever.
//
// The file is written through a CheckedFile: a job that is stopped, or fails, writes nothing
// and leaves the old file as it was. A figure whose fields or arithmetic fail raises the error
// Draw raises; a file that cannot be written raises FileError.
class AnimationJob final : public SessionJob {
public:
    // `path` as AnimationFileFor gives it. Its temporary file is made and the GIF's header
    // written here, FileError when that fails; then `steps` gives the animation's steps, and
    // its errors end the job. `written` is told once the file is in place.
    AnimationJob(const QString& path, const std::function<AnimationSteps()>& steps,
        const AnimationSettings& settings, std::function<void()> written = {});
    ~AnimationJob() override;

    bool RunSlice(Clock::time_point deadline) override;
    double progress() const override;
    // Ends the GIF and puts the file in place.
    void Finish() override;

private:
    CheckedFile m_file;
    std::unique_ptr<GifEncoder> m_encoder; // writes into m_file
    std::unique_ptr<AnimationFrames> m_frames;
    std::uint64_t m_framesWritten = 0;
    int m_delay; // centiseconds
    int m_lastDelay;
    std::function<void()> m_written;
};

// The animation written at once.
void SaveAnimation(const QString& path, const std::function<AnimationSteps()>& steps,
    const AnimationSettings& settings);
void SaveAnimation(
    const QString& path, const DrawnFigure& figure, const AnimationSettings& settings);

} // namespace app
