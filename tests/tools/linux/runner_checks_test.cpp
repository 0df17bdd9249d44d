#include "support/child_process.h"
#include "support/file_text.h"
#include "support/sim_process.h"
#include "support/table_file.h"
#include "support/temp_dir.h"
#include "support/test_paths.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <vector>

namespace wirevane::test {
namespace {

using namespace std::chrono_literals;

// The part of the JUnit form that CI servers (Jenkins, GitLab) read.
constexpr std::string_view kJunitSchema = R"(<?xml version="1.0" encoding="UTF-8"?>
<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema">
  <xs:element name="testsuites"><xs:complexType><xs:sequence>
    <xs:element name="testsuite" minOccurs="0" maxOccurs="unbounded"><xs:complexType>
      <xs:sequence><xs:element name="testcase" minOccurs="0" maxOccurs="unbounded">
        <xs:complexType><xs:sequence>
          <xs:element name="failure" minOccurs="0" maxOccurs="unbounded"><xs:complexType>
            <xs:simpleContent><xs:extension base="xs:string">
              <xs:attribute name="message" type="xs:string"/>
              <xs:attribute name="type" type="xs:string"/>
            </xs:extension></xs:simpleContent></xs:complexType></xs:element>
        </xs:sequence>
        <xs:attribute name="name" type="xs:string" use="required"/>
        <xs:attribute name="classname" type="xs:string" use="required"/>
        <xs:attribute name="time" type="xs:decimal"/>
      </xs:complexType></xs:element></xs:sequence>
      <xs:attribute name="name" type="xs:string" use="required"/>
      <xs:attribute name="tests" type="xs:nonNegativeInteger" use="required"/>
      <xs:attribute name="failures" type="xs:nonNegativeInteger" use="required"/>
      <xs:attribute name="errors" type="xs:nonNegativeInteger"/>
      <xs:attribute name="time" type="xs:decimal"/>
    </xs:complexType></xs:element>
  </xs:sequence></xs:complexType></xs:element>
</xs:schema>
)";

struct ChecksRun {
    const char* name;
    std::vector<std::string> options;
    int status;
    std::string sent;                   // what the device received
    std::vector<std::string> testcases; // name, then "!" for a failed one
};

std::ostream& operator<<(std::ostream& out, const ChecksRun& c)
{
    return out << c.name;
}

class RunnerChecks : public ::testing::TestWithParam<ChecksRun> {
protected:
    TempDir m_dir;
};

// The device answers every line with "OK\r": row 0 passes, row 1 expects something else.
TEST_P(RunnerChecks, VerdictsReachTheExitStatusJsonAndAValidJunitFile)
{
    const ChecksRun& c = GetParam();
    SimProcess sim({"--lines", "--reply", "OK", "--reply-end", "cr", "--no-announce", "--log",
                    (m_dir / "device.log").string()});
    ASSERT_TRUE(sim.started());
    const std::filesystem::path table = m_dir / "bench.ini";
    WriteTableFile(
        table,
        {{0, "ID?", 1, 0, 0, "OK\\r"}, {1, "MEAS?", 1, 0, 0, "re:^[+-]\\d+"}, {2, "END", 0, 0, 0}});
    const std::filesystem::path junit = m_dir / "out.xml";
    const std::filesystem::path report = m_dir / "report.json";
    std::vector<std::string> arguments{"--port",  sim.devicePath(), "--linger", "0",
                                       "--junit", junit.string(),   "--report", report.string()};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    arguments.push_back(table.string());
    ChildProcess runner(toolPath("wirevane-run"), arguments);
    EXPECT_EQ(runner.Wait(20s), c.status) << runner.err();
    EXPECT_NE(runner.out().find("[Row 1 check failed: expected \"re:^[+-]\\d+\", received "
                                "\"OK\\r\".]"),
              std::string::npos)
        << runner.out();
    EXPECT_EQ(FileText(m_dir / "device.log").substr(0, c.sent.size()), c.sent);

    const std::filesystem::path schema = m_dir / "junit.xsd";
    std::ofstream(schema) << kJunitSchema;
    ChildProcess lint("/usr/bin/xmllint", {"--noout", "--schema", schema.string(), junit.string()});
    EXPECT_EQ(lint.Wait(20s), 0) << lint.err();

    const std::string xml = FileText(junit);
    const std::regex testcase(
        R"re(<testcase name="([^"]*)" classname="bench.ini" time="\d+\.\d+"(/?)>)re");
    std::vector<std::string> cases;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), testcase);
         it != std::sregex_iterator(); ++it)
        cases.push_back((*it)[1].str() + ((*it)[2] == "/" ? "" : "!"));
    EXPECT_EQ(cases, c.testcases) << xml;
    EXPECT_NE(xml.find("<testsuite name=\"bench.ini\""), std::string::npos);
    EXPECT_NE(xml.find("received: OK\\r</failure>"), std::string::npos) << xml;

    const std::string json = FileText(report);
    EXPECT_NE(json.find(R"("expect": "OK\\r", "verdict": "pass", )"
                        R"("received": {"hex": "4F4B0D", "text": "OK\\r"}})"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find(R"("verdict": "fail")"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    StopOrGoOn, RunnerChecks,
    ::testing::Values(
        ChecksRun{"FirstFailureEndsTheRun", {}, 4, "ID?\rMEAS?\r", {"row 0: ID?", "row 1: MEAS?!"}},
        ChecksRun{"KeepGoingCountsEveryCycle",
                  {"--keep-going", "--cycles", "2"},
                  4,
                  "ID?\rMEAS?\rEND\rID?\rMEAS?\rEND\r",
                  {"row 0: ID?", "row 1: MEAS?!", "row 0: ID?", "row 1: MEAS?!"}}),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace wirevane::test
