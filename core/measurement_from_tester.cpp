#include "core/measurement_from_tester.h"

namespace wirevane {

namespace {

const char* UnitSymbol(TesterUnit unit)
{
    switch (unit) {
    case TesterUnit::Volt:
        return "V";
    case TesterUnit::Ampere:
        return "A";
    case TesterUnit::Ohm:
        return "\xCE\xA9"; // Ω
    case TesterUnit::Hertz:
        return "Hz";
    case TesterUnit::Percent:
        return "%";
    case TesterUnit::Farad:
        return "F";
    case TesterUnit::Degrees:
        break;
    }
    return "\xC2\xB0"
           "C"; // °C
}

double PowerOfTen(int exponent)
{
    double power = 1.0;
    for (int k = 0; k < exponent; ++k)
        power *= 10.0;
    return power;
}

// The four digits as one whole number scaled once: both the number and the power of ten are
// exact doubles, so one multiplication or division gives the nearest double to the decimal the
// meter shows, the same double as the literal (-0.01234, not -0.012340000000000002).
double ValueOf(const TesterReading& r)
{
    int whole = 0;
    for (int digit : r.digits)
        whole = whole * 10 + digit;
    const int decimals = r.point == 0 ? 0 : 4 - r.point;
    const int scale = r.exponent - decimals;
    const double magnitude = scale >= 0 ? whole * PowerOfTen(scale) : whole / PowerOfTen(-scale);
    return r.minus ? -magnitude : magnitude;
}

std::string DisplayedText(const TesterReading& r)
{
    const std::u16string line = FormatTesterReading(r);
    // The line is ASCII and ends in CR LF, which the reading does not keep.
    return std::string(line.begin(), line.end() - 2);
}

} // namespace

std::optional<Measurement> MeasurementFromTester(const TesterReading& r,
                                                 std::chrono::system_clock::time_point time)
{
    if (!r.valid && !r.overload)
        return std::nullopt;
    Measurement m;
    m.time = time;
    m.series = "meter";
    if (r.valid)
        m.value = ValueOf(r);
    m.unit = UnitSymbol(r.unit);
    m.mode = r.ac ? MeasureMode::Ac : r.dc ? MeasureMode::Dc : MeasureMode::None;
    m.reading = DisplayedText(r);
    return m;
}

} // namespace wirevane
