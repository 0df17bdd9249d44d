#pragma once

#include "core/expectation.h"
#include "core/text_encoding.h"

#include <span>

namespace wirevane {

// The answer of a checked row: what arrives from the moment the row's first byte is handed to
// the port until its check is decided, the newest Expectation::kAnswerKeptBytes of it kept.
// A row without a wait kind decides as soon as its expectation is met; a row with one decides
// when the wait ends, on the bytes up to and including the awaited one.
class AnswerWindow {
public:
    void Open(Expectation expectation, bool decidesOnArrival);
    void Close() { m_open = false; }
    bool IsOpen() const { return m_open; }
    bool decidesOnArrival() const { return m_decidesOnArrival; }

    // Keeps the bytes while open; true when they met the expectation of a row that decides on
    // arrival, which closes the window.
    bool Take(std::span<const uint8_t> bytes);

    const Expectation& expectation() const { return m_expectation; }
    const Bytes& bytes() const { return m_bytes; }
    Expectation::Verdict Judge() const { return m_expectation.Judge(m_bytes); }

private:
    Expectation m_expectation;
    Bytes m_bytes;
    bool m_open = false;
    bool m_decidesOnArrival = false;
};

} // namespace wirevane
