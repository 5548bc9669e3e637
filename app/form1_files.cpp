// What leaves the program and comes back: images of the plane, and L-system files.

#include "app/example_paths.h"
#include "app/figure_export.h"
#include "app/float_text.h"
#include "app/form1.h"
#include "app/lsystem_io.h"

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
constexpr int imageSizes[] = { 700, 1400, 2800, 5600 };

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

void TForm1::SetFields(const PanelFields& fields)
{
    EditAxiom->setText(QString::fromStdString(fields.axiom));
    EditRuleF->setText(QString::fromStdString(fields.ruleF));
    EditRuleG->setText(QString::fromStdString(fields.ruleG));
    // Files and the command line write the angle with a point; the panel, with the user's
    // decimal separator.
    EditAngle->setText(
        QString::fromStdString(ChangeDecimalSeparator(fields.angle, ".", DecimalSeparator())));
    EditLength->setText(QString::fromStdString(fields.length));
    SpinEdit1->setValue(fields.substCount);
    EditRandom->setText(QString::fromStdString(fields.random));
    EditX1->setText(QString::fromStdString(fields.x1));
    EditX2->setText(QString::fromStdString(fields.x2));
    EditY1->setText(QString::fromStdString(fields.y1));
    EditY2->setText(QString::fromStdString(fields.y2));
    m_fillingFields = true;
    PresetButtonOf(fields.preset)->setChecked(true);
    m_fillingFields = false;
}

// The folder where the last file was opened or saved, while it exists; else none.
QString TForm1::DialogFolder() const
{
    return QFileInfo(m_lastFolder).isDir() ? m_lastFolder : QString();
}

void TForm1::SaveImageAs()
{
    if (m_running)
        return;
    const QStringList filters = ImageFilters();
    QFileDialog dialog(this, QStringLiteral("Save Image As"),
        StartFolder({ DialogFolder(), StandardFolder(QStandardPaths::PicturesLocation) }));
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

void TForm1::SaveImage(const QString& path, int size)
{
    if (m_running)
        return;
    const ImageFile file = ImageFileFor(path);
    // At the plane's own size a PNG is its pixels as they are.
    if (file.format == ImageFormat::Png && size == imageSizes[0])
        SavePng(file.path, Draw2D().plane().raster());
    else
        SaveFigures(file, m_figures, size);
}

void TForm1::CopyImage()
{
    if (m_running)
        return;
    const plane::Raster& raster = Draw2D().plane().raster();
    const QImage shown(
        raster.bits(), raster.width(), raster.height(), raster.stride(), QImage::Format_RGB888);
    QGuiApplication::clipboard()->setImage(shown.copy());
}

void TForm1::SaveLSystemAs()
{
    if (m_running)
        return;
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save L-system As"),
        StartFolder({ DialogFolder(), StandardFolder(QStandardPaths::DocumentsLocation) }),
        lsystemFilter);
    if (path.isEmpty())
        return;
    m_lastFolder = QFileInfo(path).absolutePath();
    SaveLSystem(path);
}

QString TForm1::SaveLSystem(const QString& path)
{
    PanelFields fields = ReadFields();
    fields.angle = ChangeDecimalSeparator(fields.angle, DecimalSeparator(), ".");
    return SaveLSystemFile(path, fields);
}

void TForm1::OpenLSystemDialog()
{
    if (m_running)
        return;
    // The first time, the examples that come with the program are the place to start.
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open L-system"),
        StartFolder({ DialogFolder(), ExamplesDirectory() }), lsystemFilter);
    if (path.isEmpty())
        return;
    m_lastFolder = QFileInfo(path).absolutePath();
    OpenLSystem(path);
}

void TForm1::OpenLSystem(const QString& path)
{
    SetFields(OpenLSystemFile(path, ReadFields()));
}

} // namespace app
