#pragma once

class QWidget;

namespace wirevane {

class ChartWindow;
class ProfileStore;

// The chart's limits in the settings file's section of our own: read once at start, written
// whenever the user changes them, and removed when none is left, so a file whose user never set
// one stays as it was. A failed write is said over the given window.
void KeepChartLimitsIn(ProfileStore& store, ChartWindow& chart, QWidget* failureParent);

} // namespace wirevane
