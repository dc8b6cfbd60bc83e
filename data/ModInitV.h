#pragma once

#include "data/RadioData.h"

#include <functional>

// Defaults of a new configuration (File New).
namespace ModInitV {

// File New: the defaults of every part, then the saved copy equals them, then
// the default file of the current model and band when there is one. A
// damaged default file is named in a message unless `quiet`.
void NewData(bool quiet = false);
// The first steps of File New alone: the defaults of every part, and the
// saved copy equals them. The default files are made from these.
void NewPlainData();

// What loading each page that edits the configuration stores, as if every one
// were opened once unseen: a value that a page does not offer takes the value
// that page's load gives it (voice volume 1, DTMF rate 50 ms, alarm time 1 s,
// the emergency and priority channels on an existing channel, ...). File New
// without a default file it can take keeps this, and the default files are
// made from it, so a new configuration holds only values its pages show. The
// pages install the rules when they register; until then nothing changes.
void SetPageLoadRules(std::function<void()> rules);
void ApplyPageLoadRules();

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
