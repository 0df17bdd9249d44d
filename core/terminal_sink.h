#pragma once

#include <string_view>

namespace wirevane {

// The terminal as the engine and the receive handler see it: text goes to its end, and its local
// echo box decides whether sent rows are shown too.
class TerminalSink {
public:
    virtual ~TerminalSink() = default;
    virtual void AppendText(std::u16string_view text) = 0;
    virtual bool IsLocalEcho() const = 0;
};

} // namespace wirevane
