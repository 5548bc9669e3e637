#include "app/io/inapplicable_options.h"

#include <QCommandLineParser>

namespace app {

namespace {

// Where an option may not apply: to one of the outputs, or beside --fit.
enum Context : unsigned {
    Png = 1 << 0,
    Svg = 1 << 1,
    Pdf = 1 << 2,
    Gif = 1 << 3,
    Fitted = 1 << 4,
};

constexpr unsigned Pictures = Png | Svg | Pdf;

// An option that does not apply in these contexts, and why.
struct Refusal {
    const char* option;
    unsigned contexts;
    const char* reason;
};

// Every option not listed applies to every run.
constexpr Refusal refusals[] = {
    { "size", Svg | Pdf, "a vector picture has no pixels and keeps its look at any size" },
    { "antialias", Svg | Pdf, "a vector picture is smooth in any viewer" },
    { "antialias", Gif,
        "an animation's frames are the plane's own pixels, as a GIF frame holds 256 colours at "
        "most" },
    { "transparent", Gif, "an animation's frames are drawn on white" },
    { "frames", Pictures, "it sets the frames of an animation (--animate)" },
    { "delay", Pictures, "it sets the time between the frames of an animation (--animate)" },
    { "stats", Gif, "it reports the drawing of one picture (--render)" },
    { "window", Fitted, "--fit sets the window to the figure's bounds" },
};

unsigned ContextOf(RunOutput output)
{
    switch (output) {
    case RunOutput::PngPicture:
        return Png;
    case RunOutput::SvgPicture:
        return Svg;
    case RunOutput::PdfPicture:
        return Pdf;
    case RunOutput::Animation:
        break;
    }
    return Gif;
}

// What the message says the option does not apply to.
const char* Described(unsigned context)
{
    switch (context) {
    case Png:
        return "to a PNG picture";
    case Svg:
        return "to an SVG picture";
    case Pdf:
        return "to a PDF";
    case Gif:
        return "to an animation";
    default:
        return "with --fit";
    }
}

} // namespace

std::optional<QString> InapplicableOption(
    const QCommandLineParser& parser, std::optional<RunOutput> output)
{
    unsigned run = output ? ContextOf(*output) : 0;
    if (parser.isSet(QStringLiteral("fit")))
        run |= Fitted;
    for (const Refusal& refusal : refusals) {
        const QString option = QString::fromLatin1(refusal.option);
        const unsigned matched = refusal.contexts & run;
        if (matched == 0 || !parser.isSet(option))
            continue;
        // A run has one output, and no row refuses an option both for an output and beside
        // --fit, so one context matched.
        return QStringLiteral("--%1 does not apply %2: %3")
            .arg(
                option, QString::fromLatin1(Described(matched)), QString::fromUtf8(refusal.reason));
    }
    return std::nullopt;
}

} // namespace app
