// quillhost validate as its users see it: the real module passes every
// check; a module with planted faults has each of them reported, a crash
// among them, while the validator itself runs to its closing line.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

struct RunResult {
    int status;
    std::string out;
    std::string err;
};

std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

RunResult runQuillhost(const std::string& arguments) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path dir =
        fs::temp_directory_path() / (std::string("quillhost-validate-") + info->name());
    fs::create_directories(dir);
    const std::string command = "'" QUILLHOST_PATH "' " + arguments + " >'" +
                                (dir / "out").string() + "' 2>'" + (dir / "err").string() + "'";
    const int raw = std::system(command.c_str());
    RunResult result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readText(dir / "out"),
                     readText(dir / "err")};
    fs::remove_all(dir);
    return result;
}

// The result column of a check's row in the table, or "" without a row.
std::string resultOf(const std::string& table, const std::string& check) {
    std::istringstream lines(table);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] == ' ') continue; // a row's continuation
        std::istringstream words(line);
        std::string name, result;
        if (words >> name >> result && name == check) return result;
    }
    return {};
}

// A check's row with its continuation lines joined into one line of words.
std::string rowOf(const std::string& table, const std::string& check) {
    std::istringstream lines(table);
    std::string row;
    bool inRow = false;
    for (std::string line; std::getline(lines, line);) {
        const bool continuation = !line.empty() && line[0] == ' ';
        if (!continuation) inRow = line.rfind(check + " ", 0) == 0;
        if (!inRow) continue;
        std::istringstream words(line);
        for (std::string word; words >> word;)
            row += (row.empty() ? "" : " ") + word;
    }
    return row;
}

const char* const allChecks[] = {"lifecycle", "independence", "opcodes", "fuzz",
                                 "texts",     "threads",      "editor"};

TEST(ValidateCommand, RealModulePassesEveryCheck) {
    const RunResult run = runQuillhost("--module '" MODULE_PATH "' validate --seconds 1");
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    for (const char* check : allChecks)
        EXPECT_EQ(resultOf(run.out, check), "pass") << run.out;
    EXPECT_NE(run.out.find("\n7 passed, 0 failed\n"), std::string::npos) << run.out;
    // The editor was worked, not skipped, and the threads check had it open.
    EXPECT_NE(rowOf(run.out, "editor").find(" open/idle/close cycles"), std::string::npos)
        << run.out;
    EXPECT_NE(rowOf(run.out, "threads").find("the editor open and idled"), std::string::npos)
        << run.out;
}

TEST(ValidateCommand, PlantedFaultsAreReportedAndACrashIsNotFatal) {
    const RunResult run = runQuillhost("--module '" FAULTY_MODULE_PATH "' validate --seconds 1");
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_EQ(resultOf(run.out, "lifecycle"), "pass") << run.out;
    EXPECT_EQ(resultOf(run.out, "independence"), "FAIL") << run.out;
    EXPECT_EQ(resultOf(run.out, "opcodes"), "CRASH") << run.out;
    EXPECT_EQ(resultOf(run.out, "fuzz"), "FAIL") << run.out;
    EXPECT_EQ(resultOf(run.out, "texts"), "FAIL") << run.out;
    EXPECT_NE(rowOf(run.out, "independence").find("changed the other"), std::string::npos)
        << run.out;
    EXPECT_NE(rowOf(run.out, "fuzz").find("-> block "), std::string::npos) << run.out;
    EXPECT_NE(rowOf(run.out, "texts").find("\"Width-of-the-stereo\" has 19 characters"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(resultOf(run.out, "editor"), "FAIL") << run.out;
    const std::string editor = rowOf(run.out, "editor");
    EXPECT_NE(editor.find("a wheel turn of "), std::string::npos) << run.out;
    EXPECT_NE(
        editor.find("the begin-edit (43) for parameter 0 was never ended by an end-edit (44)"),
        std::string::npos)
        << run.out;
    // The checks after the crash ran all the same, and the table closes.
    EXPECT_NE(resultOf(run.out, "threads"), "") << run.out;
    EXPECT_NE(run.out.find(" failed\n"), std::string::npos) << run.out;
}

TEST(ValidateCommand, ChecksCanBeChosenAndRunInProcess) {
    const RunResult run = runQuillhost("--module '" MODULE_PATH
                                       "' validate --check texts --check lifecycle --in-process");
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(resultOf(run.out, "texts"), "pass");
    EXPECT_EQ(resultOf(run.out, "lifecycle"), "pass");
    EXPECT_EQ(resultOf(run.out, "fuzz"), "");
    EXPECT_NE(run.out.find("all checks in this process"), std::string::npos);
    EXPECT_NE(run.out.find("\n2 passed, 0 failed\n"), std::string::npos) << run.out;
}

TEST(ValidateCommand, ChildSideWritesABeginAndAnOutcomeLinePerCheck) {
    const RunResult run =
        runQuillhost("--module '" MODULE_PATH "' validate validate-check --seed 3 opcodes texts");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("begin\topcodes\noutcome\topcodes\tpass\t", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\nbegin\ttexts\noutcome\ttexts\tpass\t"), std::string::npos) << run.out;
}

TEST(ValidateCommand, RefusesBadInputWithStatus2) {
    struct Case {
        const char* arguments;
        const char* message;
    };
    const Case cases[] = {
        {"--module '" NULL_MODULE_PATH "' validate", "main answered null"},
        {"--module '" MODULE_PATH "' validate --check nosuch", "no check \"nosuch\" (checks: "},
        {"--module '" MODULE_PATH "' validate --seconds 0", "--seconds 0 is not in 0..86400"},
        {"--module '" MODULE_PATH "' validate --seconds", "--seconds needs a value"},
        {"--module '" MODULE_PATH "' validate --frobnicate", "unknown argument \"--frobnicate\""},
    };
    for (const Case& c : cases) {
        const RunResult run = runQuillhost(c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << ": " << run.err;
        EXPECT_EQ(run.out.find("passed"), std::string::npos) << c.arguments;
    }
}

} // namespace
