#pragma once

#include "app/core/record/panel_fields.h"
#include "app/ui/form1.h"

#include <QString>

namespace app {

class FieldUndo;
class FileCommands;
class GalleryWindow;
class HelpWindow;
class LSystemClipboard;
class PanelHelp;
class RulesWindow;

// The program's windows: the control panel, which makes the plane, and the windows beside it,
// each made the first time it is asked for: the Rules window, which shows and edits the rules
// the panel holds beyond its F and G fields and its command set, and the Gallery window, whose
// entries the panel draws. The plane's requests (its view, Fit, closing it) become the panel's
// and the session's commands. The other windows' commands join the panel's context menu after
// its own, the file commands' before; files dropped on any window are opened, and texts read as
// L-systems. F1 on either window shows the Help window; the plane offers Help, Home (the last
// figure's own window) and Show Control Panel. The commands that replace many fields record the
// panel's state for Undo. The windows are the panel's children and go with it.
class ProgramWindows {
public:
    ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    TForm1& panel() { return m_panel; }
    FileCommands& files() { return *m_files; }
    FieldUndo& undo() { return *m_undo; }
    LSystemClipboard& clipboard() { return *m_clipboard; }

    // "Rules…": shows the Rules window, made the first time beside the panel.
    void ShowRules();
    // "Gallery…": shows the Gallery window, made the first time over the examples.
    void ShowGallery();
    // Shows a ".l" collection in the Gallery window; raises FileError where it cannot be read.
    void OpenCollection(const QString& path);
    // The Gallery window, while it has been made.
    GalleryWindow* gallery() const { return m_gallery; }
    // "Help" (F1): shows the Help window, made the first time.
    void ShowHelp();
    HelpWindow* help() const { return m_help; }
    // "Show Control Panel" (the plane's): brings the panel back, hidden or covered.
    void ShowPanel();
    // "Home" (the plane's): the view goes back to the last figure's own window.
    void ShowHome();

    // Fills the panel's fields with ones from outside it (a file, the gallery). Rules that the
    // panel does not show change the figure all the same, so where the fields have more rules
    // the Rules window is shown at once.
    void SetFieldsFromOutside(const PanelFields& fields);

private:
    // The plane's requests: its view, Fit, its files, and closing it, which ends the program.
    void ConnectPlane();
    // Fills the fields with an entry of the gallery and draws its figure fitted.
    void DrawGalleryEntry(const PanelFields& fields);
    // The Rules window, where made, shows the panel's more rules and command set; no preset is
    // shown checked for Fractint's commands, which take nothing from one.
    void ShowPanelRules();
    // The plane's commands for the windows: Help, Home and Show Control Panel.
    void AddPlaneCommands();

    TForm1 m_panel;
    FileCommands* m_files; // the panel's child
    FieldUndo* m_undo; // the panel's child
    LSystemClipboard* m_clipboard; // the panel's child
    PanelHelp* m_fieldHelp; // the panel's child
    RulesWindow* m_rules = nullptr;
    GalleryWindow* m_gallery = nullptr;
    HelpWindow* m_help = nullptr;
};

} // namespace app
