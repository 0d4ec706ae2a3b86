#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morva::cli {

// Report descriptor bytes from the command line: hexadecimal bytes ("05 01 09 02", "0x05,0x01",
// "05010902"), or the name of a regular file holding either such text or the raw bytes (as
// sysfs' report_descriptor). A file is read only up to what the text of the largest descriptor
// can take. False with a reason when neither reading works. The length of the descriptor is the
// parser's to judge.
bool readDescriptorArgument(const std::vector<std::string>& arguments, std::vector<uint8_t>& bytes,
                            std::string& error);

// Hexadecimal text to bytes; false on anything else than hex digits, separators and 0x prefixes,
// or an odd number of digits in a run.
bool parseHexBytes(const std::string& text, std::vector<uint8_t>& bytes);

} // namespace morva::cli
