#include "SecureToken.h"

#include <sys/random.h>

#include <cerrno>
#include <system_error>
#include <vector>

namespace platform {

std::string SecureToken(std::size_t byteCount)
{
    std::vector<unsigned char> bytes(byteCount);
    std::size_t filled = 0;
    while (filled < byteCount) {
        const ssize_t got = getrandom(bytes.data() + filled, byteCount - filled, 0);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw std::system_error(errno, std::generic_category(), "No random bytes from the system");
        }
        filled += static_cast<std::size_t>(got);
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string token;
    token.reserve(byteCount * 2);
    for (unsigned char byte : bytes) {
        token += kDigits[byte >> 4];
        token += kDigits[byte & 0xF];
    }
    return token;
}

} // namespace platform
