#pragma once

#include "app/core/record/panel_fields.h"
#include "app/ui/form1.h"

#include <QString>

namespace app {

class FileCommands;
class GalleryWindow;
class RulesWindow;

// The program's windows: the control panel, which makes the plane, and the windows beside it,
// each made the first time it is asked for: the Rules window, which shows and edits the rules
// the panel holds beyond its F and G fields and its command set, and the Gallery window, whose
// entries the panel draws. The plane's requests (its view, Fit, closing it) become the panel's
// and the session's commands. The other windows' commands join the panel's context menu after
// its own, the file commands' before; files dropped on any window are opened. The windows are
// the panel's children and go with it.
class ProgramWindows {
public:
    ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    TForm1& panel() { return m_panel; }
    FileCommands& files() { return *m_files; }

    // "Rules…": shows the Rules window, made the first time beside the panel.
    void ShowRules();
    // "Gallery…": shows the Gallery window, made the first time over the examples.
    void ShowGallery();
    // Shows a ".l" collection in the Gallery window; raises FileError where it cannot be read.
    void OpenCollection(const QString& path);
    // The Gallery window, while it has been made.
    GalleryWindow* gallery() const { return m_gallery; }

    // Fills the panel's fields with ones from outside it (a file, the gallery). Rules that the
    // panel does not show change the figure all the same, so where the fields have more rules
    // the Rules window is shown at once.
    void SetFieldsFromOutside(const PanelFields& fields);

private:
    // The plane's requests: its view, Fit, its files, and closing it, which ends the program.
    void ConnectPlane();
    // Fills the fields with an entry of the gallery and draws its figure fitted.
    void DrawGalleryEntry(const PanelFields& fields);
    // The Rules window, where made, shows the panel's more rules and command set.
    void ShowPanelRules();

    TForm1 m_panel;
    FileCommands* m_files; // the panel's child
    RulesWindow* m_rules = nullptr;
    GalleryWindow* m_gallery = nullptr;
};

} // namespace app
