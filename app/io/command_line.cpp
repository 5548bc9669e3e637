#include "app/io/command_line.h"

#include "app/core/animation_frames.h"
#include "app/core/fitted_fields.h"
#include "app/core/lsystem_file.h"
#include "app/core/panel_fields.h"
#include "app/core/prepared_draw.h"
#include "app/core/presets.h"
#include "app/core/rule_text.h"
#include "app/core/world_window.h"
#include "app/io/animation_job.h"
#include "app/io/checked_file.h"
#include "app/io/figure_export.h"
#include "app/io/file_error.h"
#include "app/io/full_stop.h"
#include "app/io/lsystem_io.h"
#include "app/io/safe_message.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <variant>

namespace app {

namespace {

constexpr int MinSize = 1;
constexpr int MaxSize = 16384;
constexpr int MaxFrames = 1000;
constexpr int MinDelay = 10;
constexpr int MaxDelay = 60000;

enum ExitCode { Done = 0, Failed = 1, BadUsage = 2 };

// An option beside the fields' own (FieldTable).
struct Option {
    const char* shortName; // none for most
    const char* name;
    const char* valueName; // none for a flag
    const char* description;
};

constexpr Option renderOption { nullptr, "render", "file",
    "Draw without a window and write the figure to <file>: .png, .svg or .pdf "
    "(no extension: .png is added)." };
constexpr Option animateOption { nullptr, "animate", "file",
    "Draw without a window and write an animated GIF to <file> (no extension: .gif is added): "
    "the growth, one frame for each number of substitutions from 0 to --subst's, each the "
    "picture --render writes of it, or with --frames the drawing." };
constexpr Option presetOption { nullptr, "preset", "name", nullptr };
// Beside the fields' own, since it may be given many times.
constexpr Option ruleOption { nullptr, "rule", "rule",
    "A rule \"SYMBOL [WEIGHT] -> REPLACEMENT\": what replaces SYMBOL, one printable ASCII "
    "character other than + - ( and ), at each substitution. Give it once for each rule; given, "
    "these replace an L-system file's rules. The rules of one symbol, F's and G's fields among "
    "them (weighing 1), are alternatives: each rewriting picks one at random by weight (default "
    "1), from the seed. E.g. --axiom X --rule-f FF --rule \"X -> F-((X)+X)+F(+FX)-X\"; "
    "--rule \"F 2 -> F(+F)F\" rewrites F as F(+F)F twice as often as by --rule-f's rule." };
constexpr Option laterOptions[] = {
    { nullptr, "window", "x1,x2,y1,y2",
        "The world window: left, right, bottom, top (expressions)." },
    { nullptr, "size", "pixels",
        "The width and height of a PNG or GIF, 1 to 16384 (default 700)." },
    { nullptr, "frames", "n",
        "With --animate: the drawing in n frames, 1 to 1000, each walking a further n-th of the "
        "figure's symbols; the last shows the whole figure." },
    { nullptr, "delay", "ms",
        "With --animate: the time from one frame to the next, 10 to 60000 milliseconds, rounded "
        "to hundredths of a second (default 700 for the growth, 100 for the drawing). The last "
        "frame stays four times as long, at least 2 s; the animation loops forever." },
    { nullptr, "seed", "n",
        "The random generator's state at the start of the figure, 0 to 4294967295 (default: an "
        "L-system file's seed, else 0, as the program's first Draw). The same seed draws the "
        "same figure." },
    { nullptr, "antialias", nullptr,
        "Draw a PNG with smooth (anti-aliased) edges instead of the plane's pixels (SVG and PDF "
        "are smooth in any viewer)." },
    { nullptr, "transparent", nullptr,
        "Leave the background transparent instead of white: a PNG's pixels off the figure, an "
        "SVG's or PDF's page." },
    { nullptr, "fit", nullptr,
        "Set the window to the figure's bounds with a 5 % margin, equal scale on both axes, "
        "before drawing it." },
    { nullptr, "stats", nullptr,
        "Print \"symbols=N segments=N ms=X\": the symbols walked, the segments drawn and the "
        "time of the drawing (for SVG, with writing the document), without start-up or putting "
        "the file in place." },
    { "h", "help", nullptr, "Show this help." },
    { "v", "version", nullptr, "Show the program's version." },
};

// --preset's help, naming every preset.
QString PresetHelp()
{
    QStringList names;
    for (const Preset preset : AllPresets())
        names << QStringLiteral("\"%1\"").arg(QString::fromUtf8(PresetName(preset)));
    return QStringLiteral("Fill the fields from a preset first, as its button does: %1 (any "
                          "case). It also sets the colour, pen and turn; %2 when none is given.")
        .arg(names.join(QStringLiteral(", ")), names.first());
}

class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& message)
        : std::runtime_error(message.toStdString())
    {
    }
};

// An L-system file and the fields as it left them.
struct SourceFile {
    QString path;
    PanelFields fields;
};

struct RenderRequest {
    PanelFields fields;
    std::optional<SourceFile> source;
    // The file written: a picture's, or with `animation` an animated GIF's.
    ImageFile picture;
    QString animationFile;
    std::optional<AnimationSettings> animation; // none for a picture
    int size = PlaneSize;
    PictureStyle style;
    bool stats = false;
    bool fit = false;
};

void Print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

void AddOption(QCommandLineParser& parser, const Option& option, const QString& description)
{
    QStringList names { QString::fromLatin1(option.name) };
    if (option.shortName)
        names.prepend(QString::fromLatin1(option.shortName));
    if (option.valueName)
        parser.addOption({ names, description, QString::fromLatin1(option.valueName) });
    else
        parser.addOption({ names, description });
}

void AddOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Draws an L-system figure without opening a window and writes it to a PNG, SVG or PDF "
        "file, or its growth or drawing to an animated GIF.\n"
        "The fields start as the control panel shows them at start-up, or as an L-system file "
        "given after the options has them; --preset fills them as its button does, then each "
        "other option sets its field."));
    parser.addPositionalArgument(QStringLiteral("lsystem"),
        QStringLiteral("An L-system file (.lsys) to draw."), QStringLiteral("[file]"));
    AddOption(parser, renderOption, QString::fromUtf8(renderOption.description));
    AddOption(parser, animateOption, QString::fromUtf8(animateOption.description));
    AddOption(parser, presetOption, PresetHelp());
    for (const FieldRow& row : FieldTable) {
        if (!row.option.empty()) {
            parser.addOption({ QString::fromUtf8(row.option), QString::fromUtf8(row.help),
                QString::fromUtf8(row.optionValue) });
        }
    }
    AddOption(parser, ruleOption, QString::fromUtf8(ruleOption.description));
    for (const Option& option : laterOptions)
        AddOption(parser, option, QString::fromUtf8(option.description));
}

Preset PresetNamed(const QString& name)
{
    if (const auto preset = PresetFromName(name.toStdString()))
        return *preset;
    throw UsageError(QStringLiteral("unknown preset \"%1\"").arg(name));
}

qint64 IntegerValue(const QCommandLineParser& parser, const QString& name, qint64 min, qint64 max)
{
    bool ok = false;
    const qint64 value = parser.value(name).toLongLong(&ok);
    if (!ok || value < min || value > max) {
        throw UsageError(QStringLiteral("--%1 takes a whole number from %2 to %3, not \"%4\"")
                             .arg(name)
                             .arg(min)
                             .arg(max)
                             .arg(parser.value(name)));
    }
    return value;
}

// Sets each field whose option is given.
void ApplyFieldOptions(const QCommandLineParser& parser, PanelFields& fields)
{
    for (const FieldRow& row : FieldTable) {
        const QString name = QString::fromUtf8(row.option);
        if (row.option.empty() || !parser.isSet(name))
            continue;
        if (row.text)
            fields.*row.text = parser.value(name).toStdString();
        else
            fields.substCount = static_cast<std::int32_t>(
                IntegerValue(parser, name, MinSubstitutions, MaxSubstitutions));
    }
    if (parser.isSet(QStringLiteral("window"))) {
        // Commas separate the bounds, so their decimals take a point here.
        const QStringList bounds = parser.value(QStringLiteral("window")).split(QLatin1Char(','));
        if (bounds.size() != 4)
            throw UsageError(QStringLiteral("--window takes four bounds: x1,x2,y1,y2"));
        SetWindow(fields,
            { bounds[0].toStdString(), bounds[1].toStdString(), bounds[2].toStdString(),
                bounds[3].toStdString() });
    }
}

// Every --rule in order, given at all, in place of the rules the fields had.
void ApplyRuleOptions(const QCommandLineParser& parser, PanelFields& fields)
{
    const QString name = QString::fromLatin1(ruleOption.name);
    if (!parser.isSet(name))
        return;
    fields.moreRules.clear();
    for (const QString& line : parser.values(name)) {
        std::variant<RuleText, std::string> rule = ReadRuleLine(line.toStdString());
        if (const auto* fault = std::get_if<std::string>(&rule)) {
            throw UsageError(
                QStringLiteral("--rule takes \"SYMBOL [WEIGHT] -> REPLACEMENT\", not \"%1\": %2")
                    .arg(line, QString::fromStdString(FaultClause(*fault))));
        }
        fields.moreRules.push_back(std::get<RuleText>(std::move(rule)));
    }
}

// --animate's settings; none for --render, which takes none of the animation's options.
std::optional<AnimationSettings> ReadAnimation(const QCommandLineParser& parser, bool animate)
{
    const QString frames = QStringLiteral("frames");
    const QString delay = QStringLiteral("delay");
    if (!animate) {
        for (const QString& option : { frames, delay }) {
            if (parser.isSet(option))
                throw UsageError(QStringLiteral("--%1 goes with --animate").arg(option));
        }
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("stats")))
        throw UsageError(QStringLiteral("--stats goes with --render"));
    AnimationSettings settings;
    if (parser.isSet(frames)) {
        settings.kind = AnimationKind::Drawing;
        settings.drawingFrames = static_cast<int>(IntegerValue(parser, frames, 1, MaxFrames));
    }
    settings.delayMs = parser.isSet(delay)
        ? static_cast<int>(IntegerValue(parser, delay, MinDelay, MaxDelay))
        : DefaultDelayMs(settings.kind);
    return settings;
}

RenderRequest ReadRequest(const QCommandLineParser& parser)
{
    const bool animate = parser.isSet(QStringLiteral("animate"));
    if (animate && parser.isSet(QStringLiteral("render")))
        throw UsageError(QStringLiteral("--render and --animate exclude each other"));
    if (!animate && !parser.isSet(QStringLiteral("render")))
        throw UsageError(QStringLiteral("--render <file> or --animate <file> is required"));
    const QString outputOption = QString::fromLatin1(animate ? "animate" : "render");
    const QString output = parser.value(outputOption);
    if (const QString fault = OutputNameFault(output); !fault.isEmpty())
        throw UsageError(QStringLiteral("--%1 takes a file name, not \"%2\": %3")
                             .arg(outputOption, output, fault));
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        throw UsageError(QStringLiteral("unexpected argument \"%1\"").arg(files[1]));
    RenderRequest request;
    PanelFields& fields = request.fields;
    // An L-system file fills the fields first; a preset and each field's option change them.
    if (!files.isEmpty()) {
        fields = OpenLSystemFile(files.first(), fields);
        request.source = SourceFile { files.first(), fields };
    }
    if (parser.isSet(QStringLiteral("preset")))
        ApplyPreset(PresetNamed(parser.value(QStringLiteral("preset"))), fields);
    ApplyFieldOptions(parser, fields);
    ApplyRuleOptions(parser, fields);
    request.fit = parser.isSet(QStringLiteral("fit"));
    if (parser.isSet(QStringLiteral("size")))
        request.size
            = static_cast<int>(IntegerValue(parser, QStringLiteral("size"), MinSize, MaxSize));
    if (parser.isSet(QStringLiteral("seed"))) {
        fields.seed = static_cast<std::uint32_t>(IntegerValue(
            parser, QStringLiteral("seed"), 0, std::numeric_limits<std::uint32_t>::max()));
    }
    request.style.smooth = parser.isSet(QStringLiteral("antialias"));
    request.style.transparent = parser.isSet(QStringLiteral("transparent"));
    request.stats = parser.isSet(QStringLiteral("stats"));
    request.animation = ReadAnimation(parser, animate);
    // The file's kind last: a name whose extension cannot be written is a failure, not a usage
    // error, and comes after them.
    if (request.animation) {
        request.animation->size = request.size;
        request.animationFile = AnimationFileFor(output);
    } else {
        request.picture = ImageFileFor(output);
    }
    return request;
}

// The row of the text field that an error of Draw is about, if any.
const FieldRow* FieldOf(const std::exception& error)
{
    if (dynamic_cast<const AngleError*>(&error))
        return &FieldRowOf(&PanelFields::angle);
    if (const auto* expression = dynamic_cast<const ExpressionError*>(&error))
        return &FieldRowOf(expression->field());
    return nullptr;
}

// The error's message; one about a field whose text the L-system file gave names the file and
// the key, since the user did not type it.
QString Described(const RenderRequest& request, const std::exception& error)
{
    const QString message = QString::fromUtf8(error.what());
    const FieldRow* row = FieldOf(error);
    if (!row || !request.source || request.fields.*row->text != request.source->fields.*row->text)
        return message;
    return QStringLiteral("\"%1\", key \"%2\": %3")
        .arg(QDir::toNativeSeparators(request.source->path), QString::fromUtf8(row->fileKey),
            message);
}

int Render(const RenderRequest& request)
{
    try {
        // The figure as the program's first Draw would draw it: after the plane's first line
        // colour, black, and with the generator in the seed's state.
        const std::uint32_t seed = request.fields.seed.value_or(0);
        const plane::Rgb firstLineColour {};
        const PanelFields fields
            = request.fit ? FittedFields(request.fields, seed) : request.fields;
        if (request.animation) {
            SaveAnimation(
                request.animationFile,
                [&] {
                    return AnimationStepsFor(fields, seed, firstLineColour, *request.animation);
                },
                *request.animation);
            return Done;
        }
        const auto figure = [&] {
            return std::vector { PrepareFigure(
                fields, seed, firstLineColour, PictureSize(request.picture, request.size)) };
        };
        const ReplayReport report
            = SaveFigures(request.picture, figure, request.size, request.style);
        if (request.stats) {
            const double ms = std::chrono::duration<double, std::milli>(report.drawing).count();
            Print(stdout,
                QStringLiteral("symbols=%1 segments=%2 ms=%3\n")
                    .arg(report.symbols)
                    .arg(report.segments)
                    .arg(ms, 0, 'f', 1));
        }
        return Done;
    } catch (const std::exception& error) {
        Print(stderr, WithFullStop(SafeMessage(Described(request, error))) + QLatin1Char('\n'));
        return Failed;
    }
}

} // namespace

bool IsCommandLineRun(int argc, char* argv[])
{
    // Read by the command line's own parser, before any application object exists.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    AddOptions(parser);
    parser.parse(arguments);
    return !parser.optionNames().isEmpty();
}

int RunCommandLine(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Lindenmayer"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LSYS_VERSION));

    QCommandLineParser parser;
    AddOptions(parser);
    try {
        if (!parser.parse(QCoreApplication::arguments()))
            throw UsageError(parser.errorText());
        if (parser.isSet(QStringLiteral("help"))) {
            Print(stdout, parser.helpText());
            return Done;
        }
        if (parser.isSet(QStringLiteral("version"))) {
            Print(stdout, QStringLiteral("Lindenmayer %1\n").arg(QStringLiteral(LSYS_VERSION)));
            return Done;
        }
        return Render(ReadRequest(parser));
    } catch (const UsageError& error) {
        Print(stderr, SafeMessage(QString::fromStdString(error.what())) + QStringLiteral("\n\n"));
        Print(stderr, parser.helpText());
        return BadUsage;
    } catch (const std::exception& error) {
        // An L-system file that cannot be read.
        Print(
            stderr, WithFullStop(SafeMessage(QString::fromUtf8(error.what()))) + QLatin1Char('\n'));
        return Failed;
    }
}

} // namespace app
