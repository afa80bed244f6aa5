// Runs the built ostrafel-cli as scripts do and checks what it prints.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <sys/wait.h>

#include <gtest/gtest.h>

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

CliRun RunCli(const std::vector<std::string>& args, const std::string& input = "") {
    // CTest runs the cases of this file side by side: each gets its own files.
    const std::string base = ::testing::TempDir() + "cli-" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::string in = base + ".in", out = base + ".out", err = base + ".err";
    std::ofstream(in, std::ios::binary) << input;
    std::string command = "LC_ALL=C " OSTRAFEL_CLI_LAUNCHER " " + Quote(OSTRAFEL_CLI_PATH);
    for (const auto& arg : args)
        command += " " + Quote(arg);
    command += " <" + Quote(in) + " >" + Quote(out) + " 2>" + Quote(err);
    CliRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    auto slurp = [](const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    run.out = slurp(out);
    run.err = slurp(err);
    return run;
}

const std::string kInvalid = "لطفاً مقدار معتبر در EditSFU وارد کنید.";
const std::string kOutOfRange = "مقدار SFU باید بین 1 تا 5000 باشد";

TEST(OstrafelCli, PrintsOneJsonLinePerArgument) {
    const CliRun run = RunCli({"10+12", "3000+3000", "5+", "INF", "NaN", "1e100"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              R"({"entry":"10+12","kind":"Computed","sfu":"22","gpm":"20.36","writeBack":"22","result":"20.36","captions":["SFU=22","GPM=20.36","22 SFU → 20.36 GPM"]})"
              "\n"
              R"({"entry":"3000+3000","kind":"OutOfRange","message":")" + kOutOfRange +
                  R"(","sfu":"6000","gpm":"-1","writeBack":"6000"})"
                  "\n"
                  R"({"entry":"5+","kind":"InvalidEntry","message":")" + kInvalid +
                  R"(","writeBack":null})"
                  "\n"
                  R"({"entry":"INF","kind":"OutOfRange","message":")" + kOutOfRange +
                  R"(","sfu":"inf","gpm":"-1","writeBack":null})"
                  "\n"
                  R"({"entry":"NaN","kind":"OutOfRange","message":")" + kOutOfRange +
                  R"(","sfu":"nan","gpm":"-1","writeBack":null})"
                  "\n"
                  R"({"entry":"1e100","kind":"OutOfRange","message":")" + kOutOfRange +
                  R"(","sfu":"1e+100","gpm":"-1","writeBack":null})"
                  "\n");
}

TEST(OstrafelCli, ThirtyFiveFixtureUnitsDemandTwentyFourPointNineGallons) {
    const CliRun run = RunCli({"35", "32.5"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              R"({"entry":"35","kind":"Computed","sfu":"35","gpm":"24.9","writeBack":null,"result":"24.90","captions":["SFU=35","GPM=24.90","35 SFU → 24.90 GPM"]})"
              "\n"
              R"({"entry":"32.5","kind":"Computed","sfu":"32.5","gpm":"24.1","writeBack":null,"result":"24.10","captions":["SFU=32.5","GPM=24.10","32.5 SFU → 24.10 GPM"]})"
              "\n");
}

TEST(OstrafelCli, ReadsStandardInputLineByLine) {
    // CR LF and LF end lines; a last line without one still counts; bad UTF-8
    // becomes U+FFFD; quotes and backslashes are escaped.
    const CliRun run = RunCli({}, "22\r\n\n\xff" "1\na\"b\\\r\r\n12,5");
    EXPECT_EQ(run.status, 0);
    const std::string lines[] = {
        R"({"entry":"22","kind":"Computed","sfu":"22","gpm":"20.36","writeBack":null,"result":"20.36","captions":["SFU=22","GPM=20.36","22 SFU → 20.36 GPM"]})",
        R"({"entry":"","kind":"InvalidEntry","message":")" + kInvalid + R"(","writeBack":null})",
        R"({"entry":"�1","kind":"InvalidEntry","message":")" + kInvalid + R"(","writeBack":null})",
        R"({"entry":"a\"b\\\r","kind":"InvalidEntry","message":")" + kInvalid + R"(","writeBack":null})",
        R"({"entry":"12,5","kind":"Computed","sfu":"12.5","gpm":"16.25","writeBack":null,"result":"16.25","captions":["SFU=12,5","GPM=16.25","12,5 SFU → 16.25 GPM"]})",
    };
    std::string expected;
    for (const auto& line : lines)
        expected += line + "\n";
    EXPECT_EQ(run.out, expected);
}

TEST(OstrafelCli, DecimalSeparatorOptionReplacesTheLocaleOne) {
    const CliRun run = RunCli({"--decimal-separator=,", "1.5+1"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              R"({"entry":"1.5+1","kind":"Computed","sfu":"2.5","gpm":"5.75","writeBack":"2,5","result":"5,75","captions":["SFU=2,5","GPM=5,75","2,5 SFU → 5,75 GPM"]})"
              "\n");
}

TEST(OstrafelCli, EntriesMayLookLikeNumbersWithSignsOrFollowADoubleDash) {
    const CliRun run = RunCli({"--", "--decimal-separator=,", "-5", "--5"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 3);
    EXPECT_NE(run.out.find(R"("entry":"--decimal-separator=,","kind":"InvalidEntry")"), std::string::npos);
    EXPECT_NE(run.out.find(R"("entry":"-5","kind":"OutOfRange")"), std::string::npos);
    EXPECT_NE(run.out.find(R"("entry":"--5","kind":"InvalidEntry")"), std::string::npos);
}

TEST(OstrafelCli, UsageErrorsExitWithTwoAndOneLineOnStandardError) {
    for (const std::string arg : {"--decimal-separator=", "--decimal-separator=ab", "--bogus"}) {
        const CliRun run = RunCli({arg, "22"});
        EXPECT_EQ(run.status, 2) << arg;
        EXPECT_EQ(run.out, "") << arg;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << arg;
    }
}

} // namespace
