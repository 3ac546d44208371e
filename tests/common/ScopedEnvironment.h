#pragma once

#include <QByteArray>

#include <optional>

namespace kv::test {

// Sets (or, with nullopt, removes) an environment variable for the scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, std::optional<QByteArray> value)
        : m_name(name)
    {
        if (qEnvironmentVariableIsSet(name))
            m_previous = qgetenv(name);
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~ScopedEnvironment()
    {
        if (m_previous)
            qputenv(m_name, *m_previous);
        else
            qunsetenv(m_name);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* m_name;
    std::optional<QByteArray> m_previous;
};

} // namespace kv::test
