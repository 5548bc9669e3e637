#include "app/io/command_line.h"

#include "app/core/explore/explore_depth.h"
#include "app/core/explore/explore_job.h"
#include "app/core/formats/lsystem_file.h"
#include "app/core/jobs/animation_frames.h"
#include "app/core/record/fitted_fields.h"
#include "app/core/record/panel_fields.h"
#include "app/core/record/prepared_draw.h"
#include "app/core/record/presets.h"
#include "app/core/record/rule_text.h"
#include "app/core/record/world_window.h"
#include "app/io/animation_job.h"
#include "app/io/checked_file.h"
#include "app/io/collection_run.h"
#include "app/io/command_line_options.h"
#include "app/io/explore_export.h"
#include "app/io/figure_export.h"
#include "app/io/inapplicable_options.h"
#include "app/io/launch.h"
#include "app/io/lsystem_io.h"
#include "app/io/run_failure.h"
#include "app/io/safe_message.h"
#include "app/io/usage_error.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <variant>

namespace app {

namespace {

constexpr int MinSize = 1;
constexpr int MaxSize = 16384;
constexpr int MaxFrames = 1000;
constexpr int MinDelay = 10;
constexpr int MaxDelay = 60000;

enum ExitCode { Done = 0, Failed = 1, BadUsage = 2 };

struct RenderRequest {
    PanelFields fields;
    std::optional<SourceFile> source;
    std::optional<QString> entry; // the collection's entry drawn, by its name
    // The file written: a picture's, or with `animation` an animated GIF's.
    ImageFile picture;
    QString animationFile;
    std::optional<AnimationSettings> animation; // none for a picture
    int size = PlaneSize;
    PictureStyle style;
    bool stats = false;
    bool fit = false;
    bool explore = false;
};

void Print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

double Milliseconds(std::chrono::nanoseconds time)
{
    return std::chrono::duration<double, std::milli>(time).count();
}

Preset PresetNamed(const QString& name)
{
    if (const auto preset = PresetFromName(name.toStdString()))
        return *preset;
    QStringList names;
    for (const Preset preset : AllPresets())
        names << QStringLiteral("\"%1\"").arg(QString::fromUtf8(PresetName(preset)));
    throw UsageError(QStringLiteral("unknown preset \"%1\": the presets are %2")
                         .arg(name, names.join(QStringLiteral(", "))));
}

qint64 IntegerValue(const GivenOptions& given, const QString& name, qint64 min, qint64 max)
{
    bool ok = false;
    const qint64 value = given.value(name).toLongLong(&ok);
    if (!ok || value < min || value > max) {
        throw UsageError(QStringLiteral("--%1 takes a whole number from %2 to %3, not \"%4\"")
                             .arg(name)
                             .arg(min)
                             .arg(max)
                             .arg(given.value(name)));
    }
    return value;
}

// Sets each field whose option is given. Explore substitutes further than Draw, so with
// --explore the count may go beyond Draw's limit.
void ApplyFieldOptions(const GivenOptions& given, PanelFields& fields)
{
    const std::int32_t maxCount = given.isSet(QStringLiteral("explore"))
        ? MaxExploreSubstitutions
        : MaxSubstitutionsOf(fields.commands);
    for (const FieldRow& row : FieldTable) {
        const QString name = QString::fromUtf8(row.option);
        if (row.option.empty() || !given.isSet(name))
            continue;
        if (row.text)
            fields.*row.text = given.value(name).toStdString();
        else
            fields.substCount
                = static_cast<std::int32_t>(IntegerValue(given, name, MinSubstitutions, maxCount));
    }
    if (given.isSet(QStringLiteral("window"))) {
        // Commas separate the bounds, so their decimals take a point here.
        const QStringList bounds = given.value(QStringLiteral("window")).split(QLatin1Char(','));
        if (bounds.size() != 4)
            throw UsageError(QStringLiteral("--window takes four bounds: x1,x2,y1,y2"));
        SetWindow(fields,
            { bounds[0].toStdString(), bounds[1].toStdString(), bounds[2].toStdString(),
                bounds[3].toStdString() });
    }
}

// --commands, given at all, in place of the set the fields had.
void ApplyCommandsOption(const GivenOptions& given, PanelFields& fields)
{
    const QString name = QStringLiteral("commands");
    if (!given.isSet(name))
        return;
    const QString value = given.value(name);
    if (value.compare(QStringLiteral("panel"), Qt::CaseInsensitive) == 0)
        fields.commands = lsystem::CommandSet::Panel;
    else if (value.compare(QStringLiteral("fractint"), Qt::CaseInsensitive) == 0)
        fields.commands = lsystem::CommandSet::Fractint;
    else if (value.compare(QStringLiteral("book"), Qt::CaseInsensitive) == 0)
        fields.commands = lsystem::CommandSet::Book;
    else
        throw UsageError(
            QStringLiteral("--commands takes \"panel\", \"fractint\" or \"book\", not \"%1\"")
                .arg(value));
}

// The book's rule text from --define, --ignore and --rule, given at all: the constants, the
// ignored symbols, then the productions, each in order.
void ApplyBookRuleOptions(const GivenOptions& given, PanelFields& fields)
{
    const QString define = QStringLiteral("define");
    const QString ignore = QStringLiteral("ignore");
    const QString rule = QStringLiteral("rule");
    if (!given.isSet(define) && !given.isSet(ignore) && !given.isSet(rule))
        return;
    fields.bookRules.clear();
    for (const QString& constant : given.values(define)) {
        const qsizetype equals = constant.indexOf(QLatin1Char('='));
        if (equals <= 0)
            throw UsageError(
                QStringLiteral("--define takes \"NAME=EXPRESSION\", not \"%1\"").arg(constant));
        fields.bookRules.push_back("define " + constant.left(equals).trimmed().toStdString() + ' '
            + constant.mid(equals + 1).trimmed().toStdString());
    }
    if (given.isSet(ignore))
        fields.bookRules.push_back("ignore: " + given.value(ignore).toStdString());
    for (const QString& line : given.values(rule))
        fields.bookRules.push_back(line.toStdString());
}

// Every --rule in order, given at all, in place of the rules the fields had; for the book's
// commands, the book's rule text.
void ApplyRuleOptions(const GivenOptions& given, PanelFields& fields)
{
    if (fields.commands == lsystem::CommandSet::Book) {
        ApplyBookRuleOptions(given, fields);
        return;
    }
    for (const char* book : { "define", "ignore" }) {
        if (given.isSet(QString::fromLatin1(book)))
            throw UsageError(QStringLiteral("--%1 needs --commands book").arg(QLatin1String(book)));
    }
    const QString name = QStringLiteral("rule");
    if (!given.isSet(name))
        return;
    fields.moreRules.clear();
    for (const QString& line : given.values(name)) {
        std::variant<RuleText, std::string> rule = ReadRuleLine(line.toStdString());
        if (const auto* fault = std::get_if<std::string>(&rule)) {
            throw UsageError(
                QStringLiteral("--rule takes \"SYMBOL [WEIGHT] -> REPLACEMENT\", not \"%1\": %2")
                    .arg(line, QString::fromStdString(FaultClause(*fault))));
        }
        fields.moreRules.push_back(std::get<RuleText>(std::move(rule)));
    }
}

// --animate's settings; none for --render, to which the animation's options do not apply.
std::optional<AnimationSettings> ReadAnimation(const GivenOptions& given, bool animate)
{
    if (!animate)
        return std::nullopt;
    const QString frames = QStringLiteral("frames");
    const QString delay = QStringLiteral("delay");
    AnimationSettings settings;
    if (given.isSet(frames)) {
        settings.kind = AnimationKind::Drawing;
        settings.drawingFrames = static_cast<int>(IntegerValue(given, frames, 1, MaxFrames));
    }
    settings.delayMs = given.isSet(delay)
        ? static_cast<int>(IntegerValue(given, delay, MinDelay, MaxDelay))
        : DefaultDelayMs(settings.kind);
    return settings;
}

// What the output's name asks the run to write; none for a picture of no format written.
std::optional<RunOutput> OutputOf(const QString& output, bool animate)
{
    if (animate)
        return RunOutput::Animation;
    const std::optional<ImageFormat> format = ImageFormatOf(output);
    if (!format)
        return std::nullopt;
    switch (*format) {
    case ImageFormat::Png:
        return RunOutput::PngPicture;
    case ImageFormat::Svg:
        return RunOutput::SvgPicture;
    case ImageFormat::Pdf:
        break;
    }
    return RunOutput::PdfPicture;
}

RenderRequest ReadRequest(const GivenOptions& given)
{
    const bool animate = given.isSet(QStringLiteral("animate"));
    if (animate && given.isSet(QStringLiteral("render")))
        throw UsageError(QStringLiteral("--render and --animate exclude each other"));
    if (!animate && !given.isSet(QStringLiteral("render")))
        throw UsageError(QStringLiteral("--render <file> or --animate <file> is required"));
    const QString outputOption = QString::fromLatin1(animate ? "animate" : "render");
    const QString output = given.value(outputOption);
    if (const QString fault = OutputNameFault(output); !fault.isEmpty())
        throw UsageError(QStringLiteral("--%1 takes a file name, not \"%2\": %3")
                             .arg(outputOption, output, fault));
    const RunSource source = SourceOf(given);
    if (const std::optional<QString> refused
        = InapplicableOption(given, OutputOf(output, animate), source))
        throw UsageError(*refused);
    RenderRequest request;
    PanelFields& fields = request.fields;
    // An L-system file or a collection's entry fills the fields first; a preset and each field's
    // option change them.
    if (source == RunSource::Collection) {
        const QString entry = QStringLiteral("entry");
        OpenedEntry opened = OpenCollectionEntry(
            *given.file(), given.isSet(entry) ? std::optional(given.value(entry)) : std::nullopt);
        fields = std::move(opened.fields);
        request.entry = std::move(opened.name);
    } else if (source == RunSource::LSystemFile) {
        const QString file = *given.file();
        fields = OpenLSystemFile(file, fields);
        request.source = SourceFile { file, fields };
    }
    if (given.isSet(QStringLiteral("preset")))
        ApplyPreset(PresetNamed(given.value(QStringLiteral("preset"))), fields);
    ApplyCommandsOption(given, fields);
    ApplyFieldOptions(given, fields);
    ApplyRuleOptions(given, fields);
    // An entry is meant to be seen whole: its file gives no window, so it is fitted unless one is
    // given.
    request.fit = given.isSet(QStringLiteral("fit"))
        || (source == RunSource::Collection && !given.isSet(QStringLiteral("window")));
    if (given.isSet(QStringLiteral("size")))
        request.size
            = static_cast<int>(IntegerValue(given, QStringLiteral("size"), MinSize, MaxSize));
    if (given.isSet(QStringLiteral("seed"))) {
        fields.seed = static_cast<std::uint32_t>(IntegerValue(
            given, QStringLiteral("seed"), 0, std::numeric_limits<std::uint32_t>::max()));
    }
    request.style.smooth = given.isSet(QStringLiteral("antialias"));
    request.style.transparent = given.isSet(QStringLiteral("transparent"));
    request.stats = given.isSet(QStringLiteral("stats"));
    request.explore = given.isSet(QStringLiteral("explore"));
    if (request.explore) {
        if (const auto refusal = ExploreRefusal(fields, !request.fit))
            throw UsageError(QStringLiteral("--explore: %1").arg(QString::fromStdString(*refusal)));
    }
    request.animation = ReadAnimation(given, animate);
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
        if (request.explore) {
            const ExploreReport report
                = SaveExploreView(request.picture, figure, request.size, request.style);
            if (request.stats) {
                Print(stdout,
                    QStringLiteral("primitives=%1 chords=%2 skipped=%3 symbols=%4 "
                                   "substitutions=%5 ms=%6\n")
                        .arg(report.primitives)
                        .arg(report.chords)
                        .arg(report.skipped)
                        .arg(report.symbols)
                        .arg(report.substitutions)
                        .arg(Milliseconds(report.drawing), 0, 'f', 1));
            }
            return Done;
        }
        const ReplayReport report
            = SaveFigures(request.picture, figure, request.size, request.style);
        if (request.stats) {
            Print(stdout,
                QStringLiteral("symbols=%1 segments=%2 ms=%3\n")
                    .arg(report.symbols)
                    .arg(report.segments)
                    .arg(Milliseconds(report.drawing), 0, 'f', 1));
        }
        return Done;
    } catch (const std::exception& error) {
        const std::optional<QString> entryFailure
            = request.entry ? EntryFailureMessage(error, *request.entry) : std::nullopt;
        Print(stderr,
            SafeMessage(
                entryFailure.value_or(FailureMessage(error, request.fields, request.source)))
                + QLatin1Char('\n'));
        return Failed;
    }
}

// --list: the collection's entries on the standard output, what is wrong outside them on the
// standard error. It draws nothing, so every other option is refused.
int List(const GivenOptions& given)
{
    if (const std::optional<QString> refused
        = InapplicableOption(given, std::nullopt, SourceOf(given)))
        throw UsageError(*refused);
    for (const CommandLineOption& option : CommandLineOptions()) {
        if (option.name != QStringLiteral("list") && given.isSet(option.name))
            throw UsageError(QStringLiteral("--%1 does not apply with --list: it lists the "
                                            "entries and draws nothing")
                                 .arg(option.name));
    }
    const CollectionListing listing = ListCollection(*given.file());
    Print(stdout, listing.entries);
    Print(stderr, listing.faults);
    return Done;
}

// A usage error in short: what is wrong, and where to read the usage.
int ReportBadUsage(const QString& message)
{
    Print(stderr,
        QStringLiteral("%1\nTry '%2 --help' for more information.\n")
            .arg(message, QCoreApplication::applicationName()));
    return BadUsage;
}

} // namespace

int RunCommandLine(int argc, char* argv[], const Launch& launch)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Lindenmayer"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LSYS_VERSION));

    try {
        switch (launch.kind) {
        case LaunchKind::BadUsage:
            throw UsageError(launch.message);
        case LaunchKind::Help: {
            QCommandLineParser help;
            AddOptions(help);
            Print(stdout, help.helpText());
            return Done;
        }
        case LaunchKind::Version:
            Print(stdout, QStringLiteral("Lindenmayer %1\n").arg(QStringLiteral(LSYS_VERSION)));
            return Done;
        case LaunchKind::Windows:
        case LaunchKind::Run:
            break;
        }
        if (launch.options.isSet(QStringLiteral("list")))
            return List(launch.options);
        return Render(ReadRequest(launch.options));
    } catch (const UsageError& error) {
        return ReportBadUsage(SafeMessage(QString::fromStdString(error.what())));
    } catch (const std::exception& error) {
        // An L-system file that cannot be read.
        Print(stderr, SafeMessage(FailureMessage(error)) + QLatin1Char('\n'));
        return Failed;
    }
}

} // namespace app
