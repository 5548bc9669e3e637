#include "app/command_line.h"

#include "app/checked_file.h"
#include "app/draw_command.h"
#include "app/figure_export.h"
#include "app/file_error.h"
#include "app/full_stop.h"
#include "app/lsystem_file.h"
#include "app/lsystem_io.h"
#include "app/panel_fields.h"
#include "app/presets.h"
#include "app/world_window.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace app {

namespace {

constexpr int DefaultSize = 700;
constexpr int MinSize = 1;
constexpr int MaxSize = 16384;

enum ExitCode { Done = 0, Failed = 1, BadUsage = 2 };

// Options that take a value, by their long names.
struct ValueOption {
    const char* name;
    const char* valueName;
    const char* description;
};

constexpr ValueOption valueOptions[] = {
    { "render", "file",
        "Draw without a window and write the figure to <file>: .png or .svg "
        "(no extension: .png is added)." },
    { "preset", "name",
        "Fill the fields from a preset first, as its button does: \"Koch Curve\", "
        "\"Koch Island\", \"Sierp. Curve 1\", \"Sierp. Curve 2\", \"Plant 1\" to "
        "\"Plant 4\" (any case). It also sets the colour, pen and turn; "
        "Koch Curve when none is given." },
    { "axiom", "word", "The axiom." },
    { "rule-f", "word", "What replaces every F." },
    { "rule-g", "word", "What replaces every G." },
    { "angle", "degrees", "The turning angle, a number with a point as decimal separator." },
    { "length", "expression", "The length scale." },
    { "subst", "n", "The number of substitutions, 0 to 10." },
    { "random", "expression", "The random amplitude." },
    { "window", "x1,x2,y1,y2", "The world window: left, right, bottom, top (expressions)." },
    { "size", "pixels", "The width and height of a PNG, 1 to 16384 (default 700)." },
};

// Flags, by their long names, and their short ones.
struct FlagOption {
    const char* shortName;
    const char* name;
    const char* description;
};

constexpr FlagOption flagOptions[] = {
    { nullptr, "fit",
        "Set the window to the figure's bounds with a 5 % margin, equal scale on both axes, "
        "before drawing it." },
    { nullptr, "stats",
        "Print \"symbols=N segments=N ms=X\": the symbols walked, the segments drawn and the "
        "time of the drawing (for SVG, with writing the document), without start-up or putting "
        "the file in place." },
    { "h", "help", "Show this help." },
    { "v", "version", "Show the program's version." },
};

// The command line draws with a point as the angle's decimal separator, whatever the locale.
const std::string decimalSeparator = ".";

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
    DrawnFigure figure;
    std::optional<SourceFile> source;
    QString output;
    int size = DefaultSize;
    bool stats = false;
    bool fit = false;
};

void Print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

void AddOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Draws an L-system figure without opening a window and writes it to a PNG or SVG file.\n"
        "The fields start as the control panel shows them at start-up, or as an L-system file "
        "given after the options has them; --preset fills them as its button does, then each "
        "other option sets its field."));
    parser.addPositionalArgument(QStringLiteral("lsystem"),
        QStringLiteral("An L-system file (.lsys) to draw."), QStringLiteral("[file]"));
    for (const ValueOption& option : valueOptions) {
        parser.addOption({ QString::fromLatin1(option.name), QString::fromUtf8(option.description),
            QString::fromLatin1(option.valueName) });
    }
    for (const FlagOption& option : flagOptions) {
        QStringList names { QString::fromLatin1(option.name) };
        if (option.shortName)
            names.prepend(QString::fromLatin1(option.shortName));
        parser.addOption({ names, QString::fromUtf8(option.description) });
    }
}

Preset PresetNamed(const QString& name)
{
    if (const auto preset = PresetFromName(name.toStdString()))
        return *preset;
    throw UsageError(QStringLiteral("unknown preset \"%1\"").arg(name));
}

int IntegerValue(const QCommandLineParser& parser, const QString& name, int min, int max)
{
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
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
    const std::pair<const char*, std::string PanelFields::*> texts[] = {
        { "axiom", &PanelFields::axiom },
        { "rule-f", &PanelFields::ruleF },
        { "rule-g", &PanelFields::ruleG },
        { "angle", &PanelFields::angle },
        { "length", &PanelFields::length },
        { "random", &PanelFields::random },
    };
    for (const auto& [name, field] : texts) {
        if (parser.isSet(QString::fromLatin1(name)))
            fields.*field = parser.value(QString::fromLatin1(name)).toStdString();
    }
    if (parser.isSet(QStringLiteral("subst"))) {
        fields.substCount
            = IntegerValue(parser, QStringLiteral("subst"), MinSubstitutions, MaxSubstitutions);
    }
    if (parser.isSet(QStringLiteral("window"))) {
        // Commas separate the bounds, so their decimals take a point here.
        const QStringList bounds = parser.value(QStringLiteral("window")).split(QLatin1Char(','));
        if (bounds.size() != 4)
            throw UsageError(QStringLiteral("--window takes four bounds: x1,x2,y1,y2"));
        fields.x1 = bounds[0].toStdString();
        fields.x2 = bounds[1].toStdString();
        fields.y1 = bounds[2].toStdString();
        fields.y2 = bounds[3].toStdString();
    }
}

RenderRequest ReadRequest(const QCommandLineParser& parser)
{
    if (!parser.isSet(QStringLiteral("render")))
        throw UsageError(QStringLiteral("--render <file> is required"));
    const QString output = parser.value(QStringLiteral("render"));
    if (const QString fault = OutputNameFault(output); !fault.isEmpty())
        throw UsageError(
            QStringLiteral("--render takes a file name, not \"%1\": %2").arg(output, fault));
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        throw UsageError(QStringLiteral("unexpected argument \"%1\"").arg(files[1]));
    RenderRequest request;
    PanelFields& fields = request.figure.fields;
    // An L-system file fills the fields first; a preset and each field's option change them.
    if (!files.isEmpty()) {
        fields = OpenLSystemFile(files.first(), fields);
        request.source = SourceFile { files.first(), fields };
    }
    if (parser.isSet(QStringLiteral("preset")))
        ApplyPreset(PresetNamed(parser.value(QStringLiteral("preset"))), decimalSeparator, fields);
    ApplyFieldOptions(parser, fields);
    request.fit = parser.isSet(QStringLiteral("fit"));
    request.figure.decimalSeparator = decimalSeparator;
    request.output = output;
    if (parser.isSet(QStringLiteral("size")))
        request.size = IntegerValue(parser, QStringLiteral("size"), MinSize, MaxSize);
    request.stats = parser.isSet(QStringLiteral("stats"));
    return request;
}

// Sets the window of the figure's fields to its bounds with a margin, as Fit to Figure does,
// without reading the window it replaces; a figure without extent keeps its window.
void FitFields(DrawnFigure& figure)
{
    plane::Plane plane;
    lsystem::DrawParams params;
    lsystem::RandomGenerator random(figure.seed);
    BoundsCanvas bounds;
    RunDraw(
        MeasuringFields(figure.fields), figure.decimalSeparator, { plane, params, random }, bounds);
    if (const auto window = FitWindow(bounds.bounds())) {
        const WindowTexts texts = FormatWindow(*window, figure.decimalSeparator);
        figure.fields.x1 = texts.x1;
        figure.fields.x2 = texts.x2;
        figure.fields.y1 = texts.y1;
        figure.fields.y2 = texts.y2;
    }
}

// The text field that an error of Draw is about, if any.
std::string PanelFields::*FieldOf(const std::exception& error)
{
    if (dynamic_cast<const AngleError*>(&error))
        return &PanelFields::angle;
    const auto* expression = dynamic_cast<const ExpressionError*>(&error);
    if (!expression)
        return nullptr;
    switch (expression->field()) {
    case ExpressionField::X1:
        return &PanelFields::x1;
    case ExpressionField::X2:
        return &PanelFields::x2;
    case ExpressionField::Y1:
        return &PanelFields::y1;
    case ExpressionField::Y2:
        return &PanelFields::y2;
    case ExpressionField::Length:
        return &PanelFields::length;
    case ExpressionField::Random:
        break;
    }
    return &PanelFields::random;
}

// The error's message; one about a field whose text the L-system file gave names the file and
// the key, since the user did not type it.
QString Described(const RenderRequest& request, const std::exception& error)
{
    const QString message = QString::fromUtf8(error.what());
    const auto field = FieldOf(error);
    if (!field || !request.source || request.figure.fields.*field != request.source->fields.*field)
        return message;
    return QStringLiteral("\"%1\", key \"%2\": %3")
        .arg(QDir::toNativeSeparators(request.source->path), QString::fromUtf8(FileKeyOf(field)),
            message);
}

int Render(const RenderRequest& request)
{
    try {
        const ImageFile file = ImageFileFor(request.output);
        DrawnFigure figure = request.figure;
        if (request.fit)
            FitFields(figure);
        const ReplayReport report = SaveFigures(file, { figure }, request.size);
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
        Print(stderr, WithFullStop(Described(request, error)) + QLatin1Char('\n'));
        return Failed;
    }
}

} // namespace

bool IsCommandLineRun(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "-v")
            return true;
        if (!argument.starts_with("--"))
            continue;
        const std::string_view name = argument.substr(2, argument.find('=') - 2);
        for (const ValueOption& option : valueOptions) {
            if (name == option.name)
                return true;
        }
        for (const FlagOption& option : flagOptions) {
            if (name == option.name)
                return true;
        }
    }
    return false;
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
        Print(stderr, QString::fromStdString(error.what()) + QStringLiteral("\n\n"));
        Print(stderr, parser.helpText());
        return BadUsage;
    } catch (const std::exception& error) {
        // An L-system file that cannot be read.
        Print(stderr, WithFullStop(QString::fromUtf8(error.what())) + QLatin1Char('\n'));
        return Failed;
    }
}

} // namespace app
