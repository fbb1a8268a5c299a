#include "texts/TextArguments.h"

namespace rps {

std::string fillTextArguments(std::string_view text, std::initializer_list<std::string_view> arguments)
{
    std::string result;
    auto next = arguments.begin();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size()) {
            if (text[i + 1] == 's') {
                if (next != arguments.end())
                    result.append(*next++);
                ++i;
                continue;
            }
            if (text[i + 1] == '%') {
                result.push_back('%');
                ++i;
                continue;
            }
        }
        result.push_back(text[i]);
    }
    return result;
}

} // namespace rps
