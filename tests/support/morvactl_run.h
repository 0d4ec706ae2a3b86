#pragma once

#include "cli/command_groups.h"

#include <gtest/gtest.h>
#include <json/reader.h>
#include <sstream>
#include <string>
#include <vector>

namespace morva::test {

// One run of morvactl inside the test process, with what it printed.
struct MorvactlRun {
    int exitCode = 0;
    std::string out;
    std::string err;

    // Every output line parsed as JSON; a line that is not JSON fails the test.
    std::vector<Json::Value> jsonLines() const {
        std::vector<Json::Value> lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);) {
            Json::Value value;
            EXPECT_TRUE(Json::Reader().parse(line, value)) << line;
            lines.push_back(value);
        }
        return lines;
    }
    // The whole output parsed as one JSON value.
    Json::Value json() const {
        Json::Value value;
        EXPECT_TRUE(Json::Reader().parse(out, value)) << out;
        return value;
    }
};

inline MorvactlRun morvactl(const cli::Arguments& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    MorvactlRun run;
    run.exitCode = cli::runMorvactl(arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

} // namespace morva::test
