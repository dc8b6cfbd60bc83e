#pragma once

#include "data/RadioData.h"
#include "data/RadioImage.h"

#include <QList>
#include <functional>

// The radio image codec: the configuration gEditData into the radio image
// gImage and back, the radio information area, and the model block shared
// with the files and the model dialog.
namespace ModCommFun {

// ---- model block ----

// The block takes the program's model (gModelName) and band (gBandText).
void StoreModelInfo(TModelInfo& info);

// The program takes model and band from the block: ModelName is rewritten to
// its trimmed form, gModelName and gBandText follow it, the radio information
// takes its model and band code and the band limits are parsed again.
void ApplyModelInfo(TModelInfo& info);

// Model name and band code from 0xB00-0xB07, then ApplyModelInfo. A band code
// the program does not know reads as the program's current band.
void DecodeModelInfo(TModelInfo& info);

// ---- whole image ----

// Runs a step of the codec. An access outside the image or a record
// (std::out_of_range) ends it: the message textId, false.
bool RunCodec(const std::function<void()>& step, int textId);

// Fills gImage from gEditData (gEditData's model block and the channels'
// NoData flags are brought up to date on the way).
void EncodeImage();
// Fills gEditData (model, channels sorted by number, test pairs, settings),
// the fixed factory test pairs, the alert mode of gEditExtraData and the
// identification flags from gImage. The model block goes first: the band it
// names holds what the channels cannot keep (gHeldReadChannels).
void DecodeImage();

// ---- channels ----

// Appends the channel held in slot 0..127 to the channel table of gEditData,
// when the slot's presence bit says there is one. A frequency the channel
// cannot keep is held at the channel's other frequency (or, when neither can
// be kept, at the current band's limit), and the channel number added to
// gHeldReadChannels.
void DecodeChannel(int slot);

// ---- settings ----

// Options, DTMF, message, keys, scan and alert, in this order. ProhibitInit of
// gEditData and AlertMode of gEditExtraData travel with them.
void EncodeOptions(const TSettings& settings);
void DecodeOptions(TSettings& settings);

void EncodeOptions830(const std::array<qint16, 18>& options);
void DecodeOptions830(std::array<qint16, 18>& options);
// The DTMF fields, own ID and the 20 code cells; the record is not changed.
void EncodeDTMF(const TDtmf& dtmf);
void DecodeDTMF(TDtmf& dtmf);
void EncodeEmbMsg(const std::array<FixedText<16>, 4>& lines);
void DecodeEmbMsg(std::array<FixedText<16>, 4>& lines);
void DecodeOptionBytes(std::array<qint16, 6>& keys);
void DecodeOptionBits840(std::array<quint8, 12>& scan);
void DecodeOptionBits851(std::array<quint8, 10>& alert);

// One DTMF code to or from the 16-byte cell at the image address.
void EncodeCodeDigits(const TDtmfCode& code, int cellAddress);
void DecodeCodeDigits(TDtmfCode& code, int cellAddress);

// One test-frequency pair to or from pair slot 0..15.
void EncodeTestFreqs(const TTestFre& pair, int slot);
void DecodeTestFreqs(TTestFre& pair, int slot);

// gIdentFlags from the identification byte 0xB0C of gImage; a flag of saved
// that is 0 takes the radio's value.
void SplitIdentFlags(std::array<quint8, 4>& saved);

// ---- the decoder's ranges for what a file holds ----

// Every field of a configuration read from a file takes the value the
// decoder gives the same number from a radio: a number beyond the range of a
// list of numbers is held at the range's nearest end, a value beyond any
// other list the pages offer becomes the field's default, a check box's -1
// becomes 1, an own-ID or code length outside its range the decoder's, and
// message characters outside 32..126 are dropped. Channels beyond
// ChannelCount are left alone.
void KeepInRange(TRadioData& data);
void KeepInRange(TExtraData& extra);
void KeepChannelInRange(TChannel& channel);

// ---- radio information ----

// The texts of gRadioInfoImage into the record; BandCode, Version and
// RadioType stay as they are.
void DecodeRadioInfo(TLocalInfo& info);

} // namespace ModCommFun

// The channels whose frequencies the last DecodeImage held because they
// could not be kept as the radio gave them, by number.
extern QList<int> gHeldReadChannels;
