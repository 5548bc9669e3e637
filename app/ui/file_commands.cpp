#include "app/ui/file_commands.h"

#include "app/io/animation_job.h"
#include "app/io/collection_io.h"
#include "app/io/figure_export.h"
#include "app/io/lsystem_io.h"
#include "app/paths/example_paths.h"
#include "app/ui/file_drop_filter.h"
#include "app/ui/form1.h"
#include "app/ui/program_windows.h"
#include "app/ui/session_driver.h"

#include <QAction>

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace app {

namespace {

// The sizes a PNG can be saved at: the plane's own and three enlargements.
constexpr int imageSizes[] = { PlaneSize, 2 * PlaneSize, 4 * PlaneSize, 8 * PlaneSize };

// A filter of the Save Image dialog and the picture it asks for.
struct ImageChoice {
    QString filter;
    QString suffix; // what a name typed without one gets
    int size; // a PNG's
    PictureStyle style;
};

std::vector<ImageChoice> ImageChoices()
{
    struct PngStyle {
        const char* label;
        PictureStyle style;
    };
    const PngStyle pngStyles[] = {
        { "", {} },
        { "smooth, ", { .smooth = true } },
        { "smooth, transparent, ", { .smooth = true, .transparent = true } },
    };
    const QString png = QStringLiteral("png");
    const QString svg = QStringLiteral("svg");
    std::vector<ImageChoice> choices;
    for (const PngStyle& pngStyle : pngStyles) {
        for (const int size : imageSizes) {
            choices.push_back({ QStringLiteral("PNG image, %1%2 × %2 pixels (*.png)")
                                    .arg(QString::fromLatin1(pngStyle.label))
                                    .arg(size),
                png, size, pngStyle.style });
        }
    }
    choices.push_back({ QStringLiteral("SVG image (*.svg)"), svg, PlaneSize, {} });
    choices.push_back({ QStringLiteral("SVG image, transparent (*.svg)"), svg, PlaneSize,
        { .transparent = true } });
    choices.push_back(
        { QStringLiteral("PDF document (*.pdf)"), QStringLiteral("pdf"), PlaneSize, {} });
    return choices;
}

// The choice of a filter; the first for none of them.
const ImageChoice& ChoiceOf(const std::vector<ImageChoice>& choices, const QString& filter)
{
    const auto found = std::find_if(choices.begin(), choices.end(),
        [&filter](const ImageChoice& choice) { return choice.filter == filter; });
    return found != choices.end() ? *found : choices.front();
}

const QString lsystemFilter = QStringLiteral("L-system files (*.lsys);;All files (*)");
// Opening takes Fractint's collections too, which go to the gallery.
const QString openFilter = QStringLiteral(
    "L-systems (*.lsys *.l);;L-system files (*.lsys);;Fractint collections (*.l);;All files (*)");

// The folder a file dialog starts in: the first of `folders` that exists, else the home folder.
// Never one that does not exist: the dialog would offer its name as the file's, and Save would
// write "Documents.png".
QString StartFolder(QStringList folders)
{
    folders << QDir::homePath();
    for (const QString& folder : folders) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return {};
}

QString StandardFolder(QStandardPaths::StandardLocation location)
{
    return QStandardPaths::writableLocation(location);
}

} // namespace

FileCommands::FileCommands(ProgramWindows& windows)
    : QObject(&windows.panel())
    , m_windows(windows)
    , m_form(windows.panel())
    , m_driver(windows.panel().driver())
{
}

void FileCommands::Guarded(void (FileCommands::*command)())
{
    m_form.RunGuarded([this, command] { (this->*command)(); });
}

void FileCommands::Connect(plane::TDraw2D& plane)
{
    connect(&plane, &plane::TDraw2D::saveAnimationRequested, this,
        [this] { Guarded(&FileCommands::SaveAnimationAs); });
    connect(&plane, &plane::TDraw2D::saveImageRequested, this,
        [this] { Guarded(&FileCommands::SaveImageAs); });
    connect(&plane, &plane::TDraw2D::copyImageRequested, this,
        [this] { Guarded(&FileCommands::CopyImage); });
    connect(&plane, &plane::TDraw2D::fileDropped, this, [this](const QString& path) {
        m_form.RunGuarded([this, &path] {
            if (!m_form.drawing())
                OpenLSystem(path);
        });
    });
}

void FileCommands::AddPanelCommands(QWidget& panel)
{
    QAction* const first = panel.actions().value(0);
    const auto add
        = [&](const QString& text, QKeySequence::StandardKey key, void (FileCommands::*command)()) {
              auto* action = new QAction(text, &panel);
              action->setShortcut(key);
              connect(action, &QAction::triggered, this, [this, command] { Guarded(command); });
              panel.insertAction(first, action);
          };
    add(QStringLiteral("Open L-system…"), QKeySequence::Open, &FileCommands::OpenLSystemDialog);
    add(QStringLiteral("Save L-system As…"), QKeySequence::Save, &FileCommands::SaveLSystemAs);
}

void FileCommands::AcceptDrops(QWidget& panel)
{
    auto* drops = new FileDropFilter([this] { return !m_form.drawing(); }, this);
    connect(drops, &FileDropFilter::dropped, this,
        [this](const QString& path) { m_form.RunGuarded([&] { OpenLSystem(path); }); });
    panel.setAcceptDrops(true);
    panel.installEventFilter(drops);
    for (QLineEdit* edit : panel.findChildren<QLineEdit*>())
        edit->installEventFilter(drops);
}

// The folder where the last file was opened or saved, while it exists; else none.
QString FileCommands::LastFolder() const
{
    return QFileInfo(m_lastFolder).isDir() ? m_lastFolder : QString();
}

void FileCommands::SaveImageAs()
{
    if (m_form.drawing())
        return;
    const std::vector<ImageChoice> choices = ImageChoices();
    QStringList filters;
    for (const ImageChoice& choice : choices)
        filters << choice.filter;
    QFileDialog dialog(&m_form, QStringLiteral("Save Image As"),
        StartFolder({ LastFolder(), StandardFolder(QStandardPaths::PicturesLocation) }));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(choices.front().suffix);
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
        [&](const QString& filter) { dialog.setDefaultSuffix(ChoiceOf(choices, filter).suffix); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    const ImageChoice& chosen = ChoiceOf(choices, dialog.selectedNameFilter());
    m_lastFolder = QFileInfo(path).absolutePath();
    SaveImage(path, chosen.size, chosen.style);
}

void FileCommands::SaveAnimationAs()
{
    if (m_form.drawing())
        return;
    const QString growth
        = QStringLiteral("GIF animation of the growth, a frame a substitution (*.gif)");
    const QString drawing = QStringLiteral("GIF animation of the drawing, 50 frames (*.gif)");
    QString filter = growth;
    const QString path = QFileDialog::getSaveFileName(&m_form, QStringLiteral("Save Animation As"),
        StartFolder({ LastFolder(), StandardFolder(QStandardPaths::PicturesLocation) }),
        growth + QStringLiteral(";;") + drawing, &filter);
    if (path.isEmpty())
        return;
    m_lastFolder = QFileInfo(path).absolutePath();
    AnimationSettings settings;
    settings.kind = filter == drawing ? AnimationKind::Drawing : AnimationKind::Growth;
    settings.delayMs = DefaultDelayMs(settings.kind);
    SaveAnimation(path, settings);
}

void FileCommands::SaveAnimation(const QString& path, const AnimationSettings& settings)
{
    if (m_form.drawing())
        return;
    DrawingSession& session = m_form.session();
    // With nothing drawn yet, the figure that Draw would draw now.
    const auto steps = [&] {
        if (session.figures().empty()) {
            return AnimationStepsFor(
                m_form.ReadFields(), session.seed(), session.plane().lineColour(), settings);
        }
        return AnimationStepsFor(session.figures().back(), settings);
    };
    session.Start(std::make_unique<AnimationJob>(AnimationFileFor(path), steps, settings));
    m_driver.Run();
}

void FileCommands::SaveImage(const QString& path, int size, PictureStyle style)
{
    if (m_form.drawing())
        return;
    const ImageFile file = ImageFileFor(path);
    DrawingSession& session = m_form.session();
    // A plain PNG at the plane's own size is its pixels as they are.
    if (file.format == ImageFormat::Png && size == PlaneSize && !style.smooth
        && !style.transparent) {
        SavePng(file.path, session.plane().raster());
        return;
    }
    session.Start(std::make_unique<PictureJob>(file, session.figures(), size, style));
    m_driver.Run();
}

void FileCommands::CopyImage()
{
    if (m_form.drawing())
        return;
    const plane::Raster& raster = m_form.Draw2D().plane().raster();
    const QImage shown(
        raster.bits(), raster.width(), raster.height(), raster.stride(), QImage::Format_RGB888);
    QGuiApplication::clipboard()->setImage(shown.copy());
}

void FileCommands::SaveLSystemAs()
{
    if (m_form.drawing())
        return;
    const QString path = QFileDialog::getSaveFileName(&m_form, QStringLiteral("Save L-system As"),
        StartFolder({ LastFolder(), StandardFolder(QStandardPaths::DocumentsLocation) }),
        lsystemFilter);
    if (path.isEmpty())
        return;
    m_lastFolder = QFileInfo(path).absolutePath();
    SaveLSystem(path);
}

QString FileCommands::SaveLSystem(const QString& path)
{
    PanelFields fields = m_form.ReadFields();
    fields.seed = m_form.session().lastRandomSeed();
    return SaveLSystemFile(path, fields);
}

void FileCommands::OpenLSystemDialog()
{
    if (m_form.drawing())
        return;
    // The first time, the examples that come with the program are the place to start.
    const QString path = QFileDialog::getOpenFileName(&m_form, QStringLiteral("Open L-system"),
        StartFolder({ LastFolder(), ExamplesDirectory() }), openFilter);
    if (path.isEmpty())
        return;
    m_lastFolder = QFileInfo(path).absolutePath();
    OpenLSystem(path);
}

void FileCommands::OpenLSystem(const QString& path)
{
    if (IsCollectionFile(path)) {
        m_windows.OpenCollection(path);
        return;
    }
    const PanelFields fields = OpenLSystemFile(path, m_form.ReadFields());
    // A file's seed draws its figure again: the next Draw starts from it.
    if (fields.seed)
        m_form.session().SetSeed(*fields.seed);
    m_windows.SetFieldsFromOutside(fields);
}

} // namespace app
