#pragma once

#include <QString>

// Whether a radio fits the program's model and band.
namespace ModVersion {

inline constexpr const char* kDataVersion = "V200";

// Mode 2 (write) is strict: the same model, or the other of the two models
// while the factory test-data mode is on. Any other mode takes any KL740 or
// KL740G radio.
bool IsModelCompatible(const QString& pc, const QString& radio, int mode);
// Mode 2 wants equal band codes; other modes take any band.
bool IsBandCompatible(int pc, int radio, int mode);
// Band groups are the codes divided by 8; a PC group above 3 matches nothing.
bool IsSameBandGroup(int pc, int radio);

} // namespace ModVersion
