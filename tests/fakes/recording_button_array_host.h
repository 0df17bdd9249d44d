#pragma once

#include "buttons/button_array_host.h"
#include "persistence/profile_store.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace wirevane::test {

// The main window as the button array sees it. A load records the NAME key of section TEST of
// whatever file is active at that moment, so a test sees which file the button loaded.
class RecordingButtonArrayHost : public ButtonArrayHost {
public:
    explicit RecordingButtonArrayHost(ProfileStore& store) : m_store(store) {}

    platform::FileError LoadSettingsFile() override
    {
        calls.push_back("load " +
                        std::filesystem::path(m_store.readString(u"TEST", u"NAME", u"")).string());
        return {};
    }
    SaveAsResult SaveAs() override
    {
        calls.emplace_back("save as");
        return saveAs ? saveAs() : SaveAsResult{};
    }
    void OnReset() override { calls.emplace_back("reset"); }
    void OnSend() override { calls.emplace_back("send"); }
    void OnStop() override { calls.emplace_back("stop"); }
    void EnableMainWindowAndTerminal(bool enable) override
    {
        calls.emplace_back(enable ? "enable others" : "disable others");
    }

    std::vector<std::string> calls;
    std::function<SaveAsResult()> saveAs;

private:
    ProfileStore& m_store;
};

} // namespace wirevane::test
