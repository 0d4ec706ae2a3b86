#include "base/registered_messages.h"

#include <map>
#include <mutex>
#include <string>

namespace morva {

uint32_t registerWindowMessage(std::string_view name) {
    static std::mutex guard;
    static std::map<std::string, uint32_t, std::less<>> numbers;
    const std::lock_guard lock(guard);
    if (const auto found = numbers.find(name); found != numbers.end()) {
        return found->second;
    }
    const auto number = static_cast<uint32_t>(kFirstRegisteredMessage + numbers.size());
    numbers.emplace(std::string(name), number);
    return number;
}

} // namespace morva
