#pragma once
#include <chrono>
#include <functional>
#include <set>
#include <string>

namespace vw {

// A set of font faces, as one device lists them.
using FaceSet = std::set<std::string>;
using FaceSource = std::function<FaceSet()>;

// How long the dialog waits for the printer before it lists the screen's faces.
inline constexpr std::chrono::milliseconds kPrinterWait{1000};

// The faces the font list starts from: the default printer's, read on a thread of their own
// and waited for at most `wait` (opening an offline network printer can block for tens of
// seconds, and the dialog must not wait with it); the screen's when the printer has none or
// does not answer in time. A printer that answers late is left to finish alone.
FaceSet FacesForList(FaceSource printer, const FaceSource& screen,
                     std::chrono::milliseconds wait = kPrinterWait);

}  // namespace vw
