#pragma once

#include "app/io/figure_export.h"

#include "app/core/jobs/animation_frames.h"

#include <QObject>
#include <QString>

namespace plane {
class TDraw2D;
}

namespace app {

class ProgramWindows;
class SessionDriver;
class TForm1;

// What leaves the program and comes back, for the two windows: pictures of the plane (saved as
// a task of the drawing session, or copied), and L-system files. The dialogs start in the folder
// last used while it exists, else in a sensible one that exists.
class FileCommands : public QObject {
    Q_OBJECT

public:
    explicit FileCommands(ProgramWindows& windows);

    // The plane's "Save Image As…" and "Copy Image", and the panel's "Open L-system…" and
    // "Save L-system As…", which head its context menu.
    void Connect(plane::TDraw2D& plane);
    void AddPanelCommands(QWidget& panel);
    // A file dropped anywhere on the window, even over a text field, is opened.
    void AcceptDrops(QWidget& panel);

    // Writes what the plane shows to a PNG file of size × size pixels (the plane's own pixels at
    // its own size, the figures since the last Clear drawn again at a larger size, or smooth or
    // transparent) or, when the name ends in ".svg" or ".pdf", the same figures as vectors. All
    // but the plane's own pixels are written by a task of the session, which Stop ends without
    // writing anything.
    void SaveImage(const QString& path, int size, PictureStyle style = {});
    // Writes an animated GIF, as a task of the session, of the last figure drawn (else of the
    // fields as they stand): its growth from the axiom, or its drawing in frames.
    void SaveAnimation(const QString& path, const AnimationSettings& settings);
    void CopyImage();
    // Writes the fields to an L-system file; returns the name written (".lsys" added when the
    // name has none).
    QString SaveLSystem(const QString& path);
    // Fills the fields from an L-system file, showing the Rules window where it has more rules;
    // a ".l" collection is shown in the Gallery window instead. A file that cannot be read
    // changes nothing.
    void OpenLSystem(const QString& path);

private:
    void SaveImageAs();
    void SaveAnimationAs();
    void SaveLSystemAs();
    void OpenLSystemDialog();
    QString LastFolder() const;
    void Guarded(void (FileCommands::*command)());

    ProgramWindows& m_windows;
    TForm1& m_form;
    SessionDriver& m_driver;
    QString m_lastFolder; // where the last file was opened or saved
};

} // namespace app
