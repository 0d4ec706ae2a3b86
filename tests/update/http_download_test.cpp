#include "tests/update/local_http_server.h"
#include "update/http_download.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>
#include <utility>
#include <vector>

namespace morva::update::test {
namespace {

namespace fs = std::filesystem;
using Report = std::pair<double, double>;

std::string bodyOf(size_t size) {
    std::string body(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        body[i] = static_cast<char>('a' + i % 26);
    }
    return body;
}

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class HttpDownload : public ::testing::Test {
protected:
    HttpDownload() {
        folder = fs::temp_directory_path() /
                 ("download-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
        target = folder / "Updater.exe";
    }
    ~HttpDownload() override { fs::remove_all(folder); }

    std::vector<Report> fetch(const std::string& path) {
        std::vector<Report> reports;
        download(server.url(path), target, [&reports](double total, double received) {
            reports.emplace_back(total, received);
        });
        return reports;
    }
    void keepOldTarget() { std::ofstream(target, std::ios::binary) << "the shipped updater"; }
    // Nothing but the target is left in the folder.
    size_t filesInFolder() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
    }

    LocalHttpServer server;
    fs::path folder;
    fs::path target;
};

TEST_F(HttpDownload, TheBodyArrivesInReadsOfAtMost1024BytesEachReported) {
    const std::string body = bodyOf(2500);
    server.serve("/pkg/Updater.exe", {.body = body});
    keepOldTarget();
    const std::vector<Report> reports = fetch("/pkg/Updater.exe");

    ASSERT_GE(reports.size(), 3u);
    double previous = 0;
    for (const auto& [total, received] : reports) {
        EXPECT_EQ(total, 2500);
        EXPECT_GT(received, previous);
        EXPECT_LE(received - previous, 1024);
        previous = received;
    }
    EXPECT_EQ(reports.back(), Report(2500, 2500));
    EXPECT_EQ(contentOf(target), body);
    EXPECT_EQ(filesInFolder(), 1u);
    // The length is asked for first.
    EXPECT_EQ(server.requests(),
              (std::vector<std::string>{"HEAD /pkg/Updater.exe", "GET /pkg/Updater.exe"}));
}

TEST_F(HttpDownload, AConnectionThatEndsEarlyFailsAndKeepsTheOldFile) {
    server.serve("/Updater.exe", {.body = bodyOf(2500), .closeAfter = 1000});
    keepOldTarget();
    const std::vector<Report> reports = fetch("/Updater.exe");

    ASSERT_GE(reports.size(), 2u);
    EXPECT_EQ(reports.back(), Report(0, 1000));
    EXPECT_EQ(reports[reports.size() - 2], Report(2500, 1000));
    EXPECT_EQ(contentOf(target), "the shipped updater");
    EXPECT_EQ(filesInFolder(), 1u) << "no half file is left behind";
}

TEST_F(HttpDownload, AnAnswerOutside2xxIsAFailureNotAFile) {
    for (const int status : {404, 403, 500}) {
        server.serve("/Updater.exe", {.status = status, .body = "<html>error page</html>"});
        keepOldTarget();
        EXPECT_EQ(fetch("/Updater.exe"), (std::vector<Report>{{0, 0}})) << status;
        EXPECT_EQ(contentOf(target), "the shipped updater") << status;
    }
}

TEST_F(HttpDownload, WhatCannotBeFetchedIsReportedOnceAsAFailure) {
    // An answer without a usable length, a server that is not there, a target that cannot be
    // written.
    server.serve("/empty", {.body = ""});
    EXPECT_EQ(fetch("/empty"), (std::vector<Report>{{0, 0}}));

    std::vector<Report> reports;
    download("http://127.0.0.1:1/Updater.exe", target,
             [&reports](double total, double received) { reports.emplace_back(total, received); });
    EXPECT_EQ(reports, (std::vector<Report>{{0, 0}}));

    server.serve("/Updater.exe", {.body = bodyOf(100)});
    target = folder / "missing-folder" / "Updater.exe";
    EXPECT_EQ(fetch("/Updater.exe"), (std::vector<Report>{{0, 0}}));
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(HttpDownload, AStopRequestEndsTheTransferAsAFailure) {
    server.serve("/Updater.exe", {.body = bodyOf(2500)});
    keepOldTarget();
    std::stop_source stop;
    stop.request_stop();
    std::vector<Report> reports;
    download(
        server.url("/Updater.exe"), target,
        [&reports](double total, double received) { reports.emplace_back(total, received); },
        stop.get_token());
    EXPECT_EQ(reports, (std::vector<Report>{{0, 0}}));
    EXPECT_EQ(contentOf(target), "the shipped updater");
}

} // namespace
} // namespace morva::update::test
