// Decodes arbitrary "Protect" values. Whatever comes out must be a password the user can
// type (one to six digits) or no password with program execution off, and a decoded password
// must survive being stored again.
#include "app/ProtectCodec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size < 12) {
        return 0;
    }
    rps::InstallationId id{};
    for (std::size_t i = 0; i < id.size(); ++i) {
        id[i] = data[i];
    }
    const std::string_view text(reinterpret_cast<const char*>(data + 12), size - 12);
    const rps::StoredPassword decoded = rps::decodeProtect(text, id);
    if (decoded.password.empty()) {
        if (decoded.programExecution) {
            std::abort();
        }
        return 0;
    }
    if (!rps::isSecurityPassword(decoded.password)) {
        std::abort();
    }
    if (rps::decodeProtect(rps::encodeProtect(decoded, id), id) != decoded) {
        std::abort();
    }
    return 0;
}
