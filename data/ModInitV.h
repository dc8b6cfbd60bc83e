#pragma once

#include "data/RadioData.h"

// Defaults of a new configuration (File New).
namespace ModInitV {

// File New: the defaults of every part, then the saved copy equals them, then
// the default file of the current model and band when there is one. A
// damaged default file is named in a message unless `quiet`.
void NewData(bool quiet = false);
// The first steps of File New alone: the defaults of every part, and the
// saved copy equals them. The default files are made from these.
void NewPlainData();

void InitChannels();
void InitSettings();
void InitOptFeatures();
void InitEmbMsg();
void InitDtmf();
void InitKeys();
void InitAlertBytes();
void InitScanBytes();
void InitList20();
void InitTestFreqs();
void InitBandPlan();
void InitModelBlock();
void InitRadioInfo();
void InitExtraData(TExtraData& extra);

} // namespace ModInitV
