#include "engine/mouse_span.h"

namespace tessaline::engine {

MouseSpan mouseSpan(const RenameJob& job, long long n, bool fromEnd) {
  const long long s = job.selectionStart;
  const long long l = job.selectionLength;
  const long long m = job.sampleLength;
  if (!fromEnd) return {s, s + l + 1};
  const long long after = n - (m - s - l) + 1;
  return {after - l - 1, after};
}

}  // namespace tessaline::engine
