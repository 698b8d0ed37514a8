#pragma once

// Timing and figures for the benchmark programs: every figure is the median of its runs with
// the minimum and maximum, and every ratio is taken run by run from a pair timed together.
#include <windows.h>

#include <stdio.h>

#include <algorithm>
#include <vector>

inline double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Figure {
  double median, min, max;
};

inline Figure Summarise(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  return {median, values.front(), values.back()};
}

inline void PrintMs(const char* what, const std::vector<double>& values) {
  const Figure f = Summarise(values);
  printf("    %-46s %10.3f ms  (min %.3f, max %.3f, %zu runs)\n", what, f.median, f.min, f.max,
         values.size());
}

inline void PrintRatio(const char* what, const std::vector<double>& top,
                       const std::vector<double>& bottom, double goal) {
  std::vector<double> ratios;
  for (size_t i = 0; i < top.size() && i < bottom.size(); ++i) ratios.push_back(top[i] / bottom[i]);
  const Figure f = Summarise(ratios);
  printf("    %-46s %10.2fx     (min %.2f, max %.2f; goal <= %.1fx: %s)\n", what, f.median, f.min,
         f.max, goal, f.median <= goal ? "met" : "MISSED");
}
