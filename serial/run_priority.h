#pragma once

#include "platform/awake_processors.h"
#include "platform/realtime_priority.h"
#include "serial/serial_ex.h"

#include <optional>

namespace wirevane {

// What the system refused a run that the user allowed realtime priority, each told once: the
// rights that decide it do not change while the program runs.
struct RunPriorityRefusals {
    std::optional<platform::RealtimeRefusal> priority;
    std::optional<platform::RealtimeRefusal> awakeProcessors;
};

// Realtime priority for the threads whose wake-ups time a run, when the user allows it: the
// thread that runs the engine and its step timer (the caller's) and the port's event thread,
// with the idle processors kept awake, so that a wake-up is not spent waiting for a halted
// processor. They take it when a run starts and give it back when it stops, so an idle program
// never holds it and a window thread drawing a flood of received text between runs cannot keep
// a processor from everyone else. During a run the system's limit on realtime time (95 % by
// default) stays the backstop.
class RunPriority {
public:
    explicit RunPriority(CSerialEx& port) : m_port(port) {}
    ~RunPriority();
    RunPriority(const RunPriority&) = delete;
    RunPriority& operator=(const RunPriority&) = delete;

    // Turned off during a run, the priority is given back at once; turned on, it is taken at the
    // next run's start.
    void SetAllowed(bool allowed);
    bool allowed() const { return m_allowed; }

    // On the engine's thread, whenever the run starts or stops. What the system refuses, the
    // run goes on without; each refusal is returned the first time only.
    RunPriorityRefusals RunChanged(bool running);

private:
    void Release();

    CSerialEx& m_port;
    platform::AwakeProcessors m_awake;
    bool m_allowed = false;
    bool m_holding = false;
    bool m_priorityRefusalTold = false;
    bool m_awakeRefusalTold = false;
};

} // namespace wirevane
