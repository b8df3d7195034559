#pragma once
// The utilities' own exchanges with a converter: the version query, reset
// and restart.

#include "link/byte_link.h"

#include <QString>

#include <chrono>

namespace k52 {

// Time allowed for the whole identification reply of the utilities.
inline constexpr std::chrono::milliseconds kUtilityVersionTimeout{1000};

// Sends 0x00 "V" 0x7F and returns what arrived before the CR, or, when no CR
// came in time, whatever arrived until then (possibly empty). `complete`
// tells which.
QString query_version(ByteLink &link, bool *complete = nullptr,
                      std::chrono::milliseconds timeout = kUtilityVersionTimeout);

// 0x00 "U" 0x7F and 0x00 "Y" 0x7F; no reply is awaited. False when the
// bytes could not be written.
bool send_reset(ByteLink &link);
bool send_restart(ByteLink &link);

} // namespace k52
