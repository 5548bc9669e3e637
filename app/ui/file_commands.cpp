#include "app/ui/file_commands.h"

#include "app/core/float_text.h"
#include "app/io/figure_export.h"
#include "app/io/lsystem_io.h"
#include "app/paths/example_paths.h"
#include "app/ui/file_drop_filter.h"
#include "app/ui/form1.h"
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

namespace app {

namespace {

// The sizes a PNG can be saved at: the plane's own and three enlargements.
constexpr int imageSizes[] = { PlaneSize, 2 * PlaneSize, 4 * PlaneSize, 8 * PlaneSize };

QStringList ImageFilters()
{
    QStringList filters;
    for (const int size : imageSizes)
        filters << QStringLiteral("PNG image, %1 × %1 pixels (*.png)").arg(size);
    filters << QStringLiteral("SVG image (*.svg)");
    return filters;
}

const QString lsystemFilter = QStringLiteral("L-system files (*.lsys);;All files (*)");

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

FileCommands::FileCommands(TForm1& form, SessionDriver& driver)
    : QObject(&form)
    , m_form(form)
    , m_driver(driver)
{
}

void FileCommands::Guarded(void (FileCommands::*command)())
{
    m_form.RunGuarded([this, command] { (this->*command)(); });
}

void FileCommands::Connect(plane::TDraw2D& plane)
{
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
    const auto add
        = [&](const QString& text, QKeySequence::StandardKey key, void (FileCommands::*command)()) {
              auto* action = new QAction(text, &panel);
              action->setShortcut(key);
              connect(action, &QAction::triggered, this, [this, command] { Guarded(command); });
              panel.addAction(action);
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
    const QStringList filters = ImageFilters();
    QFileDialog dialog(&m_form, QStringLiteral("Save Image As"),
        StartFolder({ LastFolder(), StandardFolder(QStandardPaths::PicturesLocation) }));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter.endsWith(QLatin1String("(*.svg)")) ? QStringLiteral("svg")
                                                                          : QStringLiteral("png"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
    const int size = chosen >= 0 && chosen < qsizetype(std::size(imageSizes)) ? imageSizes[chosen]
                                                                              : imageSizes[0];
    m_lastFolder = QFileInfo(path).absolutePath();
    SaveImage(path, size);
}

void FileCommands::SaveImage(const QString& path, int size)
{
    if (m_form.drawing())
        return;
    const ImageFile file = ImageFileFor(path);
    DrawingSession& session = m_form.session();
    // At the plane's own size a PNG is its pixels as they are.
    if (file.format == ImageFormat::Png && size == PlaneSize) {
        SavePng(file.path, session.plane().raster());
        return;
    }
    session.Start(std::make_unique<PictureJob>(file, session.figures(), size));
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
    fields.angle = ChangeDecimalSeparator(fields.angle, TForm1::DecimalSeparator(), ".");
    fields.seed = m_form.session().lastRandomSeed();
    return SaveLSystemFile(path, fields);
}

void FileCommands::OpenLSystemDialog()
{
    if (m_form.drawing())
        return;
    // The first time, the examples that come with the program are the place to start.
    const QString path = QFileDialog::getOpenFileName(&m_form, QStringLiteral("Open L-system"),
        StartFolder({ LastFolder(), ExamplesDirectory() }), lsystemFilter);
    if (path.isEmpty())
        return;
    m_lastFolder = QFileInfo(path).absolutePath();
    OpenLSystem(path);
}

void FileCommands::OpenLSystem(const QString& path)
{
    const PanelFields fields = OpenLSystemFile(path, m_form.ReadFields());
    // A file's seed draws its figure again: the next Draw starts from it.
    if (fields.seed)
        m_form.session().SetSeed(*fields.seed);
    m_form.SetFields(fields);
}

} // namespace app
