#pragma once

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wirevane::test {

// Changes environment variables for one test and puts every one it touched back afterwards,
// so that the folders a test points the program at do not leak into the next test.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment()
    {
        std::for_each(m_saved.rbegin(), m_saved.rend(), [](const auto& saved) {
            if (saved.second)
                setenv(saved.first.c_str(), saved.second->c_str(), 1);
            else
                unsetenv(saved.first.c_str());
        });
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void Set(const char* name, const std::string& value)
    {
        Save(name);
        setenv(name, value.c_str(), 1);
    }
    void Unset(const char* name)
    {
        Save(name);
        unsetenv(name);
    }

private:
    void Save(const char* name)
    {
        const char* value = std::getenv(name);
        m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

} // namespace wirevane::test
