// "ud.dat" as found on disk: whatever is read must survive a write and a second read unchanged.
#include <cstdint>
#include <string_view>

#include "core/saved_accounts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const std::string_view label : {"", "SYS"}) {
        quorstat::SavedAccounts accounts;
        quorstat::ReadSavedAccounts(bytes, label, accounts);
        quorstat::SavedAccounts again;
        quorstat::ReadSavedAccounts(quorstat::WriteSavedAccounts(accounts, label), label, again);
        if (!(again == accounts))
            __builtin_trap();
    }
    return 0;
}
