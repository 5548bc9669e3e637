#include "app/ui/file_drop_filter.h"

#include "plane/draw2d.h"

#include <QDropEvent>

namespace app {

FileDropFilter::FileDropFilter(std::function<bool()> accepting, QObject* parent)
    : QObject(parent)
    , m_accepting(std::move(accepting))
{
}

bool FileDropFilter::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QString file = plane::DraggedFile(drop->mimeData());
    if (file.isEmpty())
        return false;
    if (type != QEvent::Drop) {
        drop->setAccepted(m_accepting());
        return true;
    }
    drop->acceptProposedAction();
    if (m_accepting())
        emit dropped(file);
    return true;
}

} // namespace app
