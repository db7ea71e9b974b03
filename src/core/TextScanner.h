// A read position in UTF-8 text, for the value parser: blanks, literals, words and digits.
#pragma once

#include <cstddef>
#include <string_view>

namespace bandix {

class TextScanner
{
public:
    explicit TextScanner(std::string_view text) : m_text(text) {}

    std::size_t Position() const { return m_pos; }
    bool AtEnd() const { return m_pos == m_text.size(); }
    // The text from start up to the read position, and from the read position on.
    std::string_view Since(std::size_t start) const { return m_text.substr(start, m_pos - start); }
    std::string_view Rest() const { return m_text.substr(m_pos); }

    // Nothing but a letter may follow a word; a digit, a sign or a blank may.
    bool AtWordEnd() const;
    bool AtDigit() const;

    // Spaces, TABs, line ends and the no-break spaces word processors put between number and
    // unit.
    void SkipBlanks();

    // Takes the literal when the text goes on with it, exactly or in any ASCII letter case.
    bool Take(std::string_view literal);
    bool TakeCaseless(std::string_view literal);
    // Takes the literal in any letter case when a word end follows it.
    bool TakeWord(std::string_view word);

    // The run of ASCII digits at the read position, possibly empty.
    std::string_view TakeDigits();

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

} // namespace bandix
