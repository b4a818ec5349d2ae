#pragma once

namespace vw::bench {

// Esther 8:9, record 12,827 of kjv.dat: the longest verse, 528 characters.
inline constexpr const char* kLongestVerse =
    "Then were the king's scribes called at that time in the third month, that is, the month "
    "Sivan, on the three and twentieth day thereof; and it was written according to all that "
    "Mordecai commanded unto the Jews, and to the lieutenants, and the deputies and rulers of "
    "the provinces which are from India unto Ethiopia, an hundred twenty and seven provinces, "
    "unto every province according to the writing thereof, and unto every people after their "
    "language, and to the Jews according to their writing, and according to their language.";
inline constexpr const char* kLongestReference = "Esther 8:9";

}  // namespace vw::bench
