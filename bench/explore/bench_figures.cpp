#include "bench/explore/bench_figures.h"

#include "app/core/jobs/replay_job.h"
#include "app/core/pictures/mapped_canvas.h"
#include "app/core/pictures/plane_size.h"
#include "app/core/record/fitted_fields.h"
#include "app/core/record/presets.h"
#include "app/io/lsystem_io.h"

#include <QDir>

#include <random>
#include <utility>

namespace bench {

namespace {

// Keeps a uniform sample of the segments' end points drawn on it (reservoir sampling).
class PointSample final : public app::MappedCanvas {
public:
    explicit PointSample(std::size_t size)
        : m_size(size)
    {
    }

    void SetMapping(const plane::Viewport&) override { }
    void DrawSegment(
        const plane::TVector3&, const plane::TVector3& end, plane::Rgb, std::int32_t) override
    {
        ++m_seen;
        if (m_points.size() < m_size) {
            m_points.push_back({ end.x, end.y });
            return;
        }
        const std::uint64_t slot
            = std::uniform_int_distribution<std::uint64_t>(0, m_seen - 1)(m_random);
        if (slot < m_size)
            m_points[slot] = { end.x, end.y };
    }

    std::vector<WorldPoint> points() && { return std::move(m_points); }

private:
    std::size_t m_size;
    std::uint64_t m_seen = 0;
    std::mt19937_64 m_random { 1 };
    std::vector<WorldPoint> m_points;
};

} // namespace

app::DrawnFigure FittedFigure(const app::PanelFields& fields)
{
    const std::uint32_t seed = fields.seed.value_or(0);
    return app::PrepareFigure(app::FittedFields(fields, seed), seed, {}, app::PlaneSize);
}

std::vector<NamedFigure> PresetsAndExamples()
{
    std::vector<NamedFigure> figures;
    for (const app::Preset preset : app::AllPresets()) {
        app::PanelFields fields;
        app::ApplyPreset(preset, fields);
        figures.push_back({ std::string(app::PresetName(preset)), FittedFigure(fields) });
    }
    const QDir examples(QStringLiteral(LSYS_EXAMPLES_DIR));
    for (const QString& file : examples.entryList({ QStringLiteral("*.lsys") }, QDir::Files)) {
        const app::PanelFields fields = app::OpenLSystemFile(examples.filePath(file), {});
        figures.push_back({ file.toStdString(), FittedFigure(fields) });
    }
    return figures;
}

std::vector<WorldPoint> PointsOnFigure(const app::DrawnFigure& figure, int count)
{
    PointSample sample(static_cast<std::size_t>(count));
    app::ReplayJob replay({ figure }, app::PlaneSize, sample);
    app::RunToEnd(replay);
    return std::move(sample).points();
}

app::DrawnFigure InWindow(app::DrawnFigure figure, const app::WorldWindow& window)
{
    figure.window = window;
    return figure;
}

} // namespace bench
