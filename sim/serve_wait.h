#pragma once
// The server's sleep until the next answer byte is due.

#include <ctime>

#include "sim/radio.h"

namespace sim {

// How long the server sleeps, at nowMicros, before the byte due at dueMicros must leave: just
// past the time to it, and never more than a second, so an answer set far off (a long
// --reply-delay or late fault) neither overflows the wait nor keeps the server from looking
// again; it sleeps as often as it takes.
timespec waitUntilDue(double dueMicros, Micros nowMicros);

}  // namespace sim
