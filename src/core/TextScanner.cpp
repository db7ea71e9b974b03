// Byte-wise reading of UTF-8: every character outside ASCII is compared as its byte sequence.
#include "TextScanner.h"

#include <array>

namespace bandix {

namespace {

constexpr std::array<std::string_view, 9> Blanks = {
    " ",
    "\t",
    "\r",
    "\n",
    "\v",
    "\f",
    "\xC2\xA0",     // no-break space
    "\xE2\x80\xAF", // narrow no-break space
    "\xE2\x80\x89", // thin space
};

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool TextScanner::AtWordEnd() const
{
    return AtEnd() || !IsLetter(m_text[m_pos]);
}

bool TextScanner::AtDigit() const
{
    return !AtEnd() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9';
}

void TextScanner::SkipBlanks()
{
    for (std::size_t i = 0; i < Blanks.size() && !AtEnd();)
        if (Blanks[i].front() == m_text[m_pos] && Take(Blanks[i]))
            i = 0;
        else
            ++i;
}

bool TextScanner::Take(std::string_view literal)
{
    if (m_text.compare(m_pos, literal.size(), literal) != 0)
        return false;
    m_pos += literal.size();
    return true;
}

bool TextScanner::TakeCaseless(std::string_view literal)
{
    const std::string_view rest = Rest();
    if (rest.size() < literal.size())
        return false;
    for (std::size_t i = 0; i < literal.size(); ++i)
        if (Lower(rest[i]) != Lower(literal[i]))
            return false;
    m_pos += literal.size();
    return true;
}

bool TextScanner::TakeWord(std::string_view word)
{
    const std::size_t start = m_pos;
    if (TakeCaseless(word) && AtWordEnd())
        return true;
    m_pos = start;
    return false;
}

std::string_view TextScanner::TakeDigits()
{
    const std::size_t start = m_pos;
    while (AtDigit())
        ++m_pos;
    return Since(start);
}

} // namespace bandix
