#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wirevane::test {

// A kernel pseudo-terminal for port tests: the code under test opens slavePath() like a serial
// device, the test plays the device on the master side. The pair keeps its own slave
// descriptor open (in raw mode) so the master never reads EIO between two opens of the port.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    int master() const { return m_master; }
    int slave() const { return m_slave; }
    const std::string& slavePath() const { return m_slavePath; }
    std::u16string slavePathU16() const;

    void WriteMaster(std::string_view bytes);
    // Reads until count bytes arrived or the deadline passed; returns what arrived.
    std::string ReadMaster(std::size_t count,
                           std::chrono::milliseconds deadline = std::chrono::seconds(10));
    // What the master can read right now, without waiting.
    std::string ReadMasterAvailable();
    // How many received bytes wait on the port's side, unread: the line discipline has taken
    // everything written to the master before them.
    std::size_t SlaveInputPending() const;
    // Hangs up the slave side, as an unplugged device does.
    void CloseMaster();
    void CloseSlave();

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
};

} // namespace wirevane::test
