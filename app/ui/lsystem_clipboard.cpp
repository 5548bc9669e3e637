#include "app/ui/lsystem_clipboard.h"

#include "app/core/formats/copied_fractint_entry.h"
#include "app/core/formats/pasted_lsystem.h"
#include "app/io/file_error.h"
#include "app/ui/program_windows.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>

#include <variant>

namespace app {

namespace {

// The name a copied Fractint entry goes by: the panel gives its figures none.
constexpr char FractintEntryName[] = "Lindenmayer";

} // namespace

LSystemClipboard::LSystemClipboard(ProgramWindows& windows)
    : QObject(&windows.panel())
    , m_windows(windows)
{
    TForm1& panel = windows.panel();
    panel.AddCommand(
        QStringLiteral("Copy L-system"), Qt::CTRL | Qt::SHIFT | Qt::Key_C, [this] { Copy(); });
    panel.AddCommand(
        QStringLiteral("Paste L-system"), Qt::CTRL | Qt::SHIFT | Qt::Key_V, [this] { Paste(); });
}

void LSystemClipboard::Copy()
{
    const PanelFields fields = m_windows.panel().ReadFields();
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(FormatLSystem(fields)));
    if (const auto entry = FormatFractintEntry(fields, FractintEntryName))
        data->setData(
            QString::fromLatin1(FractintEntryMimeType), QByteArray::fromStdString(*entry));
    QGuiApplication::clipboard()->setMimeData(data);
}

void LSystemClipboard::Paste()
{
    Read(QGuiApplication::clipboard()->text());
}

void LSystemClipboard::Read(const QString& text)
{
    TForm1& panel = m_windows.panel();
    if (panel.drawing())
        return;
    const auto result = ReadPastedLSystem(text.toStdString(), panel.ReadFields());
    if (const auto* error = std::get_if<LSystemFileError>(&result))
        throw FileError("Could not read the pasted L-system: " + DescribeError(*error));
    const PanelFields& fields = std::get<PanelFields>(result);
    // A text's seed draws its figure again, as a file's does.
    if (fields.seed)
        panel.session().SetSeed(*fields.seed);
    m_windows.SetFieldsFromOutside(fields);
}

void LSystemClipboard::AcceptDrops(QWidget& window)
{
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    for (QLineEdit* edit : window.findChildren<QLineEdit*>())
        edit->installEventFilter(this);
}

bool LSystemClipboard::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QMimeData* data = drop->mimeData();
    if (data == nullptr || data->hasUrls() || !data->hasText())
        return false;
    const QString text = data->text();
    const bool intoField = qobject_cast<QLineEdit*>(watched) != nullptr;
    if (intoField
        && std::holds_alternative<LSystemFileError>(
            ReadPastedLSystem(text.toStdString(), m_windows.panel().ReadFields())))
        return false;
    const bool accepting = !m_windows.panel().drawing();
    if (type != QEvent::Drop) {
        drop->setAccepted(accepting);
        return true;
    }
    drop->acceptProposedAction();
    if (accepting)
        m_windows.panel().RunGuarded([&] { Read(text); });
    return true;
}

} // namespace app
