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

// major.minor.revision of the running executable's version resource.
std::wstring LocalVersion();
