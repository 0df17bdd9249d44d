#include "tools/wirevane-sim/device_modes.h"

#include "tools/wirevane-sim/sim_text.h"

#include <algorithm>
#include <charconv>

namespace wirevane::sim {

namespace {

class Echo final : public Behaviour {
public:
    void Received(std::string_view bytes, Clock::time_point now, Outbox& out) override
    {
        out.Send(now, std::string(bytes));
    }
};

class LineResponder final : public Behaviour {
public:
    LineResponder(std::string answer, std::chrono::milliseconds delay)
        : m_answer(std::move(answer)), m_delay(delay)
    {
    }

    void Received(std::string_view bytes, Clock::time_point now, Outbox& out) override
    {
        for (char c : bytes) {
            const bool lfAfterCr = c == '\n' && m_lastWasCr;
            m_lastWasCr = c == '\r';
            if (lfAfterCr)
                continue;
            if (c == '\r' || c == '\n')
                out.Send(now + m_delay, m_answer);
        }
    }

private:
    std::string m_answer;
    std::chrono::milliseconds m_delay;
    bool m_lastWasCr = false;
};

// Sends its frame at the rate, or the sweep's frames in turn: the one shown at a moment is the
// one for that moment's place in the period, so a slow reader sees the reading move on in time
// rather than in frames.
class Meter final : public Behaviour {
public:
    Meter(std::vector<std::string> frames, double rateHz, std::chrono::seconds period)
        : m_frames(std::move(frames)), m_period(std::chrono::duration_cast<Clock::duration>(
                                           std::chrono::duration<double>(1.0 / rateHz))),
          m_sweepPeriod(period)
    {
    }

    void Start(Clock::time_point now, Outbox& /*out*/) override
    {
        m_start = now;
        m_next = now;
    }
    void Received(std::string_view, Clock::time_point, Outbox&) override {}
    void Tick(Clock::time_point now, Outbox& out) override
    {
        const auto phase = (now - m_start) % m_sweepPeriod;
        const auto index = static_cast<std::size_t>(
            static_cast<double>(phase.count()) /
            static_cast<double>(
                std::chrono::duration_cast<Clock::duration>(m_sweepPeriod).count()) *
            static_cast<double>(m_frames.size()));
        // A frame the port has not taken by the next one's time is the last one queued: no one
        // reads, and a real meter's frames are then lost on the line, not kept for later.
        if (out.empty())
            out.Send(now, m_frames[std::min(index, m_frames.size() - 1)]);
        m_next += m_period;
        if (m_next < now)
            m_next = now + m_period; // a stalled reader does not cause a burst of frames
    }
    std::optional<Clock::time_point> NextTick() const override { return m_next; }

private:
    std::vector<std::string> m_frames;
    Clock::duration m_period;
    std::chrono::seconds m_sweepPeriod;
    Clock::time_point m_start;
    Clock::time_point m_next;
};

// Made a part at a time as the port takes it: the count may be far more than the memory holds.
class Flood final : public Behaviour {
public:
    Flood(uint64_t count, std::optional<uint8_t> value) : m_count(count), m_value(value) {}

    void Start(Clock::time_point now, Outbox& out) override { Drained(now, out); }
    void Received(std::string_view, Clock::time_point, Outbox&) override {}
    void Drained(Clock::time_point now, Outbox& out) override
    {
        const uint64_t length = std::min<uint64_t>(m_count - m_made, kPartBytes);
        if (length == 0)
            return;
        std::string part(static_cast<std::size_t>(length), '\0');
        for (std::size_t i = 0; i < part.size(); ++i)
            part[i] = static_cast<char>(m_value ? *m_value : static_cast<uint8_t>(m_made + i));
        m_made += length;
        out.Send(now, std::move(part));
    }

private:
    static constexpr uint64_t kPartBytes = 64 * 1024;

    uint64_t m_count;
    std::optional<uint8_t> m_value;
    uint64_t m_made = 0;
};

class Script final : public Behaviour {
public:
    explicit Script(std::vector<ScriptStep> steps) : m_steps(std::move(steps))
    {
        for (const ScriptStep& step : m_steps)
            m_kept = std::max(m_kept, step.text.size());
    }

    // While the script pauses, the next expected text is looked for in at most this much of
    // what came last.
    static constexpr std::size_t kKeptWhilePausing = std::size_t{1} << 20;

    void Start(Clock::time_point now, Outbox& out) override { Run(now, out); }
    // Received bytes are kept only as far as an expected text may still be in them: a program
    // that sends without end, while the script waits or pauses, costs neither memory nor a
    // search through everything it ever sent.
    void Received(std::string_view bytes, Clock::time_point now, Outbox& out) override
    {
        if (m_next >= m_steps.size())
            return;
        m_received.append(bytes);
        Run(now, out);
        // Cut now and then rather than at every chunk: each cut moves what is kept.
        if (m_received.size() > 2 * m_kept)
            m_received.erase(0, m_received.size() - m_kept);
    }
    void Tick(Clock::time_point now, Outbox& out) override
    {
        m_wakeAt.reset();
        Run(now, out);
    }
    std::optional<Clock::time_point> NextTick() const override { return m_wakeAt; }
    bool Finished() const override { return m_closed; }

private:
    void Run(Clock::time_point now, Outbox& out)
    {
        while (m_next < m_steps.size() && !m_wakeAt && !m_closed) {
            const ScriptStep& step = m_steps[m_next];
            switch (step.kind) {
            case ScriptStep::Kind::Expect: {
                const std::size_t found = m_received.find(step.text);
                if (found == std::string::npos) {
                    // Only the text's start may be there yet.
                    const std::size_t partial = step.text.size() - 1;
                    if (m_received.size() > partial)
                        m_received.erase(0, m_received.size() - partial);
                    return;
                }
                m_received.erase(0, found + step.text.size());
                break;
            }
            case ScriptStep::Kind::Send:
                out.Send(now, step.text);
                break;
            case ScriptStep::Kind::Delay:
                if (!m_delayDone) {
                    m_wakeAt = now + std::chrono::milliseconds(step.delayMs);
                    m_delayDone = true;
                    return;
                }
                m_delayDone = false;
                break;
            case ScriptStep::Kind::Close:
                m_closed = true;
                return;
            }
            ++m_next;
        }
    }

    std::vector<ScriptStep> m_steps;
    std::size_t m_next = 0;
    std::string m_received;
    // What the received bytes are cut to while the script pauses: the longest text a step
    // holds, and at least kKeptWhilePausing.
    std::size_t m_kept = kKeptWhilePausing;
    std::optional<Clock::time_point> m_wakeAt;
    bool m_delayDone = false;
    bool m_closed = false;
};

} // namespace

std::optional<std::vector<ScriptStep>> ParseScript(std::string_view text, std::string& message)
{
    std::vector<ScriptStep> steps;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos || line[start] == '#')
            continue;
        line.remove_prefix(start);
        const std::size_t blank = line.find(' ');
        const std::string_view word = line.substr(0, blank);
        const std::string_view rest =
            blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
        auto fail = [&](const std::string& why) {
            message = "script line " + std::to_string(lineNumber) + ": " + why;
            return std::nullopt;
        };
        if (word == "expect" || word == "send") {
            const auto bytes = UnescapeText(rest);
            if (!bytes || bytes->empty())
                return fail("text with valid escapes expected after " + std::string(word));
            steps.push_back(
                {word == "expect" ? ScriptStep::Kind::Expect : ScriptStep::Kind::Send, *bytes, 0});
        } else if (word == "delay") {
            int ms = -1;
            const auto parsed = std::from_chars(rest.data(), rest.data() + rest.size(), ms);
            if (parsed.ec != std::errc() || parsed.ptr != rest.data() + rest.size() || ms < 0)
                return fail("milliseconds expected after delay");
            steps.push_back({ScriptStep::Kind::Delay, {}, ms});
        } else if (word == "close") {
            steps.push_back({ScriptStep::Kind::Close, {}, 0});
        } else {
            return fail("unknown step " + std::string(word));
        }
    }
    return steps;
}

std::unique_ptr<Behaviour> MakeBehaviour(const SimOptions& options, std::vector<ScriptStep> script)
{
    switch (options.mode) {
    case Mode::Lines:
        return std::make_unique<LineResponder>(options.reply + options.replyEnd,
                                               std::chrono::milliseconds(options.delayMs));
    case Mode::Meter:
        return std::make_unique<Meter>(
            options.sweep.empty() ? std::vector<std::string>{options.frame} : options.sweep,
            options.rateHz, std::chrono::seconds(options.sweepSeconds));
    case Mode::Flood:
        return std::make_unique<Flood>(options.floodCount, options.floodByte);
    case Mode::Script:
        return std::make_unique<Script>(std::move(script));
    case Mode::Echo:
        break;
    }
    return std::make_unique<Echo>();
}

} // namespace wirevane::sim
