#pragma once

#include "data/RadioData.h"

// The model block of the configuration and the program's current model and band.
namespace ModCommFun {

// The block takes the program's model (gModelName) and band (gBandText).
void StoreModelInfo(TModelInfo& info);

// The program takes model and band from the block: ModelName is rewritten to
// its trimmed form, gModelName and gBandText follow it, the radio information
// takes its band code and the band limits are parsed again.
void ApplyModelInfo(TModelInfo& info);

} // namespace ModCommFun
