#pragma once

#include <array>
#include <cstdint>
#include <json/value.h>
#include <vector>

// The gun-key image of a mouse (command 0x17): the macro image with exactly four records, record
// i holding the events of gun i's document, each packed to 4 bytes. 16-bit values little-endian:
//
//   bytes 0..1    AA 55
//   bytes 2..3    total length L
//   bytes 4..5    4, the number of records
//   bytes 6..15   0
//   bytes 16..23  the offsets of the four records from the start of the image
//   bytes 24..    the four records back to back, each: event count E (2 bytes), 2 bytes of 0,
//                 E packed events (delay low, delay high, type | 0x80 for "down", button)
//
//   L = 16 + 24 + 4 × (events of the four guns); the mouse takes it whatever its length.
//
// Every element of a gun's "Events" is an event of its record; one that is no event object (the
// nulls of an extended file) packs as 00 00 00 00, so each bullet keeps its place on the mouse.
//
// Guns of 10, 0, 5 and 0 events make 100 bytes: the records sit at 24, 68, 72 and 96.
namespace morva::device {

std::vector<uint8_t> encodeGunKeyImage(const std::array<Json::Value, 4>& gunDocuments);

} // namespace morva::device
