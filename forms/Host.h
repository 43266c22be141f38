#pragma once

#include <string>
#include <utility>
#include <vector>

namespace forms {

class DialogHost;
class LaunchHost;
class WorkAreaSource;

// Where the program meets what lies outside its windows, in one place:
// message boxes and modal loops, the programs it starts, the monitors' work
// areas, the error log, and the seams of the layers above (the browser
// engine's factory), kept by type. A null or empty member means the
// system's own. Tests stand in for any of them through one HostSwap.
class Host {
public:
    DialogHost* dialogs = nullptr;
    LaunchHost* launches = nullptr;
    const WorkAreaSource* workAreas = nullptr;
    // The error log's lines go here instead of to the event log.
    std::vector<std::wstring>* errorSink = nullptr;

    // The seam a layer above keeps here; null when none is put.
    template <class Seam> Seam* Find() const {
        for (const auto& [key, seam] : extensions_) {
            if (key == KeyOf<Seam>()) {
                return static_cast<Seam*>(seam);
            }
        }
        return nullptr;
    }
    // Puts the seam in place of the one before; null takes it away.
    template <class Seam> void Put(Seam* seam) {
        const void* key = KeyOf<Seam>();
        for (auto it = extensions_.begin(); it != extensions_.end(); ++it) {
            if (it->first == key) {
                extensions_.erase(it);
                break;
            }
        }
        if (seam != nullptr) {
            extensions_.emplace_back(KeyOf<Seam>(),
                                     const_cast<void*>(static_cast<const void*>(seam)));
        }
    }

    // The program's host, owned by the application.
    static Host& Current();

private:
    template <class Seam> static const void* KeyOf() {
        static const char key = 0; // constant: no guard
        return &key;
    }

    std::vector<std::pair<const void*, void*>> extensions_;
};

// Stands in for parts of the host for the guard's life: what is changed
// through it is undone, whole, when it goes.
class HostSwap {
public:
    HostSwap() : saved_(Host::Current()) {}
    ~HostSwap() { Host::Current() = std::move(saved_); }
    HostSwap(const HostSwap&) = delete;
    HostSwap& operator=(const HostSwap&) = delete;

    Host* operator->() const { return &Host::Current(); }
    Host& operator*() const { return Host::Current(); }

private:
    Host saved_;
};

} // namespace forms
