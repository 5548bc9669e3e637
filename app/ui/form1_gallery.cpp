// The control panel's Gallery window: made the first time it is asked for, over the examples, and
// the figure of an entry it activates drawn fitted from the panel.

#include "app/paths/example_paths.h"
#include "app/ui/form1.h"
#include "app/ui/gallery_window.h"

namespace app {

void TForm1::ShowGallery()
{
    if (!m_gallery) {
        m_gallery = new GalleryWindow(*this);
        connect(m_gallery, &GalleryWindow::entryActivated, this,
            [this](const PanelFields& fields) { RunGuarded([&] { DrawGalleryEntry(fields); }); });
        if (const QString examples = ExamplesDirectory(); !examples.isEmpty())
            m_gallery->ShowFolder(examples);
    }
    m_gallery->show();
    m_gallery->raise();
    m_gallery->activateWindow();
}

void TForm1::OpenCollection(const QString& path)
{
    ShowGallery();
    m_gallery->ShowCollection(path);
}

void TForm1::DrawGalleryEntry(const PanelFields& fields)
{
    if (drawing())
        return;
    SetFieldsFromOutside(fields);
    FitToFigure();
}

} // namespace app
