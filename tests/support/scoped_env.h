#pragma once
// An environment variable set, or removed, for the life of the object, then put back as it was.

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace ombre::test {

class ScopedEnv {
public:
    // No value: the variable is removed.
    ScopedEnv(const char *name, std::optional<QByteArray> value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace ombre::test
