#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// "FWVerInfo.Ver" in the update package: what version of each component the package offers.
//
//   { "data": [ { "device": "<lookup key>", "Ver": "<decimal digits>", "url": "<optional>" } ] }
//
// "device" is compared without regard to case. "url", when present, is where the component's
// updater program can be fetched from; without it the updater shipped in the package is run.
namespace morva::update {

struct OfferedVersion {
    std::string device;
    std::string version; // decimal digits as the file has them
    std::string downloadAddress;
};

// The offers of the file; none when it is missing or not such a document. Elements that are not
// objects are skipped.
std::vector<OfferedVersion> readVersionFile(const std::filesystem::path& path);

// Every offer for a lookup key, in file order.
std::vector<OfferedVersion> offersFor(const std::vector<OfferedVersion>& offers,
                                      const std::string& lookupKey);

// The number a version text stands for in the comparison: its last three characters read as a
// decimal number ("V0105" → 105, "V0.1.0.0" → 0: "0.0" reads as 0); text without leading digits
// there reads as 0.
unsigned comparableVersion(const std::string& versionText);
// The number of an offered version: its decimal digits ("106" → 106).
unsigned offeredNumber(const std::string& version);

} // namespace morva::update
