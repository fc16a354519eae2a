#include "convert/line_ends.h"

namespace mireto {

std::string withCrLfLineEnds(std::string text) {
    // Most texts have CR LF already, or no line end that lacks its CR: then they are
    // handed back as they are.
    std::size_t loneLineFeeds = 0;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
        if (at == 0 || text[at - 1] != '\r')
            ++loneLineFeeds;
    }
    if (loneLineFeeds == 0)
        return text;
    std::string result;
    result.reserve(text.size() + loneLineFeeds);
    std::size_t copied = 0;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
        if (at == 0 || text[at - 1] != '\r') {
            result.append(text, copied, at - copied);
            result.push_back('\r');
            copied = at;
        }
    }
    result.append(text, copied);
    return result;
}

} // namespace mireto
