#pragma once
// The camera's flash memory areas: area 0 holds the factory settings, areas 1 to 3 the user
// settings (the "user sets" of the communication window and of lumora-cli). Loading an area
// replaces every working setting (the caller reads the camera again); storing writes the
// working settings into an area, which takes the camera long. These are the only operations
// that load or store an area: the menu, the communication window, "Store All" and lumora-cli
// all call them, and they wait as long as Timeouts names. Qt-free; user-interface thread only.
#include "Command.h"

#include <string>
#include <vector>

class Camera;
namespace FlashAreas {

constexpr int kFactoryArea = 0;
constexpr int kFirstUserArea = 1;
constexpr int kLastUserArea = 3;
constexpr int kInvalidArea = -1;

enum class Purpose { Store, Load };

// The entries the area selection offers, in order: "Factory" first when loading, and when
// storing outside Control Mode 0; then "User 1" ... "User 3".
std::vector<std::string> Entries(Purpose purpose, unsigned controlMode);
// The area an entry names; kInvalidArea for any other text.
int AreaOfEntry(const std::string& entry);

// "LD=n"; answered when the camera acknowledged (its working settings then changed).
Command::Result LoadArea(Camera& camera, int area);
// "SA00=0" for the factory area, "SA=n" for a user area; refuses any other area before
// sending ("Selected invalid area !", not sent). Answered when the camera acknowledged.
Command::Result StoreArea(Camera& camera, int area);
// After the person confirmed: areas 3, 2, 1 in this order, going on after a failure. The
// number of areas not stored.
int StoreAllUserAreas(Camera& camera);
// The area the camera says it runs on (a query without a mnemonic on every known camera);
// kInvalidArea without an answer.
int CurrentArea(Camera& camera);

// What the settings menu says after a store the camera acknowledged.
constexpr const char* kStoredText = "Completed saving current setting data !";
// The question "Store All" asks first.
const char* StoreAllQuestion();
// The question asked before a load replaces the working settings; the area as its list
// names it.
std::string LoadQuestion(const std::string& areaName);

} // namespace FlashAreas
