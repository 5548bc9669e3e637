#include "app/io/given_options.h"

namespace app {

bool GivenOptions::isSet(const QString& name) const
{
    for (const auto& [given, value] : m_given) {
        if (given == name)
            return true;
    }
    return false;
}

QString GivenOptions::value(const QString& name) const
{
    for (const auto& [given, value] : m_given) {
        if (given == name)
            return value;
    }
    return {};
}

QStringList GivenOptions::values(const QString& name) const
{
    QStringList values;
    for (const auto& [given, value] : m_given) {
        if (given == name)
            values << value;
    }
    return values;
}

} // namespace app
