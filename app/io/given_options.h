#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace app {

// The options the command line was given, each with its value (empty for a flag), in the order
// given, and the file given after them, if any: what ReadLaunch makes of the arguments.
class GivenOptions {
public:
    void Add(const QString& name, const QString& value) { m_given.emplace_back(name, value); }
    void SetFile(const QString& file) { m_file = file; }

    // Whether no option is given (a file may be).
    bool isEmpty() const { return m_given.empty(); }
    bool isSet(const QString& name) const;
    // The option's value; empty when it is not given. An option that is not repeatable is given
    // once at most.
    QString value(const QString& name) const;
    // Every value of the option, in the order given.
    QStringList values(const QString& name) const;
    const std::optional<QString>& file() const { return m_file; }

private:
    std::vector<std::pair<QString, QString>> m_given;
    std::optional<QString> m_file;
};

} // namespace app
