#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wirevane::runner {

// One verdict of a checked row in one cycle, for the JUnit file.
struct CheckedRow {
    int row = 0;
    int64_t cycle = 0;
    std::u16string data;
    std::u16string expect;
    bool passed = false;
    std::vector<uint8_t> received;
    std::u16string report;
    int64_t turnaroundUs = 0;
};

// The checks of a run. Every one is counted; only a run that writes a JUnit file keeps them
// whole, and then only the first kListedLimit: a run left going for days (--cycles 0) at
// thousands of checks a second would otherwise hold gigabytes by its end.
class CheckTally {
public:
    static constexpr std::size_t kListedLimit = 100'000;

    explicit CheckTally(bool keep = false) : m_keep(keep) {}

    // Whether the next check is to be kept whole; when not, Count is enough.
    bool KeepsNext() const { return m_keep && m_listed.size() < kListedLimit; }
    void Count(bool passed, int64_t turnaroundUs)
    {
        ++(passed ? m_passed : m_failed);
        m_turnaroundUs += turnaroundUs > 0 ? turnaroundUs : 0;
    }
    void Add(CheckedRow check)
    {
        Count(check.passed, check.turnaroundUs);
        if (!KeepsNext())
            return;
        m_listedFailed += check.passed ? 0 : 1;
        m_listed.push_back(std::move(check));
    }

    const std::vector<CheckedRow>& listed() const { return m_listed; }
    int64_t passed() const { return m_passed; }
    int64_t failed() const { return m_failed; }
    int64_t count() const { return m_passed + m_failed; }
    // The checks counted but not kept, when the run keeps them.
    int64_t unlisted() const
    {
        return m_keep ? count() - static_cast<int64_t>(m_listed.size()) : 0;
    }
    int64_t unlistedFailed() const { return m_keep ? m_failed - m_listedFailed : 0; }
    int64_t turnaroundUs() const { return m_turnaroundUs; }

private:
    bool m_keep;
    std::vector<CheckedRow> m_listed;
    int64_t m_passed = 0;
    int64_t m_failed = 0;
    int64_t m_listedFailed = 0;
    int64_t m_turnaroundUs = 0;
};

} // namespace wirevane::runner
