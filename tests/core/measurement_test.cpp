#include "core/line_numbers.h"
#include "core/measurement_from_tester.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace wirevane {
namespace {

using Clock = std::chrono::system_clock;

struct TesterCase {
    TesterReading reading;
    std::optional<double> value;
    std::string unit;
    MeasureMode mode;
    std::string text;
};

TesterReading Reading(std::array<int, 4> digits, int point, int exponent, TesterUnit unit,
                      bool ac = false, bool dc = false, bool minus = false)
{
    return {dc, ac, minus, digits, point, exponent, unit, /*overload=*/false, /*valid=*/true};
}

TesterReading OverRange(TesterUnit unit, int exponent, bool ac, bool dc)
{
    TesterReading r = Reading({-2, 0, -1, -2}, 0, exponent, unit, ac, dc);
    r.valid = false;
    r.overload = true;
    return r;
}

class MeterMeasurement : public ::testing::TestWithParam<TesterCase> {};

// The value must be the very double the displayed decimal names: a chart's limit typed as
// -0.01234 has to compare equal to the meter showing -12.34 mV.
TEST_P(MeterMeasurement, ValueInBaseUnitsUnitModeAndText)
{
    const TesterCase& c = GetParam();
    const Clock::time_point at = Clock::time_point{} + std::chrono::milliseconds(1765000000123);
    const std::optional<Measurement> m = MeasurementFromTester(c.reading, at);
    ASSERT_TRUE(m);
    EXPECT_EQ(std::tuple(m->series, m->time, m->value, m->unit, m->mode, m->reading),
              std::tuple("meter", at, c.value, c.unit, c.mode, c.text));
}

INSTANTIATE_TEST_SUITE_P(
    EveryUnitPrefixAndMode, MeterMeasurement,
    ::testing::Values(
        TesterCase{Reading({1, 2, 3, 4}, 2, -3, TesterUnit::Volt, true, false, true), -0.01234, "V",
                   MeasureMode::Ac, "AC -12.34 mV"},
        TesterCase{Reading({0, 4, 7, 1}, 1, -9, TesterUnit::Farad, false, false, false), 4.71e-10,
                   "F", MeasureMode::None, "0.471 nF"},
        TesterCase{Reading({1, 2, 3, 4}, 3, -6, TesterUnit::Ampere, false, true, true), -0.0001234,
                   "A", MeasureMode::Dc, "DC -123.4 uA"},
        TesterCase{Reading({5, 0, 0, 0}, 0, 0, TesterUnit::Hertz), 5000.0, "Hz", MeasureMode::None,
                   "5000 Hz"},
        TesterCase{Reading({0, 4, 7, 1}, 2, 3, TesterUnit::Ohm, false, true, false), 4710.0,
                   "\xCE\xA9", MeasureMode::Dc, "DC 04.71 k ohm"},
        TesterCase{Reading({1, 2, 3, 4}, 1, 6, TesterUnit::Ohm), 1234000.0, "\xCE\xA9",
                   MeasureMode::None, "1.234 M ohm"},
        TesterCase{Reading({0, 9, 9, 9}, 1, 0, TesterUnit::Ohm), 0.999, "\xCE\xA9",
                   MeasureMode::None, "0.999 ohm"},
        TesterCase{Reading({0, 0, 5, 5}, 3, 0, TesterUnit::Percent), 5.5, "%", MeasureMode::None,
                   "005.5 %"},
        TesterCase{Reading({0, 0, 2, 1}, 0, 0, TesterUnit::Degrees), 21.0, "°C", MeasureMode::None,
                   "0021 deg"},
        TesterCase{OverRange(TesterUnit::Volt, 0, true, false), std::nullopt, "V", MeasureMode::Ac,
                   "AC  V OVER RANGE"},
        TesterCase{OverRange(TesterUnit::Ohm, 6, false, true), std::nullopt, "\xCE\xA9",
                   MeasureMode::Dc, "DC  M ohm OVER RANGE"}));

// A display caught half-lit is neither a number nor over-range: it must not reach a chart as 0.
TEST(MeterMeasurementRefusal, UnreadableDisplayIsNoReading)
{
    TesterReading r = Reading({1, -2, 3, 4}, 0, 0, TesterUnit::Volt);
    r.valid = false;
    EXPECT_FALSE(MeasurementFromTester(r, Clock::now()));
}

struct LineCase {
    std::string line;
    std::vector<std::pair<std::string, double>> numbers;
};

class LineNumbersParse : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineNumbersParse, SeriesAndValues)
{
    std::vector<std::pair<std::string, double>> found;
    for (const LineNumber& n : ParseLineNumbers(GetParam().line))
        found.emplace_back(n.series, n.value);
    EXPECT_EQ(found, GetParam().numbers);
}

// A line of far more numbers than are kept: the first columns are.
LineCase ManyFields()
{
    LineCase c;
    for (int k = 0; k < 100000; ++k)
        c.line += "1.5,";
    for (std::size_t k = 1; k <= kMaxLineNumbers; ++k)
        c.numbers.emplace_back(std::to_string(k), 1.5);
    return c;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineNumbersParse,
    ::testing::Values(LineCase{"12.5", {{"1", 12.5}}},
                      LineCase{"1.0, 2.0, 3.0\r\n", {{"1", 1}, {"2", 2}, {"3", 3}}},
                      LineCase{"temp:21.4 hum=48", {{"temp", 21.4}, {"hum", 48}}},
                      LineCase{"temp : 21.4; hum = 48", {{"temp", 21.4}, {"hum", 48}}},
                      LineCase{"V=12V I=0.5A T=21.4°C", {{"V", 12}, {"I", 0.5}, {"T", 21.4}}},
                      LineCase{"-3.5e2\t+7 .25 -.5",
                               {{"1", -350}, {"2", 7}, {"3", 0.25}, {"4", -0.5}}},
                      LineCase{"ready", {}}, LineCase{"", {}}, LineCase{"state: idle", {}},
                      LineCase{"2026-12-08 ch1 0x1F v2 1.2.3 ++1", {}},
                      LineCase{"12:30 x= 1 2", {{"1", 12}, {"2", 30}, {"x", 1}, {"4", 2}}},
                      LineCase{"name: idle 5", {{"1", 5}}},
                      LineCase{"a=nan b=-inf c=1e999 d=1e-999 INFINITY NaN e=5", {{"e", 5}}},
                      LineCase{"NaN 5", {{"2", 5}}},
                      LineCase{std::string(kMaxLabelBytes + 1, 'x') + "=5 " +
                                   std::string(kMaxLabelBytes, 'y') + "=6",
                               {{"1", 5}, {std::string(kMaxLabelBytes, 'y'), 6}}},
                      ManyFields(), LineCase{std::string(1 << 20, '9'), {}}));

TEST(LineMeasurements, KeepTheTextAsPrintedAndTheLinesTime)
{
    const Clock::time_point at = Clock::now();
    std::vector<std::tuple<std::string, std::string, std::optional<double>>> shown;
    for (const Measurement& m : MeasurementsFromLine("V=12.50V 3", at)) {
        shown.emplace_back(m.series, m.reading, m.value);
        EXPECT_EQ(m.time, at);
        EXPECT_TRUE(m.unit.empty());
        EXPECT_EQ(m.mode, MeasureMode::None);
    }
    EXPECT_EQ(shown, (decltype(shown){{"V", "12.50V", 12.5}, {"2", "3", 3}}));
}

} // namespace
} // namespace wirevane
