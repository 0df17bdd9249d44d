#pragma once

namespace wirevane::sim {

// A program that makes the port exclusive (TIOCEXCL) and is killed leaves it so: the simulator
// keeps the port side open, so the kernel never sees the last close that resets a real port,
// and every later open but root's is refused. Once nobody holds the port's lock, as every
// program that takes a port exclusively here does, the exclusivity goes too. portSide is the
// simulator's own descriptor of the port side.
void ReleaseAbandonedExclusivity(int portSide);

} // namespace wirevane::sim
