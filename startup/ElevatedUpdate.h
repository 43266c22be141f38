#pragma once

#include <optional>
#include <string>

// The client's part in an update that needs administrator rights: started
// elevated with UpdaterRules::kElevatedUpdateSwitch, it runs a copy of the
// updater it carries from its own install directory, waits for it and
// gives back its exit code. Nothing for any other command line.
std::optional<int> RunElevatedUpdate(const std::wstring& command);
