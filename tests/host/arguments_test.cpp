// Parsing of quillhost's parameter options and the --module option.
#include "host/arguments.h"
#include "host/host_error.h"

#include <gtest/gtest.h>

namespace {

TEST(ParameterValueArgument, AcceptsAnIndexAndAValueFromZeroToOne) {
    struct Case {
        const char* text;
        std::int32_t index;
        float value;
    };
    const Case cases[] = {
        {"0=0.5", 0, 0.5f}, {"1=1", 1, 1.0f}, {"2=0", 2, 0.0f}, {"0=2.5e-1", 0, 0.25f}};
    for (const Case& c : cases) {
        ParameterValue parsed = parseParameterValue(c.text);
        EXPECT_EQ(parsed.index, c.index) << c.text;
        EXPECT_EQ(parsed.value, c.value) << c.text;
    }
}

TEST(ParameterValueArgument, RefusesBadIndicesAndValuesNamingTheArgument) {
    for (const char* text : {"3=0.5", "-1=0.5", "x=0.5", "=0.5", "0.5", "0=", "0=abc", "0=0.5x",
                             "0=1.5", "0=-0.1", "0=nan", "0=inf", "1 =0.5"}) {
        try {
            parseParameterValue(text);
            ADD_FAILURE() << text << " was accepted";
        } catch (const HostError& error) {
            EXPECT_NE(std::string(error.what()).find(text), std::string::npos) << error.what();
        }
    }
}

TEST(ParameterRampArgument, ReadsIndexFromAndTo) {
    ParameterRamp ramp = parseParameterRamp("0=0:1");
    EXPECT_EQ(ramp.index, 0);
    EXPECT_EQ(ramp.from, 0.0f);
    EXPECT_EQ(ramp.to, 1.0f);
    ramp = parseParameterRamp("2=0.75:0.25");
    EXPECT_EQ(ramp.index, 2);
    EXPECT_EQ(ramp.from, 0.75f);
    EXPECT_EQ(ramp.to, 0.25f);
}

TEST(ParameterRampArgument, RefusesIncompleteOrOutOfRangeRamps) {
    for (const char* text : {"0=0", "0=0:", "0=:1", "0=a:1", "0=0:2", "3=0:1", "0:1", "0=0:1:2"})
        EXPECT_THROW(parseParameterRamp(text), HostError) << text;
}

TEST(IntegerArgument, ChecksDigitsAndRange) {
    EXPECT_EQ(parseInteger("512", "--block", 1, 1024), 512);
    EXPECT_EQ(parseInteger("-3", "x", -5, 5), -3);
    for (const char* text : {"0", "1025", "12a", "", " 5", "99999999999999999999"})
        EXPECT_THROW(parseInteger(text, "--block", 1, 1024), HostError) << text;
}

TEST(ModuleOption, IsTakenOutWhereverItStands) {
    std::vector<std::string> args = {"process", "a.wav", "--module", "m.so", "b.wav"};
    EXPECT_EQ(extractModuleOption(args), "m.so");
    EXPECT_EQ(args, (std::vector<std::string>{"process", "a.wav", "b.wav"}));

    std::vector<std::string> none = {"info"};
    EXPECT_EQ(extractModuleOption(none), "");
    EXPECT_EQ(none.size(), 1u);

    std::vector<std::string> dangling = {"info", "--module"};
    EXPECT_THROW(extractModuleOption(dangling), HostError);
}

} // namespace
