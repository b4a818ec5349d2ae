#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vw::fuzz {

// Splits the fuzzer's bytes into fields at every NUL, so one input can feed several strings.
inline std::vector<std::string> Fields(const std::uint8_t* data, std::size_t size,
                                       std::size_t atMost) {
  std::vector<std::string> out(1);
  for (std::size_t i = 0; i < size; ++i)
    if (data[i] == 0 && out.size() < atMost)
      out.emplace_back();
    else
      out.back().push_back(static_cast<char>(data[i]));
  return out;
}

// Stops the run the way libFuzzer reports a crash, with the reason.
[[noreturn]] inline void Broken(const char* why) {
  __builtin_printf("invariant broken: %s\n", why);
  __builtin_trap();
}

}  // namespace vw::fuzz
