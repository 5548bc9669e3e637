#include "app/io/inapplicable_options.h"

#include "app/io/collection_io.h"

namespace app {

namespace {

// Where an option may not apply: to one of the outputs, to what the run reads, or beside --fit.
enum Context : unsigned {
    Png = 1 << 0,
    Svg = 1 << 1,
    Pdf = 1 << 2,
    Gif = 1 << 3,
    Fitted = 1 << 4,
    NoFile = 1 << 5,
    LSystemFile = 1 << 6,
    Collection = 1 << 7,
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
    { "explore", Gif, "it draws one picture of the window (--render)" },
    { "window", Fitted, "--fit sets the window to the figure's bounds" },
    { "entry", NoFile | LSystemFile,
        "it names the entry of a collection of Fractint L-systems (.l) to draw" },
    { "list", NoFile | LSystemFile,
        "it lists the entries of a collection of Fractint L-systems (.l)" },
    { "random", Collection, "Fractint's turtle draws every step as it is, without randomness" },
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

unsigned ContextOf(RunSource source)
{
    switch (source) {
    case RunSource::NoFile:
        return NoFile;
    case RunSource::LSystemFile:
        return LSystemFile;
    case RunSource::Collection:
        break;
    }
    return Collection;
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
    case NoFile:
        return "without a file";
    case LSystemFile:
        return "to an L-system file (.lsys)";
    case Collection:
        return "to an entry of a collection of Fractint L-systems (.l)";
    default:
        return "with --fit";
    }
}

} // namespace

RunSource SourceOf(const GivenOptions& given)
{
    if (!given.file())
        return RunSource::NoFile;
    return IsCollectionFile(*given.file()) ? RunSource::Collection : RunSource::LSystemFile;
}

std::optional<QString> InapplicableOption(
    const GivenOptions& given, std::optional<RunOutput> output, RunSource source)
{
    unsigned run = (output ? ContextOf(*output) : 0) | ContextOf(source);
    if (given.isSet(QStringLiteral("fit")))
        run |= Fitted;
    for (const Refusal& refusal : refusals) {
        const QString option = QString::fromLatin1(refusal.option);
        const unsigned matched = refusal.contexts & run;
        if (matched == 0 || !given.isSet(option))
            continue;
        // A run has one output and one source, and no row refuses an option in two of the
        // output's, the source's and --fit's contexts, so one context matched.
        return QStringLiteral("--%1 does not apply %2: %3")
            .arg(
                option, QString::fromLatin1(Described(matched)), QString::fromUtf8(refusal.reason));
    }
    return std::nullopt;
}

} // namespace app
