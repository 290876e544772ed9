// Timing for the Windows benchmarks: one run in milliseconds, the median of rounds.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

inline double Milliseconds(const std::function<void()>& Run) {
  const auto Start = std::chrono::steady_clock::now();
  Run();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
}

inline double Median(std::vector<double> V) {
  std::sort(V.begin(), V.end());
  return V.empty() ? 0 : V[V.size() / 2];
}
