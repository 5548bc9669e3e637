#include "app/ui/view_commands.h"

#include "app/ui/session_driver.h"
#include "plane/draw2d.h"

#include <cmath>

namespace app {

namespace {

constexpr double ZoomPerNotch = 1.25;

const QString ZoomLimitSuffix = QStringLiteral(" — zoom limit reached");

} // namespace

ViewCommands::ViewCommands(plane::TDraw2D& plane, SessionDriver& driver,
    std::function<void(const std::function<void()>&)> guard, std::function<PanelFields()> fields,
    std::function<void(const WorldWindow&)> showWindow, QObject* parent)
    : QObject(parent)
    , m_plane(plane)
    , m_driver(driver)
    , m_fields(std::move(fields))
    , m_guard(std::move(guard))
    , m_showWindow(std::move(showWindow))
{
    connect(&plane, &plane::TDraw2D::zoomRequested, this,
        [this](QPointF at, double notches) { m_guard([&] { Zoom(at.x(), at.y(), notches); }); });
    connect(&plane, &plane::TDraw2D::panRequested, this, [this](QPointF from, QPointF to) {
        m_guard([&] { Pan(from.x(), from.y(), to.x(), to.y()); });
    });
    connect(&plane, &plane::TDraw2D::growthRequested, this, [this] {
        m_guard([this] {
            m_driver.session().AnimateGrowth(m_fields());
            m_driver.Run();
        });
    });
    connect(&plane, &plane::TDraw2D::playbackRequested, this, [this] {
        m_guard([this] {
            m_driver.session().PlayDrawing();
            m_driver.Run();
        });
    });
    connect(&plane, &plane::TDraw2D::exploreRequested, this, [this](bool on) {
        m_guard([&] {
            m_driver.session().SetExplore(on);
            m_driver.Run();
        });
    });
    connect(&driver, &SessionDriver::advanced, this, &ViewCommands::ShowMarker);
    connect(&driver, &SessionDriver::ended, this, &ViewCommands::ShowMarker);
}

void ViewCommands::ShowMarker()
{
    const std::optional<TurtleMarker> marker = m_driver.session().marker();
    if (marker)
        m_plane.SetMarker(QPointF(marker->x, marker->y), marker->heading);
    else
        m_plane.SetMarker(std::nullopt);
}

void ViewCommands::Zoom(double x, double y, double notches)
{
    const double factor = std::pow(ZoomPerNotch, notches);
    DrawingSession& session = m_driver.session();
    const bool zoomed = notches != 0.0 && session.Zoom(x, y, factor);
    // Explore refuses to zoom in beyond what double precision shows: the plane's title says so
    // until the next zoom that is done.
    const bool atLimit = !zoomed && notches > 0.0 && session.exploring() && session.shownWindow();
    QString title = m_plane.windowTitle();
    if (title.endsWith(ZoomLimitSuffix))
        title.chop(ZoomLimitSuffix.size());
    m_plane.setWindowTitle(atLimit ? title + ZoomLimitSuffix : title);
    if (zoomed)
        ShowAndRedraw();
}

void ViewCommands::Pan(double fromX, double fromY, double toX, double toY)
{
    if (m_driver.session().Pan(fromX, fromY, toX, toY))
        ShowAndRedraw();
}

void ViewCommands::ShowAndRedraw()
{
    m_showWindow(*m_driver.session().shownWindow());
    m_driver.Run();
}

} // namespace app
