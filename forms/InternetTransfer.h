#pragma once

#include <windows.h>

#include <wininet.h>

#if defined(__GNUC__)
#define FORMS_TRANSFER_INLINE [[gnu::always_inline]] inline
#else
#define FORMS_TRANSFER_INLINE inline
#endif

namespace forms {

// Reads a WinINet answer's body block by block into a sink: the one read
// loop every download and page fetch runs. The loop is a template and the
// block lives on the stack, so the small updater pays for no indirection.
class InternetTransfer {
public:
    enum class End {
        Finished,   // the server sent no more
        ReadFailed, // WinINet failed a read
        Refused,    // a block went past the bound, or the sink refused it
        Stopped,    // the stop predicate said so before a read
    };

    // `arrivedOnly`: read only what has arrived, so that a slow server's
    // progress shows block by block. `most`: more bytes than this are
    // refused (0: no bound).
    InternetTransfer(bool arrivedOnly, DWORD most) : arrivedOnly_(arrivedOnly), most_(most) {}

    // Reads at most `Block` bytes at once. `stop()` is asked before every
    // read; `take(data, size)` keeps a block (false refuses it);
    // `progressed(received)` follows every kept block.
    template <DWORD Block, class Stop, class Take, class Progressed>
    FORMS_TRANSFER_INLINE End Run(HINTERNET request, Stop&& stop, Take&& take,
                                  Progressed&& progressed) {
        char buffer[Block];
        received_ = 0;
        while (!stop()) {
            DWORD got = 0;
            if (!Read(request, buffer, Block, got)) {
                return End::ReadFailed;
            }
            if (got == 0) {
                return End::Finished;
            }
            if ((most_ != 0 && received_ + got > most_) || !take(buffer, got)) {
                return End::Refused;
            }
            received_ += got;
            progressed(received_);
        }
        return End::Stopped;
    }

    DWORD Received() const { return received_; }

    // Writes the whole block to a file; false on any shortfall.
    static bool WriteAll(HANDLE file, const char* data, DWORD size) noexcept {
        DWORD written = 0;
        return WriteFile(file, data, size, &written, nullptr) != FALSE && written == size;
    }

private:
    // One block into `buffer`; `got` is 0 at the end of the body.
    FORMS_TRANSFER_INLINE bool Read(HINTERNET request, char* buffer, DWORD size,
                                    DWORD& got) const noexcept {
        if (arrivedOnly_) {
            // A read of a whole block would wait for the block to fill.
            DWORD available = 0;
            if (InternetQueryDataAvailable(request, &available, 0, 0) == FALSE) {
                return false;
            }
            if (available == 0) {
                got = 0;
                return true;
            }
            size = available < size ? available : size;
        }
        return InternetReadFile(request, buffer, size, &got) != FALSE;
    }

    bool arrivedOnly_;
    DWORD most_;
    DWORD received_ = 0;
};

} // namespace forms
