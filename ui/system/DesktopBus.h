#pragma once
// Shared by the calls the program makes to desktop services over D-Bus.

namespace kiv {

// A desktop service that does not answer within this time is taken as
// absent: the program never hangs on the bus.
inline constexpr int kBusTimeoutMs = 5000;

} // namespace kiv
