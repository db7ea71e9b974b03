// Title and message rules of the default error display.
#include "ErrorText.h"

namespace bandix {

std::string ErrorBoxTitle(std::string_view executableFileName)
{
    std::string title(executableFileName.substr(0, executableFileName.find('.')));
    for (std::size_t i = 1; i < title.size(); ++i)
        if (title[i] >= 'A' && title[i] <= 'Z')
            title[i] = static_cast<char>(title[i] - 'A' + 'a');
    return title;
}

std::string ErrorBoxMessage(std::string_view message)
{
    std::string text(message);
    // Bytes of a multi-byte UTF-8 character are all above '.', as their character is.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    return text;
}

} // namespace bandix
