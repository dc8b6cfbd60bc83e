#pragma once

#include <QString>
#include <array>

// The search for a working port setting: when a radio does not answer a read
// or write, every listed port is tried with every handshaking mode and both
// stop-bit settings until a radio of the configuration's model answers. It
// runs as session type 9 of the engine, under the interrupted session's
// progress dialog.
namespace ModTestComm {

// Search state.
extern int gSearchSavedType;
extern QString gSearchSavedCaption;
extern std::array<QString, 3> gSearchCaptions; // by language: 1 English, 2 Chinese
extern std::array<int, 256> gSearchPorts;
extern int gSearchPortCount;
extern int gSearchPortIndex;
extern int gSearchPort;
extern int gSearchHandshaking;
extern int gSearchStopBit;
struct Setting {
    int port = 0;
    int handshaking = 0;
    int stopBit = 1;
};
extern bool gSearchFallbackSet;
extern Setting gSearchFallback;
extern bool gSearchAdopted;

// Called by the engine when the handshake of a read or write has failed.
void StartSearch();
// Opens the next setting that can be opened (advance: step on from the one in
// hand first) and sends the handshake on it, or ends the search.
void TryNextSetting(bool advance);
// Opens the engine's port with that setting, without a message.
bool OpenCommWith(int port, int handshaking, int stopBit);
void SendHandshake();
void RestartHandshake();
// A handshake or (parsed) identification reply during the search.
void OnSearchReply();
// The reply timer expired during the search.
void OnSearchTimeout();
bool IsSameModel();
// Stores port, handshaking and stop bits in the settings file and shows the
// port in the main window's status bar.
void SaveCommSettings();
// Ends the search without an adopted setting.
void EndSearch();
// The serial ports known to the system, in the catalogue's order.
void ListSerialPorts(std::array<int, 256>& ports, int& count);

} // namespace ModTestComm
