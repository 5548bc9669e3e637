#include "session_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace test_support {

app::PanelFields PresetFields(app::Preset preset, const char* random, int count)
{
    app::PanelFields fields;
    app::ApplyPreset(preset, fields);
    fields.random = random;
    if (count >= 0)
        fields.substCount = count;
    return fields;
}

Session::Session()
{
    plane.SetPlaneSize(app::PlaneSize, app::PlaneSize);
    session.SetWindowListener([this](const app::WindowTexts& texts) { shown = texts; });
}

void Session::Draw(const app::PanelFields& fields)
{
    session.Draw(fields);
    session.RunToEnd();
}

void Session::Zoom(double x, double y, double notches)
{
    ASSERT_TRUE(session.Zoom(x, y, std::pow(1.25, notches)));
    session.RunToEnd();
}

void Session::Pan(double fromX, double fromY, double toX, double toY)
{
    ASSERT_TRUE(session.Pan(fromX, fromY, toX, toY));
    session.RunToEnd();
}

int Session::PixelsOf(plane::Rgb colour) const
{
    int count = 0;
    for (int y = 0; y < plane.raster().height(); ++y) {
        for (int x = 0; x < plane.raster().width(); ++x)
            count += plane.raster().Pixel(x, y) == colour;
    }
    return count;
}

bool SamePixels(const plane::Raster& a, const plane::Raster& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
        }
    }
    return true;
}

} // namespace test_support
