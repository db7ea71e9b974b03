// The band count and band lists that show a value: the colour code read the other way.
#pragma once

#include "ResistorValue.h"
#include "ValueParser.h"

namespace bandix {

// What the window sets, the band count first and then the lists.
struct CodedBands
{
    int NumberBandsIndex = 0; // the band-count group's item: 0 for 3 bands … 3 for 6
    BandSelection Bands;
};

// The lists for the value, as digits times a multiplier (Gold x 0.1, Silver x 0.01). The band
// count stays when it can show the value, else it becomes the nearest that can: two digits in the
// 3-band mode, three in the others, a tolerance needs 5 bands and a coefficient 6. Within a band
// count the first digit is not Black where the value allows. Lists the value does not name keep
// their current item, hidden ones too. Throws std::out_of_range for a value no colour code shows.
CodedBands CodeValue(const PastedValue &value, const BandSelection &current, int numberBandsIndex);

} // namespace bandix
