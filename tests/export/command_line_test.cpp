// The command line as a user runs it: the program started with no display at all.

#include "gif_frames.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <optional>
#include <set>
#include <vector>

namespace {

struct Result {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the program (or `program`, such as a shell that runs it) in `directory` with `arguments`,
// "OUT" at the start of an argument or of an option's value standing for a file there, without
// DISPLAY and without a Qt platform, and with at most `addressSpace` bytes of memory when given. A
// path given whole is left alone, though the temporary folder's random name may hold "OUT".
Result RunProgram(const QStringList& arguments, const QTemporaryDir& directory,
    std::optional<rlim_t> addressSpace = std::nullopt,
    const QString& program = QStringLiteral(LINDENMAYER_EXECUTABLE))
{
    static const QRegularExpression out(QStringLiteral("^(--[a-z]+=)?OUT"));
    QStringList expanded;
    for (const QString& argument : arguments)
        expanded << QString(argument).replace(
            out, QStringLiteral("\\1") + directory.path() + "/out");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QString());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(directory.path());
    if (addressSpace) {
        process.setChildProcessModifier([limit = *addressSpace] {
            const rlimit bytes { limit, limit };
            setrlimit(RLIMIT_AS, &bytes);
        });
    }
    process.start(program, expanded);
    process.waitForFinished(60000);
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromLocal8Bit(process.readAllStandardOutput()),
        QString::fromLocal8Bit(process.readAllStandardError()) };
}

TEST(CommandLine, ExitCodesOutputAndFiles)
{
    struct Row {
        const char* name;
        QStringList arguments;
        int exitCode;
        const char* out; // a pattern the standard output matches
        const char* err; // a pattern the standard error matches
        const char* written; // the file written in the directory, or none
        int size = 0; // the PNG's width and height, when it is one
    };
    const Row rows[] = {
        { "start-up figure with statistics", { "--render", "OUT.png", "--stats" }, 0,
            "^symbols=36 segments=16 ms=\\d+\\.\\d\\n$", "^$", "out.png", 700 },
        { "a preset in any case, as SVG", { "--render=OUT.svg", "--preset", "sierp. CURVE 2" }, 0,
            "^$", "^$", "out.svg" },
        { "a PDF on no background",
            { "--render", "OUT.pdf", "--preset", "Plant 1", "--transparent" }, 0, "^$", "^$",
            "out.pdf" },
        { "a smooth PNG", { "--render", "OUT.png", "--antialias" }, 0, "^$", "^$", "out.png", 700 },
        { "a transparent PNG at twice the size",
            { "--render", "OUT.png", "--transparent", "--size", "1400" }, 0, "^$", "^$", "out.png",
            1400 },
        { "no extension makes a PNG; options set single fields",
            { "--render", "OUT", "--preset", "Plant 4", "--subst", "3", "--angle", "22.5",
                "--window", "-1,1,-0.1,1.9", "--random", "1/50", "--size", "350" },
            0, "^$", "^$", "out.png", 350 },
        { "help", { "--help" }, 0, "(?s)--render <file>.*--rule <rule>.*--explore", "^$", nullptr },
        { "version", { "--version" }, 0, "^Lindenmayer " LSYS_VERSION "\\n$", "^$", nullptr },
        { "an expression the evaluator rejects", { "--render", "OUT.png", "--length", "1/0" }, 1,
            "^$", "^'1/0' is not a valid expression: .+\\.\\n$", nullptr },
        { "an angle in another format", { "--render", "OUT.svg", "--angle", "22,5" }, 1, "^$",
            "^'22,5' is not a valid floating point value\\.\\n$", nullptr },
        { "an escape sequence in a value, shown escaped",
            { "--render", "OUT.svg", "--angle", "\x1B]0;x\x07" }, 1, "^$",
            "^[^\\x{1B}\\x{07}]*'\\\\x1B\\]0;x\\\\x07'[^\\x{1B}\\x{07}]*$", nullptr },
        { "an extension of no format written", { "--render", "OUT.jpg" }, 1, "^$",
            "^Could not save \".*/out.jpg\": only .png, .svg and .pdf files can be written\\.\\n$",
            nullptr },
        { "a folder that does not exist", { "--render", "OUT/missing/x.png" }, 1, "^$",
            "^Could not save \".*/out/missing/x.png\": .+\\n$", nullptr },
        { "an empty output name: the usage error in short", { "--render", "" }, 2, "^$",
            "^--render takes a file name, not \"\": the name is empty\\n"
            "Try 'Lindenmayer --help' for more information\\.\\n$",
            nullptr },
        { "an output name ending with a separator", { "--render", "OUT/" }, 2, "^$",
            "^--render takes a file name, not \".*/out/\": the name ends with a separator\\n",
            nullptr },
        { "an output name ending with a dot", { "--render", "OUT." }, 2, "^$",
            "^--render takes a file name, not \".*/out\\.\": the name ends with a dot\\n",
            nullptr },
        { "an unknown option", { "--rendr", "OUT.png" }, 2, "^$",
            "^unknown option \"--rendr\": did you mean --render\\?\\n"
            "Try 'Lindenmayer --help' for more information\\.\\n$",
            nullptr },
        { "rules for other symbols, one weighted",
            { "--render", "OUT.png", "--axiom", "X", "--rule-f", "FF", "--rule",
                "X -> F-((X)+X)+F(+FX)-X", "--rule", "F 2 -> F(+F)F" },
            0, "^$", "^$", "out.png", 700 },
        { "a rule whose symbol is two characters", { "--render", "OUT.png", "--rule", "ab -> F" },
            2, "^$",
            "^--rule takes \"SYMBOL \\[WEIGHT\\] -> REPLACEMENT\", not \"ab -> F\": the symbol "
            "\"ab\" is more than one character\\nTry ",
            nullptr },
        { "a rule without its arrow", { "--render", "OUT.png", "--rule", "X F" }, 2, "^$",
            "not \"X F\": the rule has no \"->\" after its symbol and weight\\n", nullptr },
        { "the book's notation with a constant, beyond the panel's count",
            { "--render", "OUT.png", "--commands", "book", "--axiom", "A(1)", "--define", "R=0.6",
                "--rule", "A(s) : s > 0.1 -> F(s)[+A(s*R)][-A(s*R)]", "--subst", "40", "--fit",
                "--stats" },
            0, "^symbols=\\d+ segments=31 ms=\\d+\\.\\d\\n$", "^$", "out.png", 700 },
        { "an Explore view of a book figure, walked whole at its own count",
            { "--render", "OUT.png", "--explore", "--stats", "--commands", "book", "--rule",
                "F -> F[+F]F[-F]F", "--length", "1/3", "--subst", "3" },
            0, "^primitives=125 chords=0 skipped=0 symbols=\\d+ substitutions=3 ", "^$", "out.png",
            700 },
        { "a rule that breaks the book's notation",
            { "--render", "OUT.png", "--commands", "book", "--rule", "A(s -> F" }, 1, "^$",
            "^Row 1, column \\d+: .+\\n$", nullptr },
        { "a constant without the book's commands", { "--render", "OUT.png", "--define", "a=1" }, 2,
            "^$", "^--define needs --commands book\\n", nullptr },
        { "a count out of range", { "--render", "OUT.png", "--subst", "11" }, 2, "^$",
            "--subst takes a whole number from 0 to 10", nullptr },
        // Explore substitutes further than Draw, and reports what it drew.
        { "an Explore view at a count beyond Draw's, with statistics",
            { "--render", "OUT.png", "--explore", "--subst", "64", "--stats" }, 0,
            "^primitives=\\d+ chords=\\d+ skipped=\\d+ symbols=\\d+ substitutions=64 "
            "ms=\\d+\\.\\d\\n$",
            "^$", "out.png", 700 },
        { "an Explore view as a PDF", { "--render", "OUT.pdf", "--explore" }, 0, "^$", "^$",
            "out.pdf" },
        { "a count beyond Draw's for a figure Explore walks whole",
            { "--render", "OUT.png", "--explore", "--subst", "64", "--random", "1/50" }, 2, "^$",
            "^--explore: Explore walks a figure with a random amplitude, .* whole, at most 10 "
            "substitutions, not 64\\n",
            nullptr },
        { "a window narrower than Explore's zoom",
            { "--render", "OUT.png", "--explore", "--window", "0,1/10^14,0,1" }, 2, "^$",
            "^--explore: Explore shows no window narrower on either axis than 2\\^-40 ", nullptr },
        { "a count beyond Explore's", { "--render", "OUT.png", "--explore", "--subst", "65" }, 2,
            "^$", "--subst takes a whole number from 0 to 64, not \"65\"", nullptr },
        { "an Explore view of an animation", { "--animate", "OUT.gif", "--explore" }, 2, "^$",
            "^--explore does not apply to an animation: ", nullptr },
        { "an unknown preset, the presets listed", { "--render", "OUT.png", "--preset", "Plant 5" },
            2, "^$",
            "^unknown preset \"Plant 5\": the presets are \"Koch Curve\", .*, \"Plant 4\"\n",
            nullptr },
        { "an option given twice", { "--render", "OUT.png", "--render", "OUT.svg" }, 2, "^$",
            "^--render is given more than once\nTry ", nullptr },
        { "a name too long, however long", { "--render", "OUT" + QString(32768, 'n') + ".png" }, 1,
            "^$", "^Could not save \".*n\\.png\": File name too long\\.\n$", nullptr },
        { "three bounds for the window", { "--render", "OUT.png", "--window", "0,1,0" }, 2, "^$",
            "--window takes four bounds", nullptr },
        { "a size too large", { "--render", "OUT.png", "--size", "16385" }, 2, "^$", "--size",
            nullptr },
        { "no file to render to", { "--preset", "Plant 1" }, 2, "^$",
            "--render <file> or --animate <file> is required", nullptr },
        { "an animation with no extension makes a GIF", { "--animate", "OUT", "--size", "350" }, 0,
            "^$", "^$", "out.gif", 350 },
        { "an animation to another format", { "--animate", "OUT.png" }, 1, "^$",
            "^Could not save \".*/out.png\": animations are written as \\.gif files only\\.\n$",
            nullptr },
        { "an empty animation name", { "--animate", "" }, 2, "^$",
            "^--animate takes a file name, not \"\": the name is empty\n", nullptr },
        { "a picture and an animation", { "--render", "OUT.png", "--animate", "OUT.gif" }, 2, "^$",
            "^--render and --animate exclude each other\n", nullptr },
        // Options that do not apply to what the run writes.
        { "frames of a picture", { "--render", "OUT.png", "--frames", "5" }, 2, "^$",
            "^--frames does not apply to a PNG picture: .*--animate", nullptr },
        { "statistics of an animation", { "--animate", "OUT.gif", "--stats" }, 2, "^$",
            "^--stats does not apply to an animation: ", nullptr },
        { "the size of a vector picture", { "--render", "OUT.svg", "--size", "1400" }, 2, "^$",
            "^--size does not apply to an SVG picture: .*pixels", nullptr },
        { "smooth frames", { "--animate", "OUT.gif", "--antialias" }, 2, "^$",
            "^--antialias does not apply to an animation: .*256 colours", nullptr },
        { "transparent frames", { "--animate", "OUT.gif", "--transparent" }, 2, "^$",
            "^--transparent does not apply to an animation: ", nullptr },
        { "a window that --fit replaces", { "--render", "OUT.png", "--window", "0,1,0,1", "--fit" },
            2, "^$", "^--window does not apply with --fit: ", nullptr },
        // A fault of a field's arithmetic names the field as the option gave it.
        { "an overflowing length", { "--render", "OUT.png", "--length", "10^400" }, 1, "^$",
            "^--length 10\\^400: Floating point overflow\\.\\n$", nullptr },
        { "a step length that overflows at the count",
            { "--render", "OUT.png", "--length", "10^200", "--subst", "3" }, 1, "^$",
            "^--length 10\\^200: Floating point overflow\\.\\n$", nullptr },
        { "an overflowing bound of the window",
            { "--render", "OUT.png", "--window", "0,10^400,0,1" }, 1, "^$",
            "^--window x2 = 10\\^400: Floating point overflow\\.\\n$", nullptr },
        { "an expression beyond the evaluator's 255 items",
            { "--render", "OUT.png", "--length", "1" + QString("+1").repeated(128) }, 1, "^$",
            "^'1\\+1\\+.*' is not a valid expression: Prilis dlouhy vyraz: nejvyse 255 "
            "polozek\\.\\n$",
            nullptr },
        { "no frames", { "--animate", "OUT.gif", "--frames", "0" }, 2, "^$",
            "--frames takes a whole number from 1 to 1000", nullptr },
        { "a delay too short", { "--animate", "OUT.gif", "--delay", "9" }, 2, "^$",
            "--delay takes a whole number from 10 to 60000", nullptr },
        // The file's figure, 8 segments of the dragon curve at its count, fitted, then changed by
        // an option.
        { "an L-system file, fitted, an option overriding it",
            { "--render", "OUT.png", LSYS_EXAMPLES_DIR "/dragon-curve.lsys", "--fit", "--subst",
                "3", "--stats" },
            0, "^symbols=\\d+ segments=8 ms=", "^$", "out.png", 700 },
        { "a file that is no L-system",
            { "--render", "OUT.png", LSYS_EXAMPLES_DIR "/../README.md" }, 1, "^$",
            "^Could not open \".*\": line 1: .+\\n$", nullptr },
        { "two files", { "--render", "OUT.png", "a.lsys", "b.lsys" }, 2, "^$",
            "unexpected argument", nullptr },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QTemporaryDir directory;
        const Result result = RunProgram(row.arguments, directory);
        EXPECT_EQ(result.exitCode, row.exitCode) << result.err.toStdString();
        EXPECT_TRUE(result.out.contains(QRegularExpression(QString::fromLatin1(row.out))))
            << result.out.toStdString();
        EXPECT_TRUE(result.err.contains(QRegularExpression(QString::fromLatin1(row.err))))
            << result.err.toStdString();
        const QStringList files
            = QDir(directory.path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        EXPECT_EQ(
            files, row.written ? QStringList { QString::fromLatin1(row.written) } : QStringList {});
        if (row.size != 0) {
            // The start-up Koch curve, plain, is two colours and no alpha.
            const QImage image(directory.filePath(QString::fromLatin1(row.written)));
            EXPECT_EQ(image.size(), QSize(row.size, row.size));
            EXPECT_EQ(image.hasAlphaChannel(), row.arguments.contains("--transparent"));
            std::set<QRgb> colours;
            for (int y = 0; y < image.height(); y += 2) {
                for (int x = 0; x < image.width(); ++x)
                    colours.insert(image.pixel(x, y));
            }
            EXPECT_EQ(colours.size() > 2, row.arguments.contains("--antialias"));
        }
    }
}

// The inked pixels of `image` left of column `columns` with no inked pixel of `other` among the
// 3 × 3 around them: what one picture draws more than a pixel away from all the other draws.
int StrayPixels(const QImage& image, const QImage& other, int columns)
{
    const auto inked = [](const QImage& picture, int x, int y) {
        return picture.valid(x, y) && picture.pixel(x, y) != qRgb(255, 255, 255);
    };
    int stray = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < columns; ++x) {
            bool near = false;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx)
                    near = near || inked(other, x + dx, y + dy);
            }
            stray += inked(image, x, y) && !near;
        }
    }
    return stray;
}

// The Koch curve's first third is the whole curve a third the size, so zoomed 3^12 times about
// its start it looks as the whole curve does: Explore, substituting further, draws it so, within
// a pixel of the exact walk of the whole curve (left of where the curve's second part enters the
// view, at world x 1), where the exact walk at the same count would draw one straight line.
TEST(CommandLine, AnExploredZoomKeepsItsDetail)
{
    const QTemporaryDir directory;
    const auto render = [&](const QString& scale, const QStringList& options) {
        const QString window = QStringLiteral("--window=-0.1/%1,1.1/%1,-0.5/%1,0.7/%1").arg(scale);
        EXPECT_EQ(
            RunProgram(
                QStringList { "--render", "OUT.png", "--subst", "10", window } + options, directory)
                .exitCode,
            0);
        return QImage(directory.filePath(QStringLiteral("out.png")));
    };
    const QImage whole = render(QStringLiteral("1"), {});
    const QImage zoomed = render(QStringLiteral("3^12"), { "--explore" });
    constexpr int columns = 630; // world x 1 is at column 642
    // Against no picture every inked pixel is stray: the whole curve inks thousands.
    ASSERT_GT(StrayPixels(whole, QImage(), columns), 2000);
    EXPECT_EQ(StrayPixels(zoomed, whole, columns), 0);
    EXPECT_EQ(StrayPixels(whole, zoomed, columns), 0);
}

// A field that an L-system file gave and Draw refuses is named by the file and its key; --fit
// draws without reading the window it replaces.
TEST(CommandLine, FieldsFromAFile)
{
    struct Row {
        const char* name;
        QByteArray file;
        QStringList options;
        int exitCode;
        const char* err; // a pattern the standard error matches
    };
    const QByteArray header = "Lindenmayer L-system 1\n";
    const Row rows[] = {
        { "a bad angle", header + "angle = abc\n", {}, 1,
            "^\"[^\"]*/in.lsys\", key \"angle\": 'abc' is not a valid floating point "
            "value\\.\\n$" },
        { "a bad length", header + "length = 1/\n", {}, 1,
            "^\"[^\"]*/in.lsys\", key \"length\": '1/' is not a valid expression: .+\\n$" },
        { "a bad angle that an option replaces", header + "angle = abc\n", { "--angle", "22,5" }, 1,
            "^'22,5' is not a valid floating point value\\.\\n$" },
        { "an unreadable window, fitted", header + "x1 = a\n", { "--fit" }, 0, "^$" },
        { "an overflowing length", header + "length = 10^400\n", {}, 1,
            "^\"[^\"]*/in.lsys\", key \"length\" = 10\\^400: Floating point overflow\\.\\n$" },
        { "CR line ends, an angle with a comma",
            "Lindenmayer L-system 1\rangle = 22,5\rpreset = Plant 3\r", {}, 0, "^$" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QTemporaryDir directory;
        QFile file(directory.filePath(QStringLiteral("in.lsys")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(row.file) == row.file.size());
        file.close();
        const Result result = RunProgram(
            QStringList { "--render", "OUT.png", file.fileName() } + row.options, directory);
        EXPECT_EQ(result.exitCode, row.exitCode);
        EXPECT_TRUE(result.err.contains(QRegularExpression(QString::fromLatin1(row.err))))
            << result.err.toStdString();
        EXPECT_EQ(
            QFileInfo::exists(directory.filePath(QStringLiteral("out.png"))), row.exitCode == 0);
    }
}

// A collection of Fractint L-systems: an entry drawn by its name, exactly or in any case, the
// others' options changing it; a listing of the entries; the errors naming the entries.
TEST(CommandLine, FractintCollection)
{
    // Snowflake draws 3·4^n segments, 786432 at its order 9 (at 10 it would pass a million);
    // Dragon 2^n, 1024 at the last order, 10; DRAGON one segment, its rule rewriting none.
    const QByteArray collection = "; written for the command line's tests\n"
                                  "Snowflake {\n angle 6\n axiom F--F--F\n F=F+F--F+F\n}\n"
                                  "Broken {\n axiom F\n}\n"
                                  "stray\n"
                                  "Dragon { angle 4\n axiom FX\n X=X+YF+\n Y=-FX-Y\n}\n"
                                  "DRAGON { angle 4\n axiom F\n X=XX\n}\n";
    struct Row {
        const char* name;
        QStringList arguments; // "IN" stands for the collection, "LSYS" for an L-system file
        int exitCode;
        const char* out; // a pattern the standard output matches
        const char* err; // a pattern the standard error matches
    };
    const Row rows[] = {
        { "the listing", { "IN", "--list" }, 0,
            "^Snowflake\t9\t786432\nBroken\t-\t-\tline 7: the entry has no angle\n"
            "Dragon\t10\t1024\nDRAGON\t10\t1\n$",
            "^\"[^\"]*/in.l\": line 10: text outside any entry is skipped: \"stray\"\n$" },
        { "an exact name first", { "--render", "OUT.png", "IN", "--entry", "DRAGON", "--stats" }, 0,
            "segments=1 ", "^$" },
        { "a name in another case", { "--render", "OUT.png", "IN", "--entry", "dragon", "--stats" },
            0, "segments=1024 ", "^$" },
        { "an option changing the entry",
            { "--render", "OUT.png", "IN", "--entry", "Dragon", "--subst", "2", "--stats" }, 0,
            "segments=4 ", "^$" },
        { "a missing entry", { "--render", "OUT.png", "IN", "--entry", "drag" }, 2, "^$",
            "^\"[^\"]*/in.l\" holds no entry \"drag\"; the nearest: \"Dragon\", \"DRAGON\", "
            "\"Broken\", \"Snowflake\"\nTry " },
        { "no entry named", { "--render", "OUT.png", "IN" }, 2, "^$",
            "--entry <name> chooses the one to draw, among \"Snowflake\", \"Broken\", \"Dragon\", "
            "\"DRAGON\"\n" },
        { "an entry that cannot be drawn", { "--render", "OUT.png", "IN", "--entry", "Broken" }, 1,
            "^$",
            "^Could not open \"[^\"]*/in.l\": entry \"Broken\" cannot be drawn: line 7: the entry "
            "has no angle\\.\n$" },
        { "an entry of an L-system file", { "--render", "OUT.png", "LSYS", "--entry", "Dragon" }, 2,
            "^$", "^--entry does not apply to an L-system file \\(\\.lsys\\): " },
        { "an entry without a file", { "--render", "OUT.png", "--entry", "Dragon" }, 2, "^$",
            "^--entry does not apply without a file: " },
        { "a listing of an L-system file", { "LSYS", "--list" }, 2, "^$",
            "^--list does not apply to an L-system file \\(\\.lsys\\): " },
        { "a listing drawn", { "IN", "--list", "--render", "OUT.png" }, 2, "^$",
            "^--render does not apply with --list: " },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QTemporaryDir directory;
        QFile file(directory.filePath(QStringLiteral("in.l")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(collection) == collection.size());
        file.close();
        QStringList arguments = row.arguments;
        arguments.replaceInStrings(QRegularExpression("^IN$"), file.fileName());
        arguments.replaceInStrings(
            QRegularExpression("^LSYS$"), LSYS_EXAMPLES_DIR "/dragon-curve.lsys");
        const Result result = RunProgram(arguments, directory);
        EXPECT_EQ(result.exitCode, row.exitCode) << result.err.toStdString();
        EXPECT_TRUE(result.out.contains(QRegularExpression(QString::fromLatin1(row.out))))
            << result.out.toStdString();
        EXPECT_TRUE(result.err.contains(QRegularExpression(QString::fromLatin1(row.err))))
            << result.err.toStdString();
    }
}

// An entry whose figure cannot be drawn says so by its name; --random does not reach Fractint's
// turtle.
TEST(CommandLine, AnEntryFailingToDrawIsNamed)
{
    const QTemporaryDir directory;
    QFile file(directory.filePath(QStringLiteral("in.l")));
    const QByteArray text = "Huge {\n angle 4\n axiom A\n A=@1" + QByteArray(60, '0') + "FA\n}\n";
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    const Result huge
        = RunProgram({ "--render", "OUT.png", file.fileName(), "--entry", "huge" }, directory);
    EXPECT_EQ(huge.exitCode, 1);
    EXPECT_EQ(huge.err,
        QStringLiteral("entry \"Huge\": the figure grows beyond the numbers' range (Floating "
                       "point overflow.)\n"));
    const Result random = RunProgram(
        { "--render", "OUT.png", file.fileName(), "--entry", "Huge", "--random", "0.5" },
        directory);
    EXPECT_EQ(random.exitCode, 2);
    EXPECT_TRUE(random.err.startsWith(QStringLiteral(
        "--random does not apply to an entry of a collection of Fractint L-systems (.l): ")))
        << random.err.toStdString();
}

// An entry is fitted to the picture, as Fit to Figure does: ink within, clear of the border.
TEST(CommandLine, AnEntryIsDrawnWhole)
{
    const QTemporaryDir directory;
    QFile file(directory.filePath(QStringLiteral("in.l")));
    const QByteArray text = "Spiral {\n angle 8\n axiom A\n A=FFFF+A\n}\n";
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    ASSERT_EQ(RunProgram({ "--render", "OUT.png", file.fileName(), "--entry", "Spiral" }, directory)
                  .exitCode,
        0);
    const QImage image(directory.filePath(QStringLiteral("out.png")));
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ink |= QRect(x, y, 1, 1);
        }
    }
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(image.rect().adjusted(1, 1, -1, -1).contains(ink))
        << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
    // Fitted, the figure fills most of the picture's width or height.
    EXPECT_GT(std::max(ink.width(), ink.height()), image.width() / 2);
}

// After "--" every argument is a file, so a file whose name starts with a dash can be drawn;
// before it, that name is an unknown option.
TEST(CommandLine, AFileNamedLikeAnOption)
{
    const QTemporaryDir directory;
    QFile file(directory.filePath(QStringLiteral("-x.lsys")));
    const QByteArray text = "Lindenmayer L-system 1\npreset = Plant 1\n";
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    EXPECT_EQ(RunProgram({ "--render", "OUT.png", "--", "-x.lsys" }, directory).exitCode, 0);
    EXPECT_TRUE(QFileInfo::exists(directory.filePath(QStringLiteral("out.png"))));
    const Result refused = RunProgram({ "--render", "OUT.svg", "-x.lsys" }, directory);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.startsWith(QStringLiteral("unknown option \"-x.lsys\"")));
}

// A file name that is not UTF-8 names the file it is, to read and to write; a message shows the
// byte that is not UTF-8 as an escape.
TEST(CommandLine, AFileNameThatIsNotUtf8KeepsItsBytes)
{
    const QTemporaryDir directory;
    const QByteArray folder = QFile::encodeName(directory.path());
    const QByteArray text = "Lindenmayer L-system 1\npreset = Plant 1\n";
    QFile file;
    ASSERT_TRUE(file.open(::open(folder + "/in\xFF.lsys", O_WRONLY | O_CREAT, 0644),
        QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
    ASSERT_EQ(file.write(text), text.size());
    file.close();
    // The shell passes the bytes as they are.
    const auto run = [&](const char* arguments) {
        return RunProgram({ "-c", QStringLiteral("exec \"$0\" %1").arg(arguments),
                              QStringLiteral(LINDENMAYER_EXECUTABLE) },
            directory, std::nullopt, QStringLiteral("/bin/sh"));
    };
    const Result written
        = run("--render \"$(printf 'out\\377.png')\" \"$(printf 'in\\377.lsys')\"");
    EXPECT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_EQ(::access(folder + "/out\xFF.png", F_OK), 0);
    const Result failed = run("--render \"$(printf 'no\\377/out.png')\"");
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.err, "Could not save \"no\\xFF/out.png\": No such file or directory.\n");
    // QTemporaryDir would not find them by their names.
    ::unlink(folder + "/in\xFF.lsys");
    ::unlink(folder + "/out\xFF.png");
}

// Without a display the windows cannot open: one line says so, and the program fails.
TEST(CommandLine, WithoutADisplayTheWindowsFailInOneLine)
{
    const QTemporaryDir directory;
    const Result result
        = RunProgram({ "-c", "QT_QPA_PLATFORM=xcb exec \"$0\"", LINDENMAYER_EXECUTABLE }, directory,
            std::nullopt, QStringLiteral("/bin/sh"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(
        QRegularExpression(QStringLiteral("^Could not open the windows: [^\n]+\\.\n$"))))
        << result.err.toStdString();
}

// A picture whose pixels memory cannot hold is named, with what it needs; nothing is written.
TEST(CommandLine, OutOfMemoryNamesThePicture)
{
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "AddressSanitizer needs more address space than the limit leaves";
#endif
#endif
    constexpr rlim_t addressSpace = rlim_t { 400 } << 20;
    for (const QStringList& output : { QStringList { "--render", "OUT.png" },
             QStringList { "--render", "OUT.png", "--antialias" },
             QStringList { "--animate", "OUT.gif" } }) {
        SCOPED_TRACE(output.join(' ').toStdString());
        const QTemporaryDir directory;
        const Result result
            = RunProgram(output + QStringList { "--size", "16384" }, directory, addressSpace);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.err.contains(QRegularExpression(
            QStringLiteral("^Out of memory: a 16384 × 16384 picture needs \\d+ MiB\\.\\n$"))))
            << result.err.toStdString();
        EXPECT_TRUE(QDir(directory.path())
                        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                        .isEmpty());
    }
}

// A figure drawn from the same seed, a file's or --seed's, is the same; from another, another.
TEST(CommandLine, TheSeedDrawsTheSameFigureAgain)
{
    const QTemporaryDir directory;
    QFile file(directory.filePath(QStringLiteral("in.lsys")));
    const QByteArray text = "Lindenmayer L-system 1\npreset = Plant 1\nrule-f = F(+F)F(-F)F\n"
                            "substitutions = 3\nrandom = 0.1\nseed = 7\n";
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    file.close();
    const auto render = [&](const QStringList& options) {
        EXPECT_EQ(
            RunProgram(QStringList { "--render", "OUT.png", file.fileName() } + options, directory)
                .exitCode,
            0);
        return QImage(directory.filePath(QStringLiteral("out.png")));
    };
    const QImage fromFile = render({});
    EXPECT_EQ(render({ "--seed", "7" }), fromFile);
    EXPECT_NE(render({ "--seed", "8" }), fromFile);
    EXPECT_NE(render({ "--seed", "0" }), fromFile);
}

// Each frame of an animation from the command line is the PNG --render writes of what it stands
// for: the growth's frame k that of the count k, the drawing's last frame that of the figure.
// Delays are in hundredths of a second, the last frame's four times as long and at least 2 s.
TEST(CommandLine, AnimationFramesAreTheRenders)
{
    struct Row {
        const char* name;
        QStringList options; // besides --subst
        int count;
        QStringList animation; // the animation's own options
        std::vector<int> delaysMs;
    };
    const Row rows[] = {
        { "the growth of Plant 2 with random amplitude from a seed, 350 wide, at the default delay",
            { "--preset", "Plant 2", "--random", "0.05", "--seed", "4242", "--size", "350" }, 3, {},
            { 700, 700, 700, 2800 } },
        { "the drawing of the Koch island in 4 frames, 555 ms apart", { "--preset", "Koch Island" },
            2, { "--frames", "4", "--delay", "555" }, { 560, 560, 560, 2220 } },
        { "the drawing in 2 frames at the default delay", {}, 2, { "--frames", "2" },
            { 100, 2000 } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QTemporaryDir directory;
        const QString count = QString::number(row.count);
        ASSERT_EQ(RunProgram(QStringList { "--animate", "OUT.gif", "--subst", count } + row.options
                          + row.animation,
                      directory)
                      .exitCode,
            0);
        const DecodedGif gif = DecodeGif(directory.filePath(QStringLiteral("out.gif")));
        EXPECT_TRUE(gif.readToEnd);
        EXPECT_EQ(gif.delaysMs, row.delaysMs);
        EXPECT_EQ(gif.loopCount, -1);

        const bool growth = row.animation.isEmpty();
        for (int k = growth ? 0 : row.count; k <= row.count; ++k) {
            SCOPED_TRACE(k);
            ASSERT_EQ(
                RunProgram(QStringList { "--render", "OUT.png", "--subst", QString::number(k) }
                        + row.options,
                    directory)
                    .exitCode,
                0);
            const QImage render = AsFrame(QImage(directory.filePath(QStringLiteral("out.png"))));
            ASSERT_FALSE(gif.frames.empty());
            EXPECT_TRUE((growth ? gif.frames.at(k) : gif.frames.back()) == render);
        }
    }
}

} // namespace
