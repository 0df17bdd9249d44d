#pragma once

#include "core/run_observer.h"

#include <string>
#include <utility>
#include <vector>

namespace wirevane::test {

class RecordingRunObserver final : public RunObserver {
public:
    void UpdateRunControls(bool running) override { m_states.push_back(running); }
    void SetStatusText(std::u16string_view text) override { m_status = text; }
    void ChecksCounted(int64_t passed, int64_t failed) override
    {
        m_counts.emplace_back(passed, failed);
    }

    bool running() const { return !m_states.empty() && m_states.back(); }
    const std::vector<bool>& states() const { return m_states; }
    const std::u16string& status() const { return m_status; }
    const std::vector<std::pair<int64_t, int64_t>>& counts() const { return m_counts; }

private:
    std::vector<bool> m_states;
    std::u16string m_status;
    std::vector<std::pair<int64_t, int64_t>> m_counts;
};

} // namespace wirevane::test
