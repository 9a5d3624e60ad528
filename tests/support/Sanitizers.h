#pragma once

// Whether this build runs under a sanitizer with an allocator and a pace of its own
// (AddressSanitizer, ThreadSanitizer): memory figures and timings mean less there.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define MIRAVANE_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define MIRAVANE_SANITIZED 1
#endif
#endif

namespace miravane::testing {

#ifdef MIRAVANE_SANITIZED
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif

}  // namespace miravane::testing
