#include "persistence/port_options.h"

#include "persistence/settings_keys.h"

#include <string_view>

namespace wirevane {

namespace {

constexpr std::u16string_view kAnswerTimeoutKey = u"ANSWER_TIMEOUT_MS";
constexpr std::u16string_view kAutoReconnectKey = u"AUTO_RECONNECT";
constexpr std::u16string_view kLowLatencyKey = u"LOW_LATENCY";
constexpr std::u16string_view kRealtimeKey = u"REALTIME";

platform::FileError WriteOrRemove(ProfileStore& store, std::u16string_view key, int32_t value,
                                  int32_t fallback)
{
    const bool stored = store.hasKey(settings_keys::kWirevane, key);
    // The same value again is no change: the file is not written for it.
    if (stored && store.readInt(settings_keys::kWirevane, key, fallback) == value)
        return {};
    if (value != fallback)
        return store.writeInt(settings_keys::kWirevane, key, value);
    if (stored)
        return store.deleteKey(settings_keys::kWirevane, key);
    return {};
}

} // namespace

PortOptions ReadPortOptions(ProfileStore& store)
{
    PortOptions options;
    const int32_t timeout = store.readInt(settings_keys::kWirevane, kAnswerTimeoutKey, 0);
    if (timeout > 0 && timeout <= kLongestAnswerTimeoutMs)
        options.answerTimeoutMs = timeout;
    options.autoReconnect = store.readInt(settings_keys::kWirevane, kAutoReconnectKey, 0) == 1;
    options.lowLatency = store.readInt(settings_keys::kWirevane, kLowLatencyKey, 1) != 0;
    options.realtime = store.readInt(settings_keys::kWirevane, kRealtimeKey, 0) == 1;
    return options;
}

platform::FileError WritePortOptions(ProfileStore& store, const PortOptions& options)
{
    ProfileSession session(store);
    WriteOrRemove(store, kAnswerTimeoutKey, options.answerTimeoutMs, 0);
    WriteOrRemove(store, kAutoReconnectKey, options.autoReconnect ? 1 : 0, 0);
    WriteOrRemove(store, kLowLatencyKey, options.lowLatency ? 1 : 0, 1);
    WriteOrRemove(store, kRealtimeKey, options.realtime ? 1 : 0, 0);
    return session.commit();
}

} // namespace wirevane
