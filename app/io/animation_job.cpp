#include "app/io/animation_job.h"

#include "app/io/gif_encoder.h"

#include <utility>

namespace app {

QString AnimationFileFor(const QString& path)
{
    if (const QString fault = OutputNameFault(path); !fault.isEmpty())
        throw SaveError(path, fault);
    const QString suffix = NameSuffix(path);
    if (suffix.isEmpty())
        return path + QStringLiteral(".gif");
    if (suffix.compare(QStringLiteral("gif"), Qt::CaseInsensitive) == 0)
        return path;
    throw SaveError(path, QStringLiteral("animations are written as .gif files only"));
}

AnimationJob::AnimationJob(const QString& path, const std::function<AnimationSteps()>& steps,
    const AnimationSettings& settings, std::function<void()> written)
    : m_file(path)
    , m_encoder(std::make_unique<GifEncoder>(m_file, settings.size, settings.size))
    , m_frames(std::make_unique<AnimationFrames>(steps(), settings.size))
    , m_delay(Centiseconds(settings.delayMs))
    , m_lastDelay(Centiseconds(LastFrameDelayMs(settings.delayMs)))
    , m_written(std::move(written))
{
}

AnimationJob::~AnimationJob() = default;

bool AnimationJob::RunSlice(Clock::time_point deadline)
{
    for (;;) {
        if (!m_frames->RunSlice(deadline))
            return false;
        const bool last = m_framesWritten + 1 == m_frames->frameCount();
        m_encoder->AddFrame(m_frames->raster(), m_frames->changed(), last ? m_lastDelay : m_delay);
        ++m_framesWritten;
        if (!m_frames->NextFrame())
            return true;
        if (Clock::now() >= deadline)
            return false;
    }
}

double AnimationJob::progress() const
{
    return m_frames->progress();
}

void AnimationJob::Finish()
{
    m_encoder->Finish();
    m_file.Commit();
    if (m_written)
        m_written();
}

void SaveAnimation(const QString& path, const std::function<AnimationSteps()>& steps,
    const AnimationSettings& settings)
{
    AnimationJob job(path, steps, settings);
    RunToEnd(job);
}

void SaveAnimation(
    const QString& path, const DrawnFigure& figure, const AnimationSettings& settings)
{
    SaveAnimation(
        path, [&] { return AnimationStepsFor(figure, settings); }, settings);
}

} // namespace app
