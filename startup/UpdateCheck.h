#pragma once

#include "game/Settings.h"

#include <string>

class CLumDownLoadFile;

enum class UpdateCheckMode { Startup, Menu };

// Fetches the manifest (15 seconds and 64 KiB at most; otherwise the copy
// already there is read), compares versions and, when the user accepts the
// offer, writes out and starts the updater. True when the updater was
// started, so that the caller ends the client.
bool RunUpdateCheck(CLumDownLoadFile& downloader, UpdateCheckMode mode,
                    const std::wstring& manifestUrl = PublicData::UpdateManifestUrl);

// Writes out and starts the updater for this client, saying so when it
// cannot; true when it was started, so that the caller ends the client.
bool StartUpdater();

// major.minor.revision of the running executable's version resource.
std::wstring LocalVersion();
