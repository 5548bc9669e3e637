#pragma once

#include <QObject>
#include <QString>

namespace app {

class ProgramWindows;

// An L-system as text, in and out of the program: "Copy L-system" (Ctrl+Shift+C) puts the
// fields on the clipboard as the text of an L-system file; "Paste L-system" (Ctrl+Shift+V)
// fills the panel and the Rules window from an L-system file's text, a Fractint entry or lines
// of rules (ReadPastedLSystem), as Open fills them from a file, and a text dropped on a window
// does the same. A text that cannot be read changes nothing and is named as a file's would be.
class LSystemClipboard : public QObject {
    Q_OBJECT

public:
    // Where the fields use Fractint's commands, Copy gives them also as a Fractint entry
    // (FormatFractintEntry) in this format, beside the file's text.
    static constexpr char FractintEntryMimeType[] = "application/x-fractint-lsystem";

    explicit LSystemClipboard(ProgramWindows& windows);

    void Copy();
    void Paste();
    // Fills the fields from the text, raising FileError where it cannot be read.
    void Read(const QString& text);
    // Takes a text dropped on the window or its children; one dropped on a text field is the
    // field's own unless it reads as an L-system.
    void AcceptDrops(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ProgramWindows& m_windows;
};

} // namespace app
