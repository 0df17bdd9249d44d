#pragma once

namespace wirevane::platform {

// Asks the scheduler to let the calling thread run as soon as it wakes, also while another
// program keeps every processor busy: a row's delay and an answer's follow-up are only as
// punctual as the thread's first instruction after its wait. No privilege is needed and none is
// used; where the system offers nothing of the kind, this does nothing. false when nothing
// changed.
bool PreferPromptWakeUps();

} // namespace wirevane::platform
