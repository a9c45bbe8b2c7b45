#pragma once

namespace testsupport
{
/** The number of rounds a randomised test runs: all of them, but a tenth
    under ThreadSanitizer, which runs this single-threaded code ten to twenty
    times slower and would time the test out (the draws are the same, fewer). */
constexpr int randomRounds (int rounds)
{
#if defined(__SANITIZE_THREAD__)
    return rounds / 10 > 0 ? rounds / 10 : 1;
#else
    return rounds;
#endif
}
} // namespace testsupport
