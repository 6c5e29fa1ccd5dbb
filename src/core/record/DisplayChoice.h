#pragma once

namespace torvane {

// How the size column shows a size (profile value 0 or 1).
enum class SizeUnit : int { KB = 0, MB = 1 };

// How the time column shows a playing time (profile value 0, 1 or 2).
enum class TimeUnit : int { Clock = 0, Seconds = 1, Minutes = 2 };

// Which tag set the tag columns show (profile value 0 or 1): the standard set, or the extended
// set where a record has one.
enum class TagMode : int { Standard = 0, Extended = 1 };

} // namespace torvane
