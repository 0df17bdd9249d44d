#include "app/chart_settings.h"

#include "app/file_reports.h"
#include "chart/chart_window.h"
#include "persistence/profile_store.h"
#include "persistence/settings_keys.h"

#include <QString>

namespace wirevane {

void KeepChartLimitsIn(ProfileStore& store, ChartWindow& chart, QWidget* failureParent)
{
    const std::u16string stored =
        store.readString(settings_keys::kWirevane, settings_keys::kChartLimits, u"");
    chart.SetStoredLimits(QString::fromStdU16String(stored).toStdString());
    chart.limitsChanged = [&store, failureParent](const std::string& text) {
        if (text.empty() && !store.hasKey(settings_keys::kWirevane, settings_keys::kChartLimits))
            return;
        const platform::FileError written =
            text.empty() ? store.deleteKey(settings_keys::kWirevane, settings_keys::kChartLimits)
                         : store.writeString(settings_keys::kWirevane, settings_keys::kChartLimits,
                                             QString::fromStdString(text).toStdU16String());
        if (!written.ok())
            ShowSaveFailure(failureParent, store.settingsPath(), written);
    };
}

} // namespace wirevane
