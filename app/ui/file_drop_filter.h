#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace app {

// Takes a file dropped on the widgets it watches, even on a text field, which would otherwise
// take the file's name as text: a drag that brings one local file is accepted while `accepting`
// says so, and its drop is announced.
class FileDropFilter : public QObject {
    Q_OBJECT

public:
    FileDropFilter(std::function<bool()> accepting, QObject* parent);

signals:
    void dropped(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool()> m_accepting;
};

} // namespace app
