#include "app/io/command_line_options.h"

#include "app/core/record/panel_fields.h"
#include "app/core/record/presets.h"

#include <QCommandLineParser>
#include <QStringList>

namespace app {

namespace {

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
// Beside the fields' own, since it may be given many times.
constexpr Option ruleOption { nullptr, "rule", "rule",
    "A rule \"SYMBOL [WEIGHT] -> REPLACEMENT\": what replaces SYMBOL, one printable ASCII "
    "character other than + - ( and ), at each substitution. Give it once for each rule; given, "
    "these replace an L-system file's rules. The rules of one symbol, F's and G's fields among "
    "them (weighing 1), are alternatives: each rewriting picks one at random by weight (default "
    "1), from the seed. E.g. --axiom X --rule-f FF --rule \"X -> F-((X)+X)+F(+FX)-X\"; "
    "--rule \"F 2 -> F(+F)F\" rewrites F as F(+F)F twice as often as by --rule-f's rule. With "
    "--commands book, a production of the book's notation instead: [LEFT <] MODULE [> RIGHT] "
    "[: CONDITION] -> SUCCESSOR." };
// The book's notation: the commands, and its constants and ignored symbols, which with --rule
// make its rule text.
constexpr Option bookOptions[] = {
    { nullptr, "commands", "set",
        "Whose commands read the word: \"panel\" (default), \"fractint\" or \"book\", the "
        "bracketed, context-sensitive and parametric L-systems of \"The Algorithmic Beauty of "
        "Plants\" (F(l) draws a step of l, f(l) moves, +(a) -(a) turn by a degrees, | turns "
        "back, [ ] branch, !(w) sets the pen's width, ;(n) the colour; F, f, + and - alone take "
        "the step and the angle; --subst up to 64). E.g. --commands book --axiom \"A(1)\" "
        "--angle 30 --define R=0.6 --rule \"A(s) : s > 0.1 -> F(s)[+A(s*R)][-A(s*R)]\"." },
    { nullptr, "define", "name=expr",
        "With --commands book: a constant for the rules' expressions; give it once for each. "
        "Given, --define, --ignore and --rule replace an L-system file's rule text." },
    { nullptr, "ignore", "symbols",
        "With --commands book: the symbols that the context of a rule passes over." },
};
constexpr Option laterOptions[] = {
    { nullptr, "entry", "name",
        "With a collection of Fractint L-systems (.l): the entry to draw, its name as written or "
        "else in any case. It is drawn at the order the program chooses and, unless --window is "
        "given, fitted to the picture; the other options change its fields." },
    { nullptr, "list", nullptr,
        "Print the entries of a collection of Fractint L-systems (.l), one a line, its columns "
        "separated by tabs: the name, the order it is drawn at and the segments at that order, "
        "or \"-\", \"-\" and why an entry cannot be drawn." },
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
        "before drawing it (instead of --window)." },
    { nullptr, "explore", nullptr,
        "Draw the window with detail adapted to it, for deep zooms: parts of the figure outside "
        "it are skipped, parts smaller than a pixel drawn as one line, and the figure is "
        "substituted further, up to 64 times, until a step spans about a pixel (--subst may then "
        "be up to 64). With --stats it prints \"primitives=N chords=N skipped=N symbols=N "
        "substitutions=N ms=X\": the lines drawn, those that stand for a part, the parts "
        "skipped, the symbols taken, the substitutions used and the time of the drawing." },
    { nullptr, "stats", nullptr,
        "Print \"symbols=N segments=N ms=X\": the symbols walked, the segments drawn and the "
        "time of the drawing (for SVG, with writing the document), without start-up or putting "
        "the file in place." },
    { "h", "help", nullptr, "Show this help." },
    { "v", "version", nullptr, "Show the program's version." },
};

CommandLineOption Made(const Option& option, const QString& description)
{
    return { QString::fromLatin1(option.name), QString::fromLatin1(option.shortName),
        QString::fromLatin1(option.valueName), description };
}

CommandLineOption Made(const Option& option)
{
    return Made(option, QString::fromUtf8(option.description));
}

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

std::vector<CommandLineOption> MakeOptions()
{
    std::vector<CommandLineOption> options { Made(renderOption), Made(animateOption),
        Made({ nullptr, "preset", "name", nullptr }, PresetHelp()) };
    for (const FieldRow& row : FieldTable) {
        if (!row.option.empty()) {
            options.push_back({ QString::fromUtf8(row.option), {},
                QString::fromUtf8(row.optionValue), QString::fromUtf8(row.help) });
        }
    }
    options.push_back(Made(ruleOption));
    options.back().repeatable = true;
    for (const Option& option : bookOptions)
        options.push_back(Made(option));
    options[options.size() - 2].repeatable = true;
    for (const Option& option : laterOptions)
        options.push_back(Made(option));
    return options;
}

} // namespace

const std::vector<CommandLineOption>& CommandLineOptions()
{
    static const std::vector<CommandLineOption> options = MakeOptions();
    return options;
}

void AddOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Draws an L-system figure without opening a window and writes it to a PNG, SVG or PDF "
        "file, or its growth or drawing to an animated GIF.\n"
        "The fields start as the control panel shows them at start-up, or as an L-system file "
        "given after the options has them; --preset fills them as its button does, then each "
        "other option sets its field. Without options the control panel opens, with the "
        "L-system file if one is given; after \"--\" every argument is a file, even one starting "
        "with \"-\"."));
    parser.addPositionalArgument(QStringLiteral("lsystem"),
        QStringLiteral("An L-system file (.lsys) to draw, or a collection of Fractint L-systems "
                       "(.l) to draw an entry of (--entry) or list (--list)."),
        QStringLiteral("[file]"));
    for (const CommandLineOption& option : CommandLineOptions()) {
        QStringList names { option.name };
        if (!option.shortName.isEmpty())
            names.prepend(option.shortName);
        if (option.takesValue())
            parser.addOption({ names, option.description, option.valueName });
        else
            parser.addOption({ names, option.description });
    }
}

} // namespace app
